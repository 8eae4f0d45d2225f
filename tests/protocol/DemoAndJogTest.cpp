// Demo mode sends nothing and yields the fixed values; the jog key state reduces its mask on
// the wire and drops every key when a send fails.
#include "SimPlotterLink.h"

#include "conditions/CuttingCondition.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/JogKeyState.h"
#include "protocol/MarkReading.h"
#include "protocol/PlotterCommands.h"
#include "protocol/PlotterQueries.h"
#include "tests/core/messages/CRecordingMessageSink.h"

#include <gtest/gtest.h>

namespace {

TEST(DemoMode, EveryOperationSucceedsWithoutTraffic) {
    SimPlotterLink link("RX3600-60", true);
    CPlotterQueries queries(link.port, link.model, link.settings, "RX3600-60");
    CPlotterCommands commands(link.port, link.model);
    CMarkReading marks(link.port, link.model, link.settings);
    CAdvancedSettingsLink advanced(link.port, link.model);
    CJogKeyState jog(link.port);
    int waits = 0;
    commands.SetCommandSetWait([&] { ++waits; });

    int mirror = 9;
    CuttingCondition c{"n", "", 0, 0, 0, 5};
    AdvancedSettings s;
    const CuttingCondition edited{"e", "KR16U", 1, 1, 1, 0};
    const int codes[] = {
        queries.ReadFirmwareVersion(),
        queries.ReadCommandSet(),
        queries.ReadPanelSettings(mirror),
        queries.ReadPlotterCondition(c),
        queries.QueryEnterState(),
        queries.PressEnter(),
        marks.StartMarkReading(true, true),
        marks.QueryMarksRead(),
        advanced.ReadAdvancedSettings(s),
        advanced.WriteAdvancedSettings(s, true, true),
        commands.SendCuttingCondition(edited, true, true),
        commands.UsePlotterSettings(true, true),
        commands.SendMediaOrientation(1, true, true),
        commands.SwitchCommandSet(1, true, true),
        commands.MoveToOrigin(true, true),
        commands.CrossCut(true, true),
        commands.TestCut(&edited, true, true, true, true),
        jog.Press(CJogKeyState::kDown),
    };
    for (const int code : codes) {
        EXPECT_EQ(code, msg::kOk);
    }
    EXPECT_EQ(link.transport->m_nWrites, 0);
    EXPECT_EQ(link.transport->m_nReads, 0);
    EXPECT_EQ(waits, 1);

    EXPECT_EQ(link.model.ModelIndex(), 8);
    EXPECT_EQ(link.model.FirmwareVersion(), "V9.99");
    EXPECT_EQ(link.settings.m_bMarkReadingAvailable, 1);
    EXPECT_EQ(link.settings.m_nMediaOrient, 0);
    EXPECT_EQ(mirror, 0);
    EXPECT_EQ(c.m_strBlade, "KR10A") << "the blade of tool number 2";
    EXPECT_EQ(c.m_nForce, link.model.ConditionRanges().force.nMin);
    EXPECT_EQ(c.m_nSpeed, link.model.ConditionRanges().speed.nMin);
    EXPECT_EQ(c.m_nOffset, 0);
    EXPECT_EQ(queries.EnterState(), 1);
    EXPECT_EQ(marks.MarkReadState(), 1) << "a started reading";
    EXPECT_EQ(s.pageLength, 50000000);
    EXPECT_EQ(s.autoPreFeed, 1);
    EXPECT_EQ(s.feedLength, 10000000);
    EXPECT_EQ(s.distanceAdjust[8], (AdvancedSettings::DistanceAdjust{1, 2.0, 1.0}));
    EXPECT_EQ(s.tangential[0], (AdvancedSettings::TangentialEmulation{0, 300, 500}));
    EXPECT_EQ(link.model.StepSize(), 0);

    ASSERT_EQ(marks.PollMarkReading(), msg::kOk);
    EXPECT_EQ(marks.MarkReadState(), 3);
    ASSERT_EQ(marks.StartMarkReading(false, false), msg::kOk);
    ASSERT_EQ(marks.AbortMarkReading(), msg::kOk);
    EXPECT_EQ(marks.MarkReadState(), 3);
}

TEST(DemoMode, UnknownOrMissingDemoModel) {
    SimPlotterLink unknown("WX8800-60", true);
    CPlotterModel fresh;
    unknown.model = fresh;
    CPlotterQueries bad(unknown.port, unknown.model, unknown.settings, "XY-1");
    EXPECT_EQ(bad.ReadFirmwareVersion(), msg::kFirmwareUnsupported);

    SimPlotterLink none("WX8800-60", true);
    none.model = fresh;
    CPlotterQueries noName(none.port, none.model, none.settings);
    ASSERT_EQ(noName.ReadFirmwareVersion(), msg::kOk);
    EXPECT_EQ(none.model.TypeString(), "WX8800-75");
}

TEST(JogKeys, WireMaskReductions) {
    struct Case {
        int mask;
        int wire;
    } const cases[] = {{48, 0}, {17, 17}, {16, 0}, {32, 0}, {49, 1}, {33, 33}, {0, 0}, {15, 15}};
    for (const Case& c : cases) {
        EXPECT_EQ(CJogKeyState::WireMask(c.mask), c.wire) << c.mask;
    }
}

TEST(JogKeys, ChangesAreSentAndRepeatsAreNot) {
    SimPlotterLink link("WX8800-60");
    CJogKeyState jog(link.port);
    EXPECT_EQ(jog.Press(CJogKeyState::kCtrl), msg::kOk);  // 16 -> 0
    EXPECT_EQ(jog.Press(CJogKeyState::kDown), msg::kOk);  // 17
    EXPECT_EQ(jog.Press(CJogKeyState::kDown), msg::kOk);  // already held: nothing
    EXPECT_EQ(jog.Press(CJogKeyState::kShift), msg::kOk); // 49 -> 1
    EXPECT_EQ(jog.Release(CJogKeyState::kUp), msg::kOk);  // not held: nothing
    EXPECT_EQ(jog.Release(CJogKeyState::kDown | CJogKeyState::kShift), msg::kOk); // 16 -> 0
    EXPECT_EQ(jog.Set(16), msg::kOk);                                             // same: nothing
    EXPECT_EQ(jog.Set(48), msg::kOk);                                             // 48 -> 0
    EXPECT_EQ(jog.Mask(), 48);
    EXPECT_EQ(link.sim.Log(), kEsc + ".C21;0:" + kEsc + ".C21;17:" + kEsc + ".C21;1:" + kEsc +
                                  ".C21;0:" + kEsc + ".C21;0:");
}

TEST(JogKeys, FailedSendDropsTheKeysAndReturnsItsCode) {
    SimPlotterLink link("WX8800-60");
    CScopedRecordingSink recorder;
    CJogKeyState jog(link.port);
    ASSERT_EQ(jog.Press(CJogKeyState::kLeft), msg::kOk);
    link.FailWritesStartingWith(kEsc + ".C21;", msg::kWriteFailed);
    EXPECT_EQ(jog.Press(CJogKeyState::kUp), msg::kWriteFailed);
    EXPECT_EQ(jog.Mask(), 0);
    EXPECT_TRUE(recorder.Sink().m_vecShown.empty()); // the window shows it
}

} // namespace
