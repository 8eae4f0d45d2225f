// One real controller process, usually under the plotter simulator, with a private runtime
// folder, home, data folder and settings file, so that a test prepares the remembered settings
// before the start and reads the simulated plotter's log afterwards.
#pragma once

#include "VncClient.h"

#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <functional>
#include <string>
#include <vector>

extern const QString kQuirn;

// Wire texts: a device-control query and a setting command.
std::string Query(const std::string& body);
std::string Command(const std::string& text);

// A copy of the built program folder in `parent`, for runs that change or lack its files;
// the path of its controller, or empty when the copy failed.
QString CopyProgramFolder(const QString& parent, bool withMediaLists);

class CControllerRun {
public:
    // How the process is started; set what differs from a plain start under the simulator.
    struct Launch {
        QStringList simOptions; // faults and models; ignored without the simulator
        QStringList arguments;  // the controller's launch parameters
        bool underSimulator = true;
        bool exitWhenReady = false;
        QString program = kQuirn;
        QString locale = QStringLiteral("C"); // LC_ALL of the controller

        Launch& Sim(const QStringList& options) {
            simOptions = options;
            return *this;
        }
        Launch& Args(const QStringList& launchParameters) {
            arguments = launchParameters;
            return *this;
        }
        Launch& WithoutSimulator() {
            underSimulator = false;
            return *this;
        }
        Launch& ExitWhenReady() {
            exitWhenReady = true;
            return *this;
        }
        Launch& Program(const QString& path) {
            program = path;
            return *this;
        }
        Launch& Locale(const QString& name) {
            locale = name;
            return *this;
        }
    };
    // A loaded machine starts Qt, umockdev and the opening slowly; waiting long costs nothing
    // when it is fast.
    static constexpr int kScreenTimeoutMs = 60000;

    CControllerRun();
    ~CControllerRun();
    CControllerRun(const CControllerRun&) = delete;
    CControllerRun& operator=(const CControllerRun&) = delete;

    bool IsValid() const { return m_dir.isValid(); }
    QString Folder() const { return m_dir.path(); }

    // A value of group "Status" in the settings file the controller will read.
    void Remember(const QString& key, const QVariant& value);
    // What the controller left in its settings file; invalid when the key is absent.
    QVariant Remembered(const QString& key) const;
    bool SettingsFileExists() const;

    // Offscreen: nothing can be answered, so only runs that ask nothing belong here.
    bool StartOffscreen(const Launch& launch);
    // On a VNC screen whose keyboard, pointer and picture the returned client holds. A run
    // that has ended may start again, with the settings file its predecessor left.
    bool StartOnScreen(const Launch& launch, CVncClient& client);

    bool IsRunning() const { return m_process.state() != QProcess::NotRunning; }
    // The exit code, or -1 when the process did not end normally within the time.
    int ExitCode(int timeoutMs = 60000);
    // Every byte the simulated plotter received, complete once the process has ended; with
    // several plotters, those of the one numbered `plotter` from 0 in the order of "--model".
    std::string Wire(int plotter = 0) const;
    // Waits until the plotter has received `bytes`; false when they never come.
    bool WaitForWire(const std::string& bytes, int timeoutMs);
    // Waits until what the plotter has received satisfies `done`.
    bool WaitForWire(const std::function<bool(const std::string&)>& done, int timeoutMs);
    QString ErrorOutput() const { return QString::fromLocal8Bit(m_errors); }
    // Sends `signal` to the simulator: SIGUSR1 pulls every plotter out, SIGUSR2 plugs them back
    // in. False when the run has no simulator or has ended.
    bool SignalSimulator(int signal);
    // The process started: the simulator, or the program itself without one.
    qint64 ProcessId() const { return m_process.processId(); }

private:
    bool Start(const Launch& launch, const QString& platform);

    QTemporaryDir m_dir;
    QProcess m_process;
    QByteArray m_errors;
    bool m_bUnderSimulator = false;
};

// What the screen shows, as a user would tell it apart.
namespace screen {
// The main window's blue title area.
bool ShowsMainWindow(const QImage& image);
// A message box, over the main window or on its own.
bool ShowsMessageBox(const QImage& image);
// The main window with no message box over it.
bool ShowsMainWindowAlone(const QImage& image);
// Any window at all.
bool ShowsAnything(const QImage& image);
// The main window's top left corner on the screen (its title area's first pixel).
QPoint MainWindowOrigin(const QImage& image);
// How many pixels have this colour.
int Pixels(const QImage& image, QRgb colour);
// Where the main window shows its control `id`, on the screen; an empty rectangle when the
// main window is not shown.
QRect MainWindowControl(const QImage& image, int id);
// Every skinned text push button shown (the controls and windows share one face), in reading
// order: top to bottom, then left to right.
std::vector<QRect> TextButtons(const QImage& image);
} // namespace screen

// Clicks `at` and waits for the window that opens over what the screen showed before; its
// text buttons in reading order, once there are `count` of them, or none when they never come.
// Windows have no frames on this screen and share the main window's background, so their
// buttons are what tells them apart.
std::vector<QRect> ClickForWindow(CVncClient& client, QPoint at, std::size_t count);
// Waits until the screen shows no text button that `before` did not.
bool WaitForWindowGone(CVncClient& client, const QImage& before);

// With QUIRN_SCREENSHOTS set to a folder, keeps the part `window` of the screen there as
// `name`.png; without it, nothing happens.
void KeepScreenshot(const QImage& shown, const QRect& window, const char* name);
