// A small program that opens the plotter port the way the controller does, so tests can run
// it under plottersim (the umockdev preload then applies to this process only) and read what
// happened from its output:
//   open=<code> usbModel=<model> [offered=<name>|<name>...]
//   command=<code> deviceFds=<descriptors of the device still open>
//   exchange=<code> reply=<text> deviceFds=<descriptors of the device still open>
// Options: --model NAME (the MODEL launch value), --choose N (pick entry N in the choice
// window and press OK), --cancel (close the choice window without OK), --command (a ready
// check and one setting command), --exchange (a ready check and a model query); with both,
// the command goes first.
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "ui/dialogs/model/ModelSelectDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <iostream>
#include <string>

namespace {

// Descriptors that lead to a device node (the simulated node is a pty).
int DeviceDescriptors() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (target.starts_with("/dev/pts/") || target.find("usb/lp") != std::string::npos) {
            ++count;
        }
    }
    return count;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    PortOptions options;
    int choose = -1;
    bool exchange = false;
    bool command = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--model" && i + 1 < argc) {
            options.bModel = true;
            options.strModel = argv[++i];
        } else if (arg == "--choose" && i + 1 < argc) {
            choose = std::stoi(argv[++i]);
        } else if (arg == "--exchange") {
            exchange = true;
        } else if (arg == "--command") {
            command = true;
        }
    }

    CPlotterModel model;
    CPlotterPort port(model);
    port.SetOptions(options);
    std::string offered;
    port.SetModelChooser([&](const std::vector<std::string>& names) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CModelSelectDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            auto* list = qobject_cast<QComboBox*>(dialog->Control(CModelSelectDlg::kIdModelList));
            for (int i = 0; i < list->count(); ++i) {
                offered += (i > 0 ? "|" : "") + list->itemText(i).toStdString();
            }
            if (choose < 0) {
                dialog->reject();
                return;
            }
            list->setCurrentIndex(choose);
            qobject_cast<QPushButton*>(dialog->Control(CModelSelectDlg::kIdOk))->click();
        });
        return CModelSelectDlg::Choose(names, "Morvalin Vireclip");
    });

    const int opened = port.Open();
    std::cout << "open=" << opened << " usbModel=" << port.UsbModel();
    if (!offered.empty()) {
        std::cout << " offered=" << offered;
    }
    std::cout << "\n";
    if (opened != 0 || !(exchange || command)) {
        return 0;
    }
    if (command) {
        const int sent = port.Transact(false, true, [&] {
            return port.WriteCommand("TC1,100\x03", CPlotterPort::kTransferTimeoutMs);
        });
        std::cout << "command=" << sent << " deviceFds=" << DeviceDescriptors() << "\n";
    }
    if (exchange) {
        std::string reply;
        const int asked =
            port.Transact(false, true, [&] { return port.Query("\x1b.C31;9:", reply); });
        std::cout << "exchange=" << asked << " reply=" << reply
                  << " deviceFds=" << DeviceDescriptors() << "\n";
    }
    return 0;
}
