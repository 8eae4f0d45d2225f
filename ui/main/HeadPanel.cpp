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
#include "ui/dialogs/common/KeyboardJog.h"
#include "ui/main/ControlIds.h"
#include "ui/main/MessageDlg.h"

#include <QDialog>
#include <QKeyEvent>

namespace {

constexpr int kDirections =
    CJogKeyState::kDown | CJogKeyState::kUp | CJogKeyState::kLeft | CJogKeyState::kRight;
constexpr int kArrowIds[] = {ctl::kArrowUp, ctl::kArrowDown, ctl::kArrowLeft, ctl::kArrowRight};

} // namespace

CHeadPanel::CHeadPanel(const PanelContext& context) : CMainPanel(context) {}

CHeadPanel::~CHeadPanel() = default;

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
    m_pKeyboardJog = std::make_unique<CKeyboardJog>(
        Window(), *ControlAs<CSkinRadio>(ctl::kUseKeyboard), Links().jog);
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
    m_pKeyboardJog->End();
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

bool CHeadPanel::FilterMouse(QWidget* target, QEvent* event) {
    return m_pKeyboardJog->FilterMouse(target, event);
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
        m_pKeyboardJog->OnToggleKey();
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
    m_pKeyboardJog->End();
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

void CHeadPanel::OnFocusLeft(const QWidget* widget) {
    // An arrow holds its keys while it has the focus (mouse or space bar).
    if (IsKeyHeld() && !m_pKeyboardJog->IsOn() && IsArrow(widget)) {
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
