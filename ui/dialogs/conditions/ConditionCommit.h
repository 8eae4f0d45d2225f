#pragma once

#include "conditions/CuttingCondition.h"

#include <optional>
#include <string>

class CChangeSender;
class CControllerSettings;
class CMediaList;
class CPlotterCommands;

// Stores an edited list and, when it is the condition the plotter uses, sends it. The file is
// written first: a list that cannot be stored (1305) never reaches the plotter, and a send that
// fails puts the stored list back, so the store, the current condition and the plotter either
// all take the edit or none does.
class CConditionCommit {
public:
    CConditionCommit(CMediaList& store, CControllerSettings& settings, CChangeSender& sender,
                     CPlotterCommands& commands)
        : m_store(store), m_settings(settings), m_sender(sender), m_commands(commands) {}

    // A new list: 0 or 1305.
    [[nodiscard]] int Add(const CuttingCondition& record);
    // Replaces the list named oldName. With `send`, the record then goes to the plotter and
    // becomes the current condition (kept unsent on 1100/1101). 0, 1305, or the code of a
    // failed send, after which the list is as it was.
    [[nodiscard]] int Update(const CuttingCondition& record, const std::string& oldName, bool send);

private:
    void PutBack(const std::optional<CuttingCondition>& before, const CuttingCondition& record);

    CMediaList& m_store;
    CControllerSettings& m_settings;
    CChangeSender& m_sender;
    CPlotterCommands& m_commands;
};
