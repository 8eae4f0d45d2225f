// How long the controller takes to get its main window ready on a plotter: from process start
// to the opened window (the whole start-up, the port, identification, panel settings, media
// lists, pictures) beside an empty dialog process of the same size, and the window's opening
// alone inside a running process. Run it under
// plottersim, which shows the simulated plotter to this process and to the controllers it
// starts:
//   build/plottersim --model WX8800-60 -- build/bench/bench_startup
#include "app/ControllerObjects.h"
#include "core/messages/CMessageService.h"
#include "ui/main/ControlIds.h"
#include "ui/main/ControllerDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <clocale>
#include <memory>
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
// size started and reported the same way (bare_dialog), and beside the same dialog showing one
// line of text, which pays what laying out any text costs first (fontconfig reads its whole
// configuration). The three take turns at going first; the iteration time is the
// controller's, `ratio` and `ratio_text` the quotients of the medians.
void BM_ProcessStartToWindowReady(benchmark::State& state) {
    struct Contender {
        const char* name;
        QString program;
        QStringList arguments;
        std::vector<double> seconds;
    };
    std::vector<Contender> contenders{
        {"the controller", QUIRN_PROGRAM, {}, {}},
        {"the bare dialog", BARE_DIALOG, {CControllerDlg::kReadyLine}, {}},
        {"the bare dialog with text", BARE_DIALOG, {CControllerDlg::kReadyLine, "--text"}, {}},
    };
    // Another build of the controller (a copy of the program file beside build/quirn, so that
    // it finds the same runtime files) takes its turns too, for a change measured in one run.
    const QString before = qEnvironmentVariable("QUIRN_BENCH_BEFORE");
    if (!before.isEmpty()) {
        contenders.push_back({"the controller before", before, {}, {}});
    }
    std::size_t round = 0;
    for (auto _ : state) {
        for (std::size_t turn = 0; turn < contenders.size(); ++turn) {
            Contender& contender = contenders[(round + turn) % contenders.size()];
            int exitCode = 0;
            const double seconds = StartToReady(contender.program, contender.arguments, exitCode);
            if (seconds < 0) {
                state.SkipWithError(
                    (std::string(contender.name) + " reported no ready window (exit code " +
                     std::to_string(exitCode) + "); run the benchmark under plottersim")
                        .c_str());
                return;
            }
            contender.seconds.push_back(seconds);
        }
        ++round;
        state.SetIterationTime(contenders[0].seconds.back());
    }
    const double controller = Median(contenders[0].seconds);
    const double bare = Median(contenders[1].seconds);
    const double text = Median(contenders[2].seconds);
    state.counters["quirn_ms"] = controller * 1e3;
    state.counters["bare_ms"] = bare * 1e3;
    state.counters["text_ms"] = text * 1e3;
    state.counters["ratio"] = controller / bare;
    state.counters["ratio_text"] = controller / text;
    if (!before.isEmpty()) {
        const double earlier = Median(contenders[3].seconds);
        state.counters["before_ms"] = earlier * 1e3;
        state.counters["ratio_text_before"] = earlier / text;
    }
}
BENCHMARK(BM_ProcessStartToWindowReady)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3);

// The controller's objects and its main window as the program makes them, on the real
// library, not yet opened.
struct BenchController {
    BenchController() {
        objects.port.SetLibraryCandidates({ZEFRALINK});
        objects.BuildOperations();
        window = std::make_unique<CControllerDlg>(
            objects.Links(kSupportedSystem, QUIRN_RUNTIME_DIR "/", nullptr));
    }

    CControllerObjects objects{
        CLanguageSet(1033), CControllerSettings(true), QUIRN_RUNTIME_DIR "/", {}};
    std::unique_ptr<CControllerDlg> window;
};

// False, and the benchmark skipped with the reason, when the window did not open.
bool Opened(benchmark::State& state, int opened) {
    if (opened != 0) {
        state.SkipWithError(("the window did not open (code " + std::to_string(opened) +
                             "); run the benchmark under plottersim")
                                .c_str());
    }
    return opened == 0;
}

// The window's opening inside a running process: port, identification, command set, panel
// settings, settings, media lists, the condition, pictures and controls.
void BM_OpenMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        BenchController controller;
        QElapsedTimer clock;
        clock.start();
        const int opened = controller.window->OnInitDialog();
        const double seconds = static_cast<double>(clock.nsecsElapsed()) * 1e-9;
        if (!Opened(state, opened)) {
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_OpenMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

// The process's peak resident memory (VmHWM, in MiB), or -1 when it cannot be read.
double PeakResidentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
        }
    }
    return -1;
}

// Peak memory after the main window opened every window its buttons open (media lists,
// condition edit, import, registration marks, About, Option, advanced settings), each closed
// again as Escape closes it. The figure is the whole benchmark process's: an upper bound of the
// controller's, which has no benchmark library and no other window in it.
void BM_PeakMemoryAfterEveryWindow(benchmark::State& state) {
    constexpr int kButtons[] = {ctl::kListEdit,     ctl::kEditConditions, ctl::kImportConditions,
                                ctl::kMarkSettings, ctl::kAbout,          ctl::kOption,
                                ctl::kAdvanced};
    for (auto _ : state) {
        BenchController controller;
        CControllerDlg& window = *controller.window;
        if (!Opened(state, window.OnInitDialog())) {
            return;
        }
        window.show();
        // The controller's own conditions and registration marks enable the buttons of
        // their windows.
        for (const int id : {ctl::kUseControllerSettings, ctl::kMarks}) {
            if (auto* choice = qobject_cast<QAbstractButton*>(window.Control(id))) {
                choice->click();
            }
        }
        int shown = 0;
        for (const int id : kButtons) {
            auto* button = qobject_cast<QAbstractButton*>(window.Control(id));
            if (button == nullptr || !button->isEnabled()) {
                continue;
            }
            // Closes the window the click opens once it runs (the click returns after that).
            QTimer closer;
            closer.setInterval(50);
            QObject::connect(&closer, &QTimer::timeout, [&] {
                auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (modal != nullptr && modal != &window) {
                    ++shown;
                    modal->reject();
                }
            });
            closer.start();
            button->click();
        }
        window.hide();
        state.counters["windows"] = shown;
        state.counters["peak_mib"] = PeakResidentMiB();
    }
}
BENCHMARK(BM_PeakMemoryAfterEveryWindow)->Iterations(1);

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
