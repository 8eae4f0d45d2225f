// Closing: OK ("Close" or "Cut"), Cancel, the close box, and saving the settings.
#include "ui/main/ControllerDlg.h"

#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/SettingsStore.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"

#include <QCloseEvent>

void CControllerDlg::accept() {
    OnOK();
}

void CControllerDlg::reject() {
    OnCancel();
}

void CControllerDlg::closeEvent(QCloseEvent* event) {
    // The close box means Cancel, also where the Cancel button is hidden.
    event->ignore();
    OnCancel();
}

void CControllerDlg::OnOK() {
    const CControllerSettings& settings = m_links.settings;
    if (m_links.commandLine.m_bCutMode == 0) {
        if (!ConfirmUnsentChanges()) {
            return;
        }
        SaveSettings();
        done(kResultOk);
        return;
    }

    if (const int ready = m_links.port.CheckReady(CheckQueues(), true); ready != msg::kOk) {
        ShowMessage(ready);
        return;
    }
    if (settings.m_bMarkReadingAvailable != 0 && settings.m_bTomboRead != 0 &&
        !ConfirmMessage(msg::kConfirmMarksNotRead)) {
        // This window does not read the marks yet: the user decides whether to cut without.
        return;
    }
    SaveSettings();
    done(kResultOk);
}

void CControllerDlg::OnCancel() {
    if (!ConfirmUnsentChanges()) {
        return;
    }
    SaveSettings();
    done(kResultCancel);
}

bool CControllerDlg::ConfirmUnsentChanges() {
    return !HasUnsent() || ConfirmMessage(msg::kConfirmUnsentChanges);
}

void CControllerDlg::SaveSettings() {
    ClampDistances();
    CSettingsStore().Save(m_links.settings);
}
