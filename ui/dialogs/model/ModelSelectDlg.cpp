#include "ui/dialogs/model/ModelSelectDlg.h"

#include "core/messages/CMessageService.h"
#include "ui/dialogs/common/WindowLook.h"

#include <QComboBox>
#include <QPushButton>

namespace {

// Client area and child positions of the window, in pixels.
constexpr int kClientWidth = 220;
constexpr int kClientHeight = 84;
constexpr QRect kListRect(12, 12, 196, 24);
constexpr QRect kOkRect(74, 48, 72, 24);
constexpr int kFontHeight = 12;
constexpr int kStringOk = 2101;

} // namespace

CModelSelectDlg::CModelSelectDlg(const std::vector<std::string>& familyNames,
                                 const QString& caption, QWidget* parent)
    : QDialog(parent), m_pModelList(new QComboBox(this)),
      m_pOk(new QPushButton(WindowText(kStringOk), this)) {
    ApplyWindowLook(*this, caption);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(WindowFont(kFontHeight));

    m_pModelList->setGeometry(kListRect);
    m_pModelList->setEditable(false);
    for (const std::string& name : familyNames) {
        m_pModelList->addItem(QString::fromStdString(name));
    }

    m_pOk->setGeometry(kOkRect);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &CModelSelectDlg::OnOK);

    m_mapControls = {{kIdModelList, m_pModelList}, {kIdOk, m_pOk}};
}

QWidget* CModelSelectDlg::Control(int id) const {
    const auto it = m_mapControls.find(id);
    return it != m_mapControls.end() ? it->second : nullptr;
}

void CModelSelectDlg::OnOK() {
    m_strSelected = m_pModelList->currentText().toStdString();
    accept();
}

std::string CModelSelectDlg::Choose(const std::vector<std::string>& familyNames,
                                    const QString& caption, QWidget* parent) {
    CModelSelectDlg dialog(familyNames, caption, parent);
    dialog.exec();
    return dialog.SelectedName();
}
