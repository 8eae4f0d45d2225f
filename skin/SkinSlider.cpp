#include "skin/SkinSlider.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinControl.h"
#include "skin/SkinKinds.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace skin {

int SliderKnobX(int value, int min, int max, int a, int knobRight) {
    if (max <= min) {
        // An empty range has one place for the knob; dividing by it would fail.
        return a;
    }
    const double x = static_cast<double>(value - min) * (knobRight - a) / (max - min) + a + 0.5;
    return std::clamp(static_cast<int>(x), a, knobRight);
}

int SliderDragValue(int pointerX, int pressX, int pressValue, int min, int max, int a,
                    int knobRight) {
    if (max <= min || knobRight <= a) {
        return min;
    }
    const double value =
        static_cast<double>(max - min) / (knobRight - a) * (pointerX - pressX) + pressValue;
    const double clamped =
        std::clamp(std::round(value), static_cast<double>(min), static_cast<double>(max));
    return static_cast<int>(clamped);
}

} // namespace skin

namespace {

constexpr int kLeftTimer = 0, kRightTimer = 1, kPageLeftTimer = 2, kPageRightTimer = 3;

} // namespace

CSkinSlider::CSkinSlider(const CSkinFolders& folders, QWidget* dialog)
    : QScrollBar(Qt::Horizontal, dialog), m_folders(folders) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Scroll bars of the dialogs never take the focus; keys and the wheel go to the dialog.
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    for (int i = 0; i < static_cast<int>(m_timers.size()); ++i) {
        m_timers[static_cast<std::size_t>(i)].setSingleShot(true);
        connect(&m_timers[static_cast<std::size_t>(i)], &QTimer::timeout, this,
                [this, i] { OnTimer(i); });
    }
}

bool CSkinSlider::Init(int x, int y, int kind) {
    if (kind < 0 || static_cast<std::size_t>(kind) >= skin::kSliderKinds.size()) {
        return false;
    }
    const skin::SliderKind& table = skin::kSliderKinds[static_cast<std::size_t>(kind)];
    move(x, y);
    resize(table.width, table.height);
    const std::span<const std::string_view> all(table.pictures);
    std::vector<QImage> faces;
    std::vector<QImage> knob;
    if (!skin::LoadSkinPictures(m_folders, all.first(skin::kSliderKnobPicture), size(), faces) ||
        !skin::LoadSkinPictures(m_folders, all.subspan(skin::kSliderKnobPicture, 1),
                                QSize(table.height, table.height), knob)) {
        return false;
    }
    faces.push_back(std::move(knob.front()));
    m_pictures = std::move(faces);
    SetState(isEnabled() ? kIdle : kDisabled);
    update();
    return true;
}

int CSkinSlider::SetUp(int id, int x, int y, int kind) {
    if (!skin::AttachControl(this, parentWidget(), id)) {
        return msg::kControlAttachFailed;
    }
    return Init(x, y, kind) ? msg::kOk : msg::kControlPicturesFailed;
}

int CSkinSlider::KnobX() const {
    if (m_nState == kDragging) {
        return m_nDragKnobX;
    }
    return skin::SliderKnobX(value(), minimum(), maximum(), ArrowWidth(), KnobRight());
}

int CSkinSlider::ValueAtKnob(int knobX) const {
    const int a = ArrowWidth();
    if (maximum() <= minimum() || KnobRight() <= a) {
        return minimum();
    }
    const double value =
        static_cast<double>(knobX - a) * (maximum() - minimum()) / (KnobRight() - a) + minimum();
    return std::clamp(static_cast<int>(std::round(value)), minimum(), maximum());
}

void CSkinSlider::SetState(int state) {
    if (m_nState != state) {
        m_nState = state;
        update();
    }
}

void CSkinSlider::StartTimer(int timer, int ms) {
    m_timers[static_cast<std::size_t>(timer)].start(ms);
}

void CSkinSlider::StopTimers() {
    for (QTimer& timer : m_timers) {
        timer.stop();
    }
}

bool CSkinSlider::OnHeldPart(int heldState, QPoint pointer) const {
    const int a = ArrowWidth();
    if (pointer.y() < 0 || pointer.y() >= height()) {
        return false;
    }
    const int x = pointer.x();
    const int knob = KnobX();
    switch (heldState) {
    case kLeftHeld:
        return x >= 0 && x <= a;
    case kRightHeld:
        return x >= width() - a && x < width();
    case kPageLeftHeld:
        return x > a && x < knob;
    case kPageRightHeld:
        return x >= knob + a && x < width() - a;
    default:
        return false;
    }
}

void CSkinSlider::Press(QPoint pointer, bool shift) {
    const int a = ArrowWidth();
    const int x = pointer.x();
    const int knob = KnobX();
    m_ptPointer = pointer;
    if (shift && x > a && x < width() - a) {
        // The knob jumps under the pointer and is dragged from there.
        m_nDragKnobX = std::clamp(x - a / 2, a, KnobRight());
        m_nPressX = x;
        m_nPressKnobX = m_nDragKnobX;
        m_nPressValue = ValueAtKnob(m_nDragKnobX);
        m_nDragValue = m_nPressValue;
        SetState(kDragging);
        emit Scrolled(ScrollRequest::ThumbTrack, m_nDragValue);
    } else if (x >= knob && x < knob + a) {
        m_nDragKnobX = knob;
        m_nPressX = x;
        m_nPressKnobX = knob;
        m_nPressValue = value();
        m_nDragValue = m_nPressValue;
        SetState(kDragging);
    } else if (x <= a) {
        SetState(kLeftHeld);
        emit Scrolled(ScrollRequest::LineLeft, value());
        StartTimer(kLeftTimer, kFirstRepeatMs);
    } else if (x >= width() - a) {
        SetState(kRightHeld);
        emit Scrolled(ScrollRequest::LineRight, value());
        StartTimer(kRightTimer, kFirstRepeatMs);
    } else if (x < knob) {
        SetState(kPageLeftHeld);
        emit Scrolled(ScrollRequest::PageLeft, value());
        StartTimer(kPageLeftTimer, kFirstRepeatMs);
    } else {
        SetState(kPageRightHeld);
        emit Scrolled(ScrollRequest::PageRight, value());
        StartTimer(kPageRightTimer, kFirstRepeatMs);
    }
}

void CSkinSlider::Release() {
    const bool dragging = m_nState == kDragging;
    StopTimers();
    SetState(isEnabled() ? kIdle : kDisabled);
    if (dragging) {
        emit Scrolled(ScrollRequest::ThumbPosition, m_nDragValue);
    }
    update();
}

void CSkinSlider::OnTimer(int timer) {
    if (!skin::IsDialogInFront(this)) {
        Release();
        return;
    }
    const int x = m_ptPointer.x();
    const int knob = KnobX();
    ScrollRequest request = ScrollRequest::LineLeft;
    bool send = false;
    switch (timer) {
    case kLeftTimer:
        send = m_nState == kLeftHeld;
        request = ScrollRequest::LineLeft;
        break;
    case kRightTimer:
        send = m_nState == kRightHeld;
        request = ScrollRequest::LineRight;
        break;
    case kPageLeftTimer:
        // Paging stops once the knob has reached the pointer.
        send = m_nState == kPageLeftHeld && x < knob;
        request = ScrollRequest::PageLeft;
        break;
    case kPageRightTimer:
        send = m_nState == kPageRightHeld && x >= knob + ArrowWidth();
        request = ScrollRequest::PageRight;
        break;
    default:
        return;
    }
    if (send) {
        emit Scrolled(request, value());
        StartTimer(timer, kNextRepeatMs);
    } else {
        // The repetition lapses; a pointer move back onto the part starts it again.
        m_timers[static_cast<std::size_t>(timer)].stop();
    }
}

bool CSkinSlider::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        // Another window came to the front while the slider was held: let go, take nothing.
        if (!skin::IsDialogInFront(this)) {
            if (m_nState != kIdle && m_nState != kDisabled) {
                Release();
            }
            event->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QScrollBar::event(event);
}

void CSkinSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    Press(event->position().toPoint(), event->modifiers() & Qt::ShiftModifier);
}

void CSkinSlider::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void CSkinSlider::mouseMoveEvent(QMouseEvent* event) {
    m_ptPointer = event->position().toPoint();
    if (m_nState == kDragging) {
        const int a = ArrowWidth();
        m_nDragKnobX = std::clamp(m_nPressKnobX + (m_ptPointer.x() - m_nPressX), a, KnobRight());
        const int dragged = skin::SliderDragValue(m_ptPointer.x(), m_nPressX, m_nPressValue,
                                                  minimum(), maximum(), a, KnobRight());
        if (dragged != m_nDragValue) {
            m_nDragValue = dragged;
            emit Scrolled(ScrollRequest::ThumbTrack, m_nDragValue);
        }
        update();
        return;
    }
    // Each held part and its "pointer away" twin, with the part's timer.
    struct HeldPart {
        int held;
        int away;
        int timer;
    };
    static constexpr std::array<HeldPart, 4> kParts{
        {{kLeftHeld, kLeftAway, kLeftTimer},
         {kRightHeld, kRightAway, kRightTimer},
         {kPageLeftHeld, kPageLeftAway, kPageLeftTimer},
         {kPageRightHeld, kPageRightAway, kPageRightTimer}}};
    for (const HeldPart& part : kParts) {
        const bool on = OnHeldPart(part.held, m_ptPointer);
        if (m_nState == part.held && !on) {
            SetState(part.away);
            m_timers[static_cast<std::size_t>(part.timer)].stop();
        } else if (m_nState == part.away && on) {
            SetState(part.held);
            StartTimer(part.timer, kNextRepeatMs);
        }
    }
}

void CSkinSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (m_nState != kIdle && m_nState != kDisabled) {
        Release();
    }
}

void CSkinSlider::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void CSkinSlider::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

void CSkinSlider::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            StopTimers();
            SetState(kDisabled);
        } else if (m_nState == kDisabled) {
            SetState(kIdle);
        }
    }
    QScrollBar::changeEvent(event);
}

void CSkinSlider::paintEvent(QPaintEvent*) {
    if (m_pictures.size() != skin::kSliderPictures) {
        return;
    }
    const int state = isEnabled() ? m_nState : static_cast<int>(kDisabled);
    QPainter painter(this);
    painter.drawImage(0, 0, m_pictures[static_cast<std::size_t>(state)]);
    if (state == kDisabled) {
        return;
    }
    const int a = ArrowWidth();
    const int knob = KnobX();
    if (state == kPageLeftHeld) {
        painter.fillRect(QRect(a, 0, knob - a, height()), Qt::black);
    } else if (state == kPageRightHeld) {
        painter.fillRect(QRect(knob + a, 0, width() - a - (knob + a), height()), Qt::black);
    }
    painter.drawImage(knob, 0, m_pictures[skin::kSliderKnobPicture]);
}
