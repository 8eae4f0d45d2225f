#include "core/messages/CStringTable.h"
#include "core/messages/EnglishStrings.h"
#include "core/messages/LanguageFile.h"
#include "core/messages/MessageCodes.h"

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace {

struct CodeRange {
    int first;
    int last;
};

// Every message group: each of its codes must have a text.
constexpr CodeRange kMessageGroups[] = {
    {1000, 1015}, {1100, 1102}, {1200, 1222}, {1300, 1306}, {1400, 1407}, {1800, 1811},
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

} // namespace

TEST(EnglishStrings, EveryMessageCodeHasAText) {
    const CStringTable table;
    for (const CodeRange& range : kMessageGroups) {
        for (int code = range.first; code <= range.last; ++code) {
            EXPECT_FALSE(table.LoadString(code).empty()) << "code " << code;
        }
    }
}

TEST(EnglishStrings, EveryEntryIsFoundAndIdsAreUnique) {
    const CStringTable table;
    const auto entries = EnglishStrings();
    ASSERT_GT(entries.size(), 100u);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(entries[i - 1].id, entries[i].id) << "at index " << i;
        }
        EXPECT_EQ(table.LoadString(entries[i].id), entries[i].text) << "id " << entries[i].id;
    }
}

TEST(EnglishStrings, UnknownIdsGiveEmptyText) {
    const CStringTable table;
    for (int id : {-1, 0, 1, 999, 1016, 1099, 1103, 1223, 1812, 2017, 2614, 2721, 99999}) {
        EXPECT_EQ(table.LoadString(id), "") << "id " << id;
    }
}

TEST(EnglishStrings, CaptionsAndLabels) {
    const CStringTable table;
    const std::pair<int, const char*> expected[] = {
        {2000, "Morvalin Vireclip"},
        {2001, " Demo Mode"},
        {2006, "mm"},
        {2007, "inch"},
        {2015, "Cut"},
        {2016, "Close"},
        {2100, "Morvalin Vireclip Version 2.20"},
        {2600, "cm"},
        {2601, "m"},
        {2602, "feet"},
        {2604, "AUTO"},
        {2605, "Cond. No. 1"},
        {2613, "Cond. No. 9"},
        {2703, "KR10A"},
        {2706, "KR10-X"},
        {2720, "Undefined"},
        {1804, "Press the Enter button. "},
    };
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(table.LoadString(id), text) << "id " << id;
    }
}

// Each range text takes exactly two limits and names the unit of its value at the end.
TEST(EnglishStrings, RangeTextsTakeTwoLimitsAndEndInTheirUnit) {
    const CStringTable table;
    const std::pair<int, const char*> endings[] = {
        {1200, "%s to %s mm."},      {1201, "%s to %s inches."},      {1202, "%s to %s mm."},
        {1203, "%s to %s inches."},  {1204, "%s to %s mm."},          {1205, "%s to %s inches."},
        {1206, "%s to %s mm."},      {1207, "%s to %s inches."},      {1208, "%s to %s mm."},
        {1209, "%s to %s inches."},  {1210, "%s to %s cm."},          {1211, "%s to %s inches."},
        {1212, "%s to %s degrees."}, {1213, "%s to %s range."},       {1214, "%s to %s range."},
        {1215, "%s to %s m."},       {1216, "range  %s to %s feet."}, {1217, "%s to %s %%."},
        {1218, "%s to %s %%."},      {1219, "%s to %s mm."},          {1220, "%s to %s inches."},
        {1221, "%s to %s mm."},      {1222, "%s to %s inches."},
    };
    for (const auto& [code, ending] : endings) {
        const std::string text = table.LoadString(code);
        EXPECT_TRUE(text.ends_with(ending)) << code << ": " << text;
        EXPECT_EQ(Count(text, "%s"), 2u) << code;
        EXPECT_TRUE(text.starts_with("The value specified for the ")) << code;
        EXPECT_EQ(Count(text, "\n"), 1u) << code;
    }
    // The inch text of a pair is the millimetre text with another unit.
    for (int mm : {1200, 1202, 1204, 1206, 1208, 1219, 1221}) {
        std::string metric = table.LoadString(mm);
        metric.replace(metric.size() - 3, 3, "inches.");
        EXPECT_EQ(table.LoadString(mm + 1), metric) << mm;
    }
    EXPECT_NE(table.LoadString(1202).find("Y axis distance"), std::string::npos);
}

TEST(LanguageFile, ParsesLinesEscapesAndSkipsWhatIsNoEntry) {
    std::istringstream in("\xEF\xBB\xBF"
                          "1004\tKein Plotter\\nBitte pr\xC3\xBC"
                          "fen\r\n"
                          "# comment\t1\n"
                          "\n"
                          "2000\tTitel\n"
                          "abc\tnot an id\n"
                          "12x\tnot an id\n"
                          "-5\tnegative\n"
                          "0\tzero\n"
                          "1300 no tab\n"
                          "1301\tTab\\there, slash \\\\n, other \\q, end \\\n"
                          "1302\t\n"
                          "2000\tTitel 2\n");
    const auto texts = ReadLanguageFile(in);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts.at(1004), "Kein Plotter\nBitte pr\xC3\xBC"
                              "fen");
    EXPECT_EQ(texts.at(2000), "Titel 2");
    EXPECT_EQ(texts.at(1301), "Tab\there, slash \\n, other \\q, end \\");
    EXPECT_EQ(texts.at(1302), "");
}

class StringTableLanguage : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    std::filesystem::path Folder() const { return m_dir.path().toStdString(); }

    QTemporaryDir m_dir;
};

TEST_F(StringTableLanguage, LoadedFileOverridesByIdAndKeepsEnglishForTheRest) {
    WriteFile(Folder() / "lang" / "Vireclip_JPN.txt", "1004\tJ1004\n2000\tJ-Title\n");
    CStringTable table;
    ASSERT_TRUE(table.LoadLanguage(Folder().string(), "Vireclip_JPN.dll"));
    EXPECT_EQ(table.LoadString(1004), "J1004");
    EXPECT_EQ(table.LoadString(2000), "J-Title");
    EXPECT_EQ(table.LoadString(1005), CStringTable().LoadString(1005));
    EXPECT_EQ(table.LoadString(4242), "");
}

TEST_F(StringTableLanguage, MissingFileKeepsEnglish) {
    CStringTable table;
    EXPECT_FALSE(table.LoadLanguage(Folder().string(), "Vireclip_GER.dll"));
    EXPECT_FALSE(table.LoadLanguage(Folder().string(), ""));
    EXPECT_EQ(table.LoadString(2000), "Morvalin Vireclip");
}

TEST_F(StringTableLanguage, AFolderInPlaceOfTheFileIsNoLanguage) {
    std::filesystem::create_directories(Folder() / "lang" / "Vireclip_FRE.txt");
    CStringTable table;
    EXPECT_FALSE(table.LoadLanguage(Folder().string(), "Vireclip_FRE.dll"));
    EXPECT_EQ(table.LoadString(2000), "Morvalin Vireclip");
}

TEST_F(StringTableLanguage, OnlyTheBaseNameOfTheResourceCounts) {
    WriteFile(Folder() / "lang" / "Vireclip_RUS.txt", "2000\tRU\n");
    WriteFile(Folder() / "Vireclip_RUS.txt", "2000\toutside\n");
    CStringTable table;
    ASSERT_TRUE(table.LoadLanguage(Folder().string(), "../Vireclip_RUS.dll"));
    EXPECT_EQ(table.LoadString(2000), "RU");
}

TEST_F(StringTableLanguage, ASecondLanguageReplacesTheFirst) {
    WriteFile(Folder() / "lang" / "Vireclip_SPA.txt", "1004\tES1004\n1005\tES1005\n");
    WriteFile(Folder() / "lang" / "Vireclip_CHI.txt", "1004\tZH1004\n");
    CStringTable table;
    ASSERT_TRUE(table.LoadLanguage(Folder().string(), "Vireclip_SPA.dll"));
    ASSERT_TRUE(table.LoadLanguage(Folder().string(), "Vireclip_CHI.dll"));
    EXPECT_EQ(table.LoadString(1004), "ZH1004");
    EXPECT_EQ(table.LoadString(1005), CStringTable().LoadString(1005));
}
