#include "ui/dialogs/conditions/ConditionCommit.h"

#include "conditions/MediaList.h"
#include "core/ControllerSettings.h"
#include "core/messages/MessageCodes.h"
#include "protocol/PlotterCommands.h"
#include "retry/ChangeSender.h"
#include "retry/UnsentChanges.h"

int CConditionCommit::Add(const CuttingCondition& record) {
    return m_store.AddCondition(record);
}

int CConditionCommit::Update(const CuttingCondition& record, const std::string& oldName,
                             bool send) {
    const std::optional<CuttingCondition> before = m_store.Lookup(oldName);
    if (const int stored = m_store.UpdateCondition(record, oldName); stored != msg::kOk) {
        return stored;
    }
    if (!send) {
        // The current list edited while the plotter uses its own conditions: the record the
        // main window shows follows the file, so it is sent as stored once chosen again.
        if (record.m_strName == m_settings.m_condition.m_strName) {
            m_settings.m_condition = record;
        }
        return msg::kOk;
    }
    const int sent = m_sender.Send(
        CUnsentChanges::kCuttingCondition,
        [&] { return m_commands.SendCuttingCondition(record, m_sender.CheckQueues(), true); },
        [&] { m_settings.m_condition = record; });
    if (sent != msg::kOk) {
        PutBack(before, record);
    }
    return sent;
}

// The edit windows that send keep the name (their name box is read-only), so the record's file
// is the old one's. A failure to put it back leaves the edit stored but neither sent nor
// current; the send's failure is what the user is told.
void CConditionCommit::PutBack(const std::optional<CuttingCondition>& before,
                               const CuttingCondition& record) {
    if (before) {
        static_cast<void>(m_store.UpdateCondition(*before, record.m_strName));
    } else {
        static_cast<void>(m_store.DeleteCondition(record.m_strName));
    }
}
