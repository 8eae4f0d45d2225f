#pragma once

#include "conditions/MediaList.h"
#include "core/LanguageSet.h"
#include "protocol/AdvancedSettings.h"
#include "protocol/JogKeyState.h"
#include "protocol/PlotterCommands.h"
#include "retry/ChangeSender.h"
#include "retry/RetryValues.h"
#include "retry/UnsentChanges.h"
#include "tests/conditions/TempFolder.h"
#include "tests/core/messages/CRecordingMessageSink.h"
#include "tests/protocol/SimPlotterLink.h"
#include "ui/dialogs/conditions/ConditionLinks.h"

#include <QTest>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the condition windows work with, as the application owns it: the store in a private
// media list folder, the settings with the controller's conditions in use, and the commands on
// a port wired to an in-process simulated plotter. LM is given unless told otherwise, so the
// print queues are not asked.
class ConditionRig {
public:
    explicit ConditionRig(std::string_view modelType = "WX8800-60", std::uint16_t langId = 1033,
                          bool skipQueueCheck = true);

    // Writes the lists in this order and loads the store; `current` becomes the current
    // condition.
    void Load(const std::vector<CuttingCondition>& lists, const std::string& current);

    ConditionDialogLinks Links();
    std::filesystem::path File(const std::string& name) const;
    std::vector<std::string> Files() const { return FolderEntries(store.Folder()); }

    // Bytes the plotter received since the last call.
    std::string TakeWire();
    // Codes of the message boxes shown so far, in order.
    std::vector<int> ShownCodes();
    void Answer(bool ok) { recording.Sink().AnswerNext(ok); }

    CScopedRecordingSink recording;
    SimPlotterLink link;
    CControllerSettings& settings = link.settings;
    CLanguageSet language;
    CTempFolder folder;
    CMediaList store;
    CPlotterCommands commands{link.port, link.model};
    CUnsentChanges unsent;
    CRetryValues retryValues{store};
    AdvancedSettings advanced;
    CChangeSender sender;
    CJogKeyState jog{link.port};
    std::string programFolder = QUIRN_RUNTIME_DIR "/";

    // What the windows asked for: help topics, and the wire as the progress window opened.
    std::vector<int> helpTopics;
    std::vector<std::string> wireAtProgress;

private:
    std::size_t m_nWireSeen = 0;
};

// Clicks a window's control by its id, as the mouse does.
template <typename Window> void Click(Window& window, int id) {
    QTest::mouseClick(window.Control(id), Qt::LeftButton);
}

// The condition's commands as they travel: TC4 (tool code), TC3, TC1, TC2, TC5, each with ETX.
std::string ConditionBytes(int tool, int force, int speed, int quality, int offset);
