#pragma once

#include <QApplication>
#include <QWidget>

// What a window's application-wide event filter acts on. A key travels up to the parents it is
// not handled by, and the filter sees every step: the window acts on it once, where it is
// delivered first (the focused child, or the window itself without one).

// The child of `window` (or the window itself) an event is for; nullptr for other windows.
inline QWidget* WidgetOfWindow(const QWidget& window, QObject* watched) {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && widget->window() == &window ? widget : nullptr;
}

inline bool IsFirstKeyDelivery(const QWidget& window, const QWidget* widget) {
    const QWidget* focus = QApplication::focusWidget();
    return widget == (focus != nullptr ? focus : &window);
}
