#pragma once

#include <functional>
#include <string>

class CLanguageSet;
class CPlotterModel;
class CControllerSettings;
class CMediaList;
class CPlotterCommands;
class CChangeSender;
class CJogKeyState;
class QWidget;

// The application's objects the condition list and edit windows work with. The windows own
// none of them; they outlive the windows.
struct ConditionDialogLinks {
    const CLanguageSet& language;
    const CPlotterModel& model;
    CControllerSettings& settings; // the current condition and which conditions are in use
    CMediaList& mediaList;
    CPlotterCommands& commands;
    CChangeSender& sender;     // sends a condition now, or keeps it unsent on 1100/1101
    CJogKeyState& jog;         // the "Use Keyboard" toggle jogs the head
    std::string programFolder; // ends in '/'; skins and blade pictures lie below it
    std::function<void(QWidget* window, int topic)> showHelp;
    // Runs the test-cut progress window modally over `window` once a test cut has started.
    std::function<void(QWidget* window)> followTestCut;
};
