#include "app/WindowSystemStart.h"

#include "core/ExitCode.h"

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// Qt's message handler is a plain function, so what it holds while the application object is
// made lives here; nothing else runs at that time.
QList<HeldMessage>& HeldMessages() {
    static QList<HeldMessage> held;
    return held;
}

// The first thing the window system said: "could not connect to display :5", else Qt's own
// closing words.
QString Reason(const QString& fatalText) {
    for (const HeldMessage& message : HeldMessages()) {
        if (message.category.startsWith("qt.qpa.") && message.category != "qt.qpa.plugin") {
            QString reason = message.text.trimmed();
            if (reason.endsWith("display") && qEnvironmentVariableIsEmpty("DISPLAY")) {
                reason += " (DISPLAY is not set)";
            }
            return reason;
        }
    }
    return fatalText.section('\n', 0, 0).trimmed();
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "quirn: cannot start: %s\n", qPrintable(Reason(text)));
        std::fflush(stderr);
        std::_Exit(exitcode::kFailed);
    }
    HeldMessages().append({type, QByteArray(context.category), text});
}

} // namespace

std::unique_ptr<QApplication> StartWindowSystem(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& message : HeldMessages()) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    HeldMessages().clear();
    return application;
}
