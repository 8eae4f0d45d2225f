#pragma once

#include "app/ControllerObjects.h"
#include "conditions/MediaList.h"
#include "sim/SimPlotter.h"
#include "tests/core/messages/CRecordingMessageSink.h"
#include "ui/main/ControllerDlg.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

inline const std::string kEscByte = "\x1b";
inline const std::string kEtxByte = "\x03";

// Everything the main window works with, as the application owns it. The port binds a stand-in
// USB library whose pipes are served by the in-process simulated plotter, so the window runs
// the real opening of the port and the real USB transport. The remembered settings start empty
// (a first run).
class WindowRig {
public:
    // langId: the Windows language id whose language set (metrics, media list and bitmap
    // folders) the window gets; its texts are those the message service holds.
    explicit WindowRig(std::string_view modelType = "WX8800-60", std::uint16_t langId = 1033);
    ~WindowRig();

    // Writes a media list file for the rig's model into the media list folder.
    void AddMediaList(const CuttingCondition& condition);
    // Remembers a setting as an earlier run would have.
    static void Remember(const char* key, const QVariant& value);

    // Builds the window and runs its opening; returns the opening's result. The retry timer
    // is stopped again right after, so the wire carries only what the test causes, unless
    // keepTicking is set.
    int Open(bool keepTicking = false);

    // Stops the retry timer (and waits for a running tick), so the wire can be read.
    void StopTicking();
    // Destroys the window as the application does when its run ends.
    void DestroyWindow() { m_pDlg.reset(); }

    // Bytes the plotter received since the last call (all of them on the first call).
    std::string TakeWire();

    // Codes of the message boxes shown so far, in order (read from their " [code = n]" suffix
    // or, for confirmations, from their text).
    std::vector<int> ShownCodes();

    CControllerDlg& Dlg() { return *m_pDlg; }
    QWidget* Control(int id) { return m_pDlg->Control(id); }

    CScopedRecordingSink recording;
    QTemporaryDir programFolder;
    std::string modelType;
    CSimPlotter sim;
    // The application's object graph, in millimetres.
    CControllerObjects objects;
    CLanguageSet& language = objects.language;
    CControllerCommandLine& commandLine = objects.commandLine;
    CPlotterModel& model = objects.model;
    CControllerSettings& settings = objects.settings;
    CMediaList& mediaList = objects.mediaList;
    CPlotterPort& port = objects.port;
    CJogKeyState& jog = objects.jog;
    CUnsentChanges& unsent = objects.unsent;
    bool useSimulator = true;
    // The USB models the stand-in library reports as connected; empty: the simulated one's.
    std::string presentModels;
    int systemCode = 12; // a supported system
    // Where the window takes its skin from; ends in '/'.
    std::string skinFolder = QUIRN_RUNTIME_DIR "/";

private:
    std::unique_ptr<CControllerDlg> m_pDlg;
    std::size_t m_nWireSeen = 0;

    // Serving the stand-in library's pipes.
    static int OnPipeOpen(int pipe);
    int ServePipe(int pipe);
    void Pump();
    std::mutex m_wireMutex; // the retry timer's thread opens pipes too
    std::vector<int> m_vecPendingWrites;
};
