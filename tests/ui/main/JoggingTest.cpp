// Jogging the head by arrow buttons and by keyboard, and the function keys around it.
#include "WindowRig.h"

#include "skin/SkinButtonBase.h"
#include "skin/SkinRadio.h"
#include "ui/main/ControlIds.h"

#include <QApplication>

#include <functional>

#include <gtest/gtest.h>

namespace {

std::string Jog(int mask) {
    return kEscByte + ".C21;" + std::to_string(mask) + ":";
}

// The window opened, active, and nothing on the wire yet.
void OpenActive(WindowRig& rig) {
    rig.AddMediaList({"Vinyl", "KR10A (1)", 14, 40, 2, 1});
    rig.commandLine.m_bSkipQueueCheck = 1;
    ASSERT_EQ(rig.Open(), 0);
    QApplication::setActiveWindow(&rig.Dlg());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.Dlg()));
    rig.TakeWire();
}

class Jogging : public ::testing::Test {
protected:
    void SetUp() override { OpenActive(m_rig); }

    QWidget* Up() { return m_rig.Control(ctl::kArrowUp); }
    // A key as the user types it: to whichever child has the focus.
    void Key(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &m_rig.Dlg(), key);
    }
    CSkinRadio* Keyboard() { return static_cast<CSkinRadio*>(m_rig.Control(ctl::kUseKeyboard)); }

    WindowRig m_rig;
};

TEST_F(Jogging, ShiftWithAHeldArrowAddsItsBitAndAModifierAloneIsNoKey) {
    Up()->setFocus();
    QTest::mousePress(Up(), Qt::LeftButton);
    EXPECT_EQ(m_rig.TakeWire(), Jog(2));
    QTest::keyPress(Up(), Qt::Key_Shift);
    EXPECT_EQ(m_rig.TakeWire(), Jog(34));
    QTest::mouseRelease(Up(), Qt::LeftButton);
    EXPECT_EQ(m_rig.TakeWire(), Jog(0)); // Shift still held, but without a direction
    QTest::keyRelease(Up(), Qt::Key_Shift);
    EXPECT_EQ(m_rig.TakeWire(), Jog(0)); // every change of the held keys is sent
    EXPECT_EQ(m_rig.sim.m_nJogMask, 0);
}

TEST_F(Jogging, FunctionKeysAreSwallowedWhileAnArrowIsHeld) {
    QTest::mousePress(Up(), Qt::LeftButton);
    m_rig.TakeWire();
    QTest::keyClick(Up(), Qt::Key_F5);
    QTest::keyClick(Up(), Qt::Key_F6);
    EXPECT_EQ(m_rig.TakeWire(), "");
    EXPECT_FALSE(Keyboard()->IsOn());
    QTest::mouseRelease(Up(), Qt::LeftButton);
    EXPECT_EQ(m_rig.TakeWire(), Jog(0));

    // Once let go, F5 sets the origin.
    QTest::keyClick(Up(), Qt::Key_F5);
    EXPECT_EQ(m_rig.TakeWire(), kEscByte + ".C1:" + "TC36," + kEtxByte);
    EXPECT_EQ(m_rig.sim.m_nOriginMoves, 1);
}

TEST_F(Jogging, KeyboardModeJogsWithTheArrowKeys) {
    Key(Qt::Key_F6);
    ASSERT_TRUE(Keyboard()->IsOn());
    ASSERT_EQ(QApplication::focusWidget(), Keyboard());
    QTest::keyPress(Keyboard(), Qt::Key_Left);
    QTest::keyPress(Keyboard(), Qt::Key_Control);
    QTest::keyRelease(Keyboard(), Qt::Key_Left);
    QTest::keyRelease(Keyboard(), Qt::Key_Control);
    EXPECT_EQ(m_rig.TakeWire(), Jog(4) + Jog(20) + Jog(0) + Jog(0));
    QTest::keyClick(Keyboard(), Qt::Key_F6);
    EXPECT_FALSE(Keyboard()->IsOn());
}

TEST_F(Jogging, LeavingTheWindowStopsTheHeadAndEndsKeyboardMode) {
    Key(Qt::Key_F6);
    ASSERT_TRUE(Keyboard()->IsOn());
    QTest::keyPress(Keyboard(), Qt::Key_Up);
    EXPECT_EQ(m_rig.TakeWire(), Jog(2));

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(m_rig.TakeWire(), Jog(0));
    EXPECT_FALSE(Keyboard()->IsOn());
    EXPECT_EQ(m_rig.jog.InputMode(), CJogKeyState::kInputButtons);
}

TEST_F(Jogging, ArrowLetGoElsewhereStillStopsTheHeadWhenTheWindowIsLeft) {
    QTest::mousePress(Up(), Qt::LeftButton);
    EXPECT_EQ(m_rig.TakeWire(), Jog(2));
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(m_rig.TakeWire(), Jog(0));
}

TEST_F(Jogging, ClickElsewhereEndsKeyboardModeUnlessAKeyIsHeld) {
    Key(Qt::Key_F6);
    QTest::keyPress(Keyboard(), Qt::Key_Down);
    EXPECT_EQ(m_rig.TakeWire(), Jog(1));
    // A click while a key is held is swallowed, arrows included.
    QTest::mouseClick(m_rig.Control(ctl::kArrowRight), Qt::LeftButton);
    EXPECT_EQ(m_rig.TakeWire(), "");
    EXPECT_TRUE(Keyboard()->IsOn());
    EXPECT_EQ(QApplication::focusWidget(), Keyboard());
    QTest::keyRelease(Keyboard(), Qt::Key_Down);
    EXPECT_EQ(m_rig.TakeWire(), Jog(0));

    QTest::mouseClick(m_rig.Control(ctl::kTitle), Qt::LeftButton);
    EXPECT_FALSE(Keyboard()->IsOn());
    EXPECT_EQ(m_rig.jog.InputMode(), CJogKeyState::kInputButtons);
}

} // namespace

namespace {

// Whatever holds the head, every way in which the key's release could be lost ends with mask
// 0, sent once.
TEST(HeadStops, WheneverTheHeldKeyCanNoLongerBeLetGo) {
    enum class Hold { Keyboard, SpaceBar, Mouse };
    struct Case {
        const char* name;
        Hold hold;
        std::function<void(WindowRig&, QWidget& other)> leave;
        bool closes;
    };
    auto deactivate = [](WindowRig&, QWidget& other) {
        other.show();
        QApplication::setActiveWindow(&other);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    };
    auto closeBox = [](WindowRig& rig, QWidget&) { rig.Dlg().close(); };
    auto destroy = [](WindowRig& rig, QWidget&) { rig.DestroyWindow(); };
    auto click = [](int id) {
        return
            [id](WindowRig& rig, QWidget&) { QTest::mouseClick(rig.Control(id), Qt::LeftButton); };
    };
    const Case cases[] = {
        {"Tab away from the toggle", Hold::Keyboard,
         [](WindowRig&, QWidget&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); },
         false},
        {"deactivated in keyboard mode", Hold::Keyboard, deactivate, false},
        {"close box in keyboard mode", Hold::Keyboard, closeBox, true},
        {"destroyed in keyboard mode", Hold::Keyboard, destroy, true},
        {"click on a radio, space bar on an arrow", Hold::SpaceBar, click(ctl::kUsePlotterSettings),
         false},
        {"OK clicked, space bar on an arrow", Hold::SpaceBar, click(ctl::kOk), true},
        {"deactivated, space bar on an arrow", Hold::SpaceBar, deactivate, false},
        {"close box, space bar on an arrow", Hold::SpaceBar, closeBox, true},
        {"destroyed, mouse on an arrow", Hold::Mouse, destroy, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowRig rig;
        QWidget other;
        OpenActive(rig);
        QWidget* up = rig.Control(ctl::kArrowUp);
        switch (c.hold) {
        case Hold::Keyboard:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
            QTest::keyPress(rig.Control(ctl::kUseKeyboard), Qt::Key_Up);
            break;
        case Hold::SpaceBar:
            up->setFocus();
            QTest::keyPress(up, Qt::Key_Space);
            break;
        case Hold::Mouse:
            QTest::mousePress(up, Qt::LeftButton);
            break;
        }
        ASSERT_EQ(rig.TakeWire(), Jog(2));
        c.leave(rig, other);
        EXPECT_EQ(rig.TakeWire(), Jog(0));
        EXPECT_EQ(rig.sim.m_nJogMask, 0);
        if (!c.closes) {
            // Nothing is held any more: Enter closes the window again.
            QApplication::setActiveWindow(&rig.Dlg());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            EXPECT_EQ(rig.Dlg().result(), CControllerDlg::kResultOk);
            EXPECT_EQ(rig.TakeWire(), "");
        }
    }
}

// A held skinned button finishes its press before the window acts on a key.
TEST_F(Jogging, KeysWaitForAHeldButton) {
    QWidget* origin = m_rig.Control(ctl::kOrigin);
    QTest::mousePress(origin, Qt::LeftButton);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_F5, Qt::Key_F8}) {
        QTest::keyClick(origin, key);
    }
    EXPECT_TRUE(m_rig.Dlg().isVisible());
    EXPECT_EQ(m_rig.TakeWire(), "");
    EXPECT_TRUE(m_rig.ShownCodes().empty());
    QTest::keyClick(origin, Qt::Key_F1);
    EXPECT_FALSE(static_cast<CSkinButtonBase*>(origin)->IsHeld());
}

} // namespace
