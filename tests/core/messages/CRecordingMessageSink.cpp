#include "tests/core/messages/CRecordingMessageSink.h"

bool CRecordingMessageSink::Show(const MessageBoxRequest& request) {
    m_vecShown.push_back(request);
    if (request.buttons == MessageButtons::Ok) {
        return true;
    }
    if (m_answers.empty()) {
        return false;
    }
    const bool ok = m_answers.front();
    m_answers.pop_front();
    return ok;
}
