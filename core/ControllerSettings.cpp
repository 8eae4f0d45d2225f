#include "core/ControllerSettings.h"

#include "platform/LocaleFacts.h"

CControllerSettings::CControllerSettings() : CControllerSettings(platform::SystemUsesMetric()) {}

CControllerSettings::CControllerSettings(bool metric) : m_nUnitType(metric ? 0 : 1) {}
