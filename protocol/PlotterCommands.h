#pragma once

#include "conditions/CuttingCondition.h"

#include <functional>
#include <optional>
#include <string>

class CPlotterPort;
class CPlotterModel;

// The setting commands that change how the plotter cuts and what it does next: the cutting
// condition, the panel conditions, the media orientation, the command set, the head actions
// and the test cut. Each public operation is one port transaction: the lock, the optional
// print-queue and ready checks, then its commands in order; the first failing step ends it
// with its code, and nothing already sent is undone.
class CPlotterCommands {
public:
    // The condition that is current in the main window, looked up by its name in the media
    // list store; nothing when the store no longer has it.
    using CurrentCondition = std::function<std::optional<CuttingCondition>()>;
    // Runs modally while the plotter changes its command set; the port lock stays held.
    using CommandSetWait = std::function<void()>;

    CPlotterCommands(CPlotterPort& port, const CPlotterModel& model)
        : m_port(port), m_model(model) {}

    void SetCurrentCondition(CurrentCondition current) {
        m_fnCurrentCondition = std::move(current);
    }
    void SetCommandSetWait(CommandSetWait wait) { m_fnCommandSetWait = std::move(wait); }

    // TC4 (the blade's tool code; -999 for a blade the catalogue lacks), TC3, TC1, TC2, TC5.
    // The name is not sent.
    [[nodiscard]] int SendCuttingCondition(const std::string& name, const std::string& blade,
                                           int force, int speed, int quality, int offset,
                                           bool checkQueues, bool checkStatus);
    [[nodiscard]] int SendCuttingCondition(const CuttingCondition& c, bool checkQueues,
                                           bool checkStatus);
    [[nodiscard]] int UsePlotterSettings(bool checkQueues, bool checkStatus);
    [[nodiscard]] int SendMediaOrientation(int orientation, bool checkQueues, bool checkStatus);
    // TC24, then the wait while the lock is still held.
    [[nodiscard]] int SwitchCommandSet(int set, bool checkQueues, bool checkStatus);
    [[nodiscard]] int MoveToOrigin(bool checkQueues, bool checkStatus);
    [[nodiscard]] int CrossCut(bool checkQueues, bool checkStatus);
    // One (TC7) or five (TC8) test patterns. With `sendCondition` and a condition, that
    // condition is sent first and the main window's current condition afterwards, so the
    // plotter is left as the main window has it.
    [[nodiscard]] int TestCut(const CuttingCondition* condition, bool sendCondition, bool five,
                              bool checkQueues, bool checkStatus);

private:
    [[nodiscard]] int SendOne(const std::string& text, bool checkQueues, bool checkStatus);
    [[nodiscard]] int SendConditionCommands(const CuttingCondition& c);

    CPlotterPort& m_port;
    const CPlotterModel& m_model;
    CurrentCondition m_fnCurrentCondition;
    CommandSetWait m_fnCommandSetWait;
};
