// The condition edit window's keys and clicks: help, the function keys and keyboard jogging.
#include "ui/dialogs/CondEditDlg.h"
#include "ui/dialogs/KeyRouting.h"

#include "core/HelpContext.h"
#include "core/messages/CMessageService.h"
#include "protocol/JogKeyState.h"
#include "skin/SkinButton.h"
#include "skin/SkinRadio.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

bool CCondEditDlg::IsKeyHeld() const {
    return m_links.jog.Mask() != 0;
}

bool CCondEditDlg::eventFilter(QObject* watched, QEvent* event) {
    QWidget* widget = WidgetOfWindow(*this, watched);
    if (!m_bOpened || widget == nullptr) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!IsFirstKeyDelivery(*this, widget)) {
            break;
        }
        return FilterKey(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return FilterMouse(widget, event);
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool CCondEditDlg::FilterKey(QKeyEvent* event) {
    const int key = event->key();
    switch (key) {
    case Qt::Key_F1:
        if (m_links.showHelp) {
            m_links.showHelp(this, helpcontext::kTopicConditionEdit);
        }
        return true;
    case Qt::Key_F6:
    case Qt::Key_F8:
    case Qt::Key_F9:
        // While the head moves they are passed on as they came.
        if (m_links.jog.InputMode() == CJogKeyState::kInputArrowHeld || IsKeyHeld()) {
            return false;
        }
        if (!event->isAutoRepeat()) {
            OnFunctionKey(key);
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // In the name box Enter ends nothing; a focused button takes it as a click; elsewhere
        // it is OK. Not while the head moves.
        const QWidget* focus = QApplication::focusWidget();
        if (!IsKeyHeld() && qobject_cast<const CSkinButton*>(focus) != nullptr) {
            return false;
        }
        if (!IsKeyHeld() && focus != m_pName) {
            OnOK();
        }
        return true;
    }
    case Qt::Key_Escape:
        return IsKeyHeld();
    default:
        return false;
    }
}

void CCondEditDlg::OnFunctionKey(int key) {
    switch (key) {
    case Qt::Key_F6:
        m_pKeyboard->setFocus();
        if (m_pKeyboard->IsOn()) {
            EndKeyboardMode();
        } else {
            m_pKeyboard->SwitchOn();
        }
        break;
    case Qt::Key_F8:
        m_pTestCut->setFocus();
        OnTestCut(false);
        break;
    default:
        m_pFiveTestCut->setFocus();
        OnTestCut(true);
        break;
    }
}

bool CCondEditDlg::FilterMouse(QWidget* target, QEvent* event) {
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
        // Swallowed with its release; the toggle keeps the focus, or the key's release is lost.
        m_bSwallowRelease = true;
        m_pKeyboard->setFocus();
        return true;
    }
    if (target != m_pKeyboard) {
        EndKeyboardMode();
    }
    return false;
}

void CCondEditDlg::OnKeyboardModeChanged(int mode) {
    CJogKeyState& jog = m_links.jog;
    if (mode == CJogKeyState::kInputKeyboard) {
        jog.SetInputMode(CJogKeyState::kInputKeyboard);
        return;
    }
    jog.SetInputMode(CJogKeyState::kInputButtons);
    ShowMessage(jog.Set(0));
}

void CCondEditDlg::EndKeyboardMode() {
    m_pKeyboard->SwitchOff();
    OnKeyboardModeChanged(CJogKeyState::kInputButtons);
}

// Another window in front: keyboard jogging ends and the head stops, as its keys now go
// elsewhere. The main window's arrows were let go when this window opened over it.
void CCondEditDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_bOpened &&
        m_links.jog.InputMode() == CJogKeyState::kInputKeyboard) {
        EndKeyboardMode();
    }
}

// Closing while keys jog the head would leave it moving.
void CCondEditDlg::done(int result) {
    if (m_bOpened && m_links.jog.InputMode() == CJogKeyState::kInputKeyboard) {
        EndKeyboardMode();
    }
    qApp->removeEventFilter(this);
    m_bOpened = false;
    QDialog::done(result);
}
