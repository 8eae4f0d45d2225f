// The windows the main window opens, in a real controller process: each comes up over the main
// window when its button is clicked, Escape ends it, and none of them sends a setting when it
// ends that way. With QUIRN_SCREENSHOTS set to a folder, the test leaves a picture of each
// window there, as the user sees it.
#include "ControllerRun.h"

#include "ui/dialogs/settings/AdvancedDlgLayout.h"
#include "ui/main/ControlIds.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Launch = CControllerRun::Launch;
constexpr int kScreenTimeoutMs = CControllerRun::kScreenTimeoutMs;

TEST(EndToEndWindows, EachOpensOverTheMainWindowAndEscapeSendsNothing) {
    const std::string kOpening =
        Query("C31;9") + Query("C31;24") + Query("C31;17") + Query("C31;20") + Query("C31;26") +
        Query("C1") + Command("TC21,0") + Query("C1") + Command("TC4,2") + Command("TC3,14") +
        Command("TC1,400") + Command("TC2,10") + Command("TC5,0");
    struct Row {
        const char* what;
        int opener; // a main window control; 0: the first button of the window opened before
        std::size_t buttons;
        // Where the window's first text button sits in it, and its client size: they place the
        // screenshot.
        QPoint firstButton;
        QSize size;
        const char* screenshot; // file name without ".png"; null: no picture
        int escapes;            // windows Escape ends after this one has opened
    };
    // Client areas.
    const QSize kList(649, 252);
    const QSize kEdit(565, 279);
    const QSize kOption(313, 75);
    const QSize kAdvanced(advlayout::kClientWidth, advlayout::kClientHeight);
    const QSize kCommand(348, 75);
    const std::vector<Row> rows{
        {"List Edit...", ctl::kListEdit, 5, {520, 11}, kList, "condition-list", 1},
        {"Edit Conditions...", ctl::kEditConditions, 4, {436, 190}, kEdit, "condition-edit", 1},
        {"Import Conditions...", ctl::kImportConditions, 4, {436, 190}, kEdit, nullptr, 1},
        {"Option...", ctl::kOption, 2, {188, 10}, kOption, "option", 1},
        {"Advanced...", ctl::kAdvanced, 3, {16, 372}, kAdvanced, "advanced-settings", 0},
        {"Advanced..., then Command", 0, 2, {222, 10}, kCommand, "command-setting", 2},
    };
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    // A program folder of its own, so that a window that stores what it should not cannot
    // change the built media lists.
    const QString program = CopyProgramFolder(run.Folder(), true);
    ASSERT_FALSE(program.isEmpty());
    run.Remember("CutCondSetting", 1);
    run.Remember("MediaListName", "Vinyl");
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(Launch().Program(program), client));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
    ASSERT_TRUE(run.WaitForWire(kOpening, kScreenTimeoutMs));
    const QImage main = client.Capture();

    // What each open window covered, the topmost last.
    std::vector<QImage> below;
    std::vector<QRect> buttons;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        below.push_back(client.Capture());
        const QRect opener =
            row.opener != 0 ? screen::MainWindowControl(main, row.opener) : buttons.front();
        ASSERT_FALSE(opener.isEmpty());
        buttons = ClickForWindow(client, opener.center(), row.buttons);
        ASSERT_EQ(buttons.size(), row.buttons);
        KeepScreenshot(client.Capture(),
                       QRect(buttons.front().topLeft() - row.firstButton, row.size),
                       row.screenshot);
        for (int i = 0; i < row.escapes; ++i) {
            ASSERT_TRUE(client.Press(CVncClient::kKeyEscape));
            ASSERT_TRUE(WaitForWindowGone(client, below.back()));
            below.pop_back();
        }
    }
    EXPECT_TRUE(screen::ShowsMainWindowAlone(client.Capture()));
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    EXPECT_EQ(run.ExitCode(), 0);
    // Reading the plotter's settings and condition is all that went out after the opening.
    const std::string wire = run.Wire();
    EXPECT_EQ(wire.substr(0, kOpening.size()), kOpening);
    EXPECT_EQ(wire.find('\x03', kOpening.size()), std::string::npos)
        << wire.substr(kOpening.size());
}

} // namespace
