// The baseline of bench_startup: a process that shows nothing but an empty dialog of the main
// window's size and reports it ready the way the controller does (once its first frame is
// drawn), so that the controller's start can be given as a multiple of what starting any Qt
// dialog costs on this machine.
//   bare_dialog READY_LINE    prints READY_LINE on stderr once the dialog is drawn, then ends
//   bare_dialog READY_LINE --text   the same with one line of text in the dialog
//   bare_dialog               stays open (the idle baseline of bench/startup/idle.sh)
#include "ui/main/ControllerLayout.h"
#include "ui/main/FirstFrameAnnouncement.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>

#include <cstring>
#include <optional>

namespace {

class CBareDialog : public QDialog {
public:
    explicit CBareDialog(const char* readyLine) {
        if (readyLine != nullptr) {
            m_ready.emplace(readyLine, [this] { reject(); });
        }
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QDialog::paintEvent(event);
        if (m_ready) {
            m_ready->AfterPaint(this);
        }
    }

private:
    std::optional<CFirstFrameAnnouncement> m_ready;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CBareDialog dialog(argc > 1 ? argv[1] : nullptr);
    dialog.setFixedSize(layout::kClientWidth, layout::kClientHeight);
    if (argc > 2 && std::strcmp(argv[2], "--text") == 0) {
        auto* text = new QLabel(QStringLiteral("Cutting conditions"), &dialog);
        text->move(layout::kClientWidth / 4, layout::kClientHeight / 2);
    }
    return dialog.exec() == QDialog::Rejected ? 0 : 1;
}
