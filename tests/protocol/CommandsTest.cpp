// Setting commands against the in-process simulated plotter, byte for byte.
#include "SimPlotterLink.h"

#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

std::string Status() {
    return kEsc + ".C1:";
}

TEST(Commands, CuttingConditionSendsToolForceSpeedQualityOffset) {
    SimPlotterLink link("RX3600-60");
    CPlotterCommands commands(link.port, link.model);
    ASSERT_EQ(commands.SendCuttingCondition("Vinyl", "KR16U", 14, 30, 2, -1, false, true),
              msg::kOk);
    const int code = link.model.Catalogue().ToolCodeForName("KR16U");
    EXPECT_EQ(link.sim.Log(), Status() + "TC4," + std::to_string(code) + kEtx + "TC3,14" + kEtx +
                                  "TC1,300" + kEtx + "TC2,10" + kEtx + "TC5,-1" + kEtx);
    EXPECT_EQ(link.sim.m_nSpeed, 300);
    EXPECT_FALSE(link.sim.m_bPanelConditions);
}

TEST(Commands, UnknownBladeSendsUndefinedToolCode) {
    SimPlotterLink link("RX3600-60");
    CPlotterCommands commands(link.port, link.model);
    // Names match exactly, letter case included.
    for (const char* blade : {"No such blade", "kr16u", ""}) {
        link.sim = CSimPlotter("RX3600-60");
        ASSERT_EQ(commands.SendCuttingCondition("n", blade, 1, 1, 1, 0, false, false), msg::kOk);
        EXPECT_TRUE(link.sim.Log().starts_with("TC4,-999" + kEtx + "TC3,")) << blade;
    }
}

TEST(Commands, SingleCommandOperations) {
    struct Case {
        const char* what;
        std::function<int(CPlotterCommands&)> run;
        std::string bytes;
    } const cases[] = {
        {"panel", [](CPlotterCommands& c) { return c.UsePlotterSettings(false, false); },
         "TC10," + kEtx},
        {"orientation", [](CPlotterCommands& c) { return c.SendMediaOrientation(1, false, false); },
         "TC21,1" + kEtx},
        {"origin", [](CPlotterCommands& c) { return c.MoveToOrigin(false, false); },
         "TC36," + kEtx},
        {"cross cut", [](CPlotterCommands& c) { return c.CrossCut(false, false); }, "TC35," + kEtx},
        {"command set", [](CPlotterCommands& c) { return c.SwitchCommandSet(0, false, false); },
         "TC24,0" + kEtx},
        {"test cut",
         [](CPlotterCommands& c) { return c.TestCut(nullptr, false, false, false, false); },
         "TC7," + kEtx},
        {"five without condition",
         [](CPlotterCommands& c) { return c.TestCut(nullptr, true, true, false, false); },
         "TC8," + kEtx},
    };
    for (const Case& c : cases) {
        SimPlotterLink link("WX8800-60");
        CPlotterCommands commands(link.port, link.model);
        EXPECT_EQ(c.run(commands), msg::kOk) << c.what;
        EXPECT_EQ(link.sim.Log(), c.bytes) << c.what;
    }
}

TEST(Commands, MainWindowTestCutLeavesTheConditionAlone) {
    SimPlotterLink link("WX8800-60");
    CPlotterCommands commands(link.port, link.model);
    bool asked = false;
    commands.SetCurrentCondition([&] {
        asked = true;
        return std::optional<CuttingCondition>();
    });
    ASSERT_EQ(commands.TestCut(nullptr, false, false, false, true), msg::kOk);
    EXPECT_EQ(link.sim.Log(), Status() + "TC7," + kEtx);
    EXPECT_FALSE(asked);
}

TEST(Commands, EditDialogTestCutRestoresTheMainWindowCondition) {
    SimPlotterLink link("RX3600-60");
    CPlotterCommands commands(link.port, link.model);
    commands.SetCurrentCondition([] {
        return std::optional<CuttingCondition>({"Main", "KR16UB", 20, 10, 3, 2});
    });
    const CuttingCondition edited{"Edited", "Nothing like it", 9, 5, 1, 0};
    ASSERT_EQ(commands.TestCut(&edited, true, true, false, false), msg::kOk);
    const std::string mainTool = std::to_string(link.model.Catalogue().ToolCodeForName("KR16UB"));
    EXPECT_EQ(link.sim.Log(), "TC4,-999" + kEtx + "TC3,9" + kEtx + "TC1,50" + kEtx + "TC2,5" +
                                  kEtx + "TC5,0" + kEtx + "TC8," + kEtx + "TC4," + mainTool + kEtx +
                                  "TC3,20" + kEtx + "TC1,100" + kEtx + "TC2,15" + kEtx + "TC5,2" +
                                  kEtx);
}

TEST(Commands, FailedTestCutDoesNotSendTheMainCondition) {
    SimPlotterLink link("RX3600-60");
    CPlotterCommands commands(link.port, link.model);
    commands.SetCurrentCondition([] {
        return std::optional<CuttingCondition>({"Main", "KR16UB", 20, 10, 3, 2});
    });
    link.FailWritesStartingWith("TC7,", msg::kTimeout);
    const CuttingCondition edited{"Edited", "KR16U", 9, 5, 1, 0};
    EXPECT_EQ(commands.TestCut(&edited, true, false, false, false), msg::kTimeout);
    EXPECT_EQ(link.transport->m_nWrites, 6) << "five condition commands and the failed TC7";
}

TEST(Commands, FirstFailingCommandEndsTheSequence) {
    SimPlotterLink link("RX3600-60");
    CPlotterCommands commands(link.port, link.model);
    link.FailWritesStartingWith("TC1,", msg::kWriteFailed);
    EXPECT_EQ(commands.SendCuttingCondition("n", "KR16U", 1, 1, 1, 0, false, false),
              msg::kWriteFailed);
    EXPECT_EQ(link.transport->m_nWrites, 3);
    EXPECT_EQ(link.sim.Commands().size(), 2u);
}

TEST(Commands, SwitchCommandSetHoldsThePortWhileItsWaitRuns) {
    SimPlotterLink link("WX8800-60");
    CPlotterCommands commands(link.port, link.model);
    std::atomic<int> other{-1};
    int waits = 0;
    commands.SetCommandSetWait([&] {
        ++waits;
        std::thread([&] { other = link.port.CheckReady(false, false); }).join();
    });
    ASSERT_EQ(commands.SwitchCommandSet(1, false, false), msg::kOk);
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(other.load(), msg::kPortBusy);
    EXPECT_EQ(link.sim.m_nCommandSet, 1);

    link.FailWritesStartingWith("TC24,", msg::kWriteFailed);
    EXPECT_EQ(commands.SwitchCommandSet(0, false, false), msg::kWriteFailed);
    EXPECT_EQ(waits, 1) << "no wait after a failed send";
}

AdvancedSettings SampleSettings() {
    AdvancedSettings s;
    s.pageLength = 1500000;
    s.offsetAngle = 30;
    s.initialDownForce = 7;
    s.stepPass = 5;
    s.penUpSpeed = 60;
    s.autoPreFeed = 1;
    s.feedLength = 914000;
    s.fanPower = 1;
    s.mirror = 1;
    s.distanceAdjust[0] = {1, -0.5, 0.25};
    s.distanceAdjust[1] = {0, 1.0, 1.0};
    s.tangentialMode = 2;
    s.tangentialModeSlot[2] = 2;
    s.tangential[1] = {1, 320, 510};
    s.tangential[2] = {0, 320, 510};
    return s;
}

TEST(AdvancedWrite, FamilyZeroLayout136WithFanPower) {
    SimPlotterLink link("WX8800-60");
    link.sim.m_nStepSize = 2; // 40 steps per mm
    CAdvancedSettingsLink advanced(link.port, link.model);
    ASSERT_EQ(advanced.WriteAdvancedSettings(SampleSettings(), false, false), msg::kOk);
    std::string expected = kEsc + ".C31;16:" + "TC25,60000" + kEtx + "TC30,30" + kEtx + "TC32,7" +
                           kEtx + "TC31,5" + kEtx + "TC29,60" + kEtx + "TC27,1,36560" + kEtx +
                           "TC34,1" + kEtx + "TC26,1" + kEtx + "TC33,1,1,150,225" + kEtx;
    for (int slot = 2; slot <= 9; ++slot) {
        expected += "TC33," + std::to_string(slot) + ",0,0,0" + kEtx;
    }
    expected += "TC28,0,2" + kEtx;
    for (int slot = 1; slot <= 9; ++slot) {
        expected +=
            slot == 2 ? "TC28,2,1,14,22" + kEtx : "TC28," + std::to_string(slot) + ",0,0,0" + kEtx;
    }
    EXPECT_EQ(link.sim.Log(), expected);
}

TEST(AdvancedWrite, RxLayout137WithoutFanPowerAndPenUpIndex) {
    SimPlotterLink link("RX3600-60");
    link.sim.m_nStepSize = 3; // 100 steps per mm
    CAdvancedSettingsLink advanced(link.port, link.model);
    ASSERT_EQ(advanced.WriteAdvancedSettings(SampleSettings(), false, false), msg::kOk);
    const std::string& log = link.sim.Log();
    EXPECT_NE(log.find("TC25,150000" + kEtx), std::string::npos);
    EXPECT_NE(log.find("TC29,4" + kEtx), std::string::npos) << "60 travels as index 4";
    EXPECT_EQ(log.find("TC34,"), std::string::npos);
    EXPECT_EQ(log.find("TC28,0,"), std::string::npos);
    std::string modes;
    for (int slot = 1; slot <= 9; ++slot) {
        modes += "TC28," + std::to_string(slot + 10) + (slot == 3 ? ",2" : ",1") + kEtx;
    }
    EXPECT_NE(log.find("TC26,1" + kEtx + "TC33,1,"), std::string::npos);
    EXPECT_NE(log.find(modes + "TC28,1,0,0,0" + kEtx), std::string::npos) << log;
}

TEST(AdvancedWrite, PageLengthAtStepSizesZeroAndThree) {
    for (const auto& [stepSize, text] : {std::pair{0, "TC25,15000"}, {3, "TC25,150000"}}) {
        SimPlotterLink link("WX8800-60");
        link.sim.m_nStepSize = stepSize;
        CAdvancedSettingsLink advanced(link.port, link.model);
        ASSERT_EQ(advanced.WriteAdvancedSettings(SampleSettings(), false, false), msg::kOk);
        EXPECT_TRUE(link.sim.Log().starts_with(kEsc + ".C31;16:" + text + kEtx)) << stepSize;
    }
}

TEST(AdvancedWrite, StepSizeFailureSendsNoCommand) {
    SimPlotterLink link("WX8800-60");
    link.sim.m_replyOverrides["C31;16"] = "9\x03";
    CAdvancedSettingsLink advanced(link.port, link.model);
    EXPECT_EQ(advanced.WriteAdvancedSettings(SampleSettings(), false, false), msg::kReadFailed);
    EXPECT_EQ(link.sim.Log(), kEsc + ".C31;16:");
}

TEST(AdvancedRead, SequenceByLayoutAndFanPower) {
    for (const char* type : {"WX8800-60", "Nimbo-Pro2", "RX3600-60", "Nimbo Pro S"}) {
        SimPlotterLink link(type);
        CAdvancedSettingsLink advanced(link.port, link.model);
        AdvancedSettings s;
        const bool noAdvanced = std::string(type) == "Nimbo-Pro2";
        EXPECT_EQ(advanced.ReadAdvancedSettings(s), noAdvanced ? msg::kReadFailed : msg::kOk);
        std::vector<std::string> expected = {"C31;16", "C31;25", "C31;30", "C31;32",
                                             "C31;31", "C31;29", "C31;27"};
        if (link.model.HasFanPower()) {
            expected.push_back("C31;34");
        }
        expected.push_back("C31;26");
        for (int slot = 1; slot <= 9; ++slot) {
            expected.push_back("C31;33;" + std::to_string(slot));
        }
        if (link.model.AdvancedLayout() == 136) {
            expected.push_back("C31;28;0");
        } else {
            for (int slot = 11; slot <= 19; ++slot) {
                expected.push_back("C31;28;" + std::to_string(slot));
            }
        }
        for (int slot = 1; slot <= 9; ++slot) {
            expected.push_back("C31;28;" + std::to_string(slot));
        }
        if (noAdvanced) {
            // No advanced ranges: the first range check fails and ends the reading.
            expected.resize(2);
        }
        EXPECT_EQ(link.sim.Commands(), expected) << type;
    }
}

TEST(AdvancedRead, WhatWasWrittenReadsBackTheSame) {
    for (const char* type : {"WX8800-60", "RX3600-60"}) {
        SimPlotterLink link(type);
        link.sim.m_nStepSize = 2;
        CAdvancedSettingsLink advanced(link.port, link.model);
        AdvancedSettings written = SampleSettings();
        written.tangential[1] = {1, 350, 550}; // (mm + 0.05) x 40 lands on whole steps
        ASSERT_EQ(advanced.WriteAdvancedSettings(written, false, false), msg::kOk);
        AdvancedSettings read;
        ASSERT_EQ(advanced.ReadAdvancedSettings(read), msg::kOk) << type;
        EXPECT_EQ(read.pageLength, written.pageLength);
        EXPECT_EQ(read.penUpSpeed, 60) << type;
        EXPECT_EQ(read.feedLength, written.feedLength);
        EXPECT_DOUBLE_EQ(read.distanceAdjust[0].l, -0.5);
        EXPECT_DOUBLE_EQ(read.distanceAdjust[0].w, 0.25);
        EXPECT_EQ(read.distanceAdjust[1].on, 0);
        EXPECT_EQ(read.tangential[1].start, 400) << "start + 0.05 mm on the way out";
        EXPECT_EQ(read.tangential[1].end, 600);
        EXPECT_EQ(read.mirror, 1);
    }
}

TEST(AdvancedRead, FailureKeepsTheFieldsNotYetRead) {
    SimPlotterLink link("WX8800-60");
    link.sim.m_replyOverrides["C31;27"] = "1,5\x03"; // feed length below its range
    CAdvancedSettingsLink advanced(link.port, link.model);
    AdvancedSettings s;
    s.mirror = 1;
    s.feedLength = 123;
    s.distanceAdjust[0] = {1, 0.5, 0.5};
    EXPECT_EQ(advanced.ReadAdvancedSettings(s), msg::kReadFailed);
    EXPECT_EQ(s.feedLength, 123);
    EXPECT_EQ(s.mirror, 1);
    EXPECT_DOUBLE_EQ(s.distanceAdjust[0].l, 0.5);
    EXPECT_EQ(link.sim.Commands().back(), "C31;27");
}

} // namespace
