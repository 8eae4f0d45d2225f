#include "sim/SimOptions.h"
#include "sim/SimPlotter.h"

#include <QTemporaryDir>

#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

namespace {

std::optional<SimOptions> Parse(const std::vector<std::string>& args,
                                std::string* error = nullptr) {
    std::string reason;
    std::optional<SimOptions> options = ParseSimOptions(args, reason);
    if (error != nullptr) {
        *error = reason;
    }
    return options;
}

TEST(SimOptionsParse, OptionsBeforeTheFirstModelApplyToAllAfterItToThatOne) {
    const std::optional<SimOptions> options =
        Parse({"--not-ready", "--model", "wx8800-60", "--reply-delay", "700", "--model",
               "nimbo pro s", "--status", "32", "--", "prog", "--model", "x"});
    ASSERT_TRUE(options);
    ASSERT_EQ(options->plotters.size(), 2u);
    EXPECT_EQ(options->plotters[0].modelType, "WX8800-60");
    EXPECT_EQ(options->plotters[0].status, 1);
    EXPECT_EQ(options->plotters[0].replyDelayMs, 700);
    EXPECT_EQ(options->plotters[1].modelType, "Nimbo Pro S");
    EXPECT_EQ(options->plotters[1].status, 32);
    EXPECT_EQ(options->plotters[1].replyDelayMs, 0);
    EXPECT_EQ(options->command, (std::vector<std::string>{"prog", "--model", "x"}));
}

TEST(SimOptionsParse, WithoutModelThereIsOneWx8800AndNoCommandMeansServe) {
    const std::optional<SimOptions> options = Parse({"--busy"});
    ASSERT_TRUE(options);
    ASSERT_EQ(options->plotters.size(), 1u);
    EXPECT_EQ(options->plotters[0].modelType, "WX8800-60");
    EXPECT_EQ(options->plotters[0].status, 2);
    EXPECT_TRUE(options->command.empty());
}

TEST(SimOptionsParse, DefaultVendorIsTheOneTheLibraryLooksFor) {
    const std::optional<SimOptions> options = Parse({});
    ASSERT_TRUE(options);
    char token[16];
    std::snprintf(token, sizeof token, "VID_%04X", options->plotters[0].vendorId);
    EXPECT_STREQ(token, QUIRN_USB_VENDOR_TOKEN);
}

TEST(SimOptionsParse, SharedLogGetsThePlotterNumber) {
    const std::optional<SimOptions> options =
        Parse({"--log", "/tmp/x.log", "--job-log", "/tmp/j", "--model", "RX3600-40", "--model",
               "RX3600-60", "--model", "RX3600-120", "--log", "/tmp/own.log", "--job-log",
               "/tmp/own.job"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->plotters[0].logPath, "/tmp/x.log");
    EXPECT_EQ(options->plotters[1].logPath, "/tmp/x.log.1");
    EXPECT_EQ(options->plotters[2].logPath, "/tmp/own.log");
    EXPECT_EQ(options->plotters[0].jobLogPath, "/tmp/j");
    EXPECT_EQ(options->plotters[1].jobLogPath, "/tmp/j.1");
    EXPECT_EQ(options->plotters[2].jobLogPath, "/tmp/own.job");
}

TEST(SimOptionsParse, RejectsWhatItCannotUse) {
    const std::vector<std::vector<std::string>> bad = {
        {"--model", "WX9999"},
        {"--frobnicate"},
        {"--status"},
        {"--status", "-1"},
        {"--status", "3x"},
        {"--step-size", "4"},
        {"--vendor-id", "10000"},
        {"--vendor-id", "zz"},
        {"--reply", "=1"},
        {"--reply", "C1"},
        {"--device-id", "bad\\q"},
        {"--chunk", "0"},
        {"--"},
        {"--script", "/nonexistent/script"},
    };
    for (const std::vector<std::string>& args : bad) {
        std::string error;
        EXPECT_FALSE(Parse(args, &error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(SimOptionsParse, ReadsScripts) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("faults.txt").toStdString();
    std::ofstream(path) << "# two plotters\n"
                           "model RX3600-60\n"
                           "  status 33  \n"
                           "\n"
                           "model Nimbo Pro S\n"
                           "reply C31;13=99\\x03\n"
                           "test-cut-waits-for-enter\n";
    const std::optional<SimOptions> options = Parse({"--script", path, "--log", "/tmp/l"});
    ASSERT_TRUE(options);
    ASSERT_EQ(options->plotters.size(), 2u);
    EXPECT_EQ(options->plotters[0].status, 33);
    EXPECT_EQ(options->plotters[1].modelType, "Nimbo Pro S");
    EXPECT_EQ(options->plotters[1].replyOverrides.at("C31;13"), "99\x03");
    EXPECT_TRUE(options->plotters[1].testCutWaitsForEnter);
    EXPECT_EQ(options->plotters[1].logPath, "/tmp/l") << "later options go on the last plotter";

    const std::string withCommand = dir.filePath("command.txt").toStdString();
    std::ofstream(withCommand) << "--\n";
    std::string error;
    EXPECT_FALSE(Parse({"--script", withCommand}, &error));
}

TEST(SimOptionsParse, ScriptThatIncludesItselfEnds) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("loop.txt").toStdString();
    std::ofstream(path) << "script " << path << "\n";
    std::string error;
    EXPECT_FALSE(Parse({"--script", path}, &error));
    EXPECT_NE(error.find("nested"), std::string::npos) << error;
}

TEST(SimOptionsUnescape, DecodesEscapesAndRejectsBrokenOnes) {
    EXPECT_EQ(Unescape("a\\e.C1:\\x03\\0\\\\\\n\\r\\t"),
              std::string("a\x1b.C1:\x03\0\\\n\r\t", 12));
    EXPECT_EQ(Unescape("\\xff"), std::string("\xff"));
    EXPECT_FALSE(Unescape("\\"));
    EXPECT_FALSE(Unescape("\\x1"));
    EXPECT_FALSE(Unescape("\\xg0"));
    EXPECT_FALSE(Unescape("\\q"));
}

TEST(SimOptionsPlotter, FaultsReachThePlotter) {
    SimPlotterConfig config;
    config.modelType = "RX3600-120";
    config.firmware = "V0.99";
    config.stepSize = 3;
    config.lightPointer = true;
    config.otherCommandSet = true;
    config.markPolls = 2;
    config.marksFail = true;
    config.testCutWaitsForEnter = true;
    config.answerModelQuery = false;
    config.zeroBytes = 1;
    config.replyLength = 10;
    config.status = 33;
    config.statusReplies = 1;
    const CSimPlotter plotter = MakePlotter(config);
    EXPECT_EQ(plotter.m_strModel, "RX3600-120");
    EXPECT_EQ(plotter.m_strFirmware, "V0.99");
    EXPECT_EQ(plotter.m_nStepSize, 3);
    EXPECT_EQ(plotter.m_nTool, 8);
    EXPECT_EQ(plotter.m_nCommandSet, 1);
    EXPECT_EQ(plotter.m_markReadReplies, (std::vector<std::string>{"1", "1", "10"}));
    EXPECT_EQ(plotter.m_enterReplies, (std::vector<std::string>{"0", "6", "8"}));
    EXPECT_FALSE(plotter.m_bAnswerModelQuery);
    EXPECT_EQ(plotter.m_nZeroBytes, 1u);
    EXPECT_EQ(plotter.m_nReplyLength, 10u);
    EXPECT_EQ(plotter.m_nStatus, 33);
    EXPECT_EQ(plotter.m_nStatusReplies, 1);

    config.markPolls = 0;
    config.marksFail = false;
    EXPECT_EQ(MakePlotter(config).m_markReadReplies, std::vector<std::string>{"2"});
}

TEST(SimOptionsPlotter, DeviceIdNamesTheFamilyModel) {
    SimPlotterConfig config;
    config.modelType = "Nimbo-Pro2";
    const std::string normal = "MANUFACTURER:Morvalin;COMMAND SET:QV-CL;MODEL:RX2400-40-NP;";
    EXPECT_EQ(DeviceIdFor(config), normal);
    config.hugeDeviceId = true;
    const std::string huge = DeviceIdFor(config);
    EXPECT_EQ(huge.size(), normal.size() + 64 * 1024);
    EXPECT_EQ(huge.rfind(normal, 0), 0u);
    config.deviceId = "MANUFACTURER:Morvalin";
    EXPECT_EQ(DeviceIdFor(config), "MANUFACTURER:Morvalin");
}

} // namespace
