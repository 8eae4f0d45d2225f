// The head panel: jogging by arrow buttons and keyboard, the function keys, origin, cross cut
// and test cut.
#include "ui/main/ControllerDlg.h"

#include "core/LanguageSet.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "protocol/JogKeyState.h"
#include "protocol/PlotterCommands.h"
#include "skin/SkinArrowButton.h"
#include "skin/SkinButton.h"
#include "skin/SkinRadio.h"
#include "ui/main/ControlIds.h"
#include "ui/main/MessageDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

constexpr int kDirections =
    CJogKeyState::kDown | CJogKeyState::kUp | CJogKeyState::kLeft | CJogKeyState::kRight;

} // namespace

bool CControllerDlg::IsKeyHeld() const {
    return m_links.jog.Mask() != 0;
}

void CControllerDlg::OnArrowPressed(int bits) {
    CJogKeyState& jog = m_links.jog;
    if ((bits & kDirections) == 0) {
        jog.Press(bits); // Shift or Ctrl while an arrow button has the focus
        return;
    }
    if (jog.InputMode() == CJogKeyState::kInputKeyboard) {
        EndKeyboardMode();
    }
    if (jog.Press(bits)) {
        jog.SetInputMode(CJogKeyState::kInputArrowHeld);
    }
}

void CControllerDlg::OnArrowReleased(int bits) {
    CJogKeyState& jog = m_links.jog;
    jog.Release(bits);
    if ((bits & kDirections) != 0) {
        jog.SetInputMode(CJogKeyState::kInputButtons);
    }
}

void CControllerDlg::OnKeyboardModeChanged(int mode) {
    CJogKeyState& jog = m_links.jog;
    if (mode == CJogKeyState::kInputKeyboard) {
        jog.SetInputMode(CJogKeyState::kInputKeyboard);
        return;
    }
    jog.SetInputMode(CJogKeyState::kInputButtons);
    jog.Set(0);
}

void CControllerDlg::EndKeyboardMode() {
    m_pKeyboard->SwitchOff();
    OnKeyboardModeChanged(CJogKeyState::kInputButtons);
}

bool CControllerDlg::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!m_bOpened || widget == nullptr || widget->window() != this) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        // A key travels up to the parents it is not handled by; act on it only once.
        const QWidget* focus = QApplication::focusWidget();
        if (widget != (focus != nullptr ? focus : this)) {
            break;
        }
        return FilterKey(static_cast<QKeyEvent*>(event));
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return FilterMouse(widget, event);
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool CControllerDlg::FilterMouse(QWidget* target, QEvent* event) {
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool swallow = m_bSwallowRelease;
        m_bSwallowRelease = false;
        return swallow;
    }
    if (m_links.jog.InputMode() != CJogKeyState::kInputKeyboard) {
        return false;
    }
    if (IsKeyHeld()) {
        // A click while a jog key is held is swallowed, and so is its release. The click has
        // already moved the focus; the toggle keeps it, or the key's release would be lost.
        m_bSwallowRelease = true;
        m_pKeyboard->setFocus();
        return true;
    }
    if (target != m_pKeyboard) {
        EndKeyboardMode();
    }
    return false;
}

bool CControllerDlg::FilterKey(QKeyEvent* event) {
    const int key = event->key();
    switch (key) {
    case Qt::Key_F1:
        OnHelp();
        return true;
    case Qt::Key_F5:
    case Qt::Key_F6:
    case Qt::Key_F7:
    case Qt::Key_F8:
        // Swallowed while the head moves.
        if (!event->isAutoRepeat() && m_links.jog.InputMode() != CJogKeyState::kInputArrowHeld &&
            !IsKeyHeld()) {
            OnFunctionKey(key);
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QWidget* focus = QApplication::focusWidget();
        if (IsKeyHeld() || focus == Control(ctl::kDistanceX) || focus == Control(ctl::kDistanceY)) {
            return true;
        }
        OnOK();
        return true;
    }
    case Qt::Key_Escape:
        if (!IsKeyHeld()) {
            OnCancel();
        }
        return true;
    default:
        return false;
    }
}

void CControllerDlg::OnFunctionKey(int key) {
    switch (key) {
    case Qt::Key_F5:
        m_buttons.at(ctl::kOrigin)->setFocus();
        OnOrigin();
        break;
    case Qt::Key_F6:
        m_pKeyboard->setFocus();
        if (m_pKeyboard->IsOn()) {
            EndKeyboardMode();
        } else {
            m_pKeyboard->SwitchOn();
        }
        break;
    case Qt::Key_F8:
        m_buttons.at(ctl::kTestCut)->setFocus();
        OnTestCut();
        break;
    default:
        // F7 reads the marks, which this window does not offer yet.
        break;
    }
}

void CControllerDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow() || !m_bOpened) {
        return;
    }
    CJogKeyState& jog = m_links.jog;
    if (jog.InputMode() == CJogKeyState::kInputKeyboard) {
        EndKeyboardMode();
    } else if (jog.InputMode() == CJogKeyState::kInputArrowHeld) {
        // The release of a held arrow goes to another window now: stop the head here.
        jog.SetInputMode(CJogKeyState::kInputButtons);
        jog.Set(0);
    }
    for (const auto& [id, arrow] : m_arrows) {
        arrow->ResetState();
    }
}

void CControllerDlg::OnOrigin() {
    if (const int moved = m_links.commands.MoveToOrigin(CheckQueues(), true); moved != msg::kOk) {
        ShowMessage(moved);
    }
}

void CControllerDlg::OnCrossCut() {
    if (!ConfirmMessage(msg::kConfirmCrossCut)) {
        return;
    }
    if (const int cut = m_links.commands.CrossCut(CheckQueues(), true); cut != msg::kOk) {
        ShowMessage(cut);
    }
}

void CControllerDlg::OnTestCut() {
    if (!m_buttons.at(ctl::kTestCut)->isEnabled() || !ConfirmMessage(msg::kConfirmTestCut)) {
        return;
    }
    const int started = m_links.commands.TestCut(nullptr, false, false, CheckQueues(), true);
    if (started != msg::kOk) {
        ShowMessage(started);
        return;
    }
    CMessageDlg progress(m_links.queries, m_folders, m_links.language.GetTextHeight(), this);
    progress.exec();
}
