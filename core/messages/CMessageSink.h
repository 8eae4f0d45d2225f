#pragma once

#include <string>

enum class MessageIcon { Error, Warning, Question };

enum class MessageButtons { Ok, OkCancel };

// One message box as the program asks for it. Texts are UTF-8.
struct MessageBoxRequest {
    MessageIcon icon;
    MessageButtons buttons;
    std::string caption;
    std::string text;
};

// Where message boxes end up: on screen in the program, in a recorder in tests.
class CMessageSink {
public:
    virtual ~CMessageSink() = default;

    // Shows the box and returns when it is closed; true when it was closed with OK.
    virtual bool Show(const MessageBoxRequest& request) = 0;
};
