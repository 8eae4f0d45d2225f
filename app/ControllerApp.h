#pragma once

#include "conditions/MediaList.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/ExitCode.h"
#include "core/LanguageSet.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "protocol/JogKeyState.h"
#include "retry/RetryTimer.h"
#include "retry/UnsentChanges.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class CAdvancedSettingsLink;
class CPlotterCommands;
class CPlotterQueries;
class CRetryTick;
class CRetryValues;
class CSingleInstanceGuard;
class QWidget;
class QWindow;

// The application: owns the objects that live for the whole run, starts up, runs the main
// window modally and turns its result into the process exit code.
class CControllerApp {
public:
    // arguments: the process arguments as the system passed them, the program first.
    explicit CControllerApp(std::vector<std::string> arguments);
    ~CControllerApp();
    CControllerApp(const CControllerApp&) = delete;
    CControllerApp& operator=(const CControllerApp&) = delete;

    // Runs the whole start-up and the main window; false always: the run is over.
    bool InitInstance();
    // The process exit code.
    int ExitInstance();

    void ParseCommandLine(CControllerCommandLine& commandLine) const;

    // Opens the help page of a topic (helpcontext); without the page nothing happens. Returns
    // whether a page was opened.
    bool ShowHelp(QWidget* window, int topic) const;

    const CLanguageSet& LanguageSet() const { return m_languageSet; }
    CControllerCommandLine& CommandLine() { return m_commandLine; }
    CPlotterModel& PlotterModel() { return m_plotterModel; }
    CControllerSettings& Settings() { return m_settings; }
    CMediaList& MediaList() { return m_mediaList; }
    CPlotterPort& PlotterPort() { return m_plotterPort; }
    CJogKeyState& JogKeyState() { return m_jogKeyState; }
    CUnsentChanges& UnsentChanges() { return m_unsentChanges; }
    int SystemCode() const { return m_nSystemCode; }
    // Ends in '/'.
    const std::string& ProgramFolder() const { return m_strProgramFolder; }

private:
    int RunMainWindow(QWindow* owner);
    bool BringMainWindowForward();

    std::vector<std::string> m_arguments;

    // Constructed in this order, destroyed in reverse.
    CLanguageSet m_languageSet;
    CControllerCommandLine m_commandLine;
    CPlotterModel m_plotterModel;
    CControllerSettings m_settings;
    CMediaList m_mediaList;
    CPlotterPort m_plotterPort;
    CJogKeyState m_jogKeyState;
    CRetryTimer m_retryTimer;
    CUnsentChanges m_unsentChanges;
    QString m_strHelpFolder;
    int m_nSystemCode = 0;
    std::string m_strProgramFolder;
    int m_nExitCode = exitcode::kInitial;

    // The plotter operations and the retry tick exist while the main window runs: the queries
    // take the demonstration model, which is known only once the launch parameters are parsed.
    std::unique_ptr<CPlotterQueries> m_pQueries;
    std::unique_ptr<CPlotterCommands> m_pCommands;
    std::unique_ptr<CAdvancedSettingsLink> m_pAdvancedLink;
    std::unique_ptr<CRetryValues> m_pRetryValues;
    std::unique_ptr<CRetryTick> m_pRetryTick;

    // Held for the whole run once acquired.
    std::unique_ptr<CSingleInstanceGuard> m_guard;
    QPointer<QWidget> m_mainWindow;
};
