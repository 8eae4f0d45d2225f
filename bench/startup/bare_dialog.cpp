// The baseline of bench_startup: a process that shows nothing but an empty dialog of the main
// window's size and reports it ready the way the controller does, so that the controller's
// start can be given as a multiple of what starting any Qt dialog costs on this machine.
//   bare_dialog READY_LINE    prints READY_LINE on stderr once the dialog is up, then ends
//   bare_dialog               stays open (the idle baseline of bench/startup/idle.sh)
#include "ui/main/ControllerLayout.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setFixedSize(layout::kClientWidth, layout::kClientHeight);
    if (argc > 1) {
        // Runs once the dialog is shown and its event loop turns, as in the controller.
        QTimer::singleShot(0, &dialog, [&] {
            std::fprintf(stderr, "%s\n", argv[1]);
            std::fflush(stderr);
            dialog.reject();
        });
    }
    return dialog.exec() == QDialog::Rejected ? 0 : 1;
}
