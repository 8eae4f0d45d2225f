// Starts that fail: the message is shown on screen, answered like a user would, and the
// process ends with the exit code its starter expects.
#include "ControllerRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Launch = CControllerRun::Launch;

bool CopyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

// A program folder with the controller, its USB library and its skin, but no media lists.
QString ProgramFolderWithoutMediaLists(const QString& parent) {
    const QString folder = parent + "/program";
    const QString built = QStringLiteral(QUIRN_RUNTIME_DIR);
    if (!QDir().mkpath(folder) || !QFile::copy(built + "/quirn", folder + "/quirn") ||
        !QFile::copy(built + "/libzefralink.so", folder + "/libzefralink.so") ||
        !CopyTree(built + "/BMP", folder + "/BMP")) {
        return {};
    }
    return folder + "/quirn";
}

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
            const QString program = ProgramFolderWithoutMediaLists(run.Folder());
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
