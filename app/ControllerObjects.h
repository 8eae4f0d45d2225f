#pragma once

#include "conditions/MediaList.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/LanguageSet.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "protocol/JogKeyState.h"
#include "retry/RetryTimer.h"
#include "retry/UnsentChanges.h"
#include "ui/main/ControllerLinks.h"

#include <functional>
#include <memory>
#include <string>

class CAdvancedSettingsLink;
class CPlotterCommands;
class CPlotterQueries;
class CRetryTick;
class CRetryValues;

// The application's object graph: the long-lived objects, constructed in this order and
// destroyed in reverse, and the plotter operations the main window works with. The
// application and the window tests build it the same way, here.
class CControllerObjects {
public:
    // programFolder ends in '/'; the media lists are read from the language's folder in it
    // while that is writable, else from the same folder below userDataFolder (the XDG data
    // folder; empty: none, the lists stay in the program folder).
    CControllerObjects(const CLanguageSet& language, const CControllerSettings& settings,
                       const std::string& programFolder, const std::string& userDataFolder);
    ~CControllerObjects();
    CControllerObjects(const CControllerObjects&) = delete;
    CControllerObjects& operator=(const CControllerObjects&) = delete;

    CLanguageSet language;
    CControllerCommandLine commandLine;
    CPlotterModel model;
    CControllerSettings settings;
    CMediaList mediaList;
    CPlotterPort port;
    CJogKeyState jog;
    CRetryTimer retryTimer;
    CUnsentChanges unsent;

    // The port's options, the queries, commands and the retry tick, made once the launch
    // parameters are parsed (the queries take the demonstration model) and released after the
    // main window is gone.
    void BuildOperations();
    void ReleaseOperations();

    // What the main window works with; BuildOperations first.
    ControllerLinks Links(int systemCode, std::string skinFolder,
                          std::function<void(QWidget*, int)> showHelp);

private:
    std::unique_ptr<CPlotterQueries> m_pQueries;
    std::unique_ptr<CPlotterCommands> m_pCommands;
    std::unique_ptr<CAdvancedSettingsLink> m_pAdvancedLink;
    std::unique_ptr<CRetryValues> m_pRetryValues;
    std::unique_ptr<CRetryTick> m_pRetryTick;
};
