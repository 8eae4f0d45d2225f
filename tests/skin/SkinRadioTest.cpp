// The "Use Keyboard" toggle: its state table, the jog mode it reports, the keys it turns into
// jog keys and what it swallows while pressed.

#include "SkinTestBed.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinRadio.h"

#include <QSignalSpy>

namespace {

enum class Step { DownIn, MoveOut, MoveIn, UpOut, UpIn, SpaceDown, SpaceRepeat, SpaceUp };

struct Case {
    const char* name;
    bool startOn;
    std::vector<Step> steps;
    std::vector<int> states;   // after each step
    std::vector<int> jogModes; // reported, in order
};

class SkinRadioTest : public SkinTestBed {
protected:
    CSkinRadio* MakeToggle() {
        auto* toggle = new CSkinRadio(Folders(), Dialog());
        EXPECT_EQ(toggle->SetUp(3105, 0, 0, 0, QString(), 12), msg::kOk);
        toggle->show();
        toggle->setFocus();
        return toggle;
    }
    void Apply(CSkinRadio* toggle, Step step) {
        const QPoint in(10, 10), out(300, 10);
        switch (step) {
        case Step::DownIn:
            Press(toggle, in);
            break;
        case Step::MoveOut:
            Move(toggle, out);
            break;
        case Step::MoveIn:
            Move(toggle, in);
            break;
        case Step::UpOut:
            Release(toggle, out);
            break;
        case Step::UpIn:
            Release(toggle, in);
            break;
        case Step::SpaceDown:
            KeyDown(toggle, Qt::Key_Space);
            break;
        case Step::SpaceRepeat:
            Key(toggle, QEvent::KeyPress, Qt::Key_Space, true);
            break;
        case Step::SpaceUp:
            KeyUp(toggle, Qt::Key_Space);
            break;
        }
    }
};

TEST_F(SkinRadioTest, StateTable) {
    using S = Step;
    const Case cases[] = {
        {"click turns on", false, {S::DownIn, S::UpIn}, {2, 4}, {2}},
        {"click turns off", true, {S::DownIn, S::UpIn}, {6, 0}, {0}},
        {"off, released outside", false, {S::DownIn, S::MoveOut, S::UpOut}, {2, 1, 0}, {0}},
        {"on, released outside", true, {S::DownIn, S::MoveOut, S::UpOut}, {6, 5, 4}, {2}},
        {"pointer comes back",
         false,
         {S::DownIn, S::MoveOut, S::MoveIn, S::UpIn},
         {2, 1, 2, 4},
         {2}},
        {"on, pointer comes back",
         true,
         {S::DownIn, S::MoveOut, S::MoveIn, S::UpIn},
         {6, 5, 6, 0},
         {0}},
        {"space turns on", false, {S::SpaceDown, S::SpaceUp}, {2, 4}, {2}},
        {"space turns off", true, {S::SpaceDown, S::SpaceUp}, {6, 0}, {0}},
        {"held space still turns off",
         true,
         {S::SpaceDown, S::SpaceRepeat, S::SpaceRepeat, S::SpaceUp},
         {6, 6, 6, 0},
         {0}},
        {"mouse ignored while space held",
         false,
         {S::SpaceDown, S::DownIn, S::MoveOut, S::UpOut, S::SpaceUp},
         {2, 2, 2, 2, 4},
         {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSkinRadio* toggle = MakeToggle();
        if (c.startOn) {
            toggle->SwitchOn();
        }
        QSignalSpy modes(toggle, &CSkinRadio::JogModeChanged);
        std::vector<int> states;
        for (Step step : c.steps) {
            Apply(toggle, step);
            states.push_back(toggle->State());
        }
        EXPECT_EQ(states, c.states);
        std::vector<int> reported;
        for (const QList<QVariant>& args : modes) {
            reported.push_back(args.at(0).toInt());
        }
        EXPECT_EQ(reported, c.jogModes);
        delete toggle;
    }
}

TEST_F(SkinRadioTest, PicturesFollowTheState) {
    CSkinRadio* toggle = MakeToggle();
    const QColor up = ColourOf("BUTTON_1_UP.BMP");
    const QColor down = ColourOf("BUTTON_1_DOWN.BMP");
    EXPECT_EQ(PixelAt(toggle, QPoint(1, 1)), up);
    toggle->SwitchOn();
    EXPECT_EQ(PixelAt(toggle, QPoint(1, 1)), down);
    Press(toggle, QPoint(5, 5));
    Move(toggle, QPoint(400, 5));
    EXPECT_EQ(toggle->State(), 5);
    EXPECT_EQ(PixelAt(toggle, QPoint(1, 1)), down);
    toggle->SwitchOff();
    EXPECT_EQ(PixelAt(toggle, QPoint(1, 1)), up);
}

TEST_F(SkinRadioTest, SwitchOffClearsPressAndReportsIdle) {
    CSkinRadio* toggle = MakeToggle();
    toggle->SwitchOn();
    QSignalSpy modes(toggle, &CSkinRadio::JogModeChanged);
    KeyDown(toggle, Qt::Key_Space);
    toggle->SwitchOff();
    EXPECT_EQ(toggle->State(), 0);
    ASSERT_EQ(modes.count(), 1);
    EXPECT_EQ(modes.at(0).at(0).toInt(), 0);
    // The space bar's press was forgotten: its release changes nothing.
    KeyUp(toggle, Qt::Key_Space);
    EXPECT_EQ(toggle->State(), 0);
    EXPECT_EQ(modes.count(), 1);
}

TEST_F(SkinRadioTest, ArrowKeysBecomeJogKeysOnlyWhenOn) {
    CSkinRadio* toggle = MakeToggle();
    QSignalSpy pressed(toggle, &CSkinRadio::JogKeyPressed);
    QSignalSpy released(toggle, &CSkinRadio::JogKeyReleased);
    KeyDown(toggle, Qt::Key_Left);
    EXPECT_EQ(pressed.count(), 0);
    toggle->SwitchOn();
    const int seen = DialogSaw(QEvent::KeyPress);
    const std::pair<int, int> keys[] = {{Qt::Key_Down, 1},     {Qt::Key_Up, 2},
                                        {Qt::Key_Left, 4},     {Qt::Key_Right, 8},
                                        {Qt::Key_Control, 16}, {Qt::Key_Shift, 32}};
    for (const auto& [key, bit] : keys) {
        KeyDown(toggle, key);
        KeyUp(toggle, key);
        EXPECT_EQ(pressed.takeFirst().at(0).toInt(), bit);
        EXPECT_EQ(released.takeFirst().at(0).toInt(), bit);
    }
    EXPECT_TRUE(pressed.isEmpty());
    // Jog keys never reach the dialog.
    EXPECT_EQ(DialogSaw(QEvent::KeyPress), seen);
    EXPECT_TRUE(toggle->hasFocus());
}

TEST_F(SkinRadioTest, ReleasesOfJogKeysAreSwallowedWhilePressed) {
    CSkinRadio* toggle = MakeToggle();
    toggle->SwitchOn();
    QSignalSpy released(toggle, &CSkinRadio::JogKeyReleased);
    Press(toggle, QPoint(5, 5));
    KeyUp(toggle, Qt::Key_Shift);
    KeyUp(toggle, Qt::Key_Up);
    EXPECT_EQ(released.count(), 0);
    EXPECT_EQ(DialogSaw(QEvent::KeyRelease), 0);
}

TEST_F(SkinRadioTest, DisablingOrLosingTheFrontSwitchesOff) {
    CSkinRadio* toggle = MakeToggle();
    toggle->SwitchOn();
    QSignalSpy modes(toggle, &CSkinRadio::JogModeChanged);
    toggle->setEnabled(false);
    EXPECT_EQ(toggle->State(), 3);
    ASSERT_EQ(modes.count(), 1);
    EXPECT_EQ(modes.at(0).at(0).toInt(), 0);
    toggle->setEnabled(true);
    EXPECT_EQ(toggle->State(), 0);

    toggle->SwitchOn();
    ActivateOtherWindow();
    toggle->grab();
    EXPECT_EQ(toggle->State(), 0);
    EXPECT_EQ(modes.last().at(0).toInt(), 0);
}

} // namespace
