#pragma once

#include "core/messages/CMessageSink.h"

// Shows message boxes on screen, modal for the active window. Runs on the GUI thread only.
class CMessageBoxSink : public CMessageSink {
public:
    bool Show(const MessageBoxRequest& request) override;
};
