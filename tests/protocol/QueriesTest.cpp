// Queries against the in-process simulated plotter: what goes on the wire, where the replies
// land, and which codes come back.
#include "SimPlotterLink.h"

#include "conditions/CuttingCondition.h"
#include "protocol/MarkReading.h"
#include "protocol/PlotterCommands.h"
#include "protocol/PlotterQueries.h"

#include <gtest/gtest.h>

namespace {

TEST(Queries, ModelAndFirmwareReplies) {
    struct Case {
        const char* reply; // raw bytes; nullptr: the plotter stays silent
        int code;
        int modelIndex;
        const char* firmware;
    } const cases[] = {
        {"RX3600-60 , V1.20\x03", msg::kOk, 8, "V1.20"},
        {"rx3600-60,V2\x03", msg::kOk, 8, "V2"},
        {"Nimbo Pro S,V7.00\x03", msg::kOk, 6, "V7.00"},
        {"RX3600-60\x03", msg::kReadFailed, -1, ""},
        {",V1.20\x03", msg::kReadFailed, -1, ""},
        {"RX9999,V1.00\x03", msg::kFirmwareUnsupported, -1, ""},
        {nullptr, msg::kFirmwareUnsupported, -1, ""},
    };
    for (const Case& c : cases) {
        SimPlotterLink link("WX8800-60");
        CPlotterModel fresh;
        link.model = fresh;
        if (c.reply == nullptr) {
            link.sim.m_bAnswerModelQuery = false;
        } else {
            link.sim.m_replyOverrides["C31;9"] = c.reply;
        }
        CPlotterQueries queries(link.port, link.model, link.settings);
        EXPECT_EQ(queries.ReadFirmwareVersion(), c.code) << c.reply;
        EXPECT_EQ(link.model.ModelIndex(), c.modelIndex) << c.reply;
        EXPECT_EQ(link.model.FirmwareVersion(), c.firmware) << c.reply;
        EXPECT_EQ(link.sim.Log(), kEsc + ".C31;9:");
    }
}

TEST(Queries, OtherTransportFailuresOfTheModelQueryKeepTheirCode) {
    SimPlotterLink link("WX8800-60");
    link.FailWritesStartingWith(kEsc + ".C31;9:", msg::kWriteFailed);
    CPlotterQueries queries(link.port, link.model, link.settings);
    EXPECT_EQ(queries.ReadFirmwareVersion(), msg::kWriteFailed);
}

TEST(Queries, PanelSettingsInOrderIntoSettingsAndArgument) {
    SimPlotterLink link("RX3600-60");
    link.sim.m_nMarksAvailable = 0;
    link.sim.m_nMediaOrientation = 1;
    link.sim.m_nMirror = 1;
    link.settings.m_bMarkReadingAvailable = 1;
    CPlotterQueries queries(link.port, link.model, link.settings);
    int mirror = 0;
    ASSERT_EQ(queries.ReadPanelSettings(mirror), msg::kOk);
    EXPECT_EQ(link.settings.m_bMarkReadingAvailable, 0);
    EXPECT_EQ(link.settings.m_nMediaOrient, 1);
    EXPECT_EQ(mirror, 1);
    EXPECT_EQ(link.sim.Log(), kEsc + ".C31;17:" + kEsc + ".C31;20:" + kEsc + ".C31;26:");
}

TEST(Queries, BadPanelReplyStopsTheSequenceAndKeepsTheTarget) {
    SimPlotterLink link("RX3600-60");
    link.sim.m_replyOverrides["C31;20"] = "5\x03";
    link.settings.m_nMediaOrient = 1;
    CPlotterQueries queries(link.port, link.model, link.settings);
    int mirror = 7;
    EXPECT_EQ(queries.ReadPanelSettings(mirror), msg::kReadFailed);
    EXPECT_EQ(link.settings.m_nMediaOrient, 1);
    EXPECT_EQ(mirror, 7);
    EXPECT_EQ(link.sim.Log(), kEsc + ".C31;17:" + kEsc + ".C31;20:");
}

TEST(Queries, CommandSet) {
    SimPlotterLink link("WX8800-60");
    link.sim.m_nCommandSet = 1;
    CPlotterQueries queries(link.port, link.model, link.settings);
    ASSERT_EQ(queries.ReadCommandSet(), msg::kOk);
    EXPECT_EQ(link.settings.m_bOtherCommandSet, 1);
    link.sim.m_replyOverrides["C31;24"] = "x\x03";
    EXPECT_EQ(queries.ReadCommandSet(), msg::kReadFailed);
    EXPECT_EQ(link.settings.m_bOtherCommandSet, 1);
}

TEST(Queries, PlotterConditionConvertsAndChecks) {
    SimPlotterLink link("RX3600-60");
    link.sim.m_nTool = 2;
    link.sim.m_nForce = 14;
    link.sim.m_nSpeed = 305;
    link.sim.m_nQuality = 14;
    link.sim.m_nOffset = 0;
    CPlotterQueries queries(link.port, link.model, link.settings);
    CuttingCondition c{"Kept name", "", 0, 0, 0, 9};
    ASSERT_EQ(queries.ReadPlotterCondition(c), msg::kOk);
    EXPECT_EQ(c.m_strName, "Kept name");
    EXPECT_EQ(c.m_strBlade, "KR10A");
    EXPECT_EQ(c.m_nForce, 14);
    EXPECT_EQ(c.m_nSpeed, 30);
    EXPECT_EQ(c.m_nQuality, 2);
    EXPECT_EQ(c.m_nOffset, 0);
    EXPECT_EQ(link.sim.Log(), kEsc + ".C31;14:" + kEsc + ".C31;13:" + kEsc + ".C31;11:" + kEsc +
                                  ".C31;12:" + kEsc + ".C31;15:");
}

TEST(Queries, ToolNumbersByFamily) {
    struct Case {
        const char* type;
        int tool;
        int code;
        const char* blade;
    } const cases[] = {
        {"WX8800-60", 1, msg::kOk, "LM300 Series"},
        {"WX8800-60", 7, msg::kOk, "Other"},
        {"WX8800-60", 8, msg::kLightPointerSelected, "before"},
        {"WX8800-60", 9, msg::kReadFailed, "before"},
        {"WX8800-60", 0, msg::kReadFailed, "before"},
        {"RX3600-40", 1, msg::kOk, "LM400 Series"},
        {"RX3600-40", 4, msg::kOk, "KR16UB"},
        {"RX3600-40", 5, msg::kReadFailed, "before"},
        {"Nimbo-Pro2", 8, msg::kReadFailed, "before"},
    };
    for (const Case& c : cases) {
        SimPlotterLink link(c.type);
        link.sim.m_nTool = c.tool;
        link.sim.m_nOffset = 1; // inside the blade, pen and Other ranges alike
        CPlotterQueries queries(link.port, link.model, link.settings);
        CuttingCondition condition{"n", "before", 1, 1, 1, 0};
        EXPECT_EQ(queries.ReadPlotterCondition(condition), c.code) << c.type << " " << c.tool;
        EXPECT_EQ(condition.m_strBlade, c.blade) << c.type << " " << c.tool;
        if (c.code != msg::kOk) {
            EXPECT_EQ(link.sim.Log(), kEsc + ".C31;14:") << "nothing asked after the tool";
        }
    }
}

TEST(Queries, OffsetRangeFollowsTheBladeRole) {
    SimPlotterLink link("WX8800-60");
    const ConditionRange ranges = link.model.ConditionRanges();
    const BladeCatalogue& catalogue = link.model.Catalogue();
    // Tool 7 is "Other"; an offset the blade range takes but the Other range does not (or the
    // other way round) tells which range was used.
    ASSERT_EQ(catalogue.Entry(link.model.ToolEntryForNumber(7)).role, BladeRole::Other);
    CPlotterQueries queries(link.port, link.model, link.settings);
    for (const int tool : {2, 7}) {
        const IntRange expected = tool == 7 ? ranges.offsetOther : ranges.offsetBlade;
        for (const int offset :
             {expected.nMin, expected.nMax, expected.nMin - 1, expected.nMax + 1}) {
            link.sim.m_nTool = tool;
            link.sim.m_nOffset = offset;
            CuttingCondition c{"n", "", 0, 0, 0, -12345};
            const bool inside = offset >= expected.nMin && offset <= expected.nMax;
            EXPECT_EQ(queries.ReadPlotterCondition(c), inside ? msg::kOk : msg::kReadFailed)
                << "tool " << tool << " offset " << offset;
            EXPECT_EQ(c.m_nOffset, inside ? offset : -12345);
        }
    }
}

TEST(Queries, EnterStateAndPressEnter) {
    SimPlotterLink link("WX8800-60");
    CPlotterQueries queries(link.port, link.model, link.settings);
    link.sim.m_replyOverrides["C13"] = "8\x03";
    ASSERT_EQ(queries.QueryEnterState(), msg::kOk);
    EXPECT_EQ(queries.EnterState(), 4);
    link.sim.m_replyOverrides["C13"] = "10\x03";
    ASSERT_EQ(queries.QueryEnterState(), msg::kOk);
    EXPECT_EQ(queries.EnterState(), 5);
    link.sim.m_replyOverrides["C13"] = "6\x03";
    ASSERT_EQ(queries.QueryEnterState(), msg::kOk);
    EXPECT_EQ(queries.EnterState(), 3);
    link.sim.m_replyOverrides["C13"] = "9\x03";
    EXPECT_EQ(queries.QueryEnterState(), msg::kReadFailed);
    EXPECT_EQ(queries.EnterState(), 3);
    ASSERT_EQ(queries.PressEnter(), msg::kOk);
    EXPECT_EQ(link.sim.Log(),
              kEsc + ".C13:" + kEsc + ".C13:" + kEsc + ".C13:" + kEsc + ".C13:" + kEsc + ".C14:");
    link.FailWritesStartingWith(kEsc + ".C13:", msg::kTimeout);
    EXPECT_EQ(queries.QueryEnterState(), msg::kTimeout);
    EXPECT_EQ(queries.EnterState(), CPlotterQueries::kEnterStateWriteFailed);
}

TEST(Queries, MarkReadingStateAbortAndMarksRead) {
    SimPlotterLink link("WX8800-60");
    CMarkReading marks(link.port, link.model, link.settings);
    EXPECT_EQ(marks.MarkReadState(), CMarkReading::kNotReading);
    link.sim.m_replyOverrides["C11"] = "1\x03";
    ASSERT_EQ(marks.PollMarkReading(), msg::kOk);
    EXPECT_EQ(marks.MarkReadState(), 1);
    link.sim.m_replyOverrides["C11"] = "10\x03";
    ASSERT_EQ(marks.PollMarkReading(), msg::kOk);
    EXPECT_EQ(marks.MarkReadState(), 3);
    link.sim.m_replyOverrides["C11"] = "2\x03";
    ASSERT_EQ(marks.PollMarkReading(), msg::kOk);
    link.sim.m_replyOverrides["C11"] = "7\x03";
    EXPECT_EQ(marks.PollMarkReading(), msg::kReadFailed);
    EXPECT_EQ(marks.MarkReadState(), 2) << "a rejected reply keeps the state";
    ASSERT_EQ(marks.AbortMarkReading(), msg::kOk);
    link.sim.m_nMarksRead = 1;
    ASSERT_EQ(marks.QueryMarksRead(), msg::kOk);
    EXPECT_EQ(link.settings.m_bMarksRead, 1);
    EXPECT_EQ(link.sim.Log(), kEsc + ".C11:" + kEsc + ".C11:" + kEsc + ".C11:" + kEsc +
                                  ".C11:" + kEsc + ".C12:" + "TC23," + kEtx);
    link.FailWritesStartingWith(kEsc + ".C11:", msg::kWriteFailed);
    EXPECT_EQ(marks.PollMarkReading(), msg::kWriteFailed);
    EXPECT_EQ(marks.MarkReadState(), CMarkReading::kNotReading);
}

TEST(Queries, StartMarkReadingSequence) {
    SimPlotterLink link("WX8800-60");
    link.sim.m_nStepSize = 1; // 20 steps per mm
    link.settings.m_nTmbType = 0;
    link.settings.m_nTmbLength = 10000;
    link.settings.m_nTmbThickness = 500;
    link.settings.m_nTmbReadType = 1;
    link.settings.m_bTomboAuto = 1;
    link.settings.m_nTomboDisX = 200000;
    link.settings.m_nTomboDisY = 150000;
    CMarkReading marks(link.port, link.model, link.settings);
    ASSERT_EQ(marks.StartMarkReading(false, true), msg::kOk);
    EXPECT_EQ(link.sim.Log(), kEsc + ".C1:" + kEsc + ".C31;16:" + kEsc + ".C10:" + "TB99," + kEtx +
                                  "TB52,1," + kEtx + "TB51,200," + kEtx + "TB53,10," + kEtx +
                                  "TB55,1," + kEtx + "TB123,4000,3000," + kEtx + "TB99," + kEtx);
}

TEST(Queries, StartMarkReadingAreaUsesOrientationAndStep) {
    SimPlotterLink link("WX8800-60");
    link.sim.m_nStepSize = 0; // 10 steps per mm
    link.settings.m_nTmbReadType = 3;
    link.settings.m_bTomboAuto = 0;
    link.settings.m_nMediaOrient = 1;
    link.settings.m_nTomboDisX = 300000;
    link.settings.m_nTomboDisY = 200000;
    link.settings.m_nTmbStep = 500000;
    CMarkReading marks(link.port, link.model, link.settings);
    ASSERT_EQ(marks.StartMarkReading(false, false), msg::kOk);
    EXPECT_NE(link.sim.Log().find("TB225,3000,2000,1,5000" + kEtx + "TB99," + kEtx),
              std::string::npos)
        << link.sim.Log();
}

TEST(Queries, StartMarkReadingWithAnUnknownMethodSendsNothing) {
    SimPlotterLink link("WX8800-60");
    link.settings.m_nTmbReadType = 4;
    CMarkReading marks(link.port, link.model, link.settings);
    EXPECT_EQ(marks.StartMarkReading(false, false), msg::kMarkReadingFailed);
    EXPECT_EQ(link.sim.Log(), "");
}

TEST(Queries, ReadyStatusReplies) {
    struct Case {
        const char* raw;
        int code;
    } const cases[] = {
        {"0\x03", msg::kOk},
        {"32\x03", msg::kReadFailed},
        {"33\x03", msg::kPlotterNotReady},
        {"33", msg::kOk}, // no ETX: an empty reply, read as 0
        {" 1\x03", msg::kPlotterNotReady},
    };
    for (const Case& c : cases) {
        SimPlotterLink link("WX8800-60");
        link.sim.m_replyOverrides["C1"] = c.raw;
        CPlotterCommands commands(link.port, link.model);
        EXPECT_EQ(commands.MoveToOrigin(false, true), c.code) << c.raw;
        EXPECT_EQ(link.sim.Log(), kEsc + ".C1:" + (c.code == msg::kOk ? "TC36," + kEtx : ""))
            << c.raw;
    }
}

TEST(Queries, ChecksRunBeforeTheOperation) {
    SimPlotterLink link("WX8800-60");
    link.sim.m_nStatus = 33;
    CMarkReading marks(link.port, link.model, link.settings);
    EXPECT_EQ(marks.StartMarkReading(false, true), msg::kPlotterNotReady);
    EXPECT_EQ(link.sim.Log(), kEsc + ".C1:");
    link.sim.m_nStatus = 32;
    EXPECT_EQ(marks.StartMarkReading(false, true), msg::kReadFailed);
}

} // namespace
