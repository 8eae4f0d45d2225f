#include "conditions/MediaListFile.h"
#include "models/PlotterModel.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <random>

namespace fs = std::filesystem;

namespace {

CPlotterModel ModelFor(const char* type, int languageId = 1033,
                       const BladeCatalogue::NameLookup& lookup = {}) {
    CPlotterModel model;
    model.Identify(type);
    model.SelectBladeCatalogue(languageId, lookup);
    return model;
}

std::string FileText(const std::string& type, const std::string& cutter,
                     const std::string& levels) {
    return "[Generic]\nProduct=Vireclip Ver1\nType=" + type + "\n[Setting]\nCutter=" + cutter +
           "\n" + levels;
}

TEST(MediaListFile, ParseInteger) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"14", 14},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-5", -5},
        {"-", 0},
        {"--5", 0},
        {"+5", 0},
        {"007", 7},
        {"5 6", 5},
        {"-0", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(medialist::ParseInteger(c.text), c.value) << c.text;
    }
}

TEST(MediaListFile, SafeNames) {
    for (const char* name : {"Vinyl", "Vinyl 2", "a.b", "..a", "日本語", "x\\y"}) {
        EXPECT_TRUE(medialist::IsSafeName(name)) << name;
    }
    for (const std::string& name :
         {std::string(), std::string("."), std::string(".."), std::string("../x"),
          std::string("a/b"), std::string("/"), std::string("a\0b", 3)}) {
        EXPECT_FALSE(medialist::IsSafeName(name)) << name;
    }
}

// Each step of the acceptance rules, on the model that the case names.
TEST(MediaListFile, AcceptanceSteps) {
    struct Case {
        const char* what;
        const char* model;
        std::string text;
        std::optional<int> offset; // nullopt: skipped
    };
    const std::string ok = "Force=14\nSpeed=30\nQuality=2\n";
    const Case cases[] = {
        {"valid", "RX3600-60", FileText("RX3600-60", "KR16U", ok + "Offset=3\n"), 3},
        {"sections and keys ignore case", "RX3600-60",
         "[GENERIC]\nproduct=Vireclip Ver1\nTYPE=RX3600-60\n[setting]\nCUTTER=KR16U\n"
         "force=14\nspeed=30\nquality=2\noffset=3\n",
         3},
        {"blanks around values", "RX3600-60",
         FileText("RX3600-60", "  KR16U\t", "Force = 14\nSpeed=30 \nQuality=2\nOffset= -1\n"), -1},
        {"product differs", "RX3600-60",
         "[Generic]\nProduct=Vireclip Ver2\nType=RX3600-60\n[Setting]\nCutter=KR16U\n" + ok +
             "Offset=0\n",
         std::nullopt},
        {"product missing", "RX3600-60",
         "[Generic]\nType=RX3600-60\n[Setting]\nCutter=KR16U\n" + ok + "Offset=0\n", std::nullopt},
        {"another model's type", "RX3600-60", FileText("RX3600-40", "KR16U", ok + "Offset=0\n"),
         std::nullopt},
        {"type compared with case", "RX3600-60", FileText("rx3600-60", "KR16U", ok + "Offset=0\n"),
         std::nullopt},
        {"type cut at 255 characters", "RX3600-60",
         FileText("RX3600-60" + std::string(300, 'x'), "KR16U", ok + "Offset=0\n"), std::nullopt},
        {"unknown blade", "RX3600-60", FileText("RX3600-60", "KR99", ok + "Offset=0\n"),
         std::nullopt},
        {"blade compared with case", "RX3600-60", FileText("RX3600-60", "kr16u", ok + "Offset=0\n"),
         std::nullopt},
        {"closing entry is never named", "RX3600-60",
         FileText("RX3600-60", "Undefined", ok + "Offset=0\n"), std::nullopt},
        {"blade of another catalogue", "RX3600-60",
         FileText("RX3600-60", "KR10A (1)", ok + "Offset=0\n"), std::nullopt},
        {"very long blade", "RX3600-60",
         FileText("RX3600-60", std::string(100000 / 2, 'K'), ok + "Offset=0\n"), std::nullopt},
        {"tool series without offset", "RX3600-60", FileText("RX3600-60", "LM400 Series", ok), 0},
        {"tool series ignores its offset", "RX3600-60",
         FileText("RX3600-60", "LM400 Series", ok + "Offset=4\n"), 0},
        {"ordinary blade without offset", "RX3600-60", FileText("RX3600-60", "KR16U", ok),
         std::nullopt},
        {"offset -5", "RX3600-60", FileText("RX3600-60", "KR16U", ok + "Offset=-5\n"), -5},
        {"offset 5", "RX3600-60", FileText("RX3600-60", "KR16U", ok + "Offset=5\n"), 5},
        {"offset 6", "RX3600-60", FileText("RX3600-60", "KR16U", ok + "Offset=6\n"), std::nullopt},
        {"offset -6", "RX3600-60", FileText("RX3600-60", "KR16U", ok + "Offset=-6\n"),
         std::nullopt},
        {"offset without digits reads 0", "RX3600-60",
         FileText("RX3600-60", "KR16U", ok + "Offset=x\n"), 0},
        {"pen adapter 0", "WX8800-60", FileText("WX8800-60", "PNH40-TQ20", ok + "Offset=0\n"),
         std::nullopt},
        {"pen adapter 1", "WX8800-60", FileText("WX8800-60", "PNH40-TQ20", ok + "Offset=1\n"), 1},
        {"pen adapter 99", "WX8800-60", FileText("WX8800-60", "PNH40-TQ20", ok + "Offset=99\n"),
         99},
        {"pen adapter 100", "WX8800-60", FileText("WX8800-60", "PNH40-TQ20", ok + "Offset=100\n"),
         std::nullopt},
        {"pen adapter without offset", "WX8800-60", FileText("WX8800-60", "PNH40-TQ20", ok),
         std::nullopt},
        {"Other 45", "WX8800-160", FileText("WX8800-160", "Other", ok + "Offset=45\n"), 45},
        {"Other 46", "WX8800-160", FileText("WX8800-160", "Other", ok + "Offset=46\n"),
         std::nullopt},
        {"Other 0", "WX8800-160", FileText("WX8800-160", "Other", ok + "Offset=0\n"), std::nullopt},
        {"Other without offset", "WX8800-160", FileText("WX8800-160", "Other", ok), std::nullopt},
        {"-X blade in English", "WX8800-75", FileText("WX8800-75", "KR10-X (1)", ok + "Offset=0\n"),
         0},
        {"quality 2 on a Nimbo-Pro2", "Nimbo-Pro2",
         FileText("Nimbo-Pro2", "KR16U", "Force=14\nSpeed=30\nQuality=2\nOffset=0\n"),
         std::nullopt},
        {"quality 1 on a Nimbo-Pro2", "Nimbo-Pro2",
         FileText("Nimbo-Pro2", "KR16U", "Force=14\nSpeed=30\nQuality=1\nOffset=0\n"), 0},
        {"force 12abc reads 12", "RX3600-60",
         FileText("RX3600-60", "KR16U", "Force=12abc\nSpeed=30\nQuality=2\nOffset=0\n"), 0},
        {"force abc reads 0", "RX3600-60",
         FileText("RX3600-60", "KR16U", "Force=abc\nSpeed=30\nQuality=2\nOffset=0\n"),
         std::nullopt},
        {"force missing", "RX3600-60",
         FileText("RX3600-60", "KR16U", "Speed=30\nQuality=2\nOffset=0\n"), std::nullopt},
        {"force at its maximum", "RX3600-120",
         FileText("RX3600-120", "KR16U", "Force=38\nSpeed=71\nQuality=2\nOffset=0\n"), 0},
        {"force above its maximum", "RX3600-120",
         FileText("RX3600-120", "KR16U", "Force=39\nSpeed=71\nQuality=2\nOffset=0\n"),
         std::nullopt},
        {"speed above its maximum", "RX3600-120",
         FileText("RX3600-120", "KR16U", "Force=38\nSpeed=72\nQuality=2\nOffset=0\n"),
         std::nullopt},
        {"speed missing", "RX3600-60",
         FileText("RX3600-60", "KR16U", "Force=14\nQuality=2\nOffset=0\n"), std::nullopt},
        {"quality 0", "RX3600-60",
         FileText("RX3600-60", "KR16U", "Force=14\nSpeed=30\nQuality=0\nOffset=0\n"), std::nullopt},
        {"huge level saturates", "RX3600-60",
         FileText("RX3600-60", "KR16U", "Force=99999999999999\nSpeed=30\nQuality=2\nOffset=0\n"),
         std::nullopt},
        {"duplicate keys read as the first", "RX3600-60",
         FileText("RX3600-60", "KR16U", ok + "Force=99\nOffset=2\nOffset=9\n"), 2},
        {"truncated file", "RX3600-60", FileText("RX3600-60", "KR16U", "Force=14\nSpe"),
         std::nullopt},
        {"empty file", "RX3600-60", "", std::nullopt},
        {"binary file", "RX3600-60",
         FileText("RX3600-60", "KR16U", ok + "Offset=0\n") + std::string("\0\xff", 2),
         std::nullopt},
        {"file beyond the size bound", "RX3600-60",
         FileText("RX3600-60", "KR16U", ok + "Offset=0\n;" + std::string(70000, 'x') + "\n"),
         std::nullopt},
    };
    const CTempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CPlotterModel model = ModelFor(c.model);
        const fs::path path = folder.Path() / "Vinyl.kcd";
        WriteText(path, c.text);
        CuttingCondition record{"unchanged", "", 0, 0, 0, 0};
        const bool accepted = medialist::ReadFile(path, "Vinyl", model, record);
        ASSERT_EQ(accepted, c.offset.has_value());
        if (accepted) {
            EXPECT_EQ(record.m_strName, "Vinyl");
            EXPECT_EQ(record.m_nOffset, *c.offset);
        } else {
            EXPECT_EQ(record.m_strName, "unchanged");
        }
    }
}

TEST(MediaListFile, AcceptedRecordHoldsEveryValue) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Card.kcd";
    WriteText(path, FileText("WX8800-100", "KR16U-M30-SQ",
                             "Force=48\nSpeed=105\nQuality=8\nOffset=-2\n"));
    CuttingCondition record;
    ASSERT_TRUE(medialist::ReadFile(path, "Card", ModelFor("WX8800-100"), record));
    EXPECT_EQ(record, (CuttingCondition{"Card", "KR16U-M30-SQ", 48, 105, 8, -2}));
}

TEST(MediaListFile, BladeNamesFollowTheUiLanguage) {
    const CTempFolder folder;
    const auto lookup = [](int id) -> std::string { return id == 2719 ? "Sonstiges" : ""; };
    const CPlotterModel translated = ModelFor("WX8800-60", 1031, lookup);
    const CPlotterModel japanese = ModelFor("WX8800-60", 1041);
    const std::string levels = "Force=10\nSpeed=10\nQuality=1\nOffset=10\n";
    const fs::path other = folder.Path() / "Other.kcd";
    WriteText(other, FileText("WX8800-60", "Other", levels));
    const fs::path sonstiges = folder.Path() / "Sonstiges.kcd";
    WriteText(sonstiges, FileText("WX8800-60", "Sonstiges", levels));
    const fs::path blade = folder.Path() / "X.kcd";
    WriteText(blade, FileText("WX8800-60", "KR16-X", "Force=10\nSpeed=10\nQuality=1\nOffset=0\n"));

    CuttingCondition record;
    EXPECT_FALSE(medialist::ReadFile(other, "Other", translated, record));
    EXPECT_TRUE(medialist::ReadFile(sonstiges, "Sonstiges", translated, record));
    EXPECT_EQ(record.m_strBlade, "Sonstiges");
    // The Japanese catalogue has no "-X" blades.
    EXPECT_FALSE(medialist::ReadFile(blade, "X", japanese, record));
    EXPECT_TRUE(medialist::ReadFile(blade, "X", ModelFor("WX8800-60"), record));
}

TEST(MediaListFile, NothingIsAcceptedBeforeIdentification) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    WriteText(path, FileText("", "KR16U", "Force=14\nSpeed=30\nQuality=2\nOffset=0\n"));
    CuttingCondition record;
    EXPECT_FALSE(medialist::ReadFile(path, "Vinyl", CPlotterModel(), record));
}

TEST(MediaListFile, WritesTheExactFile) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    ASSERT_TRUE(medialist::WriteFile(path, {"Vinyl", "KR16U", 14, 30, 2, 0}, "RX3600-60"));
    EXPECT_EQ(ReadText(path), "[Generic]\r\nProduct=Vireclip Ver1\r\nType=RX3600-60\r\n"
                              "[Setting]\r\nCutter=KR16U\r\nForce=14\r\nSpeed=30\r\nQuality=2\r\n"
                              "Offset=0\r\n");
    CuttingCondition record;
    ASSERT_TRUE(medialist::ReadFile(path, "Vinyl", ModelFor("RX3600-60"), record));
    EXPECT_EQ(record, (CuttingCondition{"Vinyl", "KR16U", 14, 30, 2, 0}));
}

TEST(MediaListFile, RewriteKeepsUnknownKeysAndSections) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    WriteText(path, "; note\n[Generic]\nProduct=Vireclip Ver1\nType=RX3600-60\nAuthor=me\n"
                    "[Setting]\ncutter=KR10A\nFORCE=3\nColour=red\n[Extra]\nk=v\n");
    ASSERT_TRUE(medialist::WriteFile(path, {"Vinyl", "KR16UB", 20, 40, 3, -1}, "RX3600-60"));
    EXPECT_EQ(ReadText(path), "; note\n[Generic]\nProduct=Vireclip Ver1\nType=RX3600-60\n"
                              "Author=me\n[Setting]\ncutter=KR16UB\nFORCE=20\nColour=red\n"
                              "Speed=40\nQuality=3\nOffset=-1\n[Extra]\nk=v\n");
}

TEST(MediaListFile, UnwritableBladeTextFailsWithoutTouchingTheFile) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    EXPECT_FALSE(medialist::WriteFile(
        path, {"Vinyl", "KR16U\n[Generic]\nType=RX3600-40", 14, 30, 2, 0}, "RX3600-60"));
    EXPECT_FALSE(fs::exists(path));
}

// Mutated files through the whole read path: whatever is accepted holds a catalogue blade and
// levels inside the model's bounds.
TEST(MediaListFile, FuzzedFilesNeverYieldAnOutOfRangeRecord) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Fuzz.kcd";
    const std::string seeds[] = {
        FileText("WX8800-60", "PNH40-TQ20", "Force=48\nSpeed=105\nQuality=8\nOffset=99\n"),
        FileText("WX8800-60", "Other", "Force=1\nSpeed=1\nQuality=1\nOffset=1\n"),
        FileText("WX8800-60", "LM200 Series", "Force=2\nSpeed=3\nQuality=4\n"),
        FileText("WX8800-60", "KR10A (1)", "Force=2\nSpeed=3\nQuality=4\nOffset=-5\n"),
    };
    const CPlotterModel model = ModelFor("WX8800-60");
    const ConditionRange ranges = model.ConditionRanges();
    std::mt19937 rng(7);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const std::string alphabet = "0123456789-=[]\n;xX ";
    int accepted = 0;
    for (int iteration = 0; iteration < 1000; ++iteration) {
        std::string text = seeds[pick(std::size(seeds))];
        for (std::size_t edits = 1 + pick(3); edits > 0; --edits) {
            const std::size_t at = pick(text.size());
            if (pick(2) == 0) {
                text[at] = alphabet[pick(alphabet.size())];
            } else {
                text.erase(at, 1);
            }
        }
        WriteText(path, text);
        CuttingCondition record;
        if (!medialist::ReadFile(path, "Fuzz", model, record)) {
            continue;
        }
        ++accepted;
        SCOPED_TRACE(text);
        const int blade = model.Catalogue().IndexOfName(record.m_strBlade);
        ASSERT_GE(blade, 0);
        ASSERT_TRUE(ranges.force.Contains(record.m_nForce));
        ASSERT_TRUE(ranges.speed.Contains(record.m_nSpeed));
        ASSERT_TRUE(ranges.quality.Contains(record.m_nQuality));
        ASSERT_TRUE(model.Catalogue().OffsetRange(blade, ranges).Contains(record.m_nOffset));
    }
    EXPECT_GT(accepted, 0); // the mutations leave some files valid
}

} // namespace
