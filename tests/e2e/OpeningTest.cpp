// The opening of real controller processes on the simulated plotter: what goes over the wire,
// byte for byte, and what the process reports.
#include "ControllerRun.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Launch = CControllerRun::Launch;

const std::string kIdentify = Query("C31;9") + Query("C31;24");
const std::string kPanel = Query("C31;17") + Query("C31;20") + Query("C31;26");
const std::string kStatus = Query("C1");
const std::string kOrientation = Command("TC21,0");
const std::string kReadyLine = "quirn: main window ready";

// The shipped WX8800-60 media lists "Vinyl" and "Paper".
const std::string kVinylOnWire = Command("TC4,2") + Command("TC3,14") + Command("TC1,400") +
                                 Command("TC2,10") + Command("TC5,0");
const std::string kPaperOnWire = Command("TC4,2") + Command("TC3,10") + Command("TC1,500") +
                                 Command("TC2,15") + Command("TC5,0");

struct Remembered {
    QString key;
    QVariant value;
};

TEST(EndToEndOpening, SequenceOnTheWire) {
    struct Row {
        const char* what;
        QStringList arguments;
        std::vector<Remembered> settings;
        std::string wire;
        QStringList simOptions = {};
    };
    const std::vector<Row> rows{
        {"first run: the plotter's own settings",
         {},
         {},
         kIdentify + kPanel + kStatus + kOrientation},
        {"stored controller settings send the stored media list",
         {},
         {{"CutCondSetting", 1}, {"MediaListName", "Vinyl"}},
         kIdentify + kPanel + kStatus + kOrientation + kStatus + kVinylOnWire},
        {"RM overrides a stored choice of the plotter's settings",
         {"/RM"},
         {{"CutCondSetting", 0}, {"MediaListName", "Paper"}},
         kIdentify + kPanel + kStatus + kOrientation + kStatus + kPaperOnWire},
        {"LM on a plotter in its own command set asks nothing",
         {"/LM"},
         {{"CutCondSetting", 1}, {"MediaListName", "Paper"}},
         kIdentify + kPanel + kStatus + kOrientation + kStatus + kPaperOnWire},
        {"the other command set without LM or RM is left as it is",
         {},
         {},
         kIdentify + kPanel + kStatus + kOrientation,
         {"--hpgl"}},
        {"demonstration mode leaves the plotter alone",
         {"/DEMO"},
         {{"CutCondSetting", 1}, {"MediaListName", "Vinyl"}},
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CControllerRun run;
        ASSERT_TRUE(run.IsValid());
        for (const Remembered& setting : row.settings) {
            run.Remember(setting.key, setting.value);
        }
        ASSERT_TRUE(
            run.StartOffscreen(Launch().Sim(row.simOptions).Args(row.arguments).ExitWhenReady()));
        EXPECT_EQ(run.ExitCode(), 1);
        EXPECT_TRUE(run.ErrorOutput().contains(QString::fromStdString(kReadyLine)))
            << run.ErrorOutput().toStdString();
        EXPECT_EQ(run.Wire(), row.wire);
        // Ending at once saves nothing: the file holds what the test put there.
        EXPECT_EQ(run.Remembered("UnitType"), QVariant());
    }
}

// The plotter runs the other command set; LM makes the controller ask before it switches.
TEST(EndToEndOpening, CommandSetSwitchIsAskedOnScreen) {
    struct Row {
        const char* what;
        QStringList arguments;
        quint32 key;
        int exitCode;
        std::string wire;
    };
    const std::vector<Row> rows{
        {"LM, OK switches and the opening goes on",
         {"/LM"},
         CVncClient::kKeyReturn,
         1,
         kIdentify + kStatus + Command("TC24,0") + kPanel + kStatus + kOrientation},
        {"LM, Cancel ends before anything is sent",
         {"/LM"},
         CVncClient::kKeyEscape,
         101,
         kIdentify},
        {"RM, OK switches, then the condition goes out",
         {"/RM"},
         CVncClient::kKeyReturn,
         1,
         kIdentify + kStatus + Command("TC24,0") + kPanel + kStatus + kOrientation + kStatus +
             kPaperOnWire},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CControllerRun run;
        ASSERT_TRUE(run.IsValid());
        run.Remember("MediaListName", "Paper");
        CVncClient client;
        ASSERT_TRUE(run.StartOnScreen(Launch().Sim({"--hpgl"}).Args(row.arguments).ExitWhenReady(),
                                      client));
        // The question comes before the main window.
        ASSERT_TRUE(
            client.WaitForScreen(screen::ShowsMessageBox, CControllerRun::kScreenTimeoutMs));
        EXPECT_FALSE(screen::ShowsMainWindow(client.Capture()));
        EXPECT_TRUE(run.IsRunning());
        ASSERT_TRUE(client.Press(row.key));
        EXPECT_EQ(run.ExitCode(), row.exitCode);
        EXPECT_EQ(run.Wire(), row.wire);
    }
}

// Two supported plotters: the choice comes before any byte goes out, and OK opens the one
// listed first, in model-table order, whatever order the USB search found them in.
TEST(EndToEndOpening, PlotterChoiceComesBeforeAnyTraffic) {
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(
        Launch().Sim({"--model", "RX3600-60", "--model", "WX8800-60"}).ExitWhenReady(), client));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsAnything, CControllerRun::kScreenTimeoutMs));
    EXPECT_FALSE(screen::ShowsMainWindow(client.Capture()));
    EXPECT_TRUE(run.IsRunning());
    EXPECT_EQ(run.Wire(0), "");
    EXPECT_EQ(run.Wire(1), "");
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    EXPECT_EQ(run.ExitCode(), 1);
    EXPECT_EQ(run.Wire(0), "");
    EXPECT_EQ(run.Wire(1), kIdentify + kPanel + kStatus + kOrientation);
}

} // namespace
