// Jogging the head by arrow buttons and by keyboard, and the function keys around it.
#include "WindowRig.h"

#include "skin/SkinRadio.h"
#include "ui/main/ControlIds.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

std::string Jog(int mask) {
    return kEscByte + ".C21;" + std::to_string(mask) + ":";
}

class Jogging : public ::testing::Test {
protected:
    void SetUp() override {
        m_rig.AddMediaList({"Vinyl", "KR10A (1)", 14, 40, 2, 1});
        m_rig.commandLine.m_bSkipQueueCheck = 1;
        ASSERT_EQ(m_rig.Open(), 0);
        QApplication::setActiveWindow(&m_rig.Dlg());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_rig.Dlg()));
        m_rig.TakeWire();
    }

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
