// Closing real controller processes with real key presses, and the exit codes the program
// that started them reads.
#include "ControllerRun.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Launch = CControllerRun::Launch;
constexpr int kScreenTimeoutMs = CControllerRun::kScreenTimeoutMs;

TEST(EndToEndClosing, KeysEndTheWindowWithTheirExitCodes) {
    struct Row {
        const char* what;
        QStringList arguments;
        quint32 key;
        int exitCode;
    };
    const std::vector<Row> rows{
        {"Close", {}, CVncClient::kKeyReturn, 0},
        {"Cut with registration marks off", {"/CUTMODE"}, CVncClient::kKeyReturn, 2},
        {"Cancel", {"/CUTMODE"}, CVncClient::kKeyEscape, 1},
        {"Escape outside cut mode, where Cancel is hidden", {}, CVncClient::kKeyEscape, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CControllerRun run;
        ASSERT_TRUE(run.IsValid());
        run.Remember("TomboRead", 0);
        run.Remember("CutCondSetting", 1);
        run.Remember("MediaListName", "Paper");
        CVncClient client;
        ASSERT_TRUE(run.StartOnScreen(Launch().Args(row.arguments), client));
        ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
        ASSERT_TRUE(client.Press(row.key));
        EXPECT_EQ(run.ExitCode(), row.exitCode);
        // Every way out stores the settings, also those the test did not prepare.
        EXPECT_EQ(run.Remembered("UnitType").toString(), "0");
        EXPECT_EQ(run.Remembered("TomboAuto").toString(), "1");
        EXPECT_EQ(run.Remembered("MediaListName").toString(), "Paper");
        // No mark search on the way out.
        EXPECT_EQ(run.Wire().find(Query("C10")), std::string::npos);
    }
}

// The plotter never becomes ready, so the media orientation and the condition chosen at
// opening stay unsent while the retry timer keeps finding it not ready.
TEST(EndToEndClosing, UnsentChangesAreConfirmedFirst) {
    struct Row {
        const char* what;
        QStringList arguments;
        quint32 key;
        int exitCode;
    };
    const std::vector<Row> rows{
        {"Close", {}, CVncClient::kKeyReturn, 0},
        {"Escape", {}, CVncClient::kKeyEscape, 1},
        {"Cancel in cut mode", {"/CUTMODE"}, CVncClient::kKeyEscape, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CControllerRun run;
        ASSERT_TRUE(run.IsValid());
        run.Remember("CutCondSetting", 1);
        run.Remember("MediaListName", "Vinyl");
        CVncClient client;
        ASSERT_TRUE(run.StartOnScreen(Launch().Sim({"--not-ready"}).Args(row.arguments), client));
        ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));

        // The first press asks; Cancel (Escape) keeps the window open and saves nothing.
        ASSERT_TRUE(client.Press(row.key));
        ASSERT_TRUE(client.WaitForScreen(screen::ShowsMessageBox, kScreenTimeoutMs));
        ASSERT_TRUE(client.Press(CVncClient::kKeyEscape));
        ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
        EXPECT_TRUE(run.IsRunning());
        EXPECT_FALSE(run.Remembered("UnitType").isValid());

        // Asked again; OK (Return) gives the changes up and ends.
        ASSERT_TRUE(client.Press(row.key));
        ASSERT_TRUE(client.WaitForScreen(screen::ShowsMessageBox, kScreenTimeoutMs));
        EXPECT_TRUE(run.IsRunning());
        ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
        EXPECT_EQ(run.ExitCode(), row.exitCode);
        EXPECT_EQ(run.Remembered("MediaListName").toString(), "Vinyl");
        const std::string wire = run.Wire();
        EXPECT_EQ(wire.find(Command("TC4,2")), std::string::npos);
        EXPECT_EQ(wire.find(Command("TC21,0")), std::string::npos);
    }
}

// Not ready through the opening and the first retry tick, ready afterwards: the retry timer
// sends what the opening could not, and closing asks nothing.
TEST(EndToEndClosing, ChangesSentByTheRetryTimerCloseWithoutAQuestion) {
    const std::string kVinylOnWire = Command("TC4,2") + Command("TC3,14") + Command("TC1,400") +
                                     Command("TC2,10") + Command("TC5,0");
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    run.Remember("CutCondSetting", 1);
    run.Remember("MediaListName", "Vinyl");
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(Launch().Sim({"--not-ready", "--status-replies", "3"}), client));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
    // The condition first, then the orientation, after one ready check.
    ASSERT_TRUE(run.WaitForWire(Query("C1") + kVinylOnWire + Command("TC21,0"), kScreenTimeoutMs));
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    EXPECT_EQ(run.ExitCode(), 0);
    const std::string wire = run.Wire();
    // The opening found the plotter not ready twice and sent nothing.
    const std::string opening = Query("C31;9") + Query("C31;24") + Query("C31;17") +
                                Query("C31;20") + Query("C31;26") + Query("C1") + Query("C1");
    EXPECT_EQ(wire.substr(0, opening.size()), opening);
    EXPECT_EQ(wire.substr(opening.size(), 1), "\x1b");
}

} // namespace
