// The condition edit window's buttons: OK by mode, the test cuts and the blade help.
#include "ui/dialogs/conditions/CondEditDlg.h"

#include "conditions/MediaList.h"
#include "core/ControllerSettings.h"
#include "core/HelpContext.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "protocol/PlotterCommands.h"
#include "retry/ChangeSender.h"
#include "skin/SkinButton.h"
#include "ui/dialogs/conditions/ConditionCommit.h"
#include "ui/dialogs/conditions/ConditionRules.h"

#include <QLineEdit>

void CCondEditDlg::OnOK() {
    const std::string name = m_pName->text().toStdString();
    if (const int problem = CheckName(name); problem != msg::kOk) {
        ShowMessage(problem);
        return;
    }
    const bool sends = SendsOnOK();
    if (!ConfirmOK(sends)) {
        return;
    }
    const CuttingCondition record = OnScreen(name);
    CConditionCommit commit(m_links.mediaList, m_links.settings, m_links.sender, m_links.commands);
    const int stored = m_nMode == kModeNew || m_nMode == kModeCopy
                           ? commit.Add(record)
                           : commit.Update(record, m_condition.m_strName, sends);
    if (stored != msg::kOk) {
        ShowMessage(stored);
        return;
    }
    accept();
}

int CCondEditDlg::CheckName(const std::string& name) const {
    if (const int invalid = name != m_strShownName ? condrules::CheckMediaName(name) : msg::kOk;
        invalid != msg::kOk) {
        return invalid;
    }
    // Exact comparison: on Linux names differing in letter case are files of their own.
    const bool added = m_nMode == kModeNew || m_nMode == kModeCopy;
    return added && m_links.mediaList.Lookup(name) ? msg::kNameInUse : msg::kOk;
}

bool CCondEditDlg::SendsOnOK() const {
    switch (m_nMode) {
    case kModeEditCurrent:
    case kModeImport:
        return true;
    case kModeEdit:
        return m_condition.m_strName == m_links.settings.m_condition.m_strName &&
               m_links.settings.m_nCutCondSetting == 1;
    case kModeNew:
    case kModeCopy:
        break;
    }
    return false;
}

bool CCondEditDlg::ConfirmOK(bool sends) const {
    if (m_nMode == kModeImport) {
        return ConfirmMessage(msg::kConfirmOverwriteList);
    }
    if (m_nMode == kModeEdit && sends) {
        return ConfirmMessage(msg::kConfirmChangeConditions);
    }
    return true;
}

void CCondEditDlg::OnTestCut(bool five) {
    const CSkinButton* button = five ? m_pFiveTestCut : m_pTestCut;
    if (!button->isEnabled() ||
        !ConfirmMessage(five ? msg::kConfirmFiveTestCuts : msg::kConfirmTestCut)) {
        return;
    }
    // The commands put the main window's condition back once the pattern is cut.
    const CuttingCondition shown = OnScreen(m_condition.m_strName);
    const int started =
        m_links.commands.TestCut(&shown, true, five, m_links.sender.CheckQueues(), true);
    if (started != msg::kOk) {
        ShowMessage(started);
        return;
    }
    if (m_links.followTestCut) {
        m_links.followTestCut(this);
    }
}

void CCondEditDlg::OnAboutBlades() {
    // The page of the connected family: the help adds the family to the topic.
    if (m_links.showHelp) {
        m_links.showHelp(this, helpcontext::kTopicBladeInformation);
    }
}
