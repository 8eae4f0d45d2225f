// Print and cut from real controller processes: the registration-mark steps of "Cut" and the
// distance edits, with the plotter's mark reading simulated.
#include "ControllerRun.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Launch = CControllerRun::Launch;
constexpr int kScreenTimeoutMs = CControllerRun::kScreenTimeoutMs;
const QStringList kCut{"/CUTMODE"};
const QRgb kWindowBackground = qRgb(210, 212, 213);
// Far fewer than the 280 x 105 pixels of the mark reading window.
constexpr int kReadingWindowPixels = 10000;

bool ShowsWindowAlone(const QImage& image) {
    return screen::ShowsMainWindow(image) && !screen::ShowsMessageBox(image);
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

// The start of a mark reading with the first-run mark settings (type 1, length 10 mm,
// thickness 0.5 mm) at 20 steps per mm, from its step-size query to its last command.
std::string MarkStart(const std::string& search) {
    return Query("C31;16") + Query("C10") + Command("TB99,") + Command("TB52,2,") +
           Command("TB51,200,") + Command("TB53,10,") + Command("TB55,1,") + Command(search) +
           Command("TB99,");
}

// The wire without the ready checks, which the retry timer makes twice a second.
std::string WithoutStatus(std::string wire) {
    const std::string status = Query("C1");
    for (std::size_t at = wire.find(status); at != std::string::npos; at = wire.find(status, at)) {
        wire.erase(at, status.size());
    }
    return wire;
}

bool HasMarkTraffic(const std::string& wire) {
    for (const std::string& part : {Query("C10"), Query("C11"), Query("C12"), Command("TC23,")}) {
        if (wire.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Marks on, X 300 mm and Y 200 mm apart.
void RememberMarks(CControllerRun& run, int automatic) {
    run.Remember("TomboRead", 1);
    run.Remember("TomboAuto", automatic);
    run.Remember("TomboDisX", 300000);
    run.Remember("TomboDisY", 200000);
}

TEST(EndToEndMarks, CutWithoutMarksEndsAtOnce) {
    struct Row {
        const char* what;
        QStringList sim;
        QStringList arguments;
    };
    const std::vector<Row> rows{
        {"Marks turned off by the launching program", {}, kCut + QStringList{"/NOTRM"}},
        {"A plotter without mark reading", {"--reply", "C31;17=0\\x03"}, kCut},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CControllerRun run;
        ASSERT_TRUE(run.IsValid());
        RememberMarks(run, 1);
        CVncClient client;
        ASSERT_TRUE(run.StartOnScreen(Launch().Sim(row.sim).Args(row.arguments), client));
        ASSERT_TRUE(client.WaitForScreen(ShowsWindowAlone, kScreenTimeoutMs));
        ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
        EXPECT_EQ(run.ExitCode(), 2);
        const std::string wire = run.Wire();
        EXPECT_FALSE(HasMarkTraffic(wire));
        // Status checks only, the retry timer's and Cut's, after the opening's orientation.
        const std::string end = Command("TC21,0");
        EXPECT_EQ(WithoutStatus(wire).substr(WithoutStatus(wire).size() - end.size()), end);
    }
}

TEST(EndToEndMarks, AutomaticSearchWithXOutOfRangeKeepsTheWindow) {
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    RememberMarks(run, 1);
    run.Remember("TomboDisX", 60000000); // 60000 mm; the medium is 50000 mm long
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(Launch().Args(kCut), client));
    ASSERT_TRUE(client.WaitForScreen(ShowsWindowAlone, kScreenTimeoutMs));

    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMessageBox, kScreenTimeoutMs));
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    ASSERT_TRUE(client.WaitForScreen(ShowsWindowAlone, kScreenTimeoutMs));
    EXPECT_TRUE(run.IsRunning());
    EXPECT_FALSE(run.Remembered("UnitType").isValid());

    // The focus is in the X edit now, where Enter does not cut; Escape cancels.
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    ASSERT_TRUE(client.Press(CVncClient::kKeyEscape));
    EXPECT_EQ(run.ExitCode(), 1);
    EXPECT_FALSE(HasMarkTraffic(run.Wire()));
    // Saved as the nearest limit.
    EXPECT_EQ(run.Remembered("TomboDisX").toString(), "50000000");
}

TEST(EndToEndMarks, MarksNotReadByHandAskFirst) {
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    RememberMarks(run, 0);
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(Launch().Args(kCut), client));
    ASSERT_TRUE(client.WaitForScreen(ShowsWindowAlone, kScreenTimeoutMs));

    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMessageBox, kScreenTimeoutMs));
    EXPECT_TRUE(run.WaitForWire(Query("C1") + Command("TC23,"), kScreenTimeoutMs));
    EXPECT_TRUE(run.IsRunning());
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn)); // cut anyway
    EXPECT_EQ(run.ExitCode(), 2);
    EXPECT_EQ(run.Wire().find(Query("C10")), std::string::npos);
}

TEST(EndToEndMarks, AutomaticSearchReadsBeforeTheCut) {
    struct Row {
        const char* what;
        const char* fault;
        int exitCode; // -1: the window stays after message 1102
    };
    const std::vector<Row> rows{
        {"Read", "--marks-succeed-after", 2},
        {"Failed", "--marks-fail-after", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CControllerRun run;
        ASSERT_TRUE(run.IsValid());
        RememberMarks(run, 1);
        CVncClient client;
        ASSERT_TRUE(run.StartOnScreen(Launch().Sim({row.fault, "2"}).Args(kCut), client));
        ASSERT_TRUE(client.WaitForScreen(ShowsWindowAlone, kScreenTimeoutMs));
        ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
        if (row.exitCode < 0) {
            ASSERT_TRUE(client.WaitForScreen(screen::ShowsMessageBox, kScreenTimeoutMs));
            ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
            ASSERT_TRUE(client.WaitForScreen(ShowsWindowAlone, kScreenTimeoutMs));
            EXPECT_TRUE(run.IsRunning());
            ASSERT_TRUE(client.Press(CVncClient::kKeyEscape));
        }
        EXPECT_EQ(run.ExitCode(), row.exitCode < 0 ? 1 : row.exitCode);
        const std::string wire = WithoutStatus(run.Wire());
        const std::string start = MarkStart("TB123,6000,4000,");
        ASSERT_NE(wire.find(start), std::string::npos);
        // Two polls answered "reading", the third the end; nothing but status checks after.
        EXPECT_EQ(wire.substr(wire.find(start) + start.size()),
                  Query("C11") + Query("C11") + Query("C11"));
    }
}

// With German regional settings the decimal separator is a comma.
TEST(EndToEndMarks, CommaSeparatedDistanceIsTypedReadAndSaved) {
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    RememberMarks(run, 1);
    run.Remember("TomboDisX", 12500);
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(
        Launch().Locale("de_DE.UTF-8").Sim({"--marks-succeed-after", "1"}), client));
    QImage shown;
    ASSERT_TRUE(client.WaitForScreen(
        [&shown](const QImage& image) {
            shown = image;
            return ShowsWindowAlone(image);
        },
        kScreenTimeoutMs));

    // Into the X edit (at 416, 340 of the window), which shows 12,5: the text goes, 300,5
    // comes; a point and a second decimal are refused.
    const QPoint window = screen::MainWindowOrigin(shown);
    ASSERT_TRUE(client.Click(QPoint(window.x() + 440, window.y() + 349)));
    ASSERT_TRUE(client.Press(CVncClient::kKeyEnd));
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(client.Press(CVncClient::kKeyBackSpace));
    }
    ASSERT_TRUE(client.Type("300,5.7"));

    ASSERT_TRUE(client.Press(CVncClient::kKeyF7));
    const std::string search = Command("TB123,6010,4000,");
    ASSERT_TRUE(run.WaitForWire(
        [&search](const std::string& wire) {
            const std::size_t start = wire.find(search);
            return start != std::string::npos && Count(wire.substr(start), Query("C11")) == 2;
        },
        kScreenTimeoutMs));
    // Escape ends once the reading window, drawn in the window background colour, has gone.
    const int background = screen::Pixels(shown, kWindowBackground);
    ASSERT_TRUE(client.WaitForScreen(
        [background](const QImage& image) {
            return screen::Pixels(image, kWindowBackground) < background + kReadingWindowPixels;
        },
        kScreenTimeoutMs));
    ASSERT_TRUE(client.Press(CVncClient::kKeyEscape));
    EXPECT_EQ(run.ExitCode(), 1);
    EXPECT_EQ(run.Remembered("TomboDisX").toString(), "300500");
    EXPECT_EQ(Count(run.Wire(), search), 1u);
}

} // namespace
