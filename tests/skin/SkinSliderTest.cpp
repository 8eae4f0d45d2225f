// The skinned slider: knob arithmetic, what each press sends, the auto-repeat driven tick by
// tick, paging that stops at the pointer, dragging and its ends, and the drawn states.

#include "SkinTestBed.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinSlider.h"

#include <QTest>

#include <vector>

namespace {

TEST(SliderArithmetic, KnobPositionForValues) {
    struct Case {
        int value, min, max;
        int x;
    };
    // a = 17 and knobRight = 182 - 34 = 148 for the slider kind.
    const Case
        cases[] =
            {
                {0, 0, 48, 17},   {48, 0, 48, 148}, {24, 0, 48, 83}, {1, 1, 48, 17},
                {-5, -5, 5, 17},  {0, -5, 5, 83},   {1, -5, 5, 96},  {5, -5, 5, 148},
                {1, 1, 1, 17},    // an empty range puts the knob at the left end
                {60, 0, 48, 148}, // a value outside the range keeps the knob on the track
            };
    for (const Case& c : cases) {
        EXPECT_EQ(skin::SliderKnobX(c.value, c.min, c.max, 17, 148), c.x)
            << c.value << " in " << c.min << ".." << c.max;
    }
}

TEST(SliderArithmetic, DragValueRoundsAwayFromZeroAndPinsAtTheEnds) {
    struct Case {
        int pointerX, pressX, pressValue, min, max;
        int value;
    };
    const Case cases[] = {
        {110, 100, 0, -5, 5, 1},   // +0.763 rounds to 1
        {90, 100, 0, -5, 5, -1},   // -0.763 rounds to -1, not towards zero
        {94, 100, 0, -5, 5, 0},    // -0.458 rounds to 0
        {231, 100, 0, 0, 48, 48},  // the whole track
        {900, 100, 10, 0, 48, 48}, // beyond the right end
        {-900, 100, 10, 0, 48, 0}, // beyond the left end
        {-900, 100, 3, 1, 1, 1},   // an empty range
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skin::SliderDragValue(c.pointerX, c.pressX, c.pressValue, c.min, c.max, 17, 148),
                  c.value)
            << c.pointerX - c.pressX << " from " << c.pressValue;
    }
}

// The window's side: answers each request by setting the new value, as a dialog does.
class SkinSliderTest : public SkinTestBed {
protected:
    void SetUp() override {
        SkinTestBed::SetUp();
        m_slider = new CSkinSlider(Folders(), Dialog());
        ASSERT_EQ(m_slider->SetUp(3705, 231, 51, 0), msg::kOk);
        m_slider->setRange(0, 100);
        m_slider->show();
        QObject::connect(m_slider, &CSkinSlider::Scrolled, m_slider,
                         [this](ScrollRequest request, int value) {
                             m_requests.push_back(request);
                             m_values.push_back(value);
                             Answer(request, value);
                         });
    }
    void Answer(ScrollRequest request, int value) {
        int next = m_slider->value();
        switch (request) {
        case ScrollRequest::LineLeft:
            next -= 1;
            break;
        case ScrollRequest::LineRight:
            next += 1;
            break;
        case ScrollRequest::PageLeft:
            next -= 10;
            break;
        case ScrollRequest::PageRight:
            next += 10;
            break;
        case ScrollRequest::ThumbTrack:
        case ScrollRequest::ThumbPosition:
            next = value;
            break;
        }
        m_slider->setValue(next);
    }
    int Count(ScrollRequest request) const {
        return static_cast<int>(std::count(m_requests.begin(), m_requests.end(), request));
    }
    bool TimerRunning(int timer, int ms) const {
        return m_slider->RepeatTimer(timer).isActive() &&
               m_slider->RepeatTimer(timer).interval() == ms;
    }

    CSkinSlider* m_slider = nullptr;
    std::vector<ScrollRequest> m_requests;
    std::vector<int> m_values;
};

TEST_F(SkinSliderTest, HeldArrowRepeatsAfter300ThenEvery50) {
    m_slider->setValue(50);
    Press(m_slider, QPoint(5, 8));
    EXPECT_EQ(m_slider->State(), CSkinSlider::kLeftHeld);
    EXPECT_EQ(Count(ScrollRequest::LineLeft), 1);
    EXPECT_TRUE(TimerRunning(0, 300));
    m_slider->OnTimer(0);
    EXPECT_EQ(Count(ScrollRequest::LineLeft), 2);
    EXPECT_TRUE(TimerRunning(0, 50));
    m_slider->OnTimer(0);
    EXPECT_EQ(Count(ScrollRequest::LineLeft), 3);
    EXPECT_EQ(m_slider->value(), 47);

    // Sliding off the arrow pauses the repetition; coming back resumes it at 50 ms.
    Move(m_slider, QPoint(5, 40));
    EXPECT_EQ(m_slider->State(), CSkinSlider::kLeftAway);
    EXPECT_FALSE(m_slider->RepeatTimer(0).isActive());
    m_slider->OnTimer(0);
    EXPECT_EQ(Count(ScrollRequest::LineLeft), 3);
    Move(m_slider, QPoint(5, 8));
    EXPECT_EQ(m_slider->State(), CSkinSlider::kLeftHeld);
    EXPECT_TRUE(TimerRunning(0, 50));

    Release(m_slider, QPoint(5, 8));
    EXPECT_EQ(m_slider->State(), CSkinSlider::kIdle);
    for (int timer = 0; timer < 4; ++timer) {
        EXPECT_FALSE(m_slider->RepeatTimer(timer).isActive());
    }
}

TEST_F(SkinSliderTest, RightArrowRepeatsOnItsOwnTimer) {
    Press(m_slider, QPoint(175, 8));
    EXPECT_EQ(m_slider->State(), CSkinSlider::kRightHeld);
    EXPECT_EQ(Count(ScrollRequest::LineRight), 1);
    EXPECT_TRUE(TimerRunning(1, 300));
    m_slider->OnTimer(0); // another part's tick sends nothing
    EXPECT_EQ(m_requests.size(), 1u);
    m_slider->OnTimer(1);
    EXPECT_EQ(Count(ScrollRequest::LineRight), 2);
    EXPECT_TRUE(TimerRunning(1, 50));
}

TEST_F(SkinSliderTest, RepeatTimerReallyFires) {
    Press(m_slider, QPoint(175, 8));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Count(ScrollRequest::LineRight) >= 3; }, 5000));
    Release(m_slider, QPoint(175, 8));
}

TEST_F(SkinSliderTest, PagingStopsWhenTheKnobReachesThePointer) {
    const QPoint pointer(120, 8);
    Press(m_slider, pointer);
    EXPECT_EQ(m_slider->State(), CSkinSlider::kPageRightHeld);
    EXPECT_TRUE(TimerRunning(3, 300));
    for (int tick = 0; tick < 20; ++tick) {
        m_slider->OnTimer(3);
    }
    const int knob = m_slider->KnobX();
    EXPECT_LE(knob, pointer.x());
    EXPECT_GT(knob + m_slider->ArrowWidth(), pointer.x());
    EXPECT_EQ(m_slider->value(), 70);
    EXPECT_EQ(Count(ScrollRequest::PageRight), 7);
    EXPECT_FALSE(m_slider->RepeatTimer(3).isActive());
    EXPECT_EQ(m_slider->State(), CSkinSlider::kPageRightHeld); // the button is still held
}

TEST_F(SkinSliderTest, PagingLeftStopsToo) {
    m_slider->setValue(100);
    Press(m_slider, QPoint(40, 8));
    EXPECT_EQ(m_slider->State(), CSkinSlider::kPageLeftHeld);
    for (int tick = 0; tick < 20; ++tick) {
        m_slider->OnTimer(2);
    }
    EXPECT_LE(m_slider->KnobX(), 40);
    EXPECT_EQ(m_slider->value(), 10);
}

TEST_F(SkinSliderTest, DraggingTracksAndPinsAtTheBounds) {
    m_slider->setValue(50);
    const int knob = m_slider->KnobX();
    Press(m_slider, QPoint(knob + 5, 8));
    EXPECT_EQ(m_slider->State(), CSkinSlider::kDragging);
    EXPECT_TRUE(m_requests.empty()); // nothing is sent at the press
    Move(m_slider, QPoint(knob + 5 + 131, 8));
    EXPECT_EQ(m_requests.back(), ScrollRequest::ThumbTrack);
    EXPECT_EQ(m_values.back(), 100);
    EXPECT_EQ(m_slider->KnobX(), 148);
    const std::size_t sent = m_requests.size();
    Move(m_slider, QPoint(knob + 400, 8)); // further right: the value stays pinned, nothing new
    EXPECT_EQ(m_requests.size(), sent);
    Move(m_slider, QPoint(-300, 8));
    EXPECT_EQ(m_values.back(), 0);
    EXPECT_EQ(m_slider->KnobX(), 17);
    Release(m_slider, QPoint(-300, 8));
    EXPECT_EQ(m_requests.back(), ScrollRequest::ThumbPosition);
    EXPECT_EQ(m_values.back(), 0);
    EXPECT_EQ(m_slider->State(), CSkinSlider::kIdle);
}

TEST_F(SkinSliderTest, ShiftClickPutsTheKnobUnderThePointer) {
    Press(m_slider, QPoint(100, 8), Qt::ShiftModifier);
    EXPECT_EQ(m_slider->State(), CSkinSlider::kDragging);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0], ScrollRequest::ThumbTrack);
    // Knob centred on x = 100: its left edge at 92, value (92 - 17) * 100 / 131.
    EXPECT_EQ(m_values[0], 57);
    EXPECT_EQ(m_slider->KnobX(), 92);
    Move(m_slider, QPoint(110, 8));
    EXPECT_EQ(m_values.back(), 65);
}

TEST_F(SkinSliderTest, DrawnStates) {
    m_slider->setValue(50);
    const int knob = m_slider->KnobX();
    EXPECT_EQ(PixelAt(m_slider, QPoint(2, 2)), ColourOf("SCRL_UP.BMP"));
    EXPECT_EQ(PixelAt(m_slider, QPoint(knob + 2, 2)), ColourOf("SCRL_KNOB.BMP"));

    Press(m_slider, QPoint(5, 8));
    EXPECT_EQ(PixelAt(m_slider, QPoint(2, 2)), ColourOf("SCRL_L_DOWN.BMP"));
    Move(m_slider, QPoint(5, 60));
    EXPECT_EQ(PixelAt(m_slider, QPoint(2, 2)), ColourOf("SCRL_UP.BMP"));
    Release(m_slider, QPoint(5, 60));

    Press(m_slider, QPoint(175, 8));
    EXPECT_EQ(PixelAt(m_slider, QPoint(2, 2)), ColourOf("SCRL_R_DOWN.BMP"));
    Release(m_slider, QPoint(175, 8));

    // Held track left of the knob is drawn black between the arrow and the knob.
    Press(m_slider, QPoint(30, 8));
    const int held = m_slider->KnobX();
    EXPECT_EQ(PixelAt(m_slider, QPoint(20, 8)), QColor(Qt::black));
    EXPECT_EQ(PixelAt(m_slider, QPoint(held - 1, 8)), QColor(Qt::black));
    EXPECT_EQ(PixelAt(m_slider, QPoint(held + 20, 8)), ColourOf("SCRL_UP.BMP"));
    Release(m_slider, QPoint(30, 8));

    Press(m_slider, QPoint(160, 8));
    EXPECT_EQ(m_slider->State(), CSkinSlider::kPageRightHeld);
    EXPECT_EQ(PixelAt(m_slider, QPoint(164, 8)), QColor(Qt::black));
    EXPECT_EQ(PixelAt(m_slider, QPoint(166, 8)), ColourOf("SCRL_UP.BMP"));
    Release(m_slider, QPoint(160, 8));

    // Disabled: its own picture and no knob.
    m_slider->setEnabled(false);
    EXPECT_EQ(m_slider->State(), CSkinSlider::kDisabled);
    EXPECT_EQ(PixelAt(m_slider, QPoint(knob + 2, 2)), ColourOf("SCRL_DIS.BMP"));
    EXPECT_EQ(PixelAt(m_slider, QPoint(2, 2)), ColourOf("SCRL_DIS.BMP"));
}

TEST_F(SkinSliderTest, AnotherWindowInFrontReleasesTheSlider) {
    m_slider->setValue(50);
    const int knob = m_slider->KnobX();
    Press(m_slider, QPoint(knob + 2, 8));
    Move(m_slider, QPoint(knob + 30, 8));
    const std::size_t sent = m_requests.size();
    ActivateOtherWindow();
    Move(m_slider, QPoint(knob + 60, 8));
    EXPECT_EQ(m_slider->State(), CSkinSlider::kIdle);
    ASSERT_EQ(m_requests.size(), sent + 1);
    EXPECT_EQ(m_requests.back(), ScrollRequest::ThumbPosition);

    // A held arrow's tick lets go as well.
    Dialog()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Dialog()));
    Press(m_slider, QPoint(5, 8));
    ActivateOtherWindow();
    m_slider->OnTimer(0);
    EXPECT_EQ(m_slider->State(), CSkinSlider::kIdle);
    EXPECT_FALSE(m_slider->RepeatTimer(0).isActive());
}

TEST_F(SkinSliderTest, KeysAndWheelGoToTheDialog) {
    m_slider->setValue(50);
    KeyDown(m_slider, Qt::Key_Right);
    EXPECT_EQ(m_slider->value(), 50);
    EXPECT_EQ(DialogSaw(QEvent::KeyPress), 1);
}

class SkinSliderSetUpTest : public SkinTestBed {};

TEST_F(SkinSliderSetUpTest, MissingKnobFailsWith1015) {
    RemoveSkin("SCRL_KNOB.BMP");
    auto* slider = new CSkinSlider(Folders(), Dialog());
    EXPECT_EQ(slider->SetUp(3705, 0, 0, 0), msg::kControlPicturesFailed);
    CSkinSlider orphan(Folders(), nullptr);
    EXPECT_EQ(orphan.SetUp(3705, 0, 0, 0), msg::kControlAttachFailed);
}

TEST_F(SkinSliderSetUpTest, KnobIsScaledToTheArrowWidth) {
    auto* slider = new CSkinSlider(Folders(), Dialog());
    ASSERT_EQ(slider->SetUp(3705, 231, 51, 0), msg::kOk);
    EXPECT_EQ(slider->geometry(), QRect(231, 51, 182, 17));
    EXPECT_EQ(slider->Picture(11).size(), QSize(17, 17));
    EXPECT_EQ(slider->Picture(10).size(), QSize(182, 17));
}

} // namespace
