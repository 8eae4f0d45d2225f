// Push buttons and jog arrows: the picture of every state, press and release inside and
// outside, the space bar, what the input filter keeps from the dialog, and the set-up codes.

#include "SkinTestBed.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinArrowButton.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"

#include <QSignalSpy>

namespace {

class SkinButtonTest : public SkinTestBed {
protected:
    CSkinButton* MakeButton(int kind = 0, int id = 3016) {
        auto* button = new CSkinButton(Folders(), Dialog());
        EXPECT_EQ(button->SetUp(id, 10, 20, kind, QString(), 12), msg::kOk);
        button->show();
        return button;
    }
    static QPoint Centre(QWidget* w) { return w->rect().center(); }
};

TEST_F(SkinButtonTest, InitPlacesAndSizesTheButtonByKind) {
    const std::pair<int, QSize> kinds[] = {
        {0, {117, 22}}, {1, {117, 34}}, {3, {40, 40}}, {4, {117, 40}}, {6, {40, 40}}};
    int id = 100;
    for (const auto& [kind, size] : kinds) {
        CSkinButton* button = MakeButton(kind, ++id);
        EXPECT_EQ(button->geometry(), QRect(QPoint(10, 20), size)) << kind;
        EXPECT_EQ(skin::FindControl(Dialog(), id), button);
    }
}

TEST_F(SkinButtonTest, EachStateDrawsItsPicture) {
    CSkinButton* button =
        MakeButton(3); // the test cut button has a picture of its own when disabled
    const QPoint probe(1, 1);
    EXPECT_EQ(PixelAt(button, probe), ColourOf("TEST_CUT_UP.BMP"));
    Press(button, Centre(button));
    EXPECT_EQ(button->State(), 2);
    EXPECT_EQ(PixelAt(button, probe), ColourOf("TEST_CUT_DOWN.BMP"));
    Move(button, QPoint(-5, -5));
    EXPECT_EQ(button->State(), 1);
    EXPECT_EQ(PixelAt(button, probe), ColourOf("TEST_CUT_UP.BMP"));
    Move(button, Centre(button));
    EXPECT_EQ(button->State(), 2);
    Release(button, Centre(button));
    EXPECT_EQ(button->State(), 0);
    button->setEnabled(false);
    EXPECT_EQ(button->State(), 3);
    EXPECT_EQ(PixelAt(button, probe), ColourOf("TEST_CUT_DIS.BMP"));
    button->setEnabled(true);
    EXPECT_EQ(button->State(), 0);
    EXPECT_EQ(PixelAt(button, probe), ColourOf("TEST_CUT_UP.BMP"));
}

TEST_F(SkinButtonTest, ReleaseInsideClicksAndReleaseOutsideDoesNothing) {
    CSkinButton* button = MakeButton();
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    Press(button, Centre(button));
    Release(button, Centre(button));
    EXPECT_EQ(clicked.count(), 1);

    Press(button, Centre(button));
    Move(button, QPoint(200, 5));
    Release(button, QPoint(200, 5));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(button->State(), 0);
    EXPECT_EQ(PixelAt(button, QPoint(1, 1)), ColourOf("BUTTON_1_UP.BMP"));
}

TEST_F(SkinButtonTest, SpaceBarHeldDownPressesOnce) {
    CSkinButton* button = MakeButton();
    button->setFocus();
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    KeyDown(button, Qt::Key_Space);
    EXPECT_EQ(button->State(), 2);
    Key(button, QEvent::KeyPress, Qt::Key_Space, true);
    EXPECT_EQ(DialogSaw(QEvent::KeyPress), 0);
    KeyUp(button, Qt::Key_Space);
    EXPECT_EQ(button->State(), 0);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(SkinButtonTest, FilterKeepsInputFromTheDialog) {
    CSkinButton* button = MakeButton();
    button->setFocus();
    // Released: other keys go on to the dialog, key releases never do.
    KeyDown(button, Qt::Key_A);
    EXPECT_EQ(DialogSaw(QEvent::KeyPress), 1);
    KeyUp(button, Qt::Key_A);
    EXPECT_EQ(DialogSaw(QEvent::KeyRelease), 0);
    // The right mouse button is swallowed.
    Mouse(button, QEvent::MouseButtonPress, Qt::RightButton, Centre(button));
    Mouse(button, QEvent::MouseButtonRelease, Qt::RightButton, Centre(button));
    EXPECT_EQ(DialogSaw(QEvent::MouseButtonPress), 0);
    EXPECT_EQ(DialogSaw(QEvent::MouseButtonRelease), 0);
    // Pressed: other keys are swallowed; F1 releases the button and goes on.
    Press(button, Centre(button));
    KeyDown(button, Qt::Key_A);
    EXPECT_EQ(DialogSaw(QEvent::KeyPress), 1);
    KeyDown(button, Qt::Key_F1);
    EXPECT_EQ(button->State(), 0);
    EXPECT_EQ(DialogSaw(QEvent::KeyPress), 2);
}

TEST_F(SkinButtonTest, FocusRectangleLiesThreePixelsInside) {
    CSkinButton* button = MakeButton();
    const QColor face = ColourOf("BUTTON_1_UP.BMP");
    EXPECT_EQ(PixelAt(button, QPoint(3, 3)), face);
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    const QImage drawn = button->grab().toImage();
    EXPECT_NE(drawn.pixelColor(3, 3), face);
    EXPECT_EQ(drawn.pixelColor(2, 2), face);
    EXPECT_EQ(drawn.pixelColor(10, 10), face);
}

TEST_F(SkinButtonTest, AnotherWindowInFrontResetsTheState) {
    CSkinButton* button = MakeButton();
    Press(button, Centre(button));
    ASSERT_EQ(button->State(), 2);
    ActivateOtherWindow();
    EXPECT_EQ(PixelAt(button, QPoint(1, 1)), ColourOf("BUTTON_1_UP.BMP"));
    EXPECT_EQ(button->State(), 0);
}

TEST_F(SkinButtonTest, CaptionIsDrawnAndGreyWhenDisabled) {
    auto* button = new CSkinButton(Folders(), Dialog());
    ASSERT_EQ(button->SetUp(1, 0, 0, 0, QStringLiteral("OK"), 12), msg::kOk);
    button->show();
    // The test face is green (G = 200, R = 20): black text pulls green down, the grey
    // (178, 178, 178) of a disabled caption pulls red up and leaves green high.
    auto lowestGreen = [&] {
        const QImage drawn = button->grab().toImage();
        int lowest = 255;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                lowest = std::min(lowest, drawn.pixelColor(x, y).green());
            }
        }
        return lowest;
    };
    auto highestRed = [&] {
        const QImage drawn = button->grab().toImage();
        int highest = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                highest = std::max(highest, drawn.pixelColor(x, y).red());
            }
        }
        return highest;
    };
    const QColor face = ColourOf("BUTTON_1_UP.BMP");
    ASSERT_EQ(face, QColor(20, 200, 60));
    EXPECT_LT(lowestGreen(), 60);
    EXPECT_LE(highestRed(), 20);
    button->setEnabled(false);
    EXPECT_GE(lowestGreen(), 170);
    EXPECT_GT(highestRed(), 120);
    EXPECT_EQ(PixelAt(button, QPoint(1, 1)), face);
}

TEST_F(SkinButtonTest, PressedCaptionMovesOnePixelRightAndDown) {
    // One face for both states, so that only the caption can differ.
    WriteSkin("BUTTON_1_DOWN.BMP", QSize(8, 8), ColourOf("BUTTON_1_UP.BMP"));
    auto* button = new CSkinButton(Folders(), Dialog());
    ASSERT_EQ(button->SetUp(1, 0, 0, 0, QStringLiteral("Cut"), 12), msg::kOk);
    button->setFocusPolicy(Qt::NoFocus); // no focus rectangle in either picture
    button->show();
    const QImage released = button->grab().toImage();
    Press(button, QPoint(5, 5));
    ASSERT_EQ(button->State(), 2);
    const QImage pressed = button->grab().toImage();
    EXPECT_NE(pressed, released);
    EXPECT_EQ(pressed.copy(1, 1, 110, 20), released.copy(0, 0, 110, 20));
}

TEST_F(SkinButtonTest, SetUpFailuresGiveTheirCodes) {
    // No dialog, a bad id or an id already taken: the control cannot be attached.
    CSkinButton orphan(Folders(), nullptr);
    EXPECT_EQ(orphan.SetUp(1, 0, 0, 0, QString(), 12), msg::kControlAttachFailed);
    MakeButton(0, 7);
    auto* twin = new CSkinButton(Folders(), Dialog());
    EXPECT_EQ(twin->SetUp(7, 0, 0, 0, QString(), 12), msg::kControlAttachFailed);
    EXPECT_EQ(twin->SetUp(0, 0, 0, 0, QString(), 12), msg::kControlAttachFailed);
    // An unknown kind or a missing skin file: the pictures cannot be prepared.
    EXPECT_EQ(twin->SetUp(8, 0, 0, 7, QString(), 12), msg::kControlPicturesFailed);
    EXPECT_EQ(twin->SetUp(8, 0, 0, -1, QString(), 12), msg::kControlPicturesFailed);
    RemoveSkin("CROSS_CUT_DIS.BMP");
    EXPECT_EQ(twin->SetUp(8, 0, 0, 6, QString(), 12), msg::kControlPicturesFailed);
    EXPECT_EQ(twin->SetUp(8, 0, 0, 5, QString(), 12), msg::kOk);
}

TEST_F(SkinButtonTest, PictureOfAnotherSizeIsStretched) {
    WriteSkin("BUTTON_1_UP.BMP", QSize(3, 90), QColor(1, 2, 3));
    CSkinButton* button = MakeButton();
    EXPECT_EQ(button->Picture(0).size(), QSize(117, 22));
    EXPECT_EQ(PixelAt(button, QPoint(116, 21)), QColor(1, 2, 3));
}

TEST_F(SkinButtonTest, ReplacingOneFileChangesEveryButtonUsingIt) {
    WriteSkin("BUTTON_1_UP.BMP", QSize(4, 4), QColor(9, 8, 7));
    CSkinButton* first = MakeButton(0, 1);
    CSkinButton* second = MakeButton(0, 2);
    EXPECT_EQ(PixelAt(first, QPoint(1, 1)), QColor(9, 8, 7));
    EXPECT_EQ(PixelAt(second, QPoint(1, 1)), QColor(9, 8, 7));
}

class SkinArrowTest : public SkinTestBed {
protected:
    CSkinArrowButton* MakeArrow(int kind) {
        auto* arrow = new CSkinArrowButton(Folders(), Dialog());
        EXPECT_EQ(arrow->SetUp(3101 + kind, 0, 0, kind, QString(), 12), msg::kOk);
        arrow->show();
        return arrow;
    }
};

TEST_F(SkinArrowTest, KindsGiveTheirJogDirection) {
    const std::pair<int, int> kinds[] = {{0, 2}, {1, 1}, {2, 4}, {3, 8}};
    for (const auto& [kind, bit] : kinds) {
        CSkinArrowButton* arrow = MakeArrow(kind);
        EXPECT_EQ(arrow->Direction(), bit);
        EXPECT_EQ(arrow->size(), QSize(26, 26));
    }
    auto* fifth = new CSkinArrowButton(Folders(), Dialog());
    EXPECT_EQ(fifth->SetUp(3110, 0, 0, 4, QString(), 12), msg::kControlPicturesFailed);
    EXPECT_EQ(fifth->Direction(), 0);
}

TEST_F(SkinArrowTest, HeldArrowLooksPressedEvenWithThePointerOutside) {
    CSkinArrowButton* arrow = MakeArrow(2);
    QSignalSpy pressed(arrow, &CSkinArrowButton::JogPressed);
    QSignalSpy released(arrow, &CSkinArrowButton::JogReleased);
    Press(arrow, QPoint(13, 13));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toInt(), 4);
    Move(arrow, QPoint(60, 60));
    EXPECT_EQ(arrow->State(), 1);
    EXPECT_EQ(PixelAt(arrow, QPoint(1, 1)), ColourOf("ARW_LEFT_DOWN.BMP"));
    EXPECT_EQ(released.count(), 0); // the head keeps moving
    Release(arrow, QPoint(60, 60));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 4);
    EXPECT_EQ(PixelAt(arrow, QPoint(1, 1)), ColourOf("ARW_LEFT_UP.BMP"));
}

TEST_F(SkinArrowTest, SpaceAndModifiersJogWhileFocused) {
    CSkinArrowButton* arrow = MakeArrow(0);
    arrow->setFocus();
    QSignalSpy pressed(arrow, &CSkinArrowButton::JogPressed);
    QSignalSpy released(arrow, &CSkinArrowButton::JogReleased);
    KeyDown(arrow, Qt::Key_Space);
    Key(arrow, QEvent::KeyPress, Qt::Key_Space, true);
    KeyDown(arrow, Qt::Key_Shift);
    KeyUp(arrow, Qt::Key_Shift);
    KeyUp(arrow, Qt::Key_Space);
    std::vector<int> down, up;
    for (const QList<QVariant>& args : pressed) {
        down.push_back(args.at(0).toInt());
    }
    for (const QList<QVariant>& args : released) {
        up.push_back(args.at(0).toInt());
    }
    EXPECT_EQ(down, (std::vector<int>{2, 32}));
    EXPECT_EQ(up, (std::vector<int>{32, 2}));
}

} // namespace
