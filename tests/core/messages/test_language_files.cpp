// The shipped language files, and what the string table makes of files that are not sound.
#include "core/LanguageSet.h"
#include "core/messages/CStringTable.h"
#include "core/messages/EnglishStrings.h"
#include "core/messages/LanguageFile.h"
#include "core/messages/TextCheck.h"

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace {

const std::filesystem::path kShippedFolder = std::filesystem::path(QUIRN_SOURCE_DIR) / "data";

std::string English(int id) {
    return CStringTable().LoadString(id);
}

// Every language the program speaks, by a Windows language id that selects it.
constexpr struct {
    const char* name;
    std::uint16_t langId;
} kLanguages[] = {
    {"English", 1033}, {"Japanese", 1041}, {"Russian", 1049}, {"Spanish", 3082},
    {"German", 1031},  {"French", 1036},   {"Chinese", 2052},
};

TEST(ShippedLanguageFiles, HoldEveryEnglishIdWithItsConversionsAndAreTakenWhole) {
    for (const auto& language : kLanguages) {
        SCOPED_TRACE(language.name);
        const std::string resource = CLanguageSet(language.langId).GetResourceDll();
        if (language.langId == 1033) {
            EXPECT_EQ(resource, ""); // English is compiled in
            continue;
        }
        const std::filesystem::path file =
            kShippedFolder / "lang" / (std::filesystem::path(resource).stem().string() + ".txt");
        std::ifstream in(file, std::ios::binary);
        ASSERT_TRUE(in) << file;
        const auto texts = ReadLanguageFile(in);

        CStringTable table;
        ASSERT_TRUE(table.LoadLanguage(kShippedFolder.string(), resource));
        std::size_t translated = 0;
        for (const StringEntry& entry : EnglishStrings()) {
            const auto it = texts.find(entry.id);
            ASSERT_NE(it, texts.end()) << "id " << entry.id << " missing";
            EXPECT_EQ(textcheck::ConversionsOf(it->second), textcheck::ConversionsOf(entry.text))
                << "id " << entry.id << ": " << it->second;
            // No text of the file falls back to English.
            EXPECT_EQ(table.LoadString(entry.id), it->second) << "id " << entry.id;
            translated += it->second != entry.text ? 1 : 0;
        }
        EXPECT_EQ(texts.size(), EnglishStrings().size()) << "ids the program does not know";
        // Product, blade and unit names stay as they are; everything else is translated.
        EXPECT_GT(translated, EnglishStrings().size() * 3 / 4);
    }
}

// A text as a language file writes it.
std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string(1, c);
    }
    return out;
}

class BadLanguageFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::string Folder() const { return m_dir.path().toStdString(); }

    void Write(const std::string& bytes) const {
        std::filesystem::create_directories(Folder() + "/lang");
        std::ofstream(Folder() + "/lang/Vireclip_GER.txt", std::ios::binary) << bytes;
    }

    QTemporaryDir m_dir;
};

TEST_F(BadLanguageFile, EachUnsoundTextFallsBackToEnglishAndTheSoundOnesStay) {
    const std::string longest(textcheck::kMaxTextBytes, 'x');
    const struct {
        const char* what;
        int id;
        std::string text; // as the table would give it
        bool taken;
    } cases[] = {
        {"sound text", 1300, "Bitte eine Liste w\xC3\xA4hlen.", true},
        {"sound range text", 1200, "X: %s bis %s mm", true},
        {"percent sign written as %%", 1217, "L: %s bis %s %%", true},
        {"longest text", 2802, longest, true},
        {"one byte too long", 2803, longest + "x", false},
        {"stray continuation byte", 2804, "Kraft \x80", false},
        {"truncated sequence at the end", 2805, "Geschw \xC3", false},
        {"overlong slash", 2806, "Qualit\xC0\xAF", false},
        {"UTF-16 surrogate", 2807, "Versatz \xED\xA0\x80", false},
        {"above U+10FFFF", 2808, "Test \xF4\x90\x80\x80", false},
        {"%n", 1201, "%s bis %s %n", false},
        {"extra %s", 1202, "%s bis %s %s mm", false},
        {"missing %s", 1203, "bis %s Zoll", false},
        {"%d in place of %s", 1204, "%s bis %d mm", false},
        {"numbered argument", 1205, "%2$s bis %1$s", false},
        {"star width", 1206, "%*s bis %s", false},
        {"lone percent at the end", 1207, "%s bis %s 5%", false},
        {"%s in a window text", 2809, "Position %s", false},
        {"markup in a label", 2810, "<b>Ursprung</b>", false},
        {"line break where the English text has one", 1303, "Ung\xC3\xBCltig.\nAnderer Name?",
         true},
        {"line break in a one-line text", 2704, "KR10A\n[Generic]", false},
        {"tab", 2811, "Quer\tschnitt", false},
        {"escape character", 2812, "Design\x1B", false},
    };
    std::string file = "# test\n";
    for (const auto& c : cases) {
        file += std::to_string(c.id) + '\t' + Escaped(c.text) + '\n';
    }
    file += "4242\tan id the program does not know\n";
    Write(file);

    CStringTable table;
    ASSERT_TRUE(table.LoadLanguage(Folder(), "Vireclip_GER.dll"));
    for (const auto& c : cases) {
        EXPECT_EQ(table.LoadString(c.id), c.taken ? c.text : English(c.id)) << c.what;
    }
    EXPECT_EQ(table.LoadString(1301), English(1301)) << "id missing from the file";
    EXPECT_EQ(table.LoadString(4242), "") << "id the program does not know";
}

TEST_F(BadLanguageFile, AFileThatCannotBeTakenLeavesEnglish) {
    // A language loaded before must not survive a failed load either.
    Write("2000\tVorher\n");
    const struct {
        const char* what;
        std::uint16_t langId;
        std::string bytes; // empty: no file at all
    } cases[] = {
        {"language without a file of its own", 1040, "2000\tItaliano\n"},
        {"file over the size limit", 1031,
         "2000\tGro\xC3\x9F\n" + std::string(CStringTable::kMaxFileBytes, '#')},
        {"no file", 1031, ""},
        {"empty file", 1031, "\n"},
    };
    for (const auto& c : cases) {
        CStringTable table;
        ASSERT_TRUE(table.LoadLanguage(Folder(), "Vireclip_GER.dll"));
        ASSERT_EQ(table.LoadString(2000), "Vorher");
        std::filesystem::remove(Folder() + "/lang/Vireclip_GER.txt");
        if (!c.bytes.empty()) {
            Write(c.bytes);
        }
        const std::string resource = CLanguageSet(c.langId).GetResourceDll();
        table.LoadLanguage(Folder(), resource);
        EXPECT_EQ(table.LoadString(2000), English(2000)) << c.what;
        EXPECT_EQ(table.LoadString(1004), English(1004)) << c.what;
        Write("2000\tVorher\n");
    }
}

} // namespace
