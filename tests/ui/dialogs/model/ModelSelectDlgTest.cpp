// The plotter choice window, driven offscreen by control id.
#include "ui/dialogs/model/ModelSelectDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::vector<std::string> kTwo{"WX8800", "Nimbo Pro S"};

// Acts on the modal window once it shows; a window that never shows fails the test.
void WhenShown(const std::function<void(CModelSelectDlg&)>& act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<CModelSelectDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

QComboBox* List(const CModelSelectDlg& dialog) {
    return qobject_cast<QComboBox*>(dialog.Control(CModelSelectDlg::kIdModelList));
}

TEST(ModelSelectDlgTest, ListsTheNamesInOrderWithTheFirstSelected) {
    const CModelSelectDlg dialog({"WX8800", "Nimbo-Pro", "RX3600"}, "Morvalin Vireclip");
    QComboBox* list = List(dialog);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "WX8800");
    EXPECT_EQ(list->itemText(1), "Nimbo-Pro");
    EXPECT_EQ(list->itemText(2), "RX3600");
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_FALSE(list->isEditable());
    EXPECT_NE(qobject_cast<QPushButton*>(dialog.Control(CModelSelectDlg::kIdOk)), nullptr);
    EXPECT_EQ(dialog.Control(4205), nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Morvalin Vireclip");
}

TEST(ModelSelectDlgTest, OkGivesTheSelectedName) {
    WhenShown([](CModelSelectDlg& dialog) {
        List(dialog)->setCurrentIndex(1);
        qobject_cast<QPushButton*>(dialog.Control(CModelSelectDlg::kIdOk))->click();
    });
    EXPECT_EQ(CModelSelectDlg::Choose(kTwo, "Morvalin Vireclip"), "Nimbo Pro S");
}

TEST(ModelSelectDlgTest, OkWithoutChangeGivesTheFirst) {
    WhenShown([](CModelSelectDlg& dialog) {
        qobject_cast<QPushButton*>(dialog.Control(CModelSelectDlg::kIdOk))->click();
    });
    EXPECT_EQ(CModelSelectDlg::Choose(kTwo, "Morvalin Vireclip"), "WX8800");
}

// Closed any other way (Escape, the window's close box): no choice, whatever was selected.
TEST(ModelSelectDlgTest, ClosedWithoutOkGivesNothing) {
    WhenShown([](CModelSelectDlg& dialog) {
        List(dialog)->setCurrentIndex(1);
        dialog.reject();
    });
    EXPECT_EQ(CModelSelectDlg::Choose(kTwo, "Morvalin Vireclip"), "");
    WhenShown([](CModelSelectDlg& dialog) { dialog.close(); });
    EXPECT_EQ(CModelSelectDlg::Choose(kTwo, "Morvalin Vireclip"), "");
}

} // namespace
