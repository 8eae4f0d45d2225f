#include "skin/SkinButtonBase.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinControl.h"

#include <QEvent>
#include <QPainter>

namespace {

const QColor kCaptionColour(0, 0, 0);
const QColor kDisabledCaptionColour(178, 178, 178);
constexpr int kFocusInset = 3;

} // namespace

CSkinButtonBase::CSkinButtonBase(const CSkinFolders& folders, QWidget* dialog)
    : QPushButton(dialog), m_folders(folders) {
    // The pictures are the whole look: nothing of the style's frame shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFlat(true);
}

bool CSkinButtonBase::Attach(int id) {
    return skin::AttachControl(this, parentWidget(), id);
}

bool CSkinButtonBase::InitPictures(int x, int y, int width, int height,
                                   std::span<const std::string_view> pictures,
                                   const QString& caption, int fontHeight) {
    move(x, y);
    resize(width, height);
    if (!skin::LoadSkinPictures(m_folders, pictures, size(), m_pictures)) {
        return false;
    }
    m_strCaption = caption;
    m_nFontHeight = fontHeight;
    SyncEnabledState();
    update();
    return true;
}

int CSkinButtonBase::SetUpWith(int id, int x, int y, int width, int height,
                               std::span<const std::string_view> pictures, const QString& caption,
                               int fontHeight) {
    if (!Attach(id)) {
        return msg::kControlAttachFailed;
    }
    if (!InitPictures(x, y, width, height, pictures, caption, fontHeight)) {
        return msg::kControlPicturesFailed;
    }
    return msg::kOk;
}

void CSkinButtonBase::SetState(int state) {
    if (m_nState != state) {
        m_nState = state;
        update();
    }
}

void CSkinButtonBase::SyncEnabledState() {
    if (!isEnabled()) {
        SetState(kDisabledState);
    } else if (m_nState == kDisabledState) {
        OnEnabledAgain();
    }
}

void CSkinButtonBase::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        SyncEnabledState();
    }
    QPushButton::changeEvent(event);
}

void CSkinButtonBase::paintEvent(QPaintEvent*) {
    if (!skin::IsDialogInFront(this)) {
        OnNotInFront();
    }
    SyncEnabledState();
    QPainter painter(this);
    if (m_nState >= 0 && static_cast<std::size_t>(m_nState) < m_pictures.size()) {
        painter.drawImage(0, 0, m_pictures[static_cast<std::size_t>(m_nState)]);
    }
    if (hasFocus()) {
        painter.setPen(QPen(kCaptionColour, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
    }
    if (!m_strCaption.isEmpty()) {
        painter.setFont(skin::CaptionFont(m_nFontHeight));
        painter.setPen(m_nState == kDisabledState ? kDisabledCaptionColour : kCaptionColour);
        const QRect area = CaptionPressed() ? rect().translated(1, 1) : rect();
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, m_strCaption);
    }
}

bool CSkinButtonBase::event(QEvent* event) {
    bool swallow = false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        swallow = FilterMouse(event);
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        swallow = FilterKey(event);
        break;
    default:
        break;
    }
    if (swallow) {
        event->accept();
        return true;
    }
    return QPushButton::event(event);
}
