// The condition windows of a real controller process: a list made with "New..." is a file in
// the program folder and a media type of the main window.
#include "ControllerRun.h"

#include "core/LanguageSet.h"
#include "ui/main/ControlIds.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

using Launch = CControllerRun::Launch;
constexpr int kScreenTimeoutMs = CControllerRun::kScreenTimeoutMs;

// Where the screen shows the selection colour of Qt's style, which the controller shares.
QRect Highlighted(const QImage& image) {
    const QRgb highlight = QGuiApplication::palette().color(QPalette::Highlight).rgb();
    QRect found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) == (highlight & 0xffffff)) {
                found |= QRect(x, y, 1, 1);
            }
        }
    }
    return found;
}

TEST(EndToEndConditionLists, NewListIsWrittenAndOffered) {
    // The edit window's defaults on a WX8800-60: the default blade, every level at its minimum.
    const QByteArray kNewMediaFile = "[Generic]\r\nProduct=Vireclip Ver1\r\nType=WX8800-60\r\n"
                                     "[Setting]\r\nCutter=KR10A (1)\r\nForce=1\r\nSpeed=1\r\n"
                                     "Quality=1\r\nOffset=0\r\n";
    const std::string kNewMediaOnWire = Command("TC4,2") + Command("TC3,1") + Command("TC1,10") +
                                        Command("TC2,5") + Command("TC5,0");
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    // A program folder of its own: the new list is written into it.
    const QString program = CopyProgramFolder(run.Folder(), true);
    ASSERT_FALSE(program.isEmpty());
    // English lists: the controller runs under the C locale.
    const QString file = QFileInfo(program).path() + "/" +
                         QString::fromStdString(CLanguageSet(1033).GetMediaListFolder()) +
                         "WX8800-60/New Media.kcd";
    run.Remember("CutCondSetting", 1);
    run.Remember("MediaListName", "Vinyl");
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(Launch().Program(program), client));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
    const QImage main = client.Capture();

    // "List Edit...", its "New..." (the first button), then OK of the edit window, which lies
    // between "About the Blades..." and Cancel along its bottom.
    const std::vector<QRect> list =
        ClickForWindow(client, screen::MainWindowControl(main, ctl::kListEdit).center(), 5);
    ASSERT_EQ(list.size(), 5u);
    const QImage listShown = client.Capture();
    const std::vector<QRect> edit = ClickForWindow(client, list.front().center(), 4);
    ASSERT_EQ(edit.size(), 4u);
    ASSERT_TRUE(client.Click(edit[2].center()));
    ASSERT_TRUE(WaitForWindowGone(client, listShown));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), kNewMediaFile);
    ASSERT_TRUE(client.Click(list.back().center())); // Close
    ASSERT_TRUE(WaitForWindowGone(client, main));

    // The media type list offers it: drop the list, type the name's first letter and click
    // the item that takes the highlight. (Return would take it too, but also reaches the main
    // window, as "Close".)
    const QRect combo = screen::MainWindowControl(main, ctl::kMediaType);
    ASSERT_TRUE(client.Click(combo.center()));
    QRect current;
    ASSERT_TRUE(client.WaitForScreen(
        [&](const QImage& now) {
            current = Highlighted(now);
            return current.top() > combo.bottom();
        },
        kScreenTimeoutMs));
    ASSERT_TRUE(client.Type("N"));
    QRect chosen;
    ASSERT_TRUE(client.WaitForScreen(
        [&](const QImage& now) {
            chosen = Highlighted(now);
            return chosen.top() > combo.bottom() && chosen != current;
        },
        kScreenTimeoutMs));
    ASSERT_TRUE(client.Click(chosen.center()));
    ASSERT_TRUE(run.WaitForWire(kNewMediaOnWire, kScreenTimeoutMs));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    EXPECT_EQ(run.ExitCode(), 0);
    EXPECT_EQ(run.Remembered("MediaListName").toString(), "New Media");
}

} // namespace
