#include "platform/WindowFront.h"

#include <QApplication>
#include <QWidget>

namespace platform {

bool BringToFront(QWidget* window) {
    if (!window) {
        return false;
    }
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
    }
    window->raise();
    QWidget* popup = QApplication::activeModalWidget();
    QWidget* target = popup && popup != window ? popup : window;
    target->raise();
    target->activateWindow();
    return true;
}

} // namespace platform
