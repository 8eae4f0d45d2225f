#pragma once

#include <QString>
#include <QTest>
#include <QWidget>
#include <QWindow>

// Input as a user gives it, through the window rather than to a chosen control: a click goes
// to whatever lies on top where the control shows, and keys go to whatever has the focus.

// Clicks near the control's left end, where a check box or radio button has its mark.
inline void ClickWhereShown(QWidget* control) {
    QWidget* window = control->window();
    const int middle = control->height() / 2;
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, QPoint(middle, middle)));
}

// Types Latin-1 keys into the window; they reach the control that has its focus.
inline void TypeIntoFocus(QWidget* window, const QString& keys,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    for (const QChar key : keys) {
        QTest::keyClick(window->windowHandle(), key.toLatin1(), modifiers);
    }
}
