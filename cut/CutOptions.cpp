#include "cut/CutOptions.h"

#include "cut/CutExit.h"

#include <QCommandLineParser>

namespace {

// Options that become one launch parameter of the controller: the keyword, and a comma
// between it and the value where the controller's keyword has one.
struct LaunchOption {
    const char* name;
    const char* valueName;
    const char* description;
    const char* keyword;
};

constexpr LaunchOption kLaunchOptions[] = {
    {"design-orientation", "0|1", "Design orientation, as the orientation panel numbers it.",
     "/IR"},
    {"media-orientation", "0|1", "Media orientation.", "/FN"},
    {"marks-distance", "X,Y", "Distances between the registration marks, in mm.", "/TB23,"},
    {"marks-correction", "2-5",
     "Registration-mark correction: 2, 3 or 4 points, or 5 for the area.", "/TBM,"},
    {"mark-type", "1|2", "Registration-mark type.", "/TB52,"},
    {"mark-step", "MM", "Step of the area correction, in mm.", "/TBS,"},
    {"mark-length", "MM", "Length of the registration-mark lines, in mm.", "/TB51,"},
    {"mark-thickness", "MM", "Thickness of the registration-mark lines, in mm.", "/TB53,"},
};

} // namespace

CutCommandLine ParseCutCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Cuts an SVG drawing or a ready plotter job (HP-GL, or the plotter's own QV-CL) on a "
        "Morvalin cutting plotter. The controller opens first: set the cutting conditions and "
        "the registration marks there, then choose Cut.");
    parser.addPositionalArgument("FILE", "The drawing or job; - reads standard input.");
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption version("version", "Show the version.");
    const QCommandLineOption preview("preview",
                                     "Draw what would be cut (paths, order, start points) into "
                                     "FILE.png instead of cutting.",
                                     "FILE.png");
    const QCommandLineOption output(
        "output", "Write the job to FILE (- for standard output) instead of sending it.", "FILE");
    const QCommandLineOption noController("no-controller",
                                          "Send at once, without opening the controller first.");
    const QCommandLineOption switchSet(
        "switch-command-set",
        "Switch the plotter to the job's command set when it runs the other one.");
    const QCommandLineOption model("model",
                                   "The plotter family: WX8800, Nimbo-Pro, \"Nimbo Pro S\" or "
                                   "RX3600 (needed with several plotters and --no-controller).",
                                   "NAME");
    const QCommandLineOption overcut(
        "overcut", "Cut closed paths this far past their start, in mm (default 0).", "MM");
    const QCommandLineOption skipQueues(
        "skip-queue-check",
        "Do not check the print queues for waiting jobs (the controller's /LM).");
    const QCommandLineOption controllerSettings(
        "controller-settings", "Use the controller's cutting conditions (the controller's /RM).");
    const QCommandLineOption noMarks("no-marks",
                                     "No registration marks (the controller's /NOTRM).");
    const QCommandLineOption launch(
        "launch", "Pass PARAMETER to the controller as it stands (repeatable).", "PARAMETER");
    parser.addOptions({help, version, preview, output, noController, switchSet, model, overcut,
                       skipQueues, controllerSettings, noMarks, launch});
    std::vector<QCommandLineOption> launchOptions;
    for (const LaunchOption& o : kLaunchOptions) {
        launchOptions.emplace_back(QString(o.name), QString(o.description), QString(o.valueName));
        parser.addOption(launchOptions.back());
    }

    CutCommandLine result;
    if (!parser.parse(arguments)) {
        result.text = "quirn-cut: " + parser.errorText() + "\nTry 'quirn-cut --help'.\n";
        result.exitCode = cutexit::kUsage;
        return result;
    }
    if (parser.isSet(help)) {
        // Qt names the program after the application object, and none is made for --help.
        result.text = parser.helpText();
        result.text.replace(0, result.text.indexOf('\n'), "Usage: quirn-cut [options] FILE");
        return result;
    }
    if (parser.isSet(version)) {
        result.text = "quirn-cut " QUIRN_VERSION "\n";
        return result;
    }
    const QStringList files = parser.positionalArguments();
    bool overcutOk = true;
    const double overcutMm = parser.isSet(overcut) ? parser.value(overcut).toDouble(&overcutOk) : 0;
    QString problem;
    if (files.size() != 1) {
        problem = files.isEmpty() ? "no FILE given" : "more than one FILE given";
    } else if (!overcutOk || overcutMm < 0 || overcutMm > 10) {
        problem = "--overcut takes a length from 0 to 10 mm";
    } else if (parser.isSet(preview) && parser.isSet(output)) {
        problem = "--preview and --output do not go together";
    }
    if (!problem.isEmpty()) {
        result.text = "quirn-cut: " + problem + "\nTry 'quirn-cut --help'.\n";
        result.exitCode = cutexit::kUsage;
        return result;
    }

    CutOptions options;
    options.file = files.front();
    options.previewFile = parser.value(preview);
    options.outputFile = parser.value(output);
    options.noController = parser.isSet(noController);
    options.switchCommandSet = parser.isSet(switchSet);
    options.skipQueueCheck = parser.isSet(skipQueues);
    options.overcutMm = overcutMm;
    options.model = parser.value(model);
    if (!options.model.isEmpty()) {
        options.launchParameters << "/MODEL," + options.model;
    }
    if (options.skipQueueCheck) {
        options.launchParameters << "/LM";
    }
    if (parser.isSet(controllerSettings)) {
        options.launchParameters << "/RM";
    }
    if (parser.isSet(noMarks)) {
        options.launchParameters << "/NOTRM";
    }
    for (std::size_t i = 0; i < launchOptions.size(); ++i) {
        if (parser.isSet(launchOptions[i])) {
            options.launchParameters << kLaunchOptions[i].keyword + parser.value(launchOptions[i]);
        }
    }
    options.launchParameters << parser.values(launch);
    result.options = options;
    return result;
}
