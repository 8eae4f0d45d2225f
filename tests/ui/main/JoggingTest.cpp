// Jogging the head by arrow buttons and by keyboard, and the function keys around it.
#include "WindowRig.h"

#include "protocol/PlotterCommands.h"
#include "retry/ChangeSender.h"
#include "skin/SkinButtonBase.h"
#include "skin/SkinRadio.h"
#include "ui/dialogs/conditions/CondEditDlg.h"
#include "ui/main/ControlIds.h"

#include <QApplication>

#include <functional>
#include <memory>

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

// Whatever arrow holds the head, every way in which the key's release could be lost ends with
// mask 0, sent once. Keyboard jogging has its own table below.
TEST(HeadStops, WheneverTheHeldArrowCanNoLongerBeLetGo) {
    enum class Hold { SpaceBar, Mouse };
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

// Each arrow button holds its own direction while it is pressed.
TEST_F(Jogging, EachArrowButtonJogsItsDirection) {
    const struct {
        int arrow;
        int bit;
    } arrows[] = {
        {ctl::kArrowDown, 1}, {ctl::kArrowUp, 2}, {ctl::kArrowLeft, 4}, {ctl::kArrowRight, 8}};
    for (const auto& a : arrows) {
        QTest::mousePress(m_rig.Control(a.arrow), Qt::LeftButton);
        EXPECT_EQ(m_rig.TakeWire(), Jog(a.bit)) << a.arrow;
        QTest::mouseRelease(m_rig.Control(a.arrow), Qt::LeftButton);
        EXPECT_EQ(m_rig.TakeWire(), Jog(0)) << a.arrow;
    }
}

// The two windows with a "Use Keyboard" toggle: the main window, and the condition edit window
// opened over it.
class KeyboardJogWindow {
public:
    KeyboardJogWindow(WindowRig& rig, bool conditionEdit) : m_rig(rig) {
        if (!conditionEdit) {
            return;
        }
        const ControllerLinks links = rig.objects.Links(rig.systemCode, rig.skinFolder, nullptr);
        m_pSender = std::make_unique<CChangeSender>(links.unsent, links.retryValues, links.settings,
                                                    links.storedAdvanced, true);
        m_pEdit = std::make_unique<CCondEditDlg>(
            ConditionDialogLinks{rig.language, rig.model, rig.settings, rig.mediaList,
                                 links.commands, *m_pSender, rig.jog, rig.skinFolder, nullptr,
                                 nullptr},
            &rig.Dlg());
        m_pEdit->SetMode(CCondEditDlg::kModeEditCurrent);
        m_pEdit->SetCondition(rig.mediaList.FindCondition("Vinyl"));
        EXPECT_EQ(m_pEdit->OnInitDialog(), 0);
        m_pEdit->show();
        QApplication::setActiveWindow(m_pEdit.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_pEdit.get()));
    }

    QWidget& Window() { return m_pEdit ? *m_pEdit : static_cast<QWidget&>(m_rig.Dlg()); }
    QWidget* Toggle() {
        return m_pEdit ? m_pEdit->Control(CCondEditDlg::kIdUseKeyboard)
                       : m_rig.Control(ctl::kUseKeyboard);
    }
    void Destroy() {
        if (m_pEdit) {
            m_pEdit.reset();
        } else {
            m_rig.DestroyWindow();
        }
    }

private:
    WindowRig& m_rig;
    std::unique_ptr<CChangeSender> m_pSender;
    std::unique_ptr<CCondEditDlg> m_pEdit;
};

// Keyboard jogging follows the same rules in both windows: each arrow key holds its own
// direction in the mask, and every way in which a held key's release could be lost stops the
// head (mask 0, sent once).
TEST(KeyboardJog, BothWindowsHoldEachDirectionAndStopTheHead) {
    const Qt::Key directions[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right};
    struct Rule {
        const char* name;
        std::function<void(KeyboardJogWindow&, QWidget& other)> stop;
        std::string wire;
        bool endsKeyboardMode;
    };
    const Rule rules[] = {
        {"keys released",
         [&](KeyboardJogWindow& w, QWidget&) {
             for (const Qt::Key key : directions) {
                 QTest::keyRelease(w.Toggle(), key);
             }
         },
         Jog(14) + Jog(12) + Jog(8) + Jog(0), false},
        {"focus leaves the toggle",
         [](KeyboardJogWindow& w, QWidget&) { QTest::keyClick(w.Toggle(), Qt::Key_Tab); }, Jog(0),
         false},
        {"another window in front",
         [](KeyboardJogWindow&, QWidget& other) {
             other.show();
             QApplication::setActiveWindow(&other);
             ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
         },
         Jog(0), true},
        {"closed", [](KeyboardJogWindow& w, QWidget&) { w.Window().close(); }, Jog(0), true},
        {"destroyed", [](KeyboardJogWindow& w, QWidget&) { w.Destroy(); }, Jog(0), true},
    };
    for (const bool conditionEdit : {false, true}) {
        for (const Rule& rule : rules) {
            SCOPED_TRACE(std::string(conditionEdit ? "condition edit window, " : "main window, ") +
                         rule.name);
            WindowRig rig;
            QWidget other;
            OpenActive(rig);
            KeyboardJogWindow window(rig, conditionEdit);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
            ASSERT_TRUE(static_cast<CSkinRadio*>(window.Toggle())->IsOn());
            for (const Qt::Key key : directions) {
                QTest::keyPress(window.Toggle(), key);
            }
            EXPECT_EQ(rig.TakeWire(), Jog(1) + Jog(3) + Jog(7) + Jog(15));
            rule.stop(window, other);
            EXPECT_EQ(rig.TakeWire(), rule.wire);
            EXPECT_EQ(rig.sim.m_nJogMask, 0);
            EXPECT_EQ(rig.jog.InputMode(), rule.endsKeyboardMode ? CJogKeyState::kInputButtons
                                                                 : CJogKeyState::kInputKeyboard);
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
