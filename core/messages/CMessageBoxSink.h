#pragma once

#include "core/messages/CMessageSink.h"

class CStringTable;

// Shows message boxes on screen, modal for the active window, with the OK and Cancel
// captions of the active language. Runs on the GUI thread only.
class CMessageBoxSink : public CMessageSink {
public:
    explicit CMessageBoxSink(const CStringTable& strings) : m_strings(strings) {}

    bool Show(const MessageBoxRequest& request) override;

private:
    const CStringTable& m_strings;
};
