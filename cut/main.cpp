// quirn-cut: cuts a drawing or a ready job. Starts the controller for the cut, and when the
// user chose Cut there, sends the job to the plotter the controller prepared.
#include "core/ExitCode.h"
#include "core/messages/MessageCodes.h"
#include "cut/ControllerLaunch.h"
#include "cut/CutExit.h"
#include "cut/CutOptions.h"
#include "cut/CutPaths.h"
#include "cut/CutPreview.h"
#include "cut/JobSender.h"
#include "cut/PlotterJob.h"
#include "cut/Progress.h"
#include "cut/SvgDrawing.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

// A job larger than this is no cutting job (cutting plotters take a few megabytes at most).
constexpr qint64 kMaxInputBytes = 64 * 1024 * 1024;

// Ctrl-C asks the job to stop at the next command boundary; a signal handler can only set a
// flag of static storage.
std::atomic<bool> g_bStop{false};

void OnInterrupt(int) {
    g_bStop = true;
}

void Say(const QString& file, const std::string& text) {
    std::fprintf(stderr, "quirn-cut: %s%s%s\n", file.isEmpty() ? "" : qPrintable(file),
                 file.isEmpty() ? "" : ": ", text.c_str());
}

// The file's bytes, or nothing when they cannot be read or are too many to be a job.
std::optional<QByteArray> ReadInput(const QString& name) {
    QFile file;
    const bool opened = name == "-" ? file.open(stdin, QIODevice::ReadOnly)
                                    : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened) {
        Say(name, "cannot be read: " + file.errorString().toStdString());
        return std::nullopt;
    }
    QByteArray bytes = file.read(kMaxInputBytes + 1);
    if (bytes.size() > kMaxInputBytes) {
        Say(name, "is larger than 64 MiB, which no cutting job is: nothing was sent");
        return std::nullopt;
    }
    return bytes;
}

// A ready job split into commands, its speed and force commands left out.
std::optional<PlotterJob> ReadReadyJob(const QByteArray& input, const QString& name) {
    std::string problem;
    std::optional<PlotterJob> job =
        ReadPlotterJob(std::string_view(input.constData(), input.size()), problem);
    if (!job) {
        Say(name, problem + ": nothing was sent");
    } else if (job->droppedConditionCommands > 0) {
        Say(name, "left out " + std::to_string(job->droppedConditionCommands) +
                      " speed and force commands: the controller sets the conditions");
    }
    return job;
}

// An SVG drawing's outlines as the plotter cuts them, in cutting order.
std::optional<std::vector<CutPath>> ConvertDrawing(const QByteArray& input, const QString& name,
                                                   QSizeF& sizeMm) {
    std::string problem;
    const std::optional<SvgDrawing> drawing = ReadSvgDrawing(input, problem);
    if (!drawing) {
        Say(name, problem + ": nothing was sent");
        return std::nullopt;
    }
    for (const std::string& note : drawing->notes) {
        Say(name, note);
    }
    sizeMm = drawing->sizeMm;
    std::vector<CutPath> paths = cutpaths::OrderForCutting(
        cutpaths::ToPlotterUnits(drawing->outlines, drawing->sizeMm.height()));
    if (paths.empty()) {
        Say(name, "holds nothing to cut: nothing was sent");
        return std::nullopt;
    }
    return paths;
}

// The job the input asks for; with --preview, the picture instead (and an empty job).
std::optional<PlotterJob> MakeJob(const QByteArray& input, const CutOptions& options) {
    if (input.trimmed().isEmpty()) {
        Say(options.file, "is empty: nothing was sent");
        return std::nullopt;
    }
    if (!LooksLikeSvg(input)) {
        if (!options.previewFile.isEmpty()) {
            Say(options.file, "is no SVG drawing: --preview draws SVG drawings only");
            return std::nullopt;
        }
        return ReadReadyJob(input, options.file);
    }
    QSizeF sizeMm;
    std::optional<std::vector<CutPath>> paths = ConvertDrawing(input, options.file, sizeMm);
    if (!paths) {
        return std::nullopt;
    }
    if (!options.previewFile.isEmpty()) {
        if (!DrawPreview(*paths, sizeMm).save(options.previewFile, "PNG")) {
            Say(options.previewFile, "cannot be written");
            return std::nullopt;
        }
        return PlotterJob{};
    }
    cutpaths::AddOvercut(*paths, options.overcutMm * cutpaths::kUnitsPerMm);
    const std::string hpgl = cutpaths::ToHpgl(*paths);
    return ReadReadyJob(QByteArray::fromRawData(hpgl.data(), static_cast<qsizetype>(hpgl.size())),
                        options.file);
}

bool WriteOutput(const QString& name, const PlotterJob& job) {
    QFile file;
    const bool opened = name == "-" ? file.open(stdout, QIODevice::WriteOnly)
                                    : (file.setFileName(name), file.open(QIODevice::WriteOnly));
    if (!opened || file.write(job.bytes.data(), static_cast<qint64>(job.bytes.size())) !=
                       static_cast<qint64>(job.bytes.size())) {
        Say(name, "cannot be written");
        return false;
    }
    return true;
}

// Opens the port on the plotter the controller prepared (`family`), the one --model names,
// or the only one attached.
int OpenPort(CPlotterPort& port, const std::string& family) {
    std::vector<std::string> found;
    port.SetOptions(PortOptions{false, !family.empty(), family});
    port.SetModelChooser([&found](const std::vector<std::string>& names) {
        found = names;
        return std::string();
    });
    const int opened = port.Open();
    if (opened == CPlotterPort::kChoiceDismissed) {
        std::string names;
        for (const std::string& name : found) {
            names += (names.empty() ? "" : ", ") + name;
        }
        Say({}, "several plotters are attached (" + names +
                    "): name one with --model; nothing was sent");
        return cutexit::kNoPlotter;
    }
    if (opened != msg::kOk) {
        Say({}, "cannot open the plotter: " + PortMessage(opened) + "; nothing was sent");
        return cutexit::kNoPlotter;
    }
    return cutexit::kSent;
}

int Cut(const CutOptions& options, const PlotterJob& job) {
    std::string family = options.model.toStdString();
    if (!options.noController) {
        const ControllerOutcome outcome = RunController(
            QCoreApplication::applicationDirPath() + "/quirn", options.launchParameters);
        if (!outcome.problem.empty()) {
            Say({}, outcome.problem + "; nothing was sent");
            return cutexit::kNoPlotter;
        }
        if (outcome.exitCode != exitcode::kCutAccepted) {
            Say({}, DescribeControllerEnd(outcome));
            // Closed without cutting is no success of the cut either.
            return outcome.exitCode == exitcode::kClosed ? exitcode::kCancelled : outcome.exitCode;
        }
        if (outcome.family.empty()) {
            Say({}, "the controller did not name the plotter it prepared: nothing was sent");
            return cutexit::kNoPlotter;
        }
        family = outcome.family;
    }
    CPlotterModel model;
    CPlotterPort port(model);
    if (const int opened = OpenPort(port, family); opened != cutexit::kSent) {
        return opened;
    }
    CJobSender sender(port, model, g_bStop);
    CProgress progress(job.bytes.size(), isatty(STDERR_FILENO) != 0);
    return sender.Send(job, {!options.skipQueueCheck, options.switchCommandSet}, progress);
}

int Run(int argc, char** argv, const CutOptions& options) {
    const std::optional<QByteArray> input = ReadInput(options.file);
    if (!input) {
        return cutexit::kBadInput;
    }
    // Qt SVG and the preview draw text and need a GUI application; a ready job does not, and
    // starts quicker without.
    std::unique_ptr<QCoreApplication> application;
    int qtArgc = 3;
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* qtArgv[] = {argv[0], platform, offscreen, nullptr};
    if (LooksLikeSvg(*input)) {
        application = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    const std::optional<PlotterJob> job = MakeJob(*input, options);
    if (!job) {
        return cutexit::kBadInput;
    }
    if (!options.previewFile.isEmpty()) {
        return cutexit::kSent;
    }
    if (!options.outputFile.isEmpty()) {
        return WriteOutput(options.outputFile, *job) ? cutexit::kSent : cutexit::kBadInput;
    }
    struct sigaction interrupt {};
    interrupt.sa_handler = OnInterrupt;
    sigaction(SIGINT, &interrupt, nullptr);
    return Cut(options, *job);
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const CutCommandLine commandLine = ParseCutCommandLine(arguments);
    if (!commandLine.options) {
        std::fputs(qPrintable(commandLine.text), commandLine.exitCode == 0 ? stdout : stderr);
        return commandLine.exitCode;
    }
    return Run(argc, argv, *commandLine.options);
}
