#include "models/BladeCatalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const BladeCatalogue& c) {
    std::vector<std::string> names;
    for (const BladeEntry& e : c.Entries()) {
        names.push_back(e.strName);
    }
    return names;
}

TEST(BladeCatalogue, FullListWithClosingUndefined) {
    const BladeCatalogue c = BladeCatalogue::Make(BladeCatalogue::Kind::Full);
    const std::vector<std::string> expected{
        "LM200 Series", "LM300 Series", "LM400 Series", "KR10A (1)", "KR10A (2)",
        "KR10-X (1)",   "KR10-X (2)",   "KR16U",        "KR16-X",    "KR16U-SQ",
        "KR16SQ-X",     "KR16UA",       "KR16UB",       "KR16U-M30", "KR16U-M30-SQ",
        "KR16UA-M30",   "PNH40-TQ20",   "Other",        "Undefined"};
    EXPECT_EQ(Names(c), expected);
    EXPECT_EQ(c.OfferedCount(), 18);
    const int codes[] = {1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4, 5, 5, 5, 6, 7, -999};
    const int ids[] = {2700, 2701, 2702, 2704, 2705, 2707, 2708, 2709, 2710, 2711,
                       2712, 2713, 2714, 2715, 2716, 2717, 2718, 2719, 2720};
    for (int i = 0; i < c.Count(); ++i) {
        EXPECT_EQ(c.Entry(i).nToolCode, codes[i]) << i;
        EXPECT_EQ(c.Entry(i).nStringId, ids[i]) << i;
    }
    EXPECT_EQ(c.DefaultIndex(), 3);
    EXPECT_EQ(c.DefaultBlade(), "KR10A (1)");
    EXPECT_EQ(c.PenAdapterIndex(), 16);
    EXPECT_EQ(c.OtherIndex(), 17);
    EXPECT_EQ(c.Entry(16).strSmallPicture, "/CUT_PNH40-TQ20.BMP");
    EXPECT_EQ(c.Entry(9).strLargePicture, "/CUT_GREEN_BIG.BMP");
    EXPECT_TRUE(c.Entry(18).strSmallPicture.empty());
}

TEST(BladeCatalogue, JapaneseListDropsTheXBlades) {
    const BladeCatalogue c = BladeCatalogue::Make(BladeCatalogue::Kind::Japanese);
    const std::vector<std::string> expected{
        "LM200 Series", "LM300 Series", "LM400 Series", "KR10A (1)", "KR10A (2)",
        "KR16U",        "KR16U-SQ",     "KR16UA",       "KR16UB",    "KR16U-M30",
        "KR16U-M30-SQ", "KR16UA-M30",   "PNH40-TQ20",   "Other",     "Undefined"};
    EXPECT_EQ(Names(c), expected);
    EXPECT_EQ(c.DefaultIndex(), 3);
    EXPECT_EQ(c.PenAdapterIndex(), 12);
    EXPECT_EQ(c.OtherIndex(), 13);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c.Entry(i).role, BladeRole::ToolSeries);
    }
}

TEST(BladeCatalogue, CompactListLacksPenAndOther) {
    const BladeCatalogue c = BladeCatalogue::Make(BladeCatalogue::Kind::Compact);
    const std::vector<std::string> expected{"LM400 Series", "KR10A", "KR16U", "KR16UB",
                                            "Undefined"};
    EXPECT_EQ(Names(c), expected);
    EXPECT_EQ(c.DefaultBlade(), "KR10A");
    EXPECT_EQ(c.Entry(1).nStringId, 2703);
    // Missing roles point to the closing entry.
    EXPECT_EQ(c.PenAdapterIndex(), c.UndefinedIndex());
    EXPECT_EQ(c.OtherIndex(), c.UndefinedIndex());
    EXPECT_EQ(c.UndefinedIndex(), 4);
}

TEST(BladeCatalogue, LookupsByNameNeverReachUndefined) {
    const BladeCatalogue c = BladeCatalogue::Make(BladeCatalogue::Kind::Full);
    struct Case {
        const char* name;
        int index;
        int code;
    };
    const Case cases[] = {
        {"KR16U", 7, 3},      {"Other", 17, 7}, {"Undefined", -1, -999}, {"kr16u", -1, -999},
        {"KR10-X", -1, -999}, {"", -1, -999},   {"KR10A", -1, -999},     {"PNH40-TQ20", 16, 6},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(c.IndexOfName(k.name), k.index) << k.name;
        EXPECT_EQ(c.ToolCodeForName(k.name), k.code) << k.name;
    }
}

TEST(BladeCatalogue, TranslatedNamesWithEnglishFallback) {
    const BladeCatalogue c =
        BladeCatalogue::Make(BladeCatalogue::Kind::Japanese,
                             [](int id) -> std::string { return id == 2719 ? "Sonota" : ""; });
    EXPECT_EQ(c.Entry(c.OtherIndex()).strName, "Sonota");
    EXPECT_EQ(c.IndexOfName("Other"), -1);
    EXPECT_EQ(c.IndexOfName("Sonota"), 13);
    EXPECT_EQ(c.Entry(5).strName, "KR16U");
}

TEST(BladeCatalogue, OffsetRangeByRole) {
    const BladeCatalogue c = BladeCatalogue::Make(BladeCatalogue::Kind::Full);
    const ConditionRange r{{1, 48}, {1, 105}, {1, 8}, {-5, 5}, {1, 99}, {1, 45}};
    EXPECT_EQ(c.OffsetRange(0, r), (IntRange{0, 0}));
    EXPECT_EQ(c.OffsetRange(3, r), (IntRange{-5, 5}));
    EXPECT_EQ(c.OffsetRange(16, r), (IntRange{1, 99}));
    EXPECT_EQ(c.OffsetRange(17, r), (IntRange{1, 45}));
}

TEST(BladeCatalogue, EmptyCatalogueIsSafe) {
    const BladeCatalogue c;
    EXPECT_EQ(c.OfferedCount(), 0);
    EXPECT_EQ(c.IndexOfName("KR16U"), -1);
    EXPECT_EQ(c.ToolCodeForName("KR16U"), -999);
    EXPECT_EQ(c.DefaultBlade(), "");
}

} // namespace
