#pragma once

#include <QObject>

class CJogKeyState;
class CSkinRadio;
class QEvent;
class QWidget;

// Keyboard jogging through a window's "Use Keyboard" toggle, the same in every window that has
// one. While the toggle is on and has the focus, the arrow keys, Shift and Ctrl are jog keys.
// The head never keeps moving once the release of a held key can no longer arrive: the held
// keys are let go when the focus leaves the toggle, and keyboard jogging ends (mask 0) when the
// window is deactivated, hidden (closed) or destroyed. A failed send has dropped every key; its
// message is shown.
class CKeyboardJog : public QObject {
    Q_OBJECT
public:
    // Made once the toggle is set up; `window` and `toggle` outlive it.
    CKeyboardJog(QWidget& window, CSkinRadio& toggle, CJogKeyState& jog);
    ~CKeyboardJog() override;
    CKeyboardJog(const CKeyboardJog&) = delete;
    CKeyboardJog& operator=(const CKeyboardJog&) = delete;

    bool IsKeyHeld() const;
    bool IsOn() const;
    // F6: the focus goes to the toggle, which turns over.
    void OnToggleKey();
    // Keyboard jogging ends, the head stops.
    void End();
    // A left button press or release anywhere in the window, before the child it goes to; true
    // when it is swallowed. In keyboard mode a click while a key is held is swallowed with its
    // release, and the toggle keeps the focus; a click elsewhere ends keyboard mode.
    bool FilterMouse(QWidget* target, QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnModeChanged(int mode);

    QWidget& m_window;
    CSkinRadio& m_toggle;
    CJogKeyState& m_jog;
    bool m_bSwallowRelease = false;
};

// A failed jog send has already dropped every key (the head stops); the user learns why.
// Nothing is shown for 0.
void ShowJogFailure(int code);
