#pragma once

#include "ui/main/MainPanel.h"

class CSkinRadio;
class QEvent;
class QKeyEvent;

// The head panel: jogging by the arrow buttons and by keyboard, the function keys around it,
// origin, cross cut and the test cut.
class CHeadPanel : public CMainPanel {
    Q_OBJECT
public:
    explicit CHeadPanel(const PanelContext& context);

    void Init();

    // A key or click anywhere in the window, before the child it goes to; true when the
    // panel has taken it.
    bool FilterKey(QKeyEvent* event);
    bool FilterMouse(QWidget* target, QEvent* event);
    // Whether a jog key or direction is held.
    bool IsKeyHeld() const;
    // The window has been deactivated: the release of a held key would go elsewhere.
    void OnWindowDeactivated();

    void OnTestCut();

private:
    void OnArrowPressed(int bits);
    void OnArrowReleased(int bits);
    void OnKeyboardModeChanged(int mode);
    void EndKeyboardMode();
    void OnFunctionKey(int key);
    void OnOrigin();
    void OnCrossCut();
    CSkinRadio* Keyboard() const;

    bool m_bSwallowRelease = false;
};
