// The condition edit window's keys and clicks: help, the function keys and keyboard jogging.
#include "ui/dialogs/common/KeyRouting.h"
#include "ui/dialogs/conditions/CondEditDlg.h"

#include "core/HelpContext.h"
#include "protocol/JogKeyState.h"
#include "skin/SkinButton.h"
#include "ui/dialogs/common/KeyboardJog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

bool CCondEditDlg::IsKeyHeld() const {
    return m_pKeyboardJog->IsKeyHeld();
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
        return m_pKeyboardJog->FilterMouse(widget, event);
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
        m_pKeyboardJog->OnToggleKey();
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

// Hiding the window ends keyboard jogging (CKeyboardJog).
void CCondEditDlg::done(int result) {
    qApp->removeEventFilter(this);
    m_bOpened = false;
    QDialog::done(result);
}
