#include "cut/ControllerLaunch.h"

#include "core/ExitCode.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>

ControllerOutcome RunController(const QString& program, const QStringList& launchParameters) {
    ControllerOutcome outcome;
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        outcome.problem = "cannot make a temporary folder: " + folder.errorString().toStdString();
        return outcome;
    }
    const QString plotterFile = folder.filePath("plotter");
    QProcess controller;
    controller.setProcessChannelMode(QProcess::ForwardedChannels);
    controller.setInputChannelMode(QProcess::ForwardedInputChannel);
    controller.start(program, QStringList{"/CUTMODE"} + launchParameters +
                                  QStringList{"/CUTPLOTTER," + plotterFile});
    if (!controller.waitForStarted(-1)) {
        outcome.problem = "cannot start the controller " + program.toStdString() + ": " +
                          controller.errorString().toStdString();
        return outcome;
    }
    controller.waitForFinished(-1);
    if (controller.exitStatus() == QProcess::CrashExit) {
        // On Unix, Qt keeps the signal's number as the exit code of a crash.
        outcome.signal = std::max(1, controller.exitCode());
        outcome.exitCode = 128 + outcome.signal;
        return outcome;
    }
    outcome.exitCode = controller.exitCode();
    QFile named(plotterFile);
    if (outcome.exitCode == exitcode::kCutAccepted && named.open(QIODevice::ReadOnly)) {
        outcome.family = named.readAll().trimmed().toStdString();
    }
    return outcome;
}

std::string DescribeControllerEnd(const ControllerOutcome& outcome) {
    if (outcome.signal != 0) {
        return "the controller was ended by signal " + std::to_string(outcome.signal) +
               ": nothing was sent";
    }
    const char* meaning = "";
    switch (outcome.exitCode) {
    case exitcode::kClosed:
        meaning = "closed without cutting";
        break;
    case exitcode::kCancelled:
        meaning = "cancelled";
        break;
    case exitcode::kAlreadyRunning:
        meaning = "another controller is already running";
        break;
    case exitcode::kFailed:
        meaning = "could not start, or ended by another failure";
        break;
    case exitcode::kCouldNotStart:
        meaning = "could not start: unsuitable system or parameters, model, memory or files";
        break;
    default:
        meaning = "unknown to this program";
        break;
    }
    return "the controller ended with exit code " + std::to_string(outcome.exitCode) + " (" +
           meaning + "): nothing was sent";
}
