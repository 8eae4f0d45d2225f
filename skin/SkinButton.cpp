#include "skin/SkinButton.h"

#include "core/messages/MessageCodes.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

enum : int { kReleased = 0, kPressedOutside = 1, kPressedInside = 2 };

} // namespace

CSkinButton::CSkinButton(const CSkinFolders& folders, QWidget* dialog)
    : CSkinButtonBase(folders, dialog) {}

const skin::ButtonKind* CSkinButton::Kind(int kind) const {
    if (kind < 0 || static_cast<std::size_t>(kind) >= skin::kButtonKinds.size()) {
        return nullptr;
    }
    return &skin::kButtonKinds[static_cast<std::size_t>(kind)];
}

bool CSkinButton::Init(int x, int y, int kind, const QString& caption, int fontHeight) {
    const skin::ButtonKind* table = Kind(kind);
    if (table == nullptr) {
        return false;
    }
    KindChosen(kind);
    return InitPictures(x, y, table->width, table->height, table->pictures, caption, fontHeight);
}

int CSkinButton::SetUp(int id, int x, int y, int kind, const QString& caption, int fontHeight) {
    if (!Attach(id)) {
        return msg::kControlAttachFailed;
    }
    return Init(x, y, kind, caption, fontHeight) ? msg::kOk : msg::kControlPicturesFailed;
}

bool CSkinButton::IsHeld() const {
    return State() == kPressedInside || State() == kPressedOutside;
}

void CSkinButton::LetGo() {
    if (IsHeld()) {
        SetState(kReleased);
        OnReleased();
    }
}

bool CSkinButton::FilterMouse(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const bool inside = PointerInside(mouse->position());
    if (event->type() == QEvent::MouseMove) {
        if (State() == kPressedInside && !inside) {
            SetState(kPressedOutside);
        } else if (State() == kPressedOutside && inside) {
            SetState(kPressedInside);
        }
        return false;
    }
    if (mouse->button() == Qt::RightButton) {
        return true;
    }
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (State() == kPressedInside || State() == kPressedOutside) {
            SetState(kReleased);
            OnReleased();
        }
        return false;
    }
    SetState(inside ? kPressedInside : kPressedOutside);
    OnPressed();
    return false;
}

bool CSkinButton::FilterKey(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool down = event->type() == QEvent::KeyPress;
    if (key->key() == Qt::Key_Space) {
        if (down) {
            // A held space bar repeats key-downs: only the first one presses.
            if (State() != kReleased) {
                return true;
            }
            SetState(kPressedInside);
            OnPressed();
        } else if (State() == kPressedInside && !key->isAutoRepeat()) {
            SetState(kReleased);
            OnReleased();
        }
        return false;
    }
    if (!down) {
        return true;
    }
    if (key->key() == Qt::Key_F1) {
        LetGo();
        update();
        return false;
    }
    return State() != kReleased;
}
