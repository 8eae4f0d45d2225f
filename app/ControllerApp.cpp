#include "app/ControllerApp.h"

#include "app/HelpContext.h"
#include "app/StandInWindow.h"
#include "app/SystemCode.h"
#include "app/messages/CMessageService.h"
#include "platform/HelpPages.h"
#include "platform/LocaleFacts.h"
#include "platform/OwnerWindow.h"
#include "platform/SingleInstanceGuard.h"
#include "platform/SystemVersion.h"
#include "platform/WindowFront.h"

#include <QCoreApplication>
#include <QWindow>

namespace {

constexpr int kDemoModeString = 2001;

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
      m_plotterPort(m_commandLine, m_plotterModel), m_jogKeyState(m_plotterPort) {}

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
    m_guard->SetRaiseHandler([this] { return BringMainWindowForward(); });

    // Where the remembered settings live.
    QCoreApplication::setOrganizationName("Morvalin");
    QCoreApplication::setApplicationName("Vireclip");

    m_nSystemCode = systemcode::Classify(platform::CurrentVersionFacts());
    m_strProgramFolder = ProgramFolderOfProcess().toStdString();
    m_strHelpFolder = ProgramFolderOfProcess() + "help";
    m_settings.m_cDecimalSeparator = platform::SystemDecimalSeparator();

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
    // STAND-IN: CControllerDlg replaces this block; until then only the title area text is
    // shown.
    const CStringTable& strings = CMessageService::Instance().Strings();
    QString titleText;
    if (m_commandLine.m_bDemo) {
        CPlotterModel model;
        titleText = model.Identify(m_commandLine.m_strDemoModel, true)
                        ? QString::fromStdString(model.DisplayName())
                        : QString::fromStdString(m_commandLine.m_strDemoModel);
        titleText += QString::fromStdString(strings.LoadString(kDemoModeString));
    } else {
        titleText = QString::fromStdString(m_commandLine.m_strModel);
    }
    CStandInWindow window(QString::fromStdString(CMessageService::Instance().Title()), titleText);

    if (owner) {
        window.winId();
        window.windowHandle()->setTransientParent(owner);
    }
    m_mainWindow = &window;
    const int result = window.exec();
    m_mainWindow = nullptr;
    return result;
}

bool CControllerApp::BringMainWindowForward() {
    return platform::BringToFront(m_mainWindow);
}
