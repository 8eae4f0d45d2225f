#include "skin/SkinCombo.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinControl.h"
#include "skin/SkinKinds.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

enum : int { kNormal = 0, kPressed = 1, kDisabled = 2 };

constexpr int kTextMargin = 2;

// Items of the dropped list: one line each, vertically centred, the system's highlight for the
// selected one and a focus rectangle on the focused one.
class CSkinComboItemDelegate : public QStyledItemDelegate {
public:
    // The heights are the combo's own, read when an item is measured or drawn.
    CSkinComboItemDelegate(const int& itemHeight, const int& fontHeight, QObject* parent)
        : QStyledItemDelegate(parent), m_nItemHeight(itemHeight), m_nFontHeight(fontHeight) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_nItemHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& colours = option.palette;
        painter->fillRect(option.rect,
                          colours.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(skin::CaptionFont(m_nFontHeight));
        painter->drawText(option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(colours.color(QPalette::Text), 1, Qt::DotLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
    }

private:
    const int& m_nItemHeight;
    const int& m_nFontHeight;
};

} // namespace

CSkinCombo::CSkinCombo(const CSkinFolders& folders, QWidget* dialog)
    : QComboBox(dialog), m_folders(folders) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    view()->setItemDelegate(new CSkinComboItemDelegate(m_nItemHeight, m_nFontHeight, view()));
}

bool CSkinCombo::Init(int x, int y, int kind, int fontHeight) {
    if (kind < 0 || static_cast<std::size_t>(kind) >= skin::kComboKinds.size()) {
        return false;
    }
    const skin::ComboKind& table = skin::kComboKinds[static_cast<std::size_t>(kind)];
    move(x, y);
    // The kind's height is that of the closed box's face; the dropped list is the combo's own.
    setFixedHeight(table.height);
    resize(table.width, table.height);
    if (!skin::LoadSkinPictures(m_folders, table.pictures, size(), m_pictures)) {
        return false;
    }
    m_nItemHeight = table.height;
    m_nFontHeight = fontHeight;
    SyncEnabledState();
    update();
    return true;
}

int CSkinCombo::SetUp(int id, int x, int y, int kind, int fontHeight) {
    if (!skin::AttachControl(this, parentWidget(), id)) {
        return msg::kControlAttachFailed;
    }
    return Init(x, y, kind, fontHeight) ? msg::kOk : msg::kControlPicturesFailed;
}

void CSkinCombo::ResetContent() {
    m_items.clear();
    clear();
}

void CSkinCombo::AddString(const QString& text) {
    m_items.append(text);
    addItem(text);
}

void CSkinCombo::SetState(int state) {
    if (m_nState != state) {
        m_nState = state;
        update();
    }
}

void CSkinCombo::SyncEnabledState() {
    if (!isEnabled()) {
        SetState(kDisabled);
    } else if (m_nState == kDisabled) {
        SetState(kNormal);
    }
}

void CSkinCombo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        SyncEnabledState();
    }
    QComboBox::changeEvent(event);
}

void CSkinCombo::hidePopup() {
    QComboBox::hidePopup();
    if (m_nState == kPressed) {
        SetState(kNormal);
    }
    // Return or Enter that chooses an item closes the list before the key itself is
    // delivered; it then reaches the box, and the window would take it as OK as well. An
    // application filter installed now runs before the windows' own filters.
    if (!m_bSwallowChoiceKey) {
        m_bSwallowChoiceKey = true;
        qApp->installEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            qApp->removeEventFilter(this);
            m_bSwallowChoiceKey = false;
        });
    }
}

bool CSkinCombo::eventFilter(QObject* watched, QEvent* event) {
    if (m_bSwallowChoiceKey && watched == this && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

bool CSkinCombo::event(QEvent* event) {
    if (FilterInput(event)) {
        event->accept();
        return true;
    }
    return QComboBox::event(event);
}

bool CSkinCombo::FilterInput(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_nState == kNormal &&
            rect().contains(mouse->position().toPoint())) {
            SetState(kPressed);
        }
        return false;
    }
    case QEvent::MouseMove:
        if (m_nState == kPressed &&
            !rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            SetState(kNormal);
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (m_nState == kPressed && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            SetState(kNormal);
        }
        return false;
    case QEvent::FocusOut:
        // Dropping the list moves the focus to it; that is still the pressed box.
        if (m_nState == kPressed &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
            !view()->window()->isVisible()) {
            SetState(kNormal);
        }
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (m_nState == kNormal) {
            return false;
        }
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            if (event->type() == QEvent::KeyPress) {
                SetState(kNormal);
            }
            return false;
        }
        return true;
    default:
        return false;
    }
}

void CSkinCombo::paintEvent(QPaintEvent*) {
    SyncEnabledState();
    QPainter painter(this);
    if (static_cast<std::size_t>(m_nState) < m_pictures.size()) {
        painter.drawImage(0, 0, m_pictures[static_cast<std::size_t>(m_nState)]);
    }
    const int selected = currentIndex();
    if (m_items.isEmpty() || m_nState == kDisabled || selected < 0 || selected >= m_items.size()) {
        return;
    }
    // The text stays clear of the drop button, a square at the right end of the face.
    const QRect field(kTextMargin, 0, width() - height() - 2 * kTextMargin, height());
    painter.setFont(skin::CaptionFont(m_nFontHeight));
    painter.setPen(palette().color(QPalette::Text));
    painter.setBackground(palette().color(QPalette::Base));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.drawText(field, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     m_items[selected]);
}
