#include "sim/SimPlotter.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const std::string kEsc = "\x1b";
const std::string kEtx = "\x03";

std::string Query(const std::string& body) {
    return kEsc + "." + body + ":";
}

std::string Ask(CSimPlotter& plotter, const std::string& bytes) {
    plotter.Receive(bytes);
    return plotter.TakeOutput();
}

struct QueryCase {
    const char* name;
    std::function<void(CSimPlotter&)> setUp;
    std::string request;
    std::string reply;
};

TEST(SimPlotterQueries, AnswersEveryQueryFromItsStateByteForByte) {
    const QueryCase cases[] = {
        {"status ready", [](CSimPlotter&) {}, Query("C1"), "0" + kEtx},
        {"status not ready", [](CSimPlotter& p) { p.m_nStatus = 33; }, Query("C1"), "33" + kEtx},
        {"model and firmware", [](CSimPlotter& p) { p.m_strFirmware = "V7.01"; }, Query("C31;9"),
         "RX3600-60,V7.01" + kEtx},
        {"step size index 3", [](CSimPlotter& p) { p.m_nStepSize = 3; }, Query("C31;16"),
         "4" + kEtx},
        {"command set", [](CSimPlotter& p) { p.m_nCommandSet = 1; }, Query("C31;24"), "1" + kEtx},
        {"marks available", [](CSimPlotter& p) { p.m_nMarksAvailable = 0; }, Query("C31;17"),
         "0" + kEtx},
        {"media orientation", [](CSimPlotter& p) { p.m_nMediaOrientation = 1; }, Query("C31;20"),
         "1" + kEtx},
        {"mirror", [](CSimPlotter& p) { p.m_nMirror = 1; }, Query("C31;26"), "1" + kEtx},
        {"tool", [](CSimPlotter& p) { p.m_nTool = 8; }, Query("C31;14"), "8" + kEtx},
        {"force", [](CSimPlotter& p) { p.m_nForce = 21; }, Query("C31;13"), "21" + kEtx},
        {"speed", [](CSimPlotter& p) { p.m_nSpeed = 305; }, Query("C31;11"), "305" + kEtx},
        {"quality", [](CSimPlotter& p) { p.m_nQuality = 14; }, Query("C31;12"), "14" + kEtx},
        {"offset", [](CSimPlotter& p) { p.m_nOffset = -5; }, Query("C31;15"), "-5" + kEtx},
        {"page length", [](CSimPlotter& p) { p.m_nPageLength = 500000; }, Query("C31;25"),
         "500000" + kEtx},
        {"offset angle", [](CSimPlotter& p) { p.m_nOffsetAngle = 45; }, Query("C31;30"),
         "45" + kEtx},
        {"initial down force", [](CSimPlotter& p) { p.m_nInitialDownForce = 7; }, Query("C31;32"),
         "7" + kEtx},
        {"step pass", [](CSimPlotter& p) { p.m_nStepPass = 3; }, Query("C31;31"), "3" + kEtx},
        {"pen-up speed", [](CSimPlotter& p) { p.m_nPenUpSpeed = 4; }, Query("C31;29"), "4" + kEtx},
        {"auto pre-feed", [](CSimPlotter& p) { p.m_nFeedLength = 18280; }, Query("C31;27"),
         "1,18280" + kEtx},
        {"fan power", [](CSimPlotter& p) { p.m_nFanPower = 1; }, Query("C31;34"), "1" + kEtx},
        {"distance adjust slot 9",
         [](CSimPlotter& p) {
             p.m_distanceAdjust[8] = {1, 250, 150};
         },
         Query("C31;33;9"), "1,250,150" + kEtx},
        {"tangential single mode", [](CSimPlotter& p) { p.m_nTangentialMode = 2; },
         Query("C31;28;0"), "2" + kEtx},
        {"tangential mode slot 1", [](CSimPlotter& p) { p.m_tangentialModes[0] = 2; },
         Query("C31;28;11"), "2" + kEtx},
        {"tangential mode slot 9", [](CSimPlotter& p) { p.m_tangentialModes[8] = 2; },
         Query("C31;28;19"), "2" + kEtx},
        {"tangential entry slot 2",
         [](CSimPlotter& p) {
             p.m_tangential[1] = {1, 14, 22};
         },
         Query("C31;28;2"), "1,14,22" + kEtx},
        {"marks read", [](CSimPlotter& p) { p.m_nMarksRead = 1; }, "TC23," + kEtx, "1" + kEtx},
        {"mark reading idle", [](CSimPlotter&) {}, Query("C11"), "10" + kEtx},
        {"enter state idle", [](CSimPlotter&) {}, Query("C13"), "8" + kEtx},
    };
    for (const QueryCase& c : cases) {
        CSimPlotter plotter("RX3600-60");
        c.setUp(plotter);
        EXPECT_EQ(Ask(plotter, c.request), c.reply) << c.name;
        EXPECT_TRUE(plotter.Unknown().empty()) << c.name;
    }
}

TEST(SimPlotterQueries, StaysSilentOnUnknownOrBrokenQueries) {
    const std::string requests[] = {
        Query("C31;99"),     Query("C31;33;0"), Query("C31;33;10"),
        Query("C31;28;20"),  Query("C31;x"),    Query("C77"),
        Query("C31;28;1;2"), kEsc + "C31;16:",  Query("C21"),
    };
    for (const std::string& request : requests) {
        CSimPlotter plotter;
        EXPECT_EQ(Ask(plotter, request), "") << request.substr(1);
        EXPECT_EQ(plotter.Unknown().size(), 1u) << request.substr(1);
    }
}

TEST(SimPlotterStream, AssemblesQueriesAndCommandsSplitAcrossPieces) {
    CSimPlotter plotter;
    const std::string stream = Query("C31;16") + "TC3,20" + kEtx + Query("C31;13") + "TC7," + kEtx;
    for (char byte : stream) {
        plotter.Receive(std::string_view(&byte, 1));
    }
    EXPECT_EQ(plotter.TakeOutput(), "2" + kEtx + "20" + kEtx);
    EXPECT_EQ(plotter.Log(), stream);
    EXPECT_EQ(plotter.Commands(), (std::vector<std::string>{"C31;16", "TC3,20", "C31;13", "TC7,"}));
    EXPECT_EQ(plotter.TakeOutput(), "") << "output is handed out once";
}

TEST(SimPlotterStream, DropsBrokenPiecesAndKeepsTheNextRequest) {
    CSimPlotter plotter;
    // A command cut off by a query, then a query cut off by another query.
    plotter.Receive("TC3,2" + kEsc + ".C1:" + kEsc + ".C31" + Query("C31;17"));
    EXPECT_EQ(plotter.TakeOutput(), "0" + kEtx + "1" + kEtx);
    EXPECT_EQ(plotter.Unknown(), (std::vector<std::string>{"TC3,2", kEsc + ".C31"}));
    EXPECT_EQ(plotter.m_nForce, 14) << "the broken command must not be applied";

    // Endless noise without ':' or ETX is dropped instead of growing forever.
    plotter.Receive(kEsc + std::string(200, 'A'));
    plotter.Receive(Query("C1"));
    plotter.Receive(std::string(300, 'B'));
    plotter.Receive("TC3,21" + kEtx + Query("C31;13"));
    EXPECT_EQ(plotter.TakeOutput(), "0" + kEtx + "21" + kEtx);
    EXPECT_EQ(plotter.Unknown().size(), 4u);
}

TEST(SimPlotterStream, KeepsTheDrawingDataApartFromRequests) {
    struct Row {
        const char* what;
        std::vector<std::string> pieces;
        std::string job;
    };
    const std::string hpgl = "IN;PU0,0;PD4000,0,4000,4000;PU;";
    const std::string longJob = "PD" + std::string(600, '1') + ";";
    const Row rows[] = {
        {"HP-GL between queries", {Query("C31;24"), hpgl, Query("C1")}, hpgl},
        {"HP-GL split anywhere, a label's ETX included",
         {"IN;PU0,", "0;LBab" + kEtx + "PD1", "0,0;"},
         "IN;PU0,0;LBab" + kEtx + "PD10,0;"},
        {"setting commands are not drawing data", {"TC4,2" + kEtx + hpgl + "TC24,0" + kEtx}, hpgl},
        {"an unknown native command is",
         {"XY1,2" + kEtx + "TC99,1" + kEtx},
         "XY1,2" + kEtx + "TC99,1" + kEtx},
        {"a long job without ETX", {longJob, Query("C1")}, longJob},
        {"the tail once the input ends", {hpgl}, hpgl},
    };
    for (const Row& row : rows) {
        CSimPlotter plotter;
        for (const std::string& piece : row.pieces) {
            plotter.Receive(piece);
        }
        plotter.EndOfInput();
        EXPECT_EQ(plotter.Job(), row.job) << row.what;
    }
}

struct CommandCase {
    std::string command;
    std::function<bool(const CSimPlotter&)> applied;
};

TEST(SimPlotterCommands, AppliesEverySettingCommand) {
    const CommandCase cases[] = {
        {"TC1,300", [](const CSimPlotter& p) { return p.m_nSpeed == 300; }},
        {"TC2,10", [](const CSimPlotter& p) { return p.m_nQuality == 10; }},
        {"TC3,31", [](const CSimPlotter& p) { return p.m_nForce == 31; }},
        {"TC4,-999", [](const CSimPlotter& p) { return p.m_nTool == -999; }},
        {"TC5,-3", [](const CSimPlotter& p) { return p.m_nOffset == -3; }},
        {"TC7,", [](const CSimPlotter& p) { return p.m_nTestCuts == 1 && p.m_bTestCutRunning; }},
        {"TC8,", [](const CSimPlotter& p) { return p.m_nFiveTestCuts == 1; }},
        {"TC21,1", [](const CSimPlotter& p) { return p.m_nMediaOrientation == 1; }},
        {"TC24,1", [](const CSimPlotter& p) { return p.m_nCommandSet == 1; }},
        {"TC25,150000", [](const CSimPlotter& p) { return p.m_nPageLength == 150000; }},
        {"TC26,1", [](const CSimPlotter& p) { return p.m_nMirror == 1; }},
        {"TC27,0,18280",
         [](const CSimPlotter& p) { return p.m_nAutoPreFeed == 0 && p.m_nFeedLength == 18280; }},
        {"TC28,0,2", [](const CSimPlotter& p) { return p.m_nTangentialMode == 2; }},
        {"TC28,13,2", [](const CSimPlotter& p) { return p.m_tangentialModes[2] == 2; }},
        {"TC28,2,1,14,22",
         [](const CSimPlotter& p) {
             return p.m_tangential[1].on == 1 && p.m_tangential[1].start == 14 &&
                    p.m_tangential[1].end == 22;
         }},
        {"TC29,60", [](const CSimPlotter& p) { return p.m_nPenUpSpeed == 60; }},
        {"TC30,45", [](const CSimPlotter& p) { return p.m_nOffsetAngle == 45; }},
        {"TC31,5", [](const CSimPlotter& p) { return p.m_nStepPass == 5; }},
        {"TC32,9", [](const CSimPlotter& p) { return p.m_nInitialDownForce == 9; }},
        {"TC33,1,1,150,225",
         [](const CSimPlotter& p) {
             return p.m_distanceAdjust[0].on == 1 && p.m_distanceAdjust[0].lengthCode == 150 &&
                    p.m_distanceAdjust[0].widthCode == 225;
         }},
        {"TC34,1", [](const CSimPlotter& p) { return p.m_nFanPower == 1; }},
        {"TC35,", [](const CSimPlotter& p) { return p.m_nCrossCuts == 1; }},
        {"TC36,", [](const CSimPlotter& p) { return p.m_nOriginMoves == 1; }},
        {"TB51,200,", [](const CSimPlotter& p) { return p.m_nMarkLength == 200; }},
        {"TB52,2,", [](const CSimPlotter& p) { return p.m_nMarkTypeCode == 2; }},
        {"TB53,10,", [](const CSimPlotter& p) { return p.m_nMarkThickness == 10; }},
        {"TB123,4000,3000,",
         [](const CSimPlotter& p) { return p.m_strMarkSearch == "TB123,4000,3000,"; }},
        {"TB225,100,200,1,50",
         [](const CSimPlotter& p) { return p.m_strMarkSearch == "TB225,100,200,1,50"; }},
        {"TB222,4000,", [](const CSimPlotter& p) { return p.m_strMarkSearch == "TB222,4000,"; }},
    };
    for (const CommandCase& c : cases) {
        CSimPlotter plotter;
        EXPECT_EQ(Ask(plotter, c.command + kEtx), "") << c.command << ": commands get no reply";
        EXPECT_TRUE(c.applied(plotter)) << c.command;
        EXPECT_EQ(plotter.Commands(), std::vector<std::string>{c.command});
    }
}

TEST(SimPlotterCommands, RejectsMalformedOrOutOfTableCommandsWithoutTouchingState) {
    const std::string commands[] = {
        "TC3",          "TC3,",     "TC3,x",  "TC3,1,2", "TC28,10,1,2,3",
        "TC33,0,1,2,3", "TC28,5,2", "TC99,1", "TB55,2,", "TB125,1,2,3,4",
        "TB122,1,2,",   "XY1,2",    "TC7,1",  "TC,1",
    };
    for (const std::string& command : commands) {
        CSimPlotter plotter;
        const CSimPlotter before = plotter;
        plotter.Receive(command + kEtx);
        EXPECT_EQ(plotter.Unknown(), std::vector<std::string>{command}) << command;
        EXPECT_EQ(plotter.m_nForce, before.m_nForce) << command;
        EXPECT_EQ(plotter.m_nTestCuts, 0) << command;
        EXPECT_EQ(plotter.m_tangentialModes, before.m_tangentialModes) << command;
        EXPECT_TRUE(plotter.m_strMarkSearch.empty()) << command;
    }
}

TEST(SimPlotterCommands, ConditionCommandsLeavePanelModeAndTc10ReturnsToIt) {
    CSimPlotter plotter;
    plotter.Receive("TC4,2" + kEtx);
    EXPECT_FALSE(plotter.m_bPanelConditions);
    plotter.Receive("TC10," + kEtx);
    EXPECT_TRUE(plotter.m_bPanelConditions);
}

TEST(SimPlotterCommands, WrittenValuesReadBackUnchanged) {
    CSimPlotter plotter("WX8800-60");
    plotter.Receive("TC33,4,1,0,400" + kEtx + "TC28,9,1,0,36" + kEtx + "TC27,1,1000" + kEtx);
    EXPECT_EQ(Ask(plotter, Query("C31;33;4") + Query("C31;28;9") + Query("C31;27")),
              "1,0,400" + kEtx + "1,0,36" + kEtx + "1,1000" + kEtx);
}

TEST(SimPlotterDeviceControl, MarkReadingFollowsItsSequence) {
    CSimPlotter plotter;
    plotter.m_markReadReplies = {"0", "1", "1", "2"};
    EXPECT_EQ(Ask(plotter, "TC23," + kEtx), "0" + kEtx);
    plotter.Receive(Query("C10") + "TB99," + kEtx);
    std::string replies;
    for (int poll = 0; poll < 6; ++poll) {
        replies += Ask(plotter, Query("C11"));
    }
    EXPECT_EQ(replies, "0" + kEtx + "1" + kEtx + "1" + kEtx + "2" + kEtx + "2" + kEtx + "2" + kEtx);
    EXPECT_EQ(Ask(plotter, "TC23," + kEtx), "1" + kEtx);

    // A fresh start forgets the marks read; an abort makes the plotter report failure.
    plotter.Receive(Query("C10"));
    EXPECT_EQ(Ask(plotter, "TC23," + kEtx), "0" + kEtx);
    EXPECT_EQ(Ask(plotter, Query("C11")), "0" + kEtx);
    plotter.Receive(Query("C12"));
    EXPECT_EQ(Ask(plotter, Query("C11")), "10" + kEtx);
}

TEST(SimPlotterDeviceControl, TestCutWaitsForEnterUntilPressed) {
    CSimPlotter plotter;
    plotter.m_enterReplies = {"0", "6", "8"};
    plotter.Receive("TC7," + kEtx);
    EXPECT_EQ(Ask(plotter, Query("C13")), "0" + kEtx);
    EXPECT_EQ(Ask(plotter, Query("C13")), "6" + kEtx);
    EXPECT_EQ(Ask(plotter, Query("C13")), "6" + kEtx) << "no going on without Enter";
    plotter.Receive(Query("C14"));
    EXPECT_EQ(plotter.m_nEnterPresses, 1);
    EXPECT_EQ(Ask(plotter, Query("C13")), "8" + kEtx);
    EXPECT_FALSE(plotter.m_bTestCutRunning);
}

TEST(SimPlotterDeviceControl, TestCutAbortedOnThePlotterEnds) {
    CSimPlotter plotter;
    plotter.m_enterReplies = {"1", "10"};
    plotter.Receive("TC8," + kEtx);
    EXPECT_EQ(Ask(plotter, Query("C13") + Query("C13") + Query("C13")),
              "1" + kEtx + "10" + kEtx + "8" + kEtx);
}

TEST(SimPlotterDeviceControl, JogMaskIsTakenWithoutReply) {
    CSimPlotter plotter;
    EXPECT_EQ(Ask(plotter, Query("C21;17")), "");
    EXPECT_EQ(plotter.m_nJogMask, 17);
}

TEST(SimPlotterFaults, StatusTurnsReadyAfterTheGivenNumberOfReplies) {
    CSimPlotter plotter;
    plotter.m_nStatus = 1;
    plotter.m_nStatusReplies = 2;
    EXPECT_EQ(Ask(plotter, Query("C1") + Query("C1") + Query("C1")),
              "1" + kEtx + "1" + kEtx + "0" + kEtx);
}

TEST(SimPlotterFaults, ReplyShapes) {
    CSimPlotter silent("Nimbo-Pro2");
    silent.m_bAnswerModelQuery = false;
    EXPECT_EQ(Ask(silent, Query("C31;9") + Query("C31;16")), "2" + kEtx);

    CSimPlotter malformed;
    malformed.m_bMalformedReplies = true;
    EXPECT_EQ(Ask(malformed, Query("C31;16")), "x" + kEtx);

    CSimPlotter overridden;
    overridden.m_replyOverrides["C31;13"] = "99";
    overridden.m_replyOverrides["TC23"] = "";
    // Overrides go out raw: "99" without ETX, nothing for TC23, then the normal status.
    EXPECT_EQ(Ask(overridden, Query("C31;13") + "TC23," + kEtx + Query("C1")), "990" + kEtx);

    CSimPlotter zeros;
    zeros.m_nZeroBytes = 2;
    EXPECT_EQ(Ask(zeros, Query("C31;16")), std::string("2\0\0\x03", 4));

    CSimPlotter padded;
    padded.m_nReplyLength = 600;
    const std::string reply = Ask(padded, Query("C31;13"));
    EXPECT_EQ(reply.size(), 600u);
    EXPECT_EQ(reply.substr(597), "14" + kEtx);
    EXPECT_EQ(reply.find_first_not_of(' '), 597u);
}

TEST(SimPlotterModels, KnowsTheTenTypesAndTheirUsbModels) {
    EXPECT_EQ(CSimPlotter::UsbModelFor("WX8800-160"), "WX8800");
    EXPECT_EQ(CSimPlotter::UsbModelFor("Nimbo-Pro2"), "RX2400-40-NP");
    EXPECT_EQ(CSimPlotter::UsbModelFor("Nimbo Pro S"), "RX3600-40-NP");
    EXPECT_EQ(CSimPlotter::UsbModelFor("RX3600-120"), "RX3600");
    EXPECT_FALSE(CSimPlotter::IsKnownModel("rx3600-60")) << "the plotter reports exact names";
    EXPECT_FALSE(CSimPlotter::IsKnownModel("WX8800"));
}

} // namespace
