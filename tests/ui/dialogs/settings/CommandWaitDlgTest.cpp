#include "ui/dialogs/settings/CommandWaitDlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(CommandWaitWindow, ShowsItsTextAndEndsByItselfNotByKeysOrTheCloseBox) {
    CCommandWaitDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Wait...");
    const auto* text = qobject_cast<QLabel*>(dialog.Control(CCommandWaitDlg::kIdText));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "Now setting the command parameterr...");
    EXPECT_EQ(dialog.size(), QSize(250, 105));

    bool visibleAfterKeys = false;
    QTimer::singleShot(50, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTest::keyClick(&dialog, Qt::Key_Enter);
        dialog.close();
        QTimer::singleShot(100, &dialog, [&] { visibleAfterKeys = dialog.isVisible(); });
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(visibleAfterKeys);
}

} // namespace
