// Starts that fail: the message is shown on screen, answered like a user would, and the
// process ends with the exit code its starter expects.
#include "ControllerRun.h"

#include <gtest/gtest.h>

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

} // namespace
