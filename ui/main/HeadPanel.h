#pragma once

#include "ui/main/MainPanel.h"

#include <memory>

class CKeyboardJog;
class QEvent;
class QKeyEvent;

// The head panel: jogging by the arrow buttons and by keyboard, the function keys around it,
// origin, cross cut and the test cut.
class CHeadPanel : public CMainPanel {
    Q_OBJECT
public:
    explicit CHeadPanel(const PanelContext& context);
    ~CHeadPanel() override;

    void Init();

    // A key or click anywhere in the window, before the child it goes to; true when the
    // panel has taken it.
    bool FilterKey(QKeyEvent* event);
    bool FilterMouse(QWidget* target, QEvent* event);
    // Whether a jog key or direction is held.
    bool IsKeyHeld() const;
    // Stops the head and leaves keyboard jog mode: the window is deactivated, closes or goes.
    void StopHead();
    // The focus has left `widget`: a key held on an arrow would be released elsewhere.
    // (Keyboard jogging watches its toggle itself.)
    void OnFocusLeft(const QWidget* widget);

    void OnTestCut();

signals:
    // F7: the "Read Marks" button's action, which the mark panel owns.
    void ReadMarksKey();

private:
    void OnArrowPressed(int bits);
    void OnArrowReleased(int bits);
    // Every held key let go (mask 0), every arrow drawn released.
    void ReleaseKeys();
    bool IsArrow(const QWidget* widget) const;
    void OnFunctionKey(int key);
    void OnOrigin();
    void OnCrossCut();

    // Made by Init, when the "Use Keyboard" toggle exists.
    std::unique_ptr<CKeyboardJog> m_pKeyboardJog;
};
