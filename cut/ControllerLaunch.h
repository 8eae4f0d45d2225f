#pragma once

#include <QString>
#include <QStringList>

#include <string>

// How the controller's run ended.
struct ControllerOutcome {
    int exitCode = -1;
    int signal = 0;      // the signal that ended it, 0 when it exited
    std::string family;  // the plotter it prepared, when it ended with "Cut"
    std::string problem; // why it could not be run, when it could not
};

// Runs the controller for a cut: /CUTMODE, the given launch parameters, and /CUTPLOTTER with
// a file of its own in which the controller names the plotter it prepared. Waits until it
// ends; its window is the user's, its messages go where ours go.
ControllerOutcome RunController(const QString& program, const QStringList& launchParameters);

// One line for a controller that did not end with "Cut": what its exit code means.
std::string DescribeControllerEnd(const ControllerOutcome& outcome);
