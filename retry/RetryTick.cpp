#include "retry/RetryTick.h"

#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "retry/UnsentChanges.h"

#include <functional>

int CRetryTick::Resend(unsigned bit, unsigned pending, const std::function<int()>& send) {
    if ((pending & bit) == 0 || !m_unsent.BeginSend(bit)) {
        return msg::kOk;
    }
    if (const int sent = send(); sent != msg::kOk) {
        return sent;
    }
    m_unsent.SendArrived(bit);
    return msg::kOk;
}

void CRetryTick::OnTick() {
    // Nothing is shown: the next tick tries again.
    static_cast<void>(SendUnsent());
}

int CRetryTick::SendUnsent() {
    if (const int ready = m_port.CheckReady(!m_source.SkipQueueCheck(), true); ready != msg::kOk) {
        return ready;
    }
    const unsigned pending = m_unsent.Bits();
    if (pending == 0) {
        return msg::kOk;
    }
    // The sends skip both checks: this attempt has just made them.
    const bool controllerCondition = m_source.UseControllerCondition();
    const struct {
        unsigned bit;
        std::function<int()> send;
    } changes[] = {
        {CUnsentChanges::kPanelSettings,
         [&] {
             return controllerCondition ? msg::kOk : m_commands.UsePlotterSettings(false, false);
         }},
        {CUnsentChanges::kCuttingCondition,
         [&] {
             if (!controllerCondition) {
                 return msg::kOk;
             }
             // A condition the store no longer has cannot be sent: nothing of it is left to
             // bring over, and keeping the bit would hold back every later change for good.
             const std::optional<CuttingCondition> c = m_source.CurrentCondition();
             return c ? m_commands.SendCuttingCondition(*c, false, false) : msg::kOk;
         }},
        {CUnsentChanges::kMediaOrientation,
         [&] {
             return m_commands.SendMediaOrientation(m_source.MediaOrientation(), false, false);
         }},
        {CUnsentChanges::kAdvancedSettings,
         [&] {
             return m_advanced.WriteAdvancedSettings(m_source.StoredAdvancedSettings(), false,
                                                     false);
         }},
    };
    for (const auto& change : changes) {
        if (const int sent = Resend(change.bit, pending, change.send); sent != msg::kOk) {
            return sent;
        }
    }
    return msg::kOk;
}
