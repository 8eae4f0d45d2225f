// The skinned drop-down list: its own item list, the face per state, the selected text, the
// pressed state and the keys it keeps from the dialog.

#include "SkinTestBed.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinCombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

namespace {

class SkinComboTest : public SkinTestBed {
protected:
    CSkinCombo* MakeCombo(int kind = 2) {
        auto* combo = new CSkinCombo(Folders(), Dialog());
        EXPECT_EQ(combo->SetUp(3702, 12, 204, kind, 12), msg::kOk);
        combo->show();
        return combo;
    }
    // Pixels of the drawn box that are not the face colour.
    static int Marked(QWidget* combo, const QColor& face) {
        const QImage drawn = combo->grab().toImage();
        int count = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                count += drawn.pixelColor(x, y) != face ? 1 : 0;
            }
        }
        return count;
    }
};

TEST_F(SkinComboTest, KindsGiveSizeAndFace) {
    const std::pair<int, int> widths[] = {{0, 65}, {1, 84}, {2, 105}, {3, 278}};
    for (const auto& [kind, width] : widths) {
        auto* combo = new CSkinCombo(Folders(), Dialog());
        ASSERT_EQ(combo->SetUp(4100 + kind, 5, 6, kind, 12), msg::kOk);
        EXPECT_EQ(combo->geometry(), QRect(5, 6, width, 14));
    }
}

TEST_F(SkinComboTest, OwnListFollowsAddAndReset) {
    CSkinCombo* combo = MakeCombo();
    combo->AddString(QStringLiteral("Vinyl"));
    combo->AddString(QStringLiteral("Paper"));
    EXPECT_EQ(combo->Items(), (QStringList{"Vinyl", "Paper"}));
    EXPECT_EQ(combo->count(), 2);
    combo->ResetContent();
    EXPECT_TRUE(combo->Items().isEmpty());
    EXPECT_EQ(combo->count(), 0);
}

TEST_F(SkinComboTest, EmptyListDrawsOnlyTheFace) {
    CSkinCombo* combo = MakeCombo();
    const QColor face = ColourOf("COMBO_105x14_UP.BMP");
    EXPECT_EQ(Marked(combo, face), 0);
    combo->AddString(QStringLiteral("Vinyl"));
    combo->setCurrentIndex(0);
    EXPECT_GT(Marked(combo, face), 0);
    // Disabled: the disabled face and no text.
    combo->setEnabled(false);
    EXPECT_EQ(combo->State(), 2);
    EXPECT_EQ(Marked(combo, ColourOf("COMBO_105x14_DIS.BMP")), 0);
    combo->setEnabled(true);
    EXPECT_EQ(combo->State(), 0);
}

TEST_F(SkinComboTest, PressShowsThePressedFaceWhileDropped) {
    CSkinCombo* combo = MakeCombo();
    combo->AddString(QStringLiteral("Vinyl"));
    combo->setFocus();
    Press(combo, QPoint(5, 5));
    EXPECT_EQ(combo->State(), 1);
    EXPECT_EQ(PixelAt(combo, QPoint(104, 0)), ColourOf("COMBO_105x14_DOWN.BMP"));
    combo->hidePopup();
    EXPECT_EQ(combo->State(), 0);
    EXPECT_EQ(PixelAt(combo, QPoint(104, 0)), ColourOf("COMBO_105x14_UP.BMP"));
}

TEST_F(SkinComboTest, WhilePressedKeysAreSwallowedUntilF1) {
    CSkinCombo* combo = MakeCombo();
    combo->AddString(QStringLiteral("Vinyl"));
    combo->setFocus();
    KeyDown(combo, Qt::Key_F2);
    const int seen = DialogSaw(QEvent::KeyPress);
    EXPECT_EQ(seen, 1);
    Press(combo, QPoint(5, 5));
    ASSERT_EQ(combo->State(), 1);
    KeyDown(combo, Qt::Key_F2);
    KeyUp(combo, Qt::Key_F2);
    EXPECT_EQ(DialogSaw(QEvent::KeyPress), seen);
    EXPECT_EQ(DialogSaw(QEvent::KeyRelease), 0);
    EXPECT_EQ(combo->State(), 1);
    KeyDown(combo, Qt::Key_F1);
    EXPECT_EQ(combo->State(), 0);
    combo->hidePopup();
}

TEST_F(SkinComboTest, PointerLeavingOrReleasingEndsThePress) {
    CSkinCombo* combo = MakeCombo();
    Press(combo, QPoint(5, 5));
    ASSERT_EQ(combo->State(), 1);
    Move(combo, QPoint(300, 5));
    EXPECT_EQ(combo->State(), 0);
    combo->hidePopup();
    Press(combo, QPoint(5, 5));
    ASSERT_EQ(combo->State(), 1);
    Release(combo, QPoint(5, 5));
    EXPECT_EQ(combo->State(), 0);
    combo->hidePopup();
}

TEST_F(SkinComboTest, DroppedItemsHaveTheKindHeight) {
    CSkinCombo* combo = MakeCombo();
    combo->AddString(QStringLiteral("Vinyl"));
    combo->AddString(QStringLiteral("Paper"));
    EXPECT_EQ(combo->view()->sizeHintForRow(0), 14);
}

TEST_F(SkinComboTest, MissingFaceFailsTheSetUp) {
    RemoveSkin("COMBO_278x14_DIS.BMP");
    auto* combo = new CSkinCombo(Folders(), Dialog());
    EXPECT_EQ(combo->SetUp(3005, 0, 0, 3, 12), msg::kControlPicturesFailed);
    EXPECT_EQ(combo->SetUp(3005, 0, 0, 4, 12), msg::kControlPicturesFailed);
    EXPECT_EQ(combo->SetUp(3005, 0, 0, 2, 12), msg::kOk);
}

} // namespace

namespace {

// Counts the Return keys that reach a window's own filter, as the main window's does.
class ReturnCounter : public QObject {
public:
    QObject* box = nullptr;
    int count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == box && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
            ++count;
        }
        return false;
    }
};

// Return that chooses an item closes the list before the key is delivered to the box; the
// window must not take it as OK as well. A later Return is the window's again.
TEST_F(SkinComboTest, TheKeyThatChoosesAnItemIsNotTheWindowsToo) {
    auto* combo = MakeCombo();
    combo->AddString("Paper");
    combo->AddString("Vinyl");
    ReturnCounter window;
    window.box = combo;
    qApp->installEventFilter(&window);
    combo->showPopup();
    combo->hidePopup();
    QKeyEvent choice(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(combo, &choice);
    EXPECT_EQ(window.count, 0);
    QCoreApplication::processEvents();
    QKeyEvent later(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(combo, &later);
    EXPECT_EQ(window.count, 1);
    qApp->removeEventFilter(&window);
}

} // namespace
