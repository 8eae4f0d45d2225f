#pragma once

#include <functional>
#include <string>

class CLanguageSet;
class CControllerCommandLine;
class CPlotterModel;
class CControllerSettings;
class CMediaList;
class CPlotterPort;
class CPlotterQueries;
class CPlotterCommands;
class CAdvancedSettingsLink;
class CJogKeyState;
class CRetryTimer;
class CRetryTick;
class CUnsentChanges;
class CRetryValues;
struct AdvancedSettings;
class QWidget;

// The application's long-lived objects the main window works with. The window owns none of
// them; they outlive it.
struct ControllerLinks {
    const CLanguageSet& language;
    CControllerCommandLine& commandLine;
    CPlotterModel& model;
    CControllerSettings& settings;
    CMediaList& mediaList;
    CPlotterPort& port;
    CPlotterQueries& queries;
    CPlotterCommands& commands;
    CAdvancedSettingsLink& advancedLink;
    CJogKeyState& jog;
    CRetryTimer& retryTimer;
    CRetryTick& retryTick; // one attempt to send the unsent changes, as the timer makes it
    CUnsentChanges& unsent;
    CRetryValues& retryValues;              // what the retry timer's thread may read
    const AdvancedSettings& storedAdvanced; // the application's copy of the advanced settings
    int systemCode;                         // class of the running system
    std::string programFolder;              // ends in '/'
    std::function<void(QWidget* window, int topic)> showHelp;
};
