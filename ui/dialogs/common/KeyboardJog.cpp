#include "ui/dialogs/common/KeyboardJog.h"

#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "protocol/JogKeyState.h"
#include "skin/SkinRadio.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QWidget>

void ShowJogFailure(int code) {
    if (code != msg::kOk) {
        ShowMessage(code);
    }
}

CKeyboardJog::CKeyboardJog(QWidget& window, CSkinRadio& toggle, CJogKeyState& jog)
    : m_window(window), m_toggle(toggle), m_jog(jog) {
    connect(&m_toggle, &CSkinRadio::JogModeChanged, this, &CKeyboardJog::OnModeChanged);
    connect(&m_toggle, &CSkinRadio::JogKeyPressed, this,
            [this](int bits) { ShowJogFailure(m_jog.Press(bits)); });
    connect(&m_toggle, &CSkinRadio::JogKeyReleased, this,
            [this](int bits) { ShowJogFailure(m_jog.Release(bits)); });
    m_window.installEventFilter(this);
    m_toggle.installEventFilter(this);
}

CKeyboardJog::~CKeyboardJog() {
    End();
}

bool CKeyboardJog::IsKeyHeld() const {
    return m_jog.Mask() != 0;
}

bool CKeyboardJog::IsOn() const {
    return m_jog.InputMode() == CJogKeyState::kInputKeyboard;
}

void CKeyboardJog::OnToggleKey() {
    m_toggle.setFocus();
    if (m_toggle.IsOn()) {
        End();
    } else {
        m_toggle.SwitchOn();
    }
}

void CKeyboardJog::End() {
    if (!IsOn()) {
        return;
    }
    m_toggle.SwitchOff();
    // Also when the toggle was off already: the mode and the keys go with it.
    OnModeChanged(CJogKeyState::kInputButtons);
}

void CKeyboardJog::OnModeChanged(int mode) {
    if (mode == CJogKeyState::kInputKeyboard) {
        m_jog.SetInputMode(CJogKeyState::kInputKeyboard);
        return;
    }
    m_jog.SetInputMode(CJogKeyState::kInputButtons);
    ShowJogFailure(m_jog.Set(0));
}

bool CKeyboardJog::FilterMouse(QWidget* target, QEvent* event) {
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool swallow = m_bSwallowRelease;
        m_bSwallowRelease = false;
        return swallow;
    }
    if (!IsOn()) {
        return false;
    }
    if (IsKeyHeld()) {
        // The click has already moved the focus; the toggle takes it back, or the key's
        // release would go elsewhere.
        m_bSwallowRelease = true;
        m_toggle.setFocus();
        return true;
    }
    if (target != &m_toggle) {
        End();
    }
    return false;
}

bool CKeyboardJog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_toggle && event->type() == QEvent::FocusOut) {
        // A click elsewhere is swallowed and gives the focus back (FilterMouse); any other way
        // out would lose the held key's release.
        if (IsOn() && IsKeyHeld() &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
            ShowJogFailure(m_jog.Set(0));
        }
    } else if (watched == &m_window) {
        // The keys go elsewhere from now on.
        const bool left = event->type() == QEvent::Hide ||
                          (event->type() == QEvent::ActivationChange && !m_window.isActiveWindow());
        if (left) {
            End();
        }
    }
    return QObject::eventFilter(watched, event);
}
