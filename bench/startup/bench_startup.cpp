// How long the controller takes to get its main window ready on a plotter: from process start
// to the opened window (the whole start-up, the port, identification, panel settings, media
// lists, pictures) beside an empty dialog process of the same size, and the window's opening
// alone inside a running process. Run it under
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

#include <algorithm>
#include <clocale>
#include <string>
#include <vector>

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

// Starts a program and waits for its ready line: the controller prints it once its main window
// is open (QUIRN_EXIT_WHEN_READY) and then ends. Seconds from the start to the line, or a
// negative number when no line came, with the exit code in `exitCode`.
double StartToReady(const QString& program, const QStringList& arguments, int& exitCode) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(CControllerDlg::kReadyEnvironment, "1");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", SettingsFolder().path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels); // the line comes on stderr
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    bool ready = false;
    while (!ready && process.waitForReadyRead(kStartBudgetMs)) {
        while (process.canReadLine()) {
            ready = ready || process.readLine().trimmed() == CControllerDlg::kReadyLine;
        }
    }
    const double seconds = static_cast<double>(clock.nsecsElapsed()) * 1e-9;
    if (!process.waitForFinished(kStartBudgetMs)) {
        process.kill();
        process.waitForFinished();
    }
    exitCode = process.exitCode();
    return ready ? seconds : -1;
}

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// From starting the controller to its ready line, beside an empty dialog of the main window's
// size started and reported the same way (bare_dialog). The two alternate which goes first;
// the iteration time is the controller's, `ratio` the quotient of the two medians.
void BM_ProcessStartToWindowReady(benchmark::State& state) {
    std::vector<double> controller;
    std::vector<double> bare;
    for (auto _ : state) {
        const bool controllerFirst = controller.size() % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            int exitCode = 0;
            const bool isController = (turn == 0) == controllerFirst;
            const double seconds =
                isController ? StartToReady(QUIRN_PROGRAM, {}, exitCode)
                             : StartToReady(BARE_DIALOG, {CControllerDlg::kReadyLine}, exitCode);
            if (seconds < 0) {
                state.SkipWithError(
                    (std::string(isController ? "the controller" : "the bare dialog") +
                     " reported no ready window (exit code " + std::to_string(exitCode) +
                     "); run the benchmark under plottersim")
                        .c_str());
                return;
            }
            (isController ? controller : bare).push_back(seconds);
        }
        state.SetIterationTime(controller.back());
    }
    state.counters["quirn_ms"] = Median(controller) * 1e3;
    state.counters["bare_ms"] = Median(bare) * 1e3;
    state.counters["ratio"] = Median(controller) / Median(bare);
}
BENCHMARK(BM_ProcessStartToWindowReady)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3);

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
