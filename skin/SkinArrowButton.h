#pragma once

// A skinned jog arrow: a push button drawn from the arrow kinds that also tells the window
// when its direction is pressed and let go, and when Shift or Ctrl change while it has the
// focus. The window passes these to the shared jog state (switching keyboard jog mode off
// first when it is on).

#include "skin/SkinButton.h"

class CSkinArrowButton : public CSkinButton {
    Q_OBJECT
public:
    // The jog key bits of the four arrow kinds (0 up, 1 down, 2 left, 3 right) and of the
    // two modifiers.
    static constexpr int kJogUp = 2, kJogDown = 1, kJogLeft = 4, kJogRight = 8;
    static constexpr int kJogCtrl = 16, kJogShift = 32;

    CSkinArrowButton(const CSkinFolders& folders, QWidget* dialog);

    // The jog bit of the arrow's kind; 0 before Init.
    int Direction() const { return m_nDirection; }

signals:
    void JogPressed(int bits);
    void JogReleased(int bits);

protected:
    const skin::ButtonKind* Kind(int kind) const override;
    void KindChosen(int kind) override;
    void OnPressed() override;
    void OnReleased() override;
    bool event(QEvent* event) override;

private:
    int m_nDirection = 0;
};
