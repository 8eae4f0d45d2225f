#include "protocol/ReplyParse.h"

#include "core/messages/MessageCodes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace proto;

constexpr int kOk = msg::kOk;
constexpr int k1008 = msg::kReadFailed;

TEST(ReplyParse, LeadingInteger) {
    struct Case {
        const char* text;
        int value;
    } const cases[] = {
        {"0", 0},
        {"305", 305},
        {"  -14x", -14},
        {"+7", 7},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"12,3", 12},
        {"\t\n 9", 9},
        {"1 2", 1},
        {"2147483647", 2147483647},
        {"99999999999999999999", std::numeric_limits<int>::max()},
        {"-99999999999999999999", std::numeric_limits<int>::min()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LeadingInteger(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ReplyParse, LeadingDecimal) {
    struct Case {
        const char* text;
        double value;
    } const cases[] = {
        {"500000", 500000.0}, {" 12.5mm", 12.5}, {"-0.25", -0.25}, {"1e3", 1000.0},
        {"2E-1,", 0.2},       {"1e", 1.0},       {"1e+", 1.0},     {".5", 0.5},
        {"5.", 5.0},          {"", 0.0},         {".", 0.0},       {"x1", 0.0},
        {"inf", 0.0},         {"nan", 0.0},      {"0x10", 0.0},    {"+3", 3.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(LeadingDecimal(c.text), c.value) << '"' << c.text << '"';
    }
    EXPECT_TRUE(std::isinf(LeadingDecimal("1e999")));
}

TEST(ReplyParse, SplitFieldsTrimsLeadingBlanksAfterTheFirst) {
    const auto fields = SplitFields(" 1, 250 ,\t150");
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0], " 1");
    EXPECT_EQ(fields[1], "250 ");
    EXPECT_EQ(fields[2], "150");
    EXPECT_EQ(SplitFields("").size(), 1u);
    EXPECT_EQ(SplitFields(",,").size(), 3u);
}

TEST(ReplyParse, FirstCharacterReplies) {
    int v = -1;
    EXPECT_EQ(ParseStepSize("4", v), kOk);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(ParseStepSize("1", v), kOk);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(ParseStepSize("0", v), k1008);
    EXPECT_EQ(ParseStepSize("", v), k1008);
    EXPECT_EQ(v, 0) << "a rejected reply leaves the target";

    int flag = 7;
    EXPECT_EQ(ParseFlag("2", flag), k1008);
    EXPECT_EQ(flag, 7);
    EXPECT_EQ(ParseFlag("1x", flag), kOk);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(ParseFlag("", flag), k1008);

    int mode = 0;
    EXPECT_EQ(ParseTangentialMode("0", mode), k1008);
    EXPECT_EQ(ParseTangentialMode("2", mode), kOk);
    EXPECT_EQ(mode, 2);
}

TEST(ReplyParse, ModelAndFirmware) {
    std::string model = "old";
    std::string firmware = "old";
    EXPECT_EQ(ParseModelAndFirmware("RX3600-60 , V1.20", model, firmware), kOk);
    EXPECT_EQ(model, "RX3600-60");
    EXPECT_EQ(firmware, "V1.20");
    EXPECT_EQ(ParseModelAndFirmware("Nimbo Pro S,V2.00,extra", model, firmware), kOk);
    EXPECT_EQ(model, "Nimbo Pro S");
    EXPECT_EQ(firmware, "V2.00,extra");
    for (const char* bad : {",V1.20", "RX3600-60", ""}) {
        model = firmware = "kept";
        EXPECT_EQ(ParseModelAndFirmware(bad, model, firmware), k1008) << bad;
        EXPECT_EQ(model, "kept");
        EXPECT_EQ(firmware, "kept");
    }
}

TEST(ReplyParse, ScaledIntegersWithRange) {
    struct Case {
        const char* reply;
        int divisor;
        IntRange range;
        int code;
        int value;
    } const cases[] = {
        {"305", 10, {1, 30}, kOk, 30},   // speed
        {"14", 5, {1, 5}, kOk, 2},       // quality
        {"311", 10, {1, 30}, k1008, -1}, // speed 31 out of range
        {"9", 10, {1, 30}, k1008, -1},   // speed 0
        {"-5", 1, {-5, 5}, kOk, -5},     // offset at its bound
        {"6", 1, {-5, 5}, k1008, -1},
        {"abc", 1, {0, 60}, kOk, 0}, // no digits reads as 0
        {"99999999999", 1, {0, 60}, k1008, -1},
    };
    for (const Case& c : cases) {
        int value = -1;
        EXPECT_EQ(ParseScaledInt(c.reply, c.divisor, c.range, value), c.code) << c.reply;
        EXPECT_EQ(value, c.value) << c.reply;
    }
}

TEST(ReplyParse, LengthsInStepsBecomeMicrometres) {
    int um = -1;
    std::optional<AsRead<int>> read;
    EXPECT_EQ(ParseLength("500000", 100, {0, 50000}, um, read), kOk);
    EXPECT_EQ(um, 5000000);
    EXPECT_EQ(ParseLength("500999", 100, {0, 50000}, um, read), kOk) << "mm are truncated";
    EXPECT_EQ(um, 5009000);
    EXPECT_EQ(read, (AsRead<int>{500999, 5009000})) << "the steps are kept";
    EXPECT_EQ(ParseLength("5000100", 100, {0, 50000}, um, read), k1008);
    EXPECT_EQ(ParseLength("1e300", 100, {0, 50000}, um, read), k1008);
    EXPECT_EQ(ParseLength("-10", 10, {0, 50000}, um, read), k1008);
    EXPECT_EQ(ParseLength("100", 0, {0, 50000}, um, read), k1008);
    EXPECT_EQ(um, 5009000);
    EXPECT_EQ(read, (AsRead<int>{500999, 5009000}));
}

TEST(ReplyParse, PenUpSpeedByValueOrIndex) {
    const std::array<int, 7> rx = {0, 10, 20, 30, 60, -999, -999};
    int v = 0;
    std::optional<AsRead<int>> read;
    ParsePenUpSpeed("4", true, rx, v, read);
    EXPECT_EQ(v, 60);
    ParsePenUpSpeed("6", true, rx, v, read);
    EXPECT_EQ(read, (AsRead<int>{6, -999})) << "the index is kept: 5 has the same value";
    ParsePenUpSpeed("7", true, rx, v, read);
    EXPECT_EQ(v, 7) << "an index outside 0-6 stays";
    ParsePenUpSpeed("-1", true, rx, v, read);
    EXPECT_EQ(v, -1);
    ParsePenUpSpeed("60", false, rx, v, read);
    EXPECT_EQ(v, 60);
}

TEST(ReplyParse, AutoPreFeed) {
    int on = -1;
    int um = -1;
    std::optional<AsRead<int>> read;
    EXPECT_EQ(ParseAutoPreFeed("1,9140", 10, {914, 50913}, on, um, read), kOk);
    EXPECT_EQ(on, 1);
    EXPECT_EQ(um, 914000);
    EXPECT_EQ(ParseAutoPreFeed("0, 18299", 20, {914, 50913}, on, um, read), kOk);
    EXPECT_EQ(on, 0);
    EXPECT_EQ(um, 914000);
    EXPECT_EQ(read, (AsRead<int>{18299, 914000}));
    for (const char* bad : {"2,9140", "1", ",9140", "1,9130", "1,509140", ""}) {
        on = um = -1;
        EXPECT_EQ(ParseAutoPreFeed(bad, 10, {914, 50913}, on, um, read), k1008) << bad;
        EXPECT_EQ(on, -1);
        EXPECT_EQ(um, -1);
        EXPECT_EQ(read, (AsRead<int>{18299, 914000}));
    }
}

TEST(ReplyParse, DistanceAdjust) {
    AdvancedSettings::DistanceAdjust entry{};
    EXPECT_EQ(ParseDistanceAdjust("1,250,150", {-2.0, 2.0}, entry), kOk);
    EXPECT_EQ(entry.on, 1);
    EXPECT_DOUBLE_EQ(entry.l, 0.5);
    EXPECT_DOUBLE_EQ(entry.w, -0.5);
    EXPECT_EQ(entry.lRead, (AsRead<double>{250, entry.l}));
    EXPECT_EQ(entry.wRead, (AsRead<double>{150, entry.w}));
    EXPECT_EQ(ParseDistanceAdjust("0,0,400", {-2.0, 2.0}, entry), kOk);
    EXPECT_DOUBLE_EQ(entry.l, -2.0);
    EXPECT_DOUBLE_EQ(entry.w, 2.0);
    const AdvancedSettings::DistanceAdjust before = entry;
    for (const char* bad : {"1,450,150", "1,250,-1", "2,200,200", "1,200", "1", ""}) {
        EXPECT_EQ(ParseDistanceAdjust(bad, {-2.0, 2.0}, entry), k1008) << bad;
        EXPECT_EQ(entry, before) << bad;
    }
}

TEST(ReplyParse, TangentialEmulationInExactMillimetres) {
    AdvancedSettings::TangentialEmulation entry{};
    EXPECT_EQ(ParseTangentialEmulation("1,14,22", 40, {0.0, 0.9}, entry), kOk);
    EXPECT_EQ(entry.on, 1);
    EXPECT_EQ(entry.start, 350);
    EXPECT_EQ(entry.end, 550);
    EXPECT_EQ(entry.startRead, (AsRead<int>{14, 350}));
    EXPECT_EQ(entry.endRead, (AsRead<int>{22, 550}));
    EXPECT_EQ(ParseTangentialEmulation("0,90,0", 100, {0.0, 0.9}, entry), kOk);
    EXPECT_EQ(entry.start, 900);
    const AdvancedSettings::TangentialEmulation before = entry;
    for (const char* bad : {"1,91,0", "1,0,-1", "3,1,1", "1,1", "1,1e999,1"}) {
        EXPECT_EQ(ParseTangentialEmulation(bad, 100, {0.0, 0.9}, entry), k1008) << bad;
        EXPECT_EQ(entry, before) << bad;
    }
    EXPECT_EQ(ParseTangentialEmulation("1,1,1", 0, {0.0, 0.9}, entry), k1008);
    EXPECT_EQ(entry, before);
    EXPECT_EQ(ParseTangentialEmulation("1,nan,10", 100, {0.0, 0.9}, entry), kOk);
    EXPECT_EQ(entry.start, 0) << "\"nan\" is no number and reads as 0";
    EXPECT_EQ(entry.end, 100);
}

TEST(ReplyParse, MarkReadAndEnterStatesTestTenFirst) {
    struct Case {
        const char* reply;
        int markCode;
        int mark;
        int enterCode;
        int enter;
    } const cases[] = {
        {"10", kOk, 3, kOk, 5},  {"1", kOk, 1, kOk, 1},       {"0", kOk, 0, kOk, 0},
        {"2", kOk, 2, kOk, 2},   {"6", k1008, -1, kOk, 3},    {"8", k1008, -1, kOk, 4},
        {"100", kOk, 3, kOk, 5}, {"3", k1008, -1, k1008, -1}, {"", k1008, -1, k1008, -1},
        {"11", kOk, 1, kOk, 1},
    };
    for (const Case& c : cases) {
        int mark = -1;
        int enter = -1;
        EXPECT_EQ(ParseMarkReadState(c.reply, mark), c.markCode) << c.reply;
        EXPECT_EQ(mark, c.mark) << c.reply;
        EXPECT_EQ(ParseEnterState(c.reply, enter), c.enterCode) << c.reply;
        EXPECT_EQ(enter, c.enter) << c.reply;
    }
}

} // namespace
