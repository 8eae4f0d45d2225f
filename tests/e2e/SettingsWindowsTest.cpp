// The plotter settings windows of real controller processes: what Advanced Settings writes to
// the plotter, and the display unit the Option window chooses.
#include "ControllerRun.h"

#include "ui/dialogs/settings/AdvancedDlgLayout.h"
#include "ui/main/ControlIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Launch = CControllerRun::Launch;
constexpr int kScreenTimeoutMs = CControllerRun::kScreenTimeoutMs;

// Where the Advanced Settings window, found by its first button ("Command"), shows its control
// `id`; the label width moves only the feed length's controls.
QRect AdvancedControl(int templateId, const std::vector<QRect>& buttons, int id) {
    const std::vector<advlayout::Placement> controls = advlayout::Controls(templateId, 0);
    auto place = [&controls](int wanted) {
        return std::find_if(controls.begin(), controls.end(),
                            [wanted](const advlayout::Placement& p) { return p.id == wanted; })
            ->rect;
    };
    return place(id).translated(buttons.front().topLeft() - place(advctl::kCommand).topLeft());
}

TEST(EndToEndAdvanced, OkWritesTheWholeBlockWithTheOneValueChanged) {
    struct Row {
        const char* model;
        int templateId;
    };
    const std::vector<Row> rows{
        {"WX8800-60", advlayout::kTemplateOneMode},
        {"RX3600-60", advlayout::kTemplateSlotModes},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.model);
        CControllerRun run;
        ASSERT_TRUE(run.IsValid());
        CVncClient client;
        ASSERT_TRUE(run.StartOnScreen(Launch().Sim({"--model", row.model}), client));
        ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
        ASSERT_TRUE(run.WaitForWire(Command("TC21,0"), kScreenTimeoutMs));
        const QImage main = client.Capture();
        const QPoint advanced = screen::MainWindowControl(main, ctl::kAdvanced).center();

        // Each opening reads the settings, and the window shows once the reading is done: the
        // block written at OK lies between that point and the next opening's reading.
        std::vector<std::size_t> shown;
        auto open = [&] {
            const std::vector<QRect> buttons = ClickForWindow(client, advanced, 3);
            shown.push_back(run.Wire().size());
            return buttons;
        };
        // Command, OK, Cancel.
        std::vector<QRect> buttons = open();
        ASSERT_EQ(buttons.size(), 3u);
        ASSERT_TRUE(client.Click(buttons[1].center()));
        ASSERT_TRUE(WaitForWindowGone(client, main));

        buttons = open();
        ASSERT_EQ(buttons.size(), 3u);
        ASSERT_TRUE(
            client.Click(AdvancedControl(row.templateId, buttons, advctl::kOffsetAngle).center()));
        ASSERT_TRUE(client.Press('a', CVncClient::kKeyControl));
        ASSERT_TRUE(client.Type("45"));
        ASSERT_TRUE(client.Click(buttons[1].center()));
        ASSERT_TRUE(WaitForWindowGone(client, main));

        ASSERT_EQ(open().size(), 3u);
        ASSERT_TRUE(client.Press(CVncClient::kKeyEscape));
        ASSERT_TRUE(WaitForWindowGone(client, main));
        ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
        EXPECT_EQ(run.ExitCode(), 0);

        // From the write's ready check and step-size query to its last command; the retry
        // timer's ready checks come and go around it.
        const std::string wire = run.Wire();
        auto written = [&](std::size_t opening) {
            const std::string between =
                wire.substr(shown[opening], shown[opening + 1] - shown[opening]);
            const std::size_t from = between.find(Query("C1") + Query("C31;16") + "TC");
            const std::size_t to = between.rfind('\x03');
            return from == std::string::npos || to == std::string::npos
                       ? std::string()
                       : between.substr(from, to + 1 - from);
        };
        const std::string unchanged = written(0);
        std::string expected = unchanged;
        const std::size_t angle = expected.find("TC30,");
        ASSERT_NE(angle, std::string::npos) << unchanged;
        expected.replace(angle, expected.find('\x03', angle) - angle, "TC30,45");
        ASSERT_NE(expected, unchanged);
        EXPECT_EQ(written(1), expected);
    }
}

// With inches chosen in the Option window, values shown rounded pass OK untouched and go back
// as they came: from the plotter 50000 mm and 5 steps of page length ("1968" inches), 914 mm
// and 5 steps of feed ("3" feet) and 0.9 mm of tangential emulation ("0.035" inch); a mark
// line length fixed by /TB51,20 ("0.787") and a stored thickness of 300 um ("0.012").
TEST(EndToEndInches, ShownValuesPassOkUntouchedAndGoBackAsTheyCame) {
    // Where the Option window places its first button (OK) and "inch".
    const QPoint kOptionOk(188, 10);
    const QRect kInch(96, 28, 60, 20);
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    for (const auto& [key, value] : {std::pair{"UnitType", 0},
                                     {"TomboRead", 1},
                                     {"TomboAuto", 1},
                                     {"TomboDisX", 300000},
                                     {"TomboDisY", 200000},
                                     {"TmbThickness", 300}}) {
        run.Remember(key, value);
    }
    CVncClient client;
    ASSERT_TRUE(
        run.StartOnScreen(Launch()
                              .Args({"/TB51,20"})
                              .Sim({"--reply", "C31;25=1000005\\x03", "--reply",
                                    "C31;27=1,18285\\x03", "--reply", "C31;28;1=1,18,18\\x03"}),
                          client));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
    const QImage main = client.Capture();
    std::vector<QRect> buttons =
        ClickForWindow(client, screen::MainWindowControl(main, ctl::kOption).center(), 2);
    ASSERT_EQ(buttons.size(), 2u);
    ASSERT_TRUE(client.Click(kInch.translated(buttons.front().topLeft() - kOptionOk).center()));
    ASSERT_TRUE(client.Click(buttons.front().center()));
    ASSERT_TRUE(WaitForWindowGone(client, main));

    buttons = ClickForWindow(client, screen::MainWindowControl(main, ctl::kAdvanced).center(), 3);
    ASSERT_EQ(buttons.size(), 3u);
    const std::size_t read = run.Wire().size();
    KeepScreenshot(client.Capture(),
                   QRect(buttons.front().topLeft() - QPoint(16, 372),
                         QSize(advlayout::kClientWidth, advlayout::kClientHeight)),
                   "advanced-settings-inch");
    ASSERT_TRUE(client.Click(buttons[1].center()));
    ASSERT_TRUE(WaitForWindowGone(client, main)) << "OK was refused";
    ASSERT_TRUE(run.WaitForWire(
        [read](const std::string& wire) { return wire.find("TC28,9,", read) != std::string::npos; },
        kScreenTimeoutMs));
    const std::string written = run.Wire().substr(read);
    for (const char* command : {"TC25,1000005", "TC27,1,18285", "TC28,1,1,18,18"}) {
        EXPECT_NE(written.find(Command(command)), std::string::npos) << command;
    }

    buttons =
        ClickForWindow(client, screen::MainWindowControl(main, ctl::kMarkSettings).center(), 2);
    ASSERT_EQ(buttons.size(), 2u);
    KeepScreenshot(client.Capture(),
                   QRect(buttons.front().topLeft() - QPoint(30, 449), QSize(306, 485)),
                   "mark-settings-inch");
    ASSERT_TRUE(client.Click(buttons.front().center()));
    ASSERT_TRUE(WaitForWindowGone(client, main)) << "OK was refused";
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    EXPECT_EQ(run.ExitCode(), 0);
    EXPECT_EQ(run.Remembered("TmbLength").toString(), "20000");
    EXPECT_EQ(run.Remembered("TmbThickness").toString(), "300");
}

TEST(EndToEndOption, InchesShowAtOnceAndAfterARestart) {
    // Where the Option window places its first button (OK) and "inch".
    const QPoint kOk(188, 10);
    const QRect kInch(96, 28, 60, 20);
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    run.Remember("UnitType", 0);
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(Launch(), client));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
    const QImage main = client.Capture();
    // The unit labels beside the mark distances.
    const QRect units = screen::MainWindowControl(main, ctl::kDistanceXUnit) |
                        screen::MainWindowControl(main, ctl::kDistanceYUnit);
    const QImage millimetres = main.copy(units);

    const std::vector<QRect> buttons =
        ClickForWindow(client, screen::MainWindowControl(main, ctl::kOption).center(), 2);
    ASSERT_EQ(buttons.size(), 2u);
    ASSERT_TRUE(client.Click(kInch.translated(buttons.front().topLeft() - kOk).center()));
    ASSERT_TRUE(client.Click(buttons.front().center()));
    ASSERT_TRUE(WaitForWindowGone(client, main));
    QImage inches;
    ASSERT_TRUE(client.WaitForScreen(
        [&](const QImage& now) {
            inches = now.copy(units);
            return inches != millimetres;
        },
        kScreenTimeoutMs));
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    EXPECT_EQ(run.ExitCode(), 0);
    EXPECT_EQ(run.Remembered("UnitType").toString(), "1");

    // The next run starts in inches.
    CVncClient again;
    ASSERT_TRUE(run.StartOnScreen(Launch(), again));
    ASSERT_TRUE(again.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs));
    const QImage restarted = again.Capture();
    EXPECT_EQ(restarted.copy(screen::MainWindowControl(restarted, ctl::kDistanceXUnit) |
                             screen::MainWindowControl(restarted, ctl::kDistanceYUnit)),
              inches);
    ASSERT_TRUE(again.Press(CVncClient::kKeyEscape));
    EXPECT_EQ(run.ExitCode(), 1);
}

} // namespace
