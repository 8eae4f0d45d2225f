#pragma once

#include "tests/core/messages/CRecordingMessageSink.h"

#include <string>
#include <vector>

// Codes of the message boxes recorded so far, read from their " [code = n]" suffix.
inline std::vector<int> ShownCodes(const CRecordingMessageSink& sink) {
    std::vector<int> codes;
    for (const MessageBoxRequest& shown : sink.m_vecShown) {
        const std::size_t suffix = shown.text.rfind(" [code = ");
        codes.push_back(suffix == std::string::npos ? 0 : std::stoi(shown.text.substr(suffix + 9)));
    }
    return codes;
}
