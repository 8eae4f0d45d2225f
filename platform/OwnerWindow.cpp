#include "platform/OwnerWindow.h"

#include <QGuiApplication>
#include <QWindow>

namespace platform {

QWindow* ForeignWindow(long long handle) {
    // Only X11 lets a program reach another program's window by its id.
    if (handle <= 0 || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    return QWindow::fromWinId(static_cast<WId>(handle));
}

} // namespace platform
