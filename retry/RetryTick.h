#pragma once

#include "conditions/CuttingCondition.h"
#include "protocol/AdvancedSettings.h"

#include <functional>
#include <optional>

class CPlotterPort;
class CPlotterCommands;
class CAdvancedSettingsLink;
class CUnsentChanges;

// What a tick reads from the application at the moment it needs it. Called on the retry
// timer's thread, so an implementation must be safe against the user-interface thread
// changing the same values.
class IRetrySource {
public:
    virtual ~IRetrySource() = default;
    virtual bool SkipQueueCheck() const = 0;         // the launch parameter LM
    virtual bool UseControllerCondition() const = 0; // CutCondSetting is not 0
    // The current condition looked up by its name in the media list store; nothing when the
    // store no longer has it.
    virtual std::optional<CuttingCondition> CurrentCondition() const = 0;
    virtual int MediaOrientation() const = 0;
    virtual AdvancedSettings StoredAdvancedSettings() const = 0;
};

// One attempt to bring the plotter up to date: if the plotter is ready, send the unsent
// changes in the order panel settings, cutting condition, media orientation, advanced
// settings. The first send that fails ends the attempt and leaves its change and every later
// one unsent. The tick itself shows nothing to the user.
class CRetryTick {
public:
    CRetryTick(CPlotterPort& port, CPlotterCommands& commands, CAdvancedSettingsLink& advanced,
               CUnsentChanges& unsent, const IRetrySource& source)
        : m_port(port), m_commands(commands), m_advanced(advanced), m_unsent(unsent),
          m_source(source) {}

    void OnTick();
    // The same attempt for the window that cannot go on without it ("Cut"): 0 when the plotter
    // is ready and has every change, else the code of the check or send that failed.
    [[nodiscard]] int SendUnsent();

private:
    // Sends one change. Its bit stays set until the send has arrived, so closing the window
    // meanwhile still sees it unsent; a change the user makes during the send stays marked.
    // Returns the send's code.
    int Resend(unsigned bit, unsigned pending, const std::function<int()>& send);

    CPlotterPort& m_port;
    CPlotterCommands& m_commands;
    CAdvancedSettingsLink& m_advanced;
    CUnsentChanges& m_unsent;
    const IRetrySource& m_source;
};
