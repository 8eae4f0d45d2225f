#pragma once

// The skinned two-position "Use Keyboard" toggle: 0 off, 1 off pressed with the pointer
// outside, 2 off pressed inside, 3 disabled, 4 on, 5 on pressed outside, 6 on pressed inside.
// On means keyboard jog mode: while it has the focus and is on, the arrow keys, Shift and Ctrl
// become jog keys, reported to the window with JogKeyPressed/JogKeyReleased.

#include "skin/SkinButtonBase.h"

class CSkinRadio : public CSkinButtonBase {
    Q_OBJECT
public:
    CSkinRadio(const CSkinFolders& folders, QWidget* dialog);

    // Attach and Init in one: 0, 1014 or 1015.
    [[nodiscard]] int SetUp(int id, int x, int y, int kind, const QString& caption, int fontHeight);
    bool Init(int x, int y, int kind, const QString& caption, int fontHeight);

    void SwitchOn();
    // Off, both pressed flags cleared; the window releases every jog key on JogModeChanged(0).
    void SwitchOff();
    bool IsOn() const { return State() >= kOn; }

    static constexpr int kOn = 4;

    bool IsHeld() const override { return m_bMousePressed || m_bSpacePressed; }
    // Back to the position it had before the press.
    void LetGo() override;

signals:
    // 2 when keyboard jog mode turns on, 0 when it turns off.
    void JogModeChanged(int mode);
    void JogKeyPressed(int bits);
    void JogKeyReleased(int bits);

protected:
    void OnEnabledAgain() override { SetState(0); }
    void OnNotInFront() override { SwitchOff(); }
    bool CaptionPressed() const override { return State() == 2 || State() == 6; }
    void changeEvent(QEvent* event) override;

private:
    bool FilterMouse(QEvent* event) override;
    bool FilterKey(QEvent* event) override;
    // Settles a press: the state after it and the jog mode that goes with it.
    void Settle(int state);

    bool m_bMousePressed = false;
    bool m_bSpacePressed = false;
};
