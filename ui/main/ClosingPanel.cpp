#include "ui/main/ClosingPanel.h"

#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/SettingsStore.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "retry/ChangeSender.h"
#include "retry/RetryTick.h"
#include "skin/SkinButton.h"
#include "ui/main/ControlIds.h"
#include "ui/main/OrientationPanel.h"

#include <QDialog>

CClosingPanel::CClosingPanel(const PanelContext& context, COrientationPanel& orientation)
    : CMainPanel(context), m_orientation(orientation) {}

void CClosingPanel::Init() {
    SetVisible(ctl::kCancel, Links().commandLine.m_bCutMode != 0);
    connect(ControlAs<CSkinButton>(ctl::kOk), &QPushButton::clicked, this, &CClosingPanel::OnOK);
    connect(ControlAs<CSkinButton>(ctl::kCancel), &QPushButton::clicked, this,
            &CClosingPanel::OnCancel);
}

void CClosingPanel::OnOK() {
    if (Links().commandLine.m_bCutMode == 0) {
        if (!ConfirmUnsentChanges()) {
            return;
        }
        SaveSettings();
        Window().done(kResultOk);
        return;
    }

    // The job is cut with the plotter's settings: a change the retry timer has not brought
    // over yet goes now, or the cut waits. Without one this is just the ready check.
    if (const int sent = Links().retryTick.SendUnsent(); sent != msg::kOk) {
        ShowMessage(sent);
        return;
    }
    if (!MarksReadForCut()) {
        return;
    }
    SaveSettings();
    Window().done(kResultOk);
}

bool CClosingPanel::MarksReadForCut() {
    const CControllerSettings& settings = Links().settings;
    if (settings.m_bMarkReadingAvailable == 0 || settings.m_bTomboRead == 0) {
        return true;
    }
    if (settings.m_bTomboAuto != 0) {
        // Every failure on the way has been shown; the window stays for another try.
        return m_orientation.CheckReadingValues() && m_orientation.ReadMarks() == msg::kOk;
    }
    // Read by hand with "Read Marks" before: the plotter knows whether it has them.
    if (const int asked = m_orientation.QueryMarksRead(); asked != msg::kOk) {
        ShowMessage(asked);
        return false;
    }
    return settings.m_bMarksRead != 0 || ConfirmMessage(msg::kConfirmMarksNotRead);
}

void CClosingPanel::OnCancel() {
    if (!ConfirmUnsentChanges()) {
        return;
    }
    SaveSettings();
    Window().done(kResultCancel);
}

bool CClosingPanel::ConfirmUnsentChanges() {
    return !Sender().HasUnsent() || ConfirmMessage(msg::kConfirmUnsentChanges);
}

void CClosingPanel::SaveSettings() {
    m_orientation.ClampDistances();
    CSettingsStore().Save(Links().settings);
}
