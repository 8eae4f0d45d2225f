// Starts that fail: the message is shown on screen, answered like a user would, and the
// process ends with the exit code its starter expects. And a plotter that goes away while
// the window is open: the window reports it and stays usable.
#include "ControllerRun.h"
#include "ui/main/ControlIds.h"

#include <gtest/gtest.h>

#include <csignal>
#include <vector>

namespace {

using Launch = CControllerRun::Launch;

TEST(EndToEndFailedStart, MessageIsAnsweredAndTheExitCodeTold) {
    const std::string kReachesTheMediaLists = Query("C31;9") + Query("C31;24") + Query("C31;17") +
                                              Query("C31;20") + Query("C31;26") + Query("C1") +
                                              Command("TC21,0");
    struct Row {
        const char* what;
        QStringList simOptions;
        QStringList arguments;
        bool underSimulator;
        bool withoutMediaLists;
        int exitCode;
        std::string wire;
    };
    const std::vector<Row> rows{
        {"no plotter of this vendor (1004)", {"--vendor-id", "1234"}, {}, true, false, 101, ""},
        {"no plotter at all (1004)", {}, {}, false, false, 101, ""},
        {"unknown model name (1010)", {}, {"/MODEL,xyz"}, true, false, 199, ""},
        {"no media list files (1013)", {}, {}, true, true, 199, kReachesTheMediaLists},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CControllerRun run;
        ASSERT_TRUE(run.IsValid());
        Launch launch = Launch().Sim(row.simOptions).Args(row.arguments);
        if (!row.underSimulator) {
            launch.WithoutSimulator();
        }
        if (row.withoutMediaLists) {
            const QString program = CopyProgramFolder(run.Folder(), false);
            ASSERT_FALSE(program.isEmpty());
            launch.Program(program);
        }
        CVncClient client;
        ASSERT_TRUE(run.StartOnScreen(launch, client));
        ASSERT_TRUE(
            client.WaitForScreen(screen::ShowsMessageBox, CControllerRun::kScreenTimeoutMs));
        EXPECT_FALSE(screen::ShowsMainWindow(client.Capture()));
        // The process waits for the answer.
        EXPECT_TRUE(run.IsRunning());
        ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
        EXPECT_EQ(run.ExitCode(), row.exitCode);
        if (row.underSimulator) {
            EXPECT_EQ(run.Wire(), row.wire);
        }
        // A window that never opened stores nothing.
        EXPECT_FALSE(run.SettingsFileExists());
    }
}

// The plotter pulled out while the window is open: Origin shows a message instead of moving
// the head; once it is plugged back in, the same button in the same window moves it.
TEST(EndToEndPulledOut, TheWindowStaysUsableAndReachesThePlotterOnceItIsBack) {
    const std::string kOrigin = Command("TC36,");
    const auto windowAlone = [](const QImage& image) {
        return screen::ShowsMainWindow(image) && !screen::ShowsMessageBox(image);
    };
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(Launch(), client));
    ASSERT_TRUE(client.WaitForScreen(windowAlone, CControllerRun::kScreenTimeoutMs));
    const QRect origin = screen::MainWindowControl(client.Capture(), ctl::kOrigin);
    ASSERT_FALSE(origin.isEmpty());

    ASSERT_TRUE(run.SignalSimulator(SIGUSR1));
    ASSERT_TRUE(client.Click(origin.center()));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMessageBox, CControllerRun::kScreenTimeoutMs));
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    ASSERT_TRUE(client.WaitForScreen(windowAlone, CControllerRun::kScreenTimeoutMs));

    ASSERT_TRUE(run.SignalSimulator(SIGUSR2));
    ASSERT_TRUE(client.Click(origin.center()));
    EXPECT_TRUE(run.WaitForWire(kOrigin, CControllerRun::kScreenTimeoutMs));
    EXPECT_TRUE(windowAlone(client.Capture()));

    ASSERT_TRUE(client.Press(CVncClient::kKeyEscape));
    EXPECT_EQ(run.ExitCode(), 1);
    // The click while it was out sent nothing that arrived.
    const std::string wire = run.Wire();
    EXPECT_EQ(wire.find(kOrigin), wire.rfind(kOrigin));
}

} // namespace
