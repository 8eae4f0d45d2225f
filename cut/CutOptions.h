#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line of quirn-cut asks for.
struct CutOptions {
    QString file;              // the drawing or job; "-" is standard input
    QString previewFile;       // draw the cut into this PNG instead of cutting
    QString outputFile;        // write the job here instead of sending it; "-" standard output
    QString model;             // the plotter's family name, as the controller's MODEL takes it
    bool noController = false; // send at once, without the controller
    bool switchCommandSet = false;
    bool skipQueueCheck = false; // LM: no print-queue check, here and in the controller
    double overcutMm = 0.0;
    // The controller's launch parameters the options give, besides /CUTMODE.
    QStringList launchParameters;
};

// The command line read: options, or the text to print and the exit code to end with (help,
// version, or a usage error).
struct CutCommandLine {
    std::optional<CutOptions> options;
    QString text;
    int exitCode = 0;
};

CutCommandLine ParseCutCommandLine(const QStringList& arguments);
