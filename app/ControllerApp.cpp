#include "app/ControllerApp.h"

#include "core/HelpContext.h"
#include "core/SystemCode.h"
#include "core/messages/CMessageService.h"
#include "platform/HelpPages.h"
#include "platform/OwnerWindow.h"
#include "platform/SingleInstanceGuard.h"
#include "platform/SystemVersion.h"
#include "platform/WindowFront.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "protocol/PlotterQueries.h"
#include "retry/RetryTick.h"
#include "retry/RetryValues.h"
#include "ui/dialogs/CommandWaitDlg.h"
#include "ui/main/ControllerDlg.h"
#include "ui/main/ControllerLinks.h"

#include <QCoreApplication>
#include <QWindow>

#include <cstdio>

namespace {

// How long a second instance waits for the first to answer its raise request.
constexpr int kRaiseAnswerTimeoutMs = 3000;

QString ProgramFolderOfProcess() {
    return QCoreApplication::applicationDirPath() + '/';
}

} // namespace

CControllerApp::CControllerApp(std::vector<std::string> arguments)
    : m_arguments(std::move(arguments)),
      m_mediaList(m_plotterModel,
                  ProgramFolderOfProcess().toStdString() + m_languageSet.GetMediaListFolder()),
      m_plotterPort(m_commandLine, m_plotterModel), m_jogKeyState(m_plotterPort),
      // The tick exists only while the main window runs; the timer is started after it is made
      // and stopped before it goes.
      m_retryTimer(m_plotterPort, [this] { m_pRetryTick->OnTick(); }) {}

CControllerApp::~CControllerApp() = default;

void CControllerApp::ParseCommandLine(CControllerCommandLine& commandLine) const {
    std::vector<const char*> argv;
    argv.reserve(m_arguments.size());
    for (const std::string& argument : m_arguments) {
        argv.push_back(argument.c_str());
    }
    commandLine.ParseArguments(static_cast<int>(argv.size()), argv.data());
}

bool CControllerApp::InitInstance() {
    // Language texts, and the message box caption from them.
    const std::string resource = m_languageSet.GetResourceDll();
    if (!resource.empty()) {
        CMessageService::Instance().LoadLanguage(ProgramFolderOfProcess().toStdString(), resource);
    }

    ParseCommandLine(m_commandLine);

    // One controller at a time; a later one hands over to the first and ends.
    m_guard = std::make_unique<CSingleInstanceGuard>(CSingleInstanceGuard::ProgramName(),
                                                     CSingleInstanceGuard::RuntimeFolder());
    if (!m_guard->Acquire()) {
        m_nExitCode = exitcode::kAlreadyRunning;
        m_guard->AskToRaise(kRaiseAnswerTimeoutMs);
        return false;
    }
    // A lock that cannot be made says nothing about another controller: run without it.
    if (const QString problem = m_guard->Problem(); !problem.isEmpty()) {
        std::fprintf(stderr, "quirn: running without the single-instance check: %s\n",
                     qPrintable(problem));
    }
    m_guard->SetRaiseHandler([this] { return BringMainWindowForward(); });

    // Where the remembered settings live.
    QCoreApplication::setOrganizationName("Morvalin");
    QCoreApplication::setApplicationName("Vireclip");

    m_nSystemCode = systemcode::Classify(platform::CurrentVersionFacts());
    m_strProgramFolder = ProgramFolderOfProcess().toStdString();
    m_strHelpFolder = ProgramFolderOfProcess() + "help";

    // The program that started us comes forward and owns our window.
    std::unique_ptr<QWindow> owner;
    if (m_commandLine.m_bOwner) {
        owner.reset(platform::ForeignWindow(m_commandLine.m_hOwner));
        if (owner) {
            owner->requestActivate();
        }
    }

    const int result = RunMainWindow(owner.get());
    m_nExitCode = exitcode::ForResult(result, m_commandLine.m_bCutMode != 0);
    return false;
}

int CControllerApp::ExitInstance() {
    return m_nExitCode;
}

bool CControllerApp::ShowHelp(QWidget* /*window*/, int topic) const {
    return platform::OpenHelpPage(m_strHelpFolder,
                                  helpcontext::ForTopic(topic, m_plotterModel.FamilyIndex()));
}

int CControllerApp::RunMainWindow(QWindow* owner) {
    m_pQueries = std::make_unique<CPlotterQueries>(m_plotterPort, m_plotterModel, m_settings,
                                                   m_commandLine.m_strDemoModel);
    m_pCommands = std::make_unique<CPlotterCommands>(m_plotterPort, m_plotterModel);
    m_pCommands->SetCommandSetWait(&CCommandWaitDlg::Wait);
    m_pAdvancedLink = std::make_unique<CAdvancedSettingsLink>(m_plotterPort, m_plotterModel);
    m_pRetryValues = std::make_unique<CRetryValues>(m_mediaList);
    m_pRetryTick = std::make_unique<CRetryTick>(m_plotterPort, *m_pCommands, *m_pAdvancedLink,
                                                m_unsentChanges, *m_pRetryValues);
    int result = 0;
    {
        CControllerDlg window(ControllerLinks{
            m_languageSet, m_commandLine, m_plotterModel, m_settings, m_mediaList, m_plotterPort,
            *m_pQueries, *m_pCommands, m_jogKeyState, m_retryTimer, m_unsentChanges,
            *m_pRetryValues, m_settings.m_advanced, m_nSystemCode, m_strProgramFolder,
            [this](QWidget* parent, int topic) { ShowHelp(parent, topic); }});
        if (owner) {
            window.winId();
            window.windowHandle()->setTransientParent(owner);
        }
        m_mainWindow = &window;
        result = window.exec();
        m_mainWindow = nullptr;
    } // the window stops the retry timer as it goes
    m_pRetryTick.reset();
    m_pRetryValues.reset();
    m_pAdvancedLink.reset();
    m_pCommands.reset();
    m_pQueries.reset();
    return result;
}

bool CControllerApp::BringMainWindowForward() {
    return platform::BringToFront(m_mainWindow);
}
