#pragma once

#include <functional>

class CControllerSettings;
class CRetryValues;
class CUnsentChanges;
struct AdvancedSettings;

// The one way a window sends a settings change to the plotter: send it now, or, when the
// plotter is only busy or not ready, keep the change and leave it to the retry timer.
class CChangeSender {
public:
    CChangeSender(CUnsentChanges& unsent, CRetryValues& retryValues,
                  const CControllerSettings& settings, const AdvancedSettings& storedAdvanced,
                  bool skipQueueCheck)
        : m_unsent(unsent), m_retryValues(retryValues), m_settings(settings),
          m_storedAdvanced(storedAdvanced), m_bSkipQueueCheck(skipQueueCheck) {}

    // Runs `send`. When it succeeds, or fails only with 1100/1101, `apply` makes the change in
    // the settings and the retry timer gets the new values; after 1100/1101 `unsentBit` is set
    // too. Returns 0 then, else the failure code, with nothing applied.
    [[nodiscard]] int Send(unsigned unsentBit, const std::function<int()>& send,
                           const std::function<void()>& apply);

    // Hands the current values to the retry timer. Before a bit is set, so the tick that finds
    // the bit also finds the values that go with it.
    void Publish();
    void MarkUnsent(unsigned unsentBit);
    bool HasUnsent() const;
    bool IsUnsent(unsigned unsentBit) const;
    bool CheckQueues() const { return !m_bSkipQueueCheck; }

private:
    CUnsentChanges& m_unsent;
    CRetryValues& m_retryValues;
    const CControllerSettings& m_settings;
    const AdvancedSettings& m_storedAdvanced;
    bool m_bSkipQueueCheck;
};
