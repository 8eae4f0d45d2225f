#include "platform/profile/ProfileDocument.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace {

TEST(ProfileDocument, Reads) {
    const std::string text = "; comment=1\r\n"
                             "orphan=before any section\r\n"
                             "[Generic]\r\n"
                             "Product=Vireclip Ver1\r\n"
                             "  Type  =  RX3600-60  \r\n"
                             "[ setting ]\r\n"
                             "cutter=KR16U\r\n"
                             "Force=14\r\n"
                             "force=99\r\n"
                             "Quoted=\"  spaced  \"\r\n"
                             "Single='x'\r\n"
                             "Unbalanced=\"x\r\n"
                             "Empty=\r\n"
                             "no equals sign\r\n"
                             "#Hash=1\r\n"
                             "[Broken\r\n"
                             "Speed=30\r\n"
                             "[SETTING]\r\n"
                             "Quality=2\r\n"
                             "Force=77\r\n";
    const CProfileDocument doc = CProfileDocument::Parse(text);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"Generic", "Product", "Vireclip Ver1"},
        {"GENERIC", "product", "Vireclip Ver1"},
        {"Generic", "Type", "RX3600-60"},
        {"Setting", "Cutter", "KR16U"},
        {"Setting", "Force", "14"},          // the first of duplicate keys
        {"Setting", "Quoted", "  spaced  "}, // one pair of quotes is removed
        {"Setting", "Single", "x"},
        {"Setting", "Unbalanced", "\"x"},
        {"Setting", "Empty", ""},
        {"Setting", "Speed", "30"},  // "[Broken" opens no section
        {"Setting", "Quality", "2"}, // a section named twice is searched in order
        {"Setting", "no equals sign", std::nullopt},
        {"Setting", "#Hash", std::nullopt},
        {"Setting", "Offset", std::nullopt},
        {"Generic", "Cutter", std::nullopt},
        {"", "orphan", std::nullopt},
        {"Missing", "Type", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(doc.Get(c.section, c.key), c.value) << c.section << "/" << c.key;
    }
}

TEST(ProfileDocument, LineBreakStyles) {
    for (const char* br : {"\r\n", "\n", "\r"}) {
        const std::string text = std::string("[A]") + br + "k=1" + br + "[B]" + br + "k=2";
        CProfileDocument doc = CProfileDocument::Parse(text);
        EXPECT_EQ(doc.Get("A", "k"), "1");
        EXPECT_EQ(doc.Get("B", "k"), "2");
        ASSERT_TRUE(doc.Set("A", "n", "3"));
        EXPECT_EQ(doc.Serialize(),
                  std::string("[A]") + br + "k=1" + br + "n=3" + br + "[B]" + br + "k=2" + br);
    }
}

TEST(ProfileDocument, RewriteKeepsEverythingElse) {
    const std::string text = "\xEF\xBB\xBF; kept comment\n"
                             "[Generic]\n"
                             "Product=Vireclip Ver1\n"
                             "Extra=kept\n"
                             "\n"
                             "[Setting]\n"
                             "CUTTER = Old\n"
                             "Force=1\n"
                             "Force=2\n"
                             "Unknown=stay\n"
                             "\n"
                             "[Custom]\n"
                             "x=y\n";
    CProfileDocument doc = CProfileDocument::Parse(text);
    EXPECT_EQ(doc.Serialize(), text); // nothing changes by itself
    ASSERT_TRUE(doc.Set("setting", "Cutter", "KR16U"));
    ASSERT_TRUE(doc.Set("SETTING", "force", "14"));
    ASSERT_TRUE(doc.Set("Setting", "Offset", "0"));
    ASSERT_TRUE(doc.Set("Generic", "Type", "RX3600-60"));
    ASSERT_TRUE(doc.Set("New", "Key", "v"));
    EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF; kept comment\n"
                               "[Generic]\n"
                               "Product=Vireclip Ver1\n"
                               "Extra=kept\n"
                               "Type=RX3600-60\n" // appended after the last key, before the gap
                               "\n"
                               "[Setting]\n"
                               "CUTTER=KR16U\n" // replaced in place, the key's spelling kept
                               "Force=14\n"
                               "Force=2\n"
                               "Unknown=stay\n"
                               "Offset=0\n"
                               "\n"
                               "[Custom]\n"
                               "x=y\n"
                               "[New]\n"
                               "Key=v\n");
}

TEST(ProfileDocument, NewDocumentUsesCrLf) {
    CProfileDocument doc = CProfileDocument::Parse("");
    ASSERT_TRUE(doc.Set("Generic", "Product", "Vireclip Ver1"));
    ASSERT_TRUE(doc.Set("Setting", "Force", "14"));
    EXPECT_EQ(doc.Serialize(), "[Generic]\r\nProduct=Vireclip Ver1\r\n[Setting]\r\nForce=14\r\n");
}

TEST(ProfileDocument, RefusesWhatWouldNotReadBack) {
    struct Case {
        std::string section, key, value;
    };
    const Case cases[] = {
        {"Setting", "Cutter", "KR16U\r\n[Generic]\r\nType=Other"},
        {"Setting", "Cutter", "a\rb"},
        {"Setting", "Cutter", std::string("a\0b", 3)},
        {"Set]ting", "Cutter", "x"},
        {"Setting", "Cut=ter", "x"},
        {"Setting", "", "x"},
        {"", "Cutter", "x"},
        {"Setting", " Cutter", "x"},
        {"Setting ", "Cutter", "x"},
        {"Setting", "[Cutter", "x"},
        {"Setting", ";Cutter", "x"},
        {"Sett\ning", "Cutter", "x"},
    };
    for (const Case& c : cases) {
        CProfileDocument doc = CProfileDocument::Parse("[Setting]\nCutter=KR16U\n");
        EXPECT_FALSE(doc.Set(c.section, c.key, c.value)) << c.section << "/" << c.key;
        EXPECT_EQ(doc.Serialize(), "[Setting]\nCutter=KR16U\n");
    }
}

// Random and mutated inputs: parsing never fails, a parsed text serialises stably, and a
// value that Set accepts reads back (blanks around a value and one pair of enclosing quotes
// are not kept, as on Windows).
TEST(ProfileDocument, FuzzedInputs) {
    std::mt19937 rng(20261208);
    const std::string seeds[] = {
        "[Generic]\r\nProduct=Vireclip Ver1\r\nType=RX3600-60\r\n[Setting]\r\nCutter=KR16U\r\n"
        "Force=14\r\nSpeed=30\r\nQuality=2\r\nOffset=0\r\n",
        "\xEF\xBB\xBF[a]\nb=c\n;x\n[[d]]\n=e\n",
        "",
    };
    const std::string alphabet =
        std::string("[]=;#\"' \t\r\nabcAB01\xEF\xBB\xBF\xFF", 22) + std::string(1, '\0');
    std::uniform_int_distribution<int> byte(0, 255);
    const auto pick = [&](std::size_t n) {
        return static_cast<std::size_t>(std::uniform_int_distribution<std::size_t>(0, n - 1)(rng));
    };
    for (int iteration = 0; iteration < 100000; ++iteration) {
        std::string input;
        if (iteration % 2 == 0) {
            input = seeds[pick(std::size(seeds))];
            const int edits = 1 + static_cast<int>(pick(8));
            for (int e = 0; e < edits; ++e) {
                const std::size_t at = input.empty() ? 0 : pick(input.size() + 1);
                switch (pick(3)) {
                case 0:
                    input.insert(at, 1, alphabet[pick(alphabet.size())]);
                    break;
                case 1:
                    if (at < input.size()) {
                        input.erase(at, 1 + pick(4));
                    }
                    break;
                default:
                    if (at < input.size()) {
                        input[at] = static_cast<char>(byte(rng));
                    }
                }
            }
        } else {
            const std::size_t length = pick(200);
            for (std::size_t i = 0; i < length; ++i) {
                input += pick(2) ? alphabet[pick(alphabet.size())] : static_cast<char>(byte(rng));
            }
        }
        SCOPED_TRACE(::testing::PrintToString(input));
        CProfileDocument doc = CProfileDocument::Parse(input);
        const std::string once = doc.Serialize();
        ASSERT_EQ(CProfileDocument::Parse(once).Serialize(), once);
        ASSERT_EQ(CProfileDocument::Parse(once).Get("Setting", "Force"),
                  doc.Get("Setting", "Force"));
        std::string value;
        for (std::size_t i = pick(12); i > 0; --i) {
            value += alphabet[pick(alphabet.size())];
        }
        if (doc.Set("Setting", "Force", value)) {
            const std::optional<std::string> back =
                CProfileDocument::Parse(doc.Serialize()).Get("setting", "FORCE");
            std::string expected = value;
            expected.erase(0, expected.find_first_not_of(" \t"));
            expected.erase(expected.find_last_not_of(" \t") + 1);
            if (expected.size() >= 2 && (expected[0] == '"' || expected[0] == '\'') &&
                expected.back() == expected[0]) {
                expected = expected.substr(1, expected.size() - 2);
            }
            ASSERT_EQ(back, expected);
            ASSERT_EQ(doc.Get("Setting", "Force"), expected);
        }
    }
}

} // namespace
