#include "ui/main/MainPanel.h"

#include "core/ControllerCommandLine.h"
#include "core/messages/CMessageService.h"
#include "skin/SkinControl.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>

QString LoadText(int stringId) {
    return QString::fromStdString(CMessageService::Instance().Strings().LoadString(stringId));
}

CMainPanel::CMainPanel(const PanelContext& context) : m_context(context) {}

bool CMainPanel::CheckQueues() const {
    return Links().commandLine.m_bSkipQueueCheck == 0;
}

QWidget* CMainPanel::Control(int id) const {
    return skin::FindControl(&Window(), id);
}

QLineEdit* CMainPanel::Edit(int id) const {
    return ControlAs<QLineEdit>(id);
}

void CMainPanel::SetEnabled(int id, bool enabled) const {
    if (QWidget* control = Control(id)) {
        control->setEnabled(enabled);
    }
}

void CMainPanel::SetVisible(int id, bool visible) const {
    if (QWidget* control = Control(id)) {
        control->setVisible(visible);
    }
}

void CMainPanel::SetText(int id, const QString& text) const {
    if (auto* label = ControlAs<QLabel>(id)) {
        label->setText(text);
    } else if (auto* edit = Edit(id)) {
        edit->setText(text);
    }
}
