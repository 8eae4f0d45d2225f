#pragma once

class CPlotterPort;

// The jog keys held down, sent to the plotter whenever they change. Bits: 1 down, 2 up,
// 4 left, 8 right, 16 Ctrl, 32 Shift. Owned by the application for the whole run and used on
// the user-interface thread. Each change returns 0 when the plotter has the new state; a
// failed send drops every held key (mask 0) and returns its code for the window to show.
class CJogKeyState {
public:
    enum Key : int {
        kDown = 1,
        kUp = 2,
        kLeft = 4,
        kRight = 8,
        kCtrl = 16,
        kShift = 32,
    };
    // Jog input mode: idle, an arrow button held, or keyboard jogging on (the arrow keys jog
    // only then).
    static constexpr int kInputButtons = 0;
    static constexpr int kInputArrowHeld = 1;
    static constexpr int kInputKeyboard = 2;

    explicit CJogKeyState(CPlotterPort& port) : m_port(port) {}

    [[nodiscard]] int Set(int mask);
    [[nodiscard]] int Press(int bits);
    [[nodiscard]] int Release(int bits);

    int Mask() const { return m_nMask; }
    int InputMode() const { return m_nInputMode; }
    void SetInputMode(int mode) { m_nInputMode = mode; }

    // The mask as it travels: Ctrl with Shift cancel each other, and a modifier without a
    // direction is no key at all.
    static int WireMask(int mask);

private:
    [[nodiscard]] int SendJogKeys();

    CPlotterPort& m_port;
    int m_nMask = 0;
    int m_nInputMode = kInputButtons;
};
