#include "ui/dialogs/marks/MarkReadingRun.h"

#include "core/ControllerCommandLine.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "protocol/MarkReading.h"
#include "ui/dialogs/marks/RegMarkReadDlg.h"

int RunMarkReading(CMarkReading& marks, const CControllerCommandLine& commandLine,
                   const CSkinFolders& folders, QWidget* parent) {
    const bool checkQueues = commandLine.m_bSkipQueueCheck == 0;
    if (const int started = marks.StartMarkReading(checkQueues, true); started != msg::kOk) {
        ShowMessage(started);
        return started;
    }
    CRegMarkReadDlg window(marks, folders, parent);
    switch (const int result = window.exec()) {
    case CRegMarkReadDlg::kResultRead:
        return msg::kOk;
    case CRegMarkReadDlg::kResultFailed:
        ShowMessage(msg::kMarkReadingFailed);
        return msg::kMarkReadingFailed;
    case CRegMarkReadDlg::kResultPortFailed:
        // The window was not told the marks were read: a cut now would not line up.
        return window.FailureCode();
    default:
        return result;
    }
}
