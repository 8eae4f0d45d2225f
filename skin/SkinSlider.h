#pragma once

// A skinned horizontal scroll bar: a track with an arrow at each end and a square knob.
// It never sets its own position: every press asks the window through Scrolled(); the window
// computes the new value and sets it with setValue(), and the slider redraws.
//
// States: 0 idle; 3/1 left arrow held with the pointer on it / away; 4/2 the same for the
// right arrow; 7/5 track left of the knob held, pointer there / away; 8/6 the same right of
// the knob; 9 knob dragged; 10 disabled.

#include "skin/SkinFolders.h"

#include <QImage>
#include <QScrollBar>
#include <QTimer>

#include <array>
#include <vector>

enum class ScrollRequest { LineLeft, LineRight, PageLeft, PageRight, ThumbTrack, ThumbPosition };

namespace skin {

// Left edge of the knob for value in min..max, the knob moving from a to knobRight.
int SliderKnobX(int value, int min, int max, int a, int knobRight);
// The value a drag reaches: the value at the press moved by the pointer's way since the press,
// rounded half away from zero and kept within min..max.
int SliderDragValue(int pointerX, int pressX, int pressValue, int min, int max, int a,
                    int knobRight);

} // namespace skin

class CSkinSlider : public QScrollBar {
    Q_OBJECT
public:
    enum State : int {
        kIdle = 0,
        kLeftAway = 1,
        kRightAway = 2,
        kLeftHeld = 3,
        kRightHeld = 4,
        kPageLeftAway = 5,
        kPageRightAway = 6,
        kPageLeftHeld = 7,
        kPageRightHeld = 8,
        kDragging = 9,
        kDisabled = 10
    };
    // Repeat timers: 0 left arrow, 1 right arrow, 2 page left, 3 page right.
    static constexpr int kFirstRepeatMs = 300;
    static constexpr int kNextRepeatMs = 50;

    CSkinSlider(const CSkinFolders& folders, QWidget* dialog);

    // Attach and Init in one: 0, 1014 or 1015.
    [[nodiscard]] int SetUp(int id, int x, int y, int kind);
    bool Init(int x, int y, int kind);
    void Redraw() { update(); }

    int State() const { return m_nState; }
    int ArrowWidth() const { return height(); }
    int KnobRight() const { return width() - 2 * ArrowWidth(); }
    // Where the knob is drawn now: under the pointer while dragged, else at the value.
    int KnobX() const;
    const QImage& Picture(int index) const { return m_pictures.at(index); }

    // A repeat timer's tick. Public so that the repetition can be driven step by step.
    void OnTimer(int timer);
    const QTimer& RepeatTimer(int timer) const { return m_timers.at(timer); }

signals:
    void Scrolled(ScrollRequest request, int value);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Press(QPoint pointer, bool shift);
    void Release();
    void StartTimer(int timer, int ms);
    void StopTimers();
    void SetState(int state);
    // Whether the pointer is on the part a held state belongs to.
    bool OnHeldPart(int heldState, QPoint pointer) const;
    int ValueAtKnob(int knobX) const;

    CSkinFolders m_folders;
    std::vector<QImage> m_pictures;
    std::array<QTimer, 4> m_timers;
    int m_nState = kIdle;
    QPoint m_ptPointer;
    int m_nPressX = 0;
    int m_nPressKnobX = 0;
    int m_nPressValue = 0;
    int m_nDragKnobX = 0;
    int m_nDragValue = 0;
};
