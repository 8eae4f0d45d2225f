#pragma once

// A private program folder whose every control skin is a plain block of its own colour, so
// that a grabbed control tells which file it drew; and an active dialog to put controls on.

#include "skin/SkinFolders.h"

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class SkinTestBed : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CSkinFolders Folders() const { return CSkinFolders(m_dir.path(), QStringLiteral("BMP/ENG")); }
    // The colour of a control skin file of the test folder.
    QColor ColourOf(std::string_view name) const;
    void RemoveSkin(std::string_view name) const;
    // Writes a skin file of another size than its kind's.
    void WriteSkin(std::string_view name, QSize size, const QColor& colour) const;

    // The colour a control shows at a point, as drawn.
    static QColor PixelAt(QWidget* control, QPoint point);

    static void Mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint pos,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void Press(QWidget* w, QPoint pos, Qt::KeyboardModifiers m = Qt::NoModifier) {
        Mouse(w, QEvent::MouseButtonPress, Qt::LeftButton, pos, m);
    }
    static void Move(QWidget* w, QPoint pos) { Mouse(w, QEvent::MouseMove, Qt::NoButton, pos); }
    static void Release(QWidget* w, QPoint pos) {
        Mouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, pos);
    }
    static void Key(QWidget* w, QEvent::Type type, int key, bool autoRepeat = false);
    static void KeyDown(QWidget* w, int key) { Key(w, QEvent::KeyPress, key); }
    static void KeyUp(QWidget* w, int key) { Key(w, QEvent::KeyRelease, key); }

    // Brings another window to the front, as when the user switches programs.
    void ActivateOtherWindow();

    QDialog* Dialog() { return m_dialog.get(); }
    // Input events of the kinds a control may swallow that reached the dialog.
    int DialogSaw(QEvent::Type type) const;

private:
    QTemporaryDir m_dir;
    std::map<std::string, QColor> m_colours;
    std::unique_ptr<QDialog> m_dialog;
    std::unique_ptr<QWidget> m_other;
    std::unique_ptr<QObject> m_recorder;
    std::vector<QEvent::Type> m_seen;
};
