#include "app/ControllerApp.h"

#include "core/HelpViewer.h"
#include "core/SystemCode.h"
#include "core/messages/CMessageService.h"
#include "platform/HelpPages.h"
#include "platform/OwnerWindow.h"
#include "platform/SingleInstanceGuard.h"
#include "platform/SystemVersion.h"
#include "platform/WindowFront.h"
#include "platform/profile/AtomicFile.h"
#include "ui/main/ControllerDlg.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QWindow>

#include <cstdio>

namespace {

// How long a second instance waits for the first to answer its raise request.
constexpr int kRaiseAnswerTimeoutMs = 3000;

// The folder of the program file itself: Qt reads /proc/self/exe, which names the real file,
// so a start through a symbolic link (the installed bin/quirn) still finds the program folder.
QString ProgramFolderOfProcess() {
    return QCoreApplication::applicationDirPath() + '/';
}

// $XDG_DATA_HOME, or ~/.local/share.
std::string UserDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
}

const char* SecondInstanceText(CSingleInstanceGuard::RaiseAnswer answer) {
    switch (answer) {
    case CSingleInstanceGuard::RaiseAnswer::Raised:
        return "another controller is already running; its window was brought to the front";
    case CSingleInstanceGuard::RaiseAnswer::NoWindow:
        return "another controller is already running; it is still opening its window";
    case CSingleInstanceGuard::RaiseAnswer::NoAnswer:
        break;
    }
    return "another controller is already running; it did not answer";
}

} // namespace

CControllerApp::CControllerApp(std::vector<std::string> arguments)
    : m_arguments(std::move(arguments)),
      m_objects(CLanguageSet(), CControllerSettings(), ProgramFolderOfProcess().toStdString(),
                UserDataFolder()) {}

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
    const std::string resource = m_objects.language.GetResourceDll();
    if (!resource.empty()) {
        CMessageService::Instance().LoadLanguage(ProgramFolderOfProcess().toStdString(), resource);
    }

    ParseCommandLine(m_objects.commandLine);

    // One controller at a time; a later one hands over to the first and ends.
    m_guard = std::make_unique<CSingleInstanceGuard>(CSingleInstanceGuard::ProgramName(),
                                                     CSingleInstanceGuard::RuntimeFolder());
    if (!m_guard->Acquire()) {
        m_nExitCode = exitcode::kAlreadyRunning;
        // The exit status alone leaves a user at a terminal wondering why nothing appeared.
        std::fprintf(stderr, "quirn: %s\n",
                     SecondInstanceText(m_guard->AskToRaise(kRaiseAnswerTimeoutMs)));
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
    m_help = std::make_unique<CHelpViewer>(ProgramFolderOfProcess(), m_objects.language,
                                           platform::OpenInDesktopBrowser);

    // The program that started us comes forward and owns our window.
    std::unique_ptr<QWindow> owner;
    if (m_objects.commandLine.m_bOwner) {
        owner.reset(platform::ForeignWindow(m_objects.commandLine.m_hOwner));
        if (owner) {
            owner->requestActivate();
        }
    }

    const int result = RunMainWindow(owner.get());
    m_nExitCode = exitcode::ForResult(result, m_objects.commandLine.m_bCutMode != 0);
    TellCutPlotter();
    return false;
}

void CControllerApp::TellCutPlotter() const {
    const CControllerCommandLine& commandLine = m_objects.commandLine;
    if (m_nExitCode != exitcode::kCutAccepted || commandLine.m_bCutPlotter == 0 ||
        commandLine.m_strCutPlotterFile.empty()) {
        return;
    }
    // Whole or not at all: the driver reads it as soon as the controller has ended.
    const std::string family = CPlotterModel::FamilyName(m_objects.model.FamilyIndex());
    if (!WriteFileAtomically(commandLine.m_strCutPlotterFile, family + "\n")) {
        std::fprintf(stderr, "quirn: cannot write %s\n", commandLine.m_strCutPlotterFile.c_str());
    }
}

int CControllerApp::ExitInstance() {
    return m_nExitCode;
}

void CControllerApp::ShowHelp(QWidget* /*window*/, int topic) const {
    // The viewer has shown whatever went wrong; the window goes on either way.
    static_cast<void>(m_help->Show(topic, m_objects.model.FamilyIndex()));
}

int CControllerApp::RunMainWindow(QWindow* owner) {
    m_objects.BuildOperations();
    int result = 0;
    {
        CControllerDlg window(
            m_objects.Links(m_nSystemCode, m_strProgramFolder,
                            [this](QWidget* parent, int topic) { ShowHelp(parent, topic); }));
        if (owner) {
            window.winId();
            window.windowHandle()->setTransientParent(owner);
        }
        m_mainWindow = &window;
        result = window.exec();
        m_mainWindow = nullptr;
    } // the window stops the retry timer as it goes
    m_objects.ReleaseOperations();
    return result;
}

bool CControllerApp::BringMainWindowForward() {
    return platform::BringToFront(m_mainWindow);
}
