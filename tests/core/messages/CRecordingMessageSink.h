#pragma once

#include "core/messages/CMessageService.h"

#include <deque>
#include <string>
#include <vector>

// Records every message box instead of showing it and answers OK/Cancel boxes from a script.
// An OK/Cancel box with no scripted answer left is answered with Cancel (and recorded).
class CRecordingMessageSink : public CMessageSink {
public:
    bool Show(const MessageBoxRequest& request) override;

    // Queues the answer to the next OK/Cancel box: true for OK.
    void AnswerNext(bool ok) { m_answers.push_back(ok); }

    std::vector<MessageBoxRequest> m_vecShown;

private:
    std::deque<bool> m_answers;
};

// Routes the program's service to a recording sink for one scope.
class CScopedRecordingSink {
public:
    CScopedRecordingSink() : m_pPrevious(CMessageService::Instance().SetSink(&m_sink)) {}
    ~CScopedRecordingSink() { CMessageService::Instance().SetSink(m_pPrevious); }
    CScopedRecordingSink(const CScopedRecordingSink&) = delete;
    CScopedRecordingSink& operator=(const CScopedRecordingSink&) = delete;

    CRecordingMessageSink& Sink() { return m_sink; }

private:
    CRecordingMessageSink m_sink;
    CMessageSink* m_pPrevious;
};
