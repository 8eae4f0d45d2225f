#include "retry/RetryTick.h"

#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "retry/UnsentChanges.h"

template <typename Send> bool CRetryTick::Resend(unsigned bit, unsigned pending, Send&& send) {
    if ((pending & bit) == 0 || !m_unsent.BeginSend(bit)) {
        return true;
    }
    if (send() != msg::kOk) {
        return false;
    }
    m_unsent.SendArrived(bit);
    return true;
}

void CRetryTick::OnTick() {
    if (m_port.CheckReady(!m_source.SkipQueueCheck(), true) != msg::kOk) {
        return;
    }
    const unsigned pending = m_unsent.Bits();
    if (pending == 0) {
        return;
    }
    // The sends skip both checks: this tick has just made them.
    const bool controllerCondition = m_source.UseControllerCondition();
    if (!Resend(CUnsentChanges::kPanelSettings, pending, [&] {
            return controllerCondition ? msg::kOk : m_commands.UsePlotterSettings(false, false);
        })) {
        return;
    }
    if (!Resend(CUnsentChanges::kCuttingCondition, pending, [&] {
            if (!controllerCondition) {
                return msg::kOk;
            }
            // A condition the store no longer has cannot be sent: nothing of it is left to
            // bring over, and keeping the bit would hold back every later change for good.
            const std::optional<CuttingCondition> c = m_source.CurrentCondition();
            return c ? m_commands.SendCuttingCondition(*c, false, false) : msg::kOk;
        })) {
        return;
    }
    if (!Resend(CUnsentChanges::kMediaOrientation, pending, [&] {
            return m_commands.SendMediaOrientation(m_source.MediaOrientation(), false, false);
        })) {
        return;
    }
    Resend(CUnsentChanges::kAdvancedSettings, pending, [&] {
        return m_advanced.WriteAdvancedSettings(m_source.StoredAdvancedSettings(), false, false);
    });
}
