#include "retry/RetryValues.h"

#include "conditions/MediaList.h"
#include "core/ControllerSettings.h"

void CRetryValues::Publish(const CControllerSettings& settings, bool skipQueueCheck,
                           const AdvancedSettings& advanced) {
    const std::lock_guard lock(m_mutex);
    m_bSkipQueueCheck = skipQueueCheck;
    m_bControllerCondition = settings.m_nCutCondSetting != 0;
    m_strConditionName = settings.m_condition.m_strName;
    m_nMediaOrient = settings.m_nMediaOrient;
    m_advanced = advanced;
}

bool CRetryValues::SkipQueueCheck() const {
    const std::lock_guard lock(m_mutex);
    return m_bSkipQueueCheck;
}

bool CRetryValues::UseControllerCondition() const {
    const std::lock_guard lock(m_mutex);
    return m_bControllerCondition;
}

std::optional<CuttingCondition> CRetryValues::CurrentCondition() const {
    std::string name;
    {
        const std::lock_guard lock(m_mutex);
        name = m_strConditionName;
    }
    return m_mediaList.Lookup(name);
}

int CRetryValues::MediaOrientation() const {
    const std::lock_guard lock(m_mutex);
    return m_nMediaOrient;
}

AdvancedSettings CRetryValues::StoredAdvancedSettings() const {
    const std::lock_guard lock(m_mutex);
    return m_advanced;
}
