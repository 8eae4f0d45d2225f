#include "app/ControllerObjects.h"

#include "conditions/MediaListLocation.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "protocol/PlotterQueries.h"
#include "retry/RetryTick.h"
#include "retry/RetryValues.h"
#include "ui/dialogs/conditions/TestCutRestore.h"
#include "ui/dialogs/settings/CommandWaitDlg.h"

namespace {

// The one place that says where the media lists are.
CMediaListLocation MediaListLocation(const CLanguageSet& language, const std::string& programFolder,
                                     const std::string& userDataFolder) {
    const std::string languageFolder = language.GetMediaListFolder();
    return CMediaListLocation::Choose(
        programFolder + languageFolder,
        userDataFolder.empty() ? std::string() : userDataFolder + "/quirn/" + languageFolder);
}

} // namespace

CControllerObjects::CControllerObjects(const CLanguageSet& languageSet,
                                       const CControllerSettings& initialSettings,
                                       const std::string& programFolder,
                                       const std::string& userDataFolder)
    : language(languageSet), settings(initialSettings),
      mediaList(model, MediaListLocation(language, programFolder, userDataFolder)), port(model),
      jog(port),
      // The tick exists only while the main window runs; the window starts the timer after
      // the tick is made and stops it before the tick goes.
      retryTimer(port, [this] { m_pRetryTick->OnTick(); }) {}

CControllerObjects::~CControllerObjects() {
    retryTimer.Stop();
}

void CControllerObjects::BuildOperations() {
    port.SetOptions(
        PortOptions{commandLine.m_bDemo != 0, commandLine.m_bModel != 0, commandLine.m_strModel});
    m_pQueries =
        std::make_unique<CPlotterQueries>(port, model, settings, commandLine.m_strDemoModel);
    m_pCommands = std::make_unique<CPlotterCommands>(port, model);
    m_pCommands->SetCommandSetWait(&CCommandWaitDlg::Wait);
    ConnectTestCutRestore(*m_pCommands, mediaList, settings);
    m_pAdvancedLink = std::make_unique<CAdvancedSettingsLink>(port, model);
    m_pRetryValues = std::make_unique<CRetryValues>(mediaList);
    m_pRetryTick =
        std::make_unique<CRetryTick>(port, *m_pCommands, *m_pAdvancedLink, unsent, *m_pRetryValues);
}

void CControllerObjects::ReleaseOperations() {
    retryTimer.Stop();
    m_pRetryTick.reset();
    m_pRetryValues.reset();
    m_pAdvancedLink.reset();
    m_pCommands.reset();
    m_pQueries.reset();
}

ControllerLinks CControllerObjects::Links(int systemCode, std::string skinFolder,
                                          std::function<void(QWidget*, int)> showHelp) {
    return ControllerLinks{language,
                           commandLine,
                           model,
                           settings,
                           mediaList,
                           port,
                           *m_pQueries,
                           *m_pCommands,
                           *m_pAdvancedLink,
                           jog,
                           retryTimer,
                           *m_pRetryTick,
                           unsent,
                           *m_pRetryValues,
                           settings.m_advanced,
                           systemCode,
                           std::move(skinFolder),
                           std::move(showHelp)};
}
