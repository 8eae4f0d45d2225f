#pragma once

#include "retry/RetryTick.h"

#include <mutex>
#include <string>

class CControllerSettings;
class CMediaList;

// The application's values as the retry tick reads them, published by the user-interface
// thread. The window publishes right before it marks a change unsent, so the tick that finds
// the bit also finds the values that go with it; the lock makes the hand-over safe, and the
// tick never touches the settings record itself. The current condition is looked up by name
// in the media list store when the tick needs it, as the store is safe on any thread.
class CRetryValues : public IRetrySource {
public:
    explicit CRetryValues(const CMediaList& mediaList) : m_mediaList(mediaList) {}

    // Copies what a tick needs from the settings (which conditions are in use, the current
    // condition's name, the media orientation), the LM launch flag and the stored copy of the
    // advanced settings.
    void Publish(const CControllerSettings& settings, bool skipQueueCheck,
                 const AdvancedSettings& advanced);

    bool SkipQueueCheck() const override;
    bool UseControllerCondition() const override;
    std::optional<CuttingCondition> CurrentCondition() const override;
    int MediaOrientation() const override;
    AdvancedSettings StoredAdvancedSettings() const override;

private:
    const CMediaList& m_mediaList;
    mutable std::mutex m_mutex;
    bool m_bSkipQueueCheck = false;
    bool m_bControllerCondition = false;
    std::string m_strConditionName;
    int m_nMediaOrient = 0;
    AdvancedSettings m_advanced;
};
