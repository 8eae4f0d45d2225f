#include "retry/ChangeSender.h"

#include "core/messages/MessageCodes.h"
#include "retry/RetryValues.h"
#include "retry/UnsentChanges.h"

int CChangeSender::Send(unsigned unsentBit, const std::function<int()>& send,
                        const std::function<void()>& apply) {
    const int sent = send();
    if (sent != msg::kOk && !msg::IsBusyCode(sent)) {
        return sent;
    }
    apply();
    if (sent == msg::kOk) {
        Publish();
    } else {
        MarkUnsent(unsentBit);
    }
    return msg::kOk;
}

void CChangeSender::Publish() {
    m_retryValues.Publish(m_settings, m_bSkipQueueCheck, m_storedAdvanced);
}

void CChangeSender::MarkUnsent(unsigned unsentBit) {
    Publish();
    m_unsent.Set(unsentBit);
}

bool CChangeSender::HasUnsent() const {
    return m_unsent.Any();
}

bool CChangeSender::IsUnsent(unsigned unsentBit) const {
    return (m_unsent.Bits() & unsentBit) != 0;
}
