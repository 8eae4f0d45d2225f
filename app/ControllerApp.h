#pragma once

#include "app/ControllerObjects.h"
#include "conditions/MediaList.h"
#include "core/ExitCode.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class CHelpViewer;
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

    // Opens the help page of a topic (helpcontext) in the user's language or in English, or
    // tells the user why it cannot.
    void ShowHelp(QWidget* window, int topic) const;

    int SystemCode() const { return m_nSystemCode; }
    // Ends in '/'.
    const std::string& ProgramFolder() const { return m_strProgramFolder; }

private:
    // With CUTPLOTTER, a run that ends with "Cut" names its plotter's family in that file.
    void TellCutPlotter() const;
    int RunMainWindow(QWindow* owner);
    bool BringMainWindowForward();

    std::vector<std::string> m_arguments;

    CControllerObjects m_objects;
    std::unique_ptr<CHelpViewer> m_help;
    int m_nSystemCode = 0;
    std::string m_strProgramFolder;
    int m_nExitCode = exitcode::kInitial;

    // Held for the whole run once acquired.
    std::unique_ptr<CSingleInstanceGuard> m_guard;
    QPointer<QWidget> m_mainWindow;
};
