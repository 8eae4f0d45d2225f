#include "ui/main/HeadPanel.h"

#include "core/LanguageSet.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "protocol/JogKeyState.h"
#include "protocol/PlotterCommands.h"
#include "skin/SkinArrowButton.h"
#include "skin/SkinButton.h"
#include "skin/SkinRadio.h"
#include "ui/main/ControlIds.h"
#include "ui/main/MessageDlg.h"

#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

constexpr int kDirections =
    CJogKeyState::kDown | CJogKeyState::kUp | CJogKeyState::kLeft | CJogKeyState::kRight;
constexpr int kArrowIds[] = {ctl::kArrowUp, ctl::kArrowDown, ctl::kArrowLeft, ctl::kArrowRight};

// A failed jog send has already dropped every key (the head stops); the user learns why.
void ShowJogFailure(int code) {
    if (code != msg::kOk) {
        ShowMessage(code);
    }
}

} // namespace

CHeadPanel::CHeadPanel(const PanelContext& context) : CMainPanel(context) {}

CSkinRadio* CHeadPanel::Keyboard() const {
    return ControlAs<CSkinRadio>(ctl::kUseKeyboard);
}

void CHeadPanel::Init() {
    const bool familyZero = Links().model.IsFamilyZero();
    SetVisible(ctl::kCrossCut, familyZero);
    SetVisible(ctl::kCrossCutLabel, familyZero);

    connect(ControlAs<CSkinButton>(ctl::kOrigin), &QPushButton::clicked, this,
            &CHeadPanel::OnOrigin);
    connect(ControlAs<CSkinButton>(ctl::kCrossCut), &QPushButton::clicked, this,
            &CHeadPanel::OnCrossCut);
    connect(ControlAs<CSkinButton>(ctl::kTestCut), &QPushButton::clicked, this,
            &CHeadPanel::OnTestCut);
    for (const int id : kArrowIds) {
        auto* arrow = ControlAs<CSkinArrowButton>(id);
        connect(arrow, &CSkinArrowButton::JogPressed, this, &CHeadPanel::OnArrowPressed);
        connect(arrow, &CSkinArrowButton::JogReleased, this, &CHeadPanel::OnArrowReleased);
    }
    CJogKeyState& jog = Links().jog;
    connect(Keyboard(), &CSkinRadio::JogModeChanged, this, &CHeadPanel::OnKeyboardModeChanged);
    connect(Keyboard(), &CSkinRadio::JogKeyPressed, this,
            [&jog](int bits) { ShowJogFailure(jog.Press(bits)); });
    connect(Keyboard(), &CSkinRadio::JogKeyReleased, this,
            [&jog](int bits) { ShowJogFailure(jog.Release(bits)); });
}

bool CHeadPanel::IsKeyHeld() const {
    return Links().jog.Mask() != 0;
}

void CHeadPanel::OnArrowPressed(int bits) {
    CJogKeyState& jog = Links().jog;
    if ((bits & kDirections) == 0) {
        ShowJogFailure(jog.Press(bits)); // Shift or Ctrl while an arrow button has the focus
        return;
    }
    if (jog.InputMode() == CJogKeyState::kInputKeyboard) {
        EndKeyboardMode();
    }
    const int pressed = jog.Press(bits);
    if (pressed == msg::kOk) {
        jog.SetInputMode(CJogKeyState::kInputArrowHeld);
    }
    ShowJogFailure(pressed);
}

void CHeadPanel::OnArrowReleased(int bits) {
    CJogKeyState& jog = Links().jog;
    ShowJogFailure(jog.Release(bits));
    if ((bits & kDirections) != 0) {
        jog.SetInputMode(CJogKeyState::kInputButtons);
    }
}

void CHeadPanel::OnKeyboardModeChanged(int mode) {
    CJogKeyState& jog = Links().jog;
    if (mode == CJogKeyState::kInputKeyboard) {
        jog.SetInputMode(CJogKeyState::kInputKeyboard);
        return;
    }
    jog.SetInputMode(CJogKeyState::kInputButtons);
    ShowJogFailure(jog.Set(0));
}

void CHeadPanel::EndKeyboardMode() {
    Keyboard()->SwitchOff();
    OnKeyboardModeChanged(CJogKeyState::kInputButtons);
}

bool CHeadPanel::FilterMouse(QWidget* target, QEvent* event) {
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool swallow = m_bSwallowRelease;
        m_bSwallowRelease = false;
        return swallow;
    }
    if (Links().jog.InputMode() != CJogKeyState::kInputKeyboard) {
        return false;
    }
    if (IsKeyHeld()) {
        // A click while a jog key is held is swallowed, and so is its release. The click has
        // already moved the focus; the toggle keeps it, or the key's release would be lost.
        m_bSwallowRelease = true;
        Keyboard()->setFocus();
        return true;
    }
    if (target != Keyboard()) {
        EndKeyboardMode();
    }
    return false;
}

bool CHeadPanel::FilterKey(QKeyEvent* event) {
    const int key = event->key();
    switch (key) {
    case Qt::Key_F5:
    case Qt::Key_F6:
    case Qt::Key_F7:
    case Qt::Key_F8:
        // Swallowed while the head moves.
        if (!event->isAutoRepeat() && Links().jog.InputMode() != CJogKeyState::kInputArrowHeld &&
            !IsKeyHeld()) {
            OnFunctionKey(key);
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Closing would leave the head moving.
        return IsKeyHeld();
    default:
        return false;
    }
}

void CHeadPanel::OnFunctionKey(int key) {
    switch (key) {
    case Qt::Key_F5:
        Control(ctl::kOrigin)->setFocus();
        OnOrigin();
        break;
    case Qt::Key_F6:
        Keyboard()->setFocus();
        if (Keyboard()->IsOn()) {
            EndKeyboardMode();
        } else {
            Keyboard()->SwitchOn();
        }
        break;
    case Qt::Key_F7:
        Control(ctl::kReadMarks)->setFocus();
        emit ReadMarksKey();
        break;
    case Qt::Key_F8:
        Control(ctl::kTestCut)->setFocus();
        OnTestCut();
        break;
    default:
        break;
    }
}

void CHeadPanel::StopHead() {
    if (Links().jog.InputMode() == CJogKeyState::kInputKeyboard) {
        EndKeyboardMode();
    }
    ReleaseKeys();
}

void CHeadPanel::ReleaseKeys() {
    CJogKeyState& jog = Links().jog;
    if (jog.InputMode() == CJogKeyState::kInputArrowHeld) {
        jog.SetInputMode(CJogKeyState::kInputButtons);
    }
    ShowJogFailure(jog.Set(0));
    for (const int id : kArrowIds) {
        ControlAs<CSkinArrowButton>(id)->ResetState();
    }
}

bool CHeadPanel::IsArrow(const QWidget* widget) const {
    for (const int id : kArrowIds) {
        if (widget == Control(id)) {
            return true;
        }
    }
    return false;
}

void CHeadPanel::OnFocusLeft(const QWidget* widget, Qt::FocusReason reason) {
    if (!IsKeyHeld()) {
        return;
    }
    // In keyboard mode the toggle holds the keys, else the arrow that has the focus. A click
    // elsewhere in keyboard mode is swallowed and the toggle takes the focus back at once
    // (FilterMouse); any other way out would lose the key's release.
    const bool keyboardMode = Links().jog.InputMode() == CJogKeyState::kInputKeyboard;
    const bool holder = keyboardMode ? widget == Keyboard() : IsArrow(widget);
    if (holder && !(keyboardMode && reason == Qt::MouseFocusReason)) {
        ReleaseKeys();
    }
}

void CHeadPanel::OnOrigin() {
    if (const int moved = Links().commands.MoveToOrigin(CheckQueues(), true); moved != msg::kOk) {
        ShowMessage(moved);
    }
}

void CHeadPanel::OnCrossCut() {
    if (!ConfirmMessage(msg::kConfirmCrossCut)) {
        return;
    }
    if (const int cut = Links().commands.CrossCut(CheckQueues(), true); cut != msg::kOk) {
        ShowMessage(cut);
    }
}

void CHeadPanel::OnTestCut() {
    if (!Control(ctl::kTestCut)->isEnabled() || !ConfirmMessage(msg::kConfirmTestCut)) {
        return;
    }
    const int started = Links().commands.TestCut(nullptr, false, false, CheckQueues(), true);
    if (started != msg::kOk) {
        ShowMessage(started);
        return;
    }
    CMessageDlg progress(Links().queries, Folders(), Links().language.GetTextHeight(), &Window());
    progress.exec();
}
