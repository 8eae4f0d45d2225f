// How long the controller takes to get its main window ready on a plotter: from process start
// to the opened window (the whole start-up, the port, identification, panel settings, media
// lists, pictures), and the window's opening alone inside a running process. Run it under
// plottersim, which shows the simulated plotter to this process and to the controllers it
// starts:
//   build/plottersim --model WX8800-60 -- build/bench/bench_startup
#include "app/ControllerObjects.h"
#include "core/messages/CMessageService.h"
#include "ui/main/ControllerDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <clocale>
#include <string>

namespace {

constexpr int kSupportedSystem = 12;
constexpr int kStartBudgetMs = 60000;

// Messages would wait for a click: the failure code is reported by the benchmark instead.
class CSilentSink : public CMessageSink {
public:
    bool Show(const MessageBoxRequest&) override { return false; }
};

// A private settings folder for the measured controllers, so that no user's settings change.
QTemporaryDir& SettingsFolder() {
    static QTemporaryDir folder;
    return folder;
}

// From starting the program to its ready line: the controller prints it once its main window
// is open (QUIRN_EXIT_WHEN_READY) and then ends.
void BM_ProcessStartToWindowReady(benchmark::State& state) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(CControllerDlg::kReadyEnvironment, "1");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", SettingsFolder().path());
    for (auto _ : state) {
        QProcess quirn;
        quirn.setProcessEnvironment(environment);
        quirn.setProcessChannelMode(QProcess::MergedChannels); // the line comes on stderr
        QElapsedTimer clock;
        clock.start();
        quirn.start(QUIRN_PROGRAM, {});
        bool ready = false;
        while (!ready && quirn.waitForReadyRead(kStartBudgetMs)) {
            while (quirn.canReadLine()) {
                ready = ready || quirn.readLine().trimmed() == CControllerDlg::kReadyLine;
            }
        }
        const double seconds = static_cast<double>(clock.nsecsElapsed()) * 1e-9;
        if (!quirn.waitForFinished(kStartBudgetMs)) {
            quirn.kill();
            quirn.waitForFinished();
        }
        if (!ready) {
            state.SkipWithError(("the controller reported no ready window (exit code " +
                                 std::to_string(quirn.exitCode()) +
                                 "); run the benchmark under plottersim")
                                    .c_str());
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_ProcessStartToWindowReady)->UseManualTime()->Unit(benchmark::kMillisecond);

// The window's opening inside a running process: port, identification, command set, panel
// settings, settings, media lists, the condition, pictures and controls.
void BM_OpenMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        CControllerObjects controller(CLanguageSet(1033), CControllerSettings(true),
                                      QUIRN_RUNTIME_DIR "/", {});
        controller.port.SetLibraryCandidates({ZEFRALINK});
        controller.BuildOperations();
        CControllerDlg window(controller.Links(kSupportedSystem, QUIRN_RUNTIME_DIR "/", nullptr));
        QElapsedTimer clock;
        clock.start();
        const int opened = window.OnInitDialog();
        const double seconds = static_cast<double>(clock.nsecsElapsed()) * 1e-9;
        if (opened != 0) {
            state.SkipWithError(("the window did not open (code " + std::to_string(opened) +
                                 "); run the benchmark under plottersim")
                                    .c_str());
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_OpenMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setlocale(LC_NUMERIC, "C");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, SettingsFolder().path());
    CSilentSink silent;
    CMessageService::Instance().SetSink(&silent);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
