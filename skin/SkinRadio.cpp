#include "skin/SkinRadio.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinKinds.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

enum : int {
    kOff = 0,
    kOffPressedOutside = 1,
    kOffPressedInside = 2,
    kOnState = 4,
    kOnPressedOutside = 5,
    kOnPressedInside = 6
};

constexpr int kJogModeKeyboard = 2;
constexpr int kJogModeIdle = 0;

// Jog key bits of the keys the toggle turns into jog keys.
int JogBit(int key) {
    switch (key) {
    case Qt::Key_Down:
        return 1;
    case Qt::Key_Up:
        return 2;
    case Qt::Key_Left:
        return 4;
    case Qt::Key_Right:
        return 8;
    case Qt::Key_Control:
        return 16;
    case Qt::Key_Shift:
        return 32;
    default:
        return 0;
    }
}

} // namespace

CSkinRadio::CSkinRadio(const CSkinFolders& folders, QWidget* dialog)
    : CSkinButtonBase(folders, dialog) {}

bool CSkinRadio::Init(int x, int y, int kind, const QString& caption, int fontHeight) {
    if (kind < 0 || static_cast<std::size_t>(kind) >= skin::kToggleKinds.size()) {
        return false;
    }
    const skin::ToggleKind& table = skin::kToggleKinds[static_cast<std::size_t>(kind)];
    return InitPictures(x, y, table.width, table.height, table.pictures, caption, fontHeight);
}

int CSkinRadio::SetUp(int id, int x, int y, int kind, const QString& caption, int fontHeight) {
    if (!Attach(id)) {
        return msg::kControlAttachFailed;
    }
    return Init(x, y, kind, caption, fontHeight) ? msg::kOk : msg::kControlPicturesFailed;
}

void CSkinRadio::SwitchOn() {
    SetState(kOnState);
    emit JogModeChanged(kJogModeKeyboard);
}

void CSkinRadio::SwitchOff() {
    m_bMousePressed = false;
    m_bSpacePressed = false;
    const bool wasOn = IsOn();
    SetState(isEnabled() ? kOff : kDisabledState);
    if (wasOn) {
        emit JogModeChanged(kJogModeIdle);
    }
}

void CSkinRadio::LetGo() {
    if (!IsHeld()) {
        return;
    }
    m_bMousePressed = false;
    m_bSpacePressed = false;
    SetState(State() >= kOnState ? kOnState : kOff);
}

void CSkinRadio::Settle(int state) {
    SetState(state);
    emit JogModeChanged(state == kOnState ? kJogModeKeyboard : kJogModeIdle);
}

void CSkinRadio::changeEvent(QEvent* event) {
    // A disabled toggle cannot keep keyboard jog mode on: its picture would say off while
    // the head still follows the keys.
    if (event->type() == QEvent::EnabledChange && !isEnabled() && State() != kOff &&
        State() != kDisabledState) {
        SwitchOff();
    }
    CSkinButtonBase::changeEvent(event);
}

bool CSkinRadio::FilterMouse(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (m_bSpacePressed) {
        return true;
    }
    const bool inside = PointerInside(mouse->position());
    if (event->type() == QEvent::MouseMove) {
        if (m_bMousePressed) {
            if (State() == kOffPressedInside && !inside) {
                SetState(kOffPressedOutside);
            } else if (State() == kOffPressedOutside && inside) {
                SetState(kOffPressedInside);
            } else if (State() == kOnPressedInside && !inside) {
                SetState(kOnPressedOutside);
            } else if (State() == kOnPressedOutside && inside) {
                SetState(kOnPressedInside);
            }
        }
        return false;
    }
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (!m_bMousePressed) {
            return false;
        }
        m_bMousePressed = false;
        // Released inside turns it over; released outside leaves it as it was.
        if (State() == kOffPressedInside || State() == kOnPressedOutside) {
            Settle(kOnState);
        } else if (State() == kOffPressedOutside || State() == kOnPressedInside) {
            Settle(kOff);
        }
        return false;
    }
    if (inside) {
        m_bMousePressed = true;
        SetState(State() == kOnState ? kOnPressedInside : kOffPressedInside);
    }
    return false;
}

bool CSkinRadio::FilterKey(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool down = event->type() == QEvent::KeyPress;
    const bool pressed = m_bMousePressed || m_bSpacePressed;
    if (key->key() == Qt::Key_Space) {
        if (down) {
            // Only the first of a held space bar's key-downs presses; repeats would turn an
            // "on" press into an "off" one and leave the toggle on when let go.
            if (pressed) {
                return true;
            }
            m_bSpacePressed = true;
            SetState(State() == kOnState ? kOnPressedInside : kOffPressedInside);
        } else if (m_bSpacePressed && !key->isAutoRepeat()) {
            m_bSpacePressed = false;
            if (State() == kOffPressedInside) {
                Settle(kOnState);
            } else if (State() == kOnPressedInside) {
                Settle(kOff);
            }
        }
        return false;
    }
    if (key->key() == Qt::Key_F1 && down) {
        LetGo();
        return false;
    }
    const int bit = JogBit(key->key());
    if (bit == 0) {
        // While held, the toggle's press is not finished: no other key acts.
        return pressed;
    }
    if (!down && pressed) {
        return true;
    }
    if (State() == kOnState && hasFocus()) {
        if (!key->isAutoRepeat()) {
            if (down) {
                emit JogKeyPressed(bit);
            } else {
                emit JogKeyReleased(bit);
            }
        }
        // Jog keys move the head, not the focus.
        return true;
    }
    return false;
}
