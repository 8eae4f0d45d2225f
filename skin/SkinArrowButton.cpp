#include "skin/SkinArrowButton.h"

#include <QKeyEvent>

#include <array>

namespace {

constexpr std::array<int, 4> kDirections{CSkinArrowButton::kJogUp, CSkinArrowButton::kJogDown,
                                         CSkinArrowButton::kJogLeft, CSkinArrowButton::kJogRight};

int ModifierBit(int key) {
    if (key == Qt::Key_Shift) {
        return CSkinArrowButton::kJogShift;
    }
    if (key == Qt::Key_Control) {
        return CSkinArrowButton::kJogCtrl;
    }
    return 0;
}

} // namespace

CSkinArrowButton::CSkinArrowButton(const CSkinFolders& folders, QWidget* dialog)
    : CSkinButton(folders, dialog) {
    // Holding an arrow moves the head; the button itself must not repeat clicks.
    setAutoRepeat(false);
}

const skin::ButtonKind* CSkinArrowButton::Kind(int kind) const {
    if (kind < 0 || static_cast<std::size_t>(kind) >= skin::kArrowKinds.size()) {
        return nullptr;
    }
    return &skin::kArrowKinds[static_cast<std::size_t>(kind)];
}

void CSkinArrowButton::KindChosen(int kind) {
    m_nDirection = kDirections[static_cast<std::size_t>(kind)];
}

void CSkinArrowButton::OnPressed() {
    emit JogPressed(m_nDirection);
}

void CSkinArrowButton::OnReleased() {
    emit JogReleased(m_nDirection);
}

bool CSkinArrowButton::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (const int bit = ModifierBit(key->key()); bit != 0 && !key->isAutoRepeat()) {
            if (event->type() == QEvent::KeyPress) {
                emit JogPressed(bit);
            } else {
                emit JogReleased(bit);
            }
        }
    }
    return CSkinButton::event(event);
}
