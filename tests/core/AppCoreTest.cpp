#include "core/ControllerSettings.h"
#include "core/ExitCode.h"
#include "core/HelpContext.h"
#include "core/LanguageSet.h"
#include "core/SettingsStore.h"
#include "core/SystemCode.h"
#include "core/messages/MessageCodes.h"
#include "platform/LanguageId.h"

#include <QSettings>
#include <QStringList>

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(ExitCode, MapsEveryWindowResult) {
    struct Row {
        int result;
        bool cutMode;
        int exitCode;
    };
    const std::vector<Row> rows{
        {exitcode::kResultOk, false, 0},
        {exitcode::kResultOk, true, 2},
        {exitcode::kResultCancel, false, 1},
        {exitcode::kResultCancel, true, 1},
        {msg::kUnsupportedSystem, false, 199},
        {msg::kOutOfMemory, true, 199},
        {msg::kFirmwareUnsupported, false, 199},
        {msg::kModelUnsupported, false, 199},
        {msg::kCouldNotConnect, false, 199},
        {msg::kMediaListMissing, false, 199},
        {msg::kControlAttachFailed, false, 199},
        {msg::kControlPicturesFailed, false, 199},
        {3, false, 101}, // refused command-set switch
        {0, false, 101},
        {-1, true, 101},
        {msg::kLibraryMissing, false, 101},
        {msg::kLibraryExportMissing, false, 101},
        {msg::kNoPlotter, false, 101},
        {msg::kPortBusy, false, 101},
        {msg::kTimeout, false, 101},
        {msg::kWriteFailed, false, 101},
        {msg::kReadFailed, false, 101},
        {msg::kQueueUnavailable, false, 101},
        {msg::kPlotterBusy, false, 101},
        {msg::kPlotterNotReady, true, 101},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(exitcode::ForResult(row.result, row.cutMode), row.exitCode)
            << "result " << row.result << " cut mode " << row.cutMode;
    }
    EXPECT_EQ(exitcode::kInitial, 1);
}

TEST(LanguageSet, ChoosesLanguageAndItsFolders) {
    struct Row {
        std::uint16_t langId;
        CLanguageSet::Index index;
        const char* dll;
        const char* mediaList;
        const char* bitmaps;
    };
    const std::vector<Row> rows{
        {3082, CLanguageSet::Spanish, "Vireclip_SPA.dll", "MEDIALIST/ENG/", "BMP/SPA"},
        {1034, CLanguageSet::Spanish, "Vireclip_SPA.dll", "MEDIALIST/ENG/", "BMP/SPA"},
        {20490, CLanguageSet::Spanish, "Vireclip_SPA.dll", "MEDIALIST/ENG/", "BMP/SPA"},
        {1041, CLanguageSet::Japanese, "Vireclip_JPN.dll", "MEDIALIST/JPN/", "BMP/JPN"},
        {1049, CLanguageSet::Russian, "Vireclip_RUS.dll", "MEDIALIST/ENG/", "BMP/RUS"},
        {1031, CLanguageSet::German, "Vireclip_GER.dll", "MEDIALIST/ENG/", "BMP/GER"},
        {5127, CLanguageSet::German, "Vireclip_GER.dll", "MEDIALIST/ENG/", "BMP/GER"},
        {1036, CLanguageSet::French, "Vireclip_FRE.dll", "MEDIALIST/ENG/", "BMP/FRE"},
        {6156, CLanguageSet::French, "Vireclip_FRE.dll", "MEDIALIST/ENG/", "BMP/FRE"},
        {1028, CLanguageSet::Chinese, "Vireclip_CHI.dll", "MEDIALIST/ENG/", "BMP/CHI"},
        {5124, CLanguageSet::Chinese, "Vireclip_CHI.dll", "MEDIALIST/ENG/", "BMP/CHI"},
        {1033, CLanguageSet::English, "", "MEDIALIST/ENG/", "BMP/ENG"},
        {2057, CLanguageSet::English, "", "MEDIALIST/ENG/", "BMP/ENG"},
        {1040, CLanguageSet::English, "", "MEDIALIST/ENG/", "BMP/ENG"},
        {0, CLanguageSet::English, "", "MEDIALIST/ENG/", "BMP/ENG"},
        {7169, CLanguageSet::English, "", "MEDIALIST/ENG/", "BMP/ENG"},
        {6153, CLanguageSet::English, "", "MEDIALIST/ENG/", "BMP/ENG"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.langId);
        const CLanguageSet set(row.langId);
        EXPECT_EQ(set.GetLangId(), row.langId);
        EXPECT_EQ(set.GetIndex(), row.index);
        EXPECT_EQ(set.GetResourceDll(), row.dll);
        EXPECT_EQ(set.GetMediaListFolder(), row.mediaList);
        EXPECT_EQ(set.GetBitmapFolder(), row.bitmaps);
        EXPECT_EQ(set.GetHelpFolder(), "help/" + std::string(row.bitmaps).substr(4));
    }
}

TEST(LanguageSet, MetricsPerLanguage) {
    struct Row {
        std::uint16_t langId;
        int height, a, b, c, d, e;
    };
    const std::vector<Row> rows{
        {1033, 13, 111, 50, 188, 100, 91}, {1041, 12, 73, 71, 188, 100, 140},
        {1049, 13, 115, 62, 150, 100, 83}, {3082, 13, 112, 46, 145, 100, 122},
        {1031, 13, 88, 42, 165, 100, 155}, {1036, 13, 60, 44, 183, 100, 83},
        {2052, 12, 68, 25, 237, 100, 80},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.langId);
        const CLanguageSet set(row.langId);
        EXPECT_EQ(set.GetTextHeight(), row.height);
        EXPECT_EQ(set.GetWidthA(), row.a);
        EXPECT_EQ(set.GetWidthB(), row.b);
        EXPECT_EQ(set.GetWidthC(), row.c);
        EXPECT_EQ(set.GetWidthD(), row.d);
        EXPECT_EQ(set.GetWidthE(), row.e);
    }
}

TEST(LocaleLanguage, LocaleNamesMapToLanguageIdentifiers) {
    struct Row {
        const char* locale;
        std::uint16_t langId;
    };
    const std::vector<Row> rows{
        {"ja", 1041},
        {"ja_JP.UTF-8", 1041},
        {"de_DE", 1031},
        {"de_AT.UTF-8@euro", 3079},
        {"de-CH", 2055},
        {"DE_de", 1031},
        {"de_XX", 1031},
        {"es_ES", 3082},
        {"es_MX.UTF-8", 2058},
        {"es", 3082},
        {"es_PR", 20490},
        {"fr_CA", 3084},
        {"fr_BE.ISO-8859-1", 2060},
        {"zh_TW.Big5", 1028},
        {"zh_CN.GB2312", 2052},
        {"zh", 2052},
        {"ru_RU.KOI8-R", 1049},
        {"en_GB.UTF-8", 2057},
        {"pt_BR", 1046},
        {"C", 1033},
        {"C.UTF-8", 1033},
        {"POSIX", 1033},
        {"", 1033},
        {"xx_YY", 1033},
        {"_DE", 1033},
        {"@euro", 1033},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(platform::LangIdFromLocaleName(row.locale), row.langId) << row.locale;
    }
}

// Restores the locale variables a test changed.
class LocaleEnvironment : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            m_saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            Set(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
        }
    }
    static void Set(const char* name, const char* value) {
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    static constexpr std::array<const char*, 3> kNames{"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> m_saved;
};

TEST_F(LocaleEnvironment, FirstNonEmptyVariableDecides) {
    struct Row {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        std::uint16_t langId;
    };
    const std::vector<Row> rows{
        {nullptr, nullptr, "de_DE.UTF-8", 1031},
        {"ja_JP", nullptr, "de_DE", 1041},
        {"", "fr_FR", "de_DE", 1036},
        {nullptr, "", "es_ES", 3082},
        {nullptr, nullptr, nullptr, 1033},
        {"", "", "", 1033},
    };
    for (const Row& row : rows) {
        Set("LC_ALL", row.lcAll);
        Set("LC_MESSAGES", row.lcMessages);
        Set("LANG", row.lang);
        EXPECT_EQ(platform::UserDefaultLangId(), row.langId)
            << (row.lcAll ? row.lcAll : "-") << " " << (row.lcMessages ? row.lcMessages : "-")
            << " " << (row.lang ? row.lang : "-");
    }
    Set("LC_ALL", "es_ES.UTF-8");
    EXPECT_EQ(CLanguageSet().GetIndex(), CLanguageSet::Spanish);
}

TEST(SystemCode, ClassifiesVersionFacts) {
    using Family = platform::VersionFacts::Family;
    struct Row {
        platform::VersionFacts facts;
        int code;
    };
    const std::vector<Row> rows{
        {{true, Family::Win32s, 3, 11, ""}, 1},       {{true, Family::Windows9x, 4, 0, ""}, 2},
        {{true, Family::Windows9x, 4, 9, ""}, 2},     {{true, Family::Windows9x, 4, 10, ""}, 3},
        {{true, Family::Windows9x, 4, 10, " A "}, 4}, {{true, Family::Windows9x, 4, 89, " B "}, 4},
        {{true, Family::Windows9x, 4, 10, "A"}, 3},   {{true, Family::Windows9x, 4, 90, " A "}, 5},
        {{true, Family::Windows9x, 5, 0, ""}, 0},     {{true, Family::WindowsNt, 3, 51, ""}, 6},
        {{true, Family::WindowsNt, 3, 50, ""}, 0},    {{true, Family::WindowsNt, 4, 0, ""}, 7},
        {{true, Family::WindowsNt, 5, 0, ""}, 8},     {{true, Family::WindowsNt, 5, 2, ""}, 9},
        {{true, Family::WindowsNt, 6, 0, ""}, 10},    {{true, Family::WindowsNt, 6, 3, ""}, 11},
        {{true, Family::WindowsNt, 7, 0, ""}, 12},    {{true, Family::WindowsNt, 10, 0, ""}, 12},
        {{true, Family::WindowsNt, 2, 0, ""}, 0},     {{false, Family::WindowsNt, 10, 0, ""}, 0},
        {{true, Family::Unknown, 10, 0, ""}, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(systemcode::Classify(row.facts), row.code)
            << static_cast<int>(row.facts.family) << " " << row.facts.major << "."
            << row.facts.minor << " '" << row.facts.serviceText << "'";
    }
    EXPECT_FALSE(systemcode::IsSupported(7));
    EXPECT_TRUE(systemcode::IsSupported(8));
    EXPECT_TRUE(systemcode::IsSupported(systemcode::Classify(platform::CurrentVersionFacts())));
}

TEST(HelpContext, TopicsAndFamilies) {
    struct Row {
        int topic;
        int family;
        int context;
    };
    const std::vector<Row> rows{
        {0, 0, 98304}, {1, 2, 98305},  {2, 0, 98306}, {3, 0, 98307},  {4, 1, 98308},  {5, 0, 98309},
        {5, 3, 98312}, {5, -1, 98304}, {6, 0, 98304}, {99, 2, 98304}, {-1, 0, 98304},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(helpcontext::ForTopic(row.topic, row.family), row.context)
            << row.topic << " " << row.family;
    }
}

TEST(ControllerSettings, ConstructorDefaults) {
    for (const bool metric : {true, false}) {
        const CControllerSettings s(metric);
        EXPECT_EQ(s.m_nUnitType, metric ? 0 : 1);
        EXPECT_EQ(s.m_nCutCondSetting, 0);
        EXPECT_EQ(s.m_condition, CuttingCondition{});
        EXPECT_EQ(s.m_nImageType, 0);
        EXPECT_EQ(s.m_bTomboRead, 0);
        EXPECT_EQ(s.m_bTomboAuto, 1);
        EXPECT_EQ(s.m_nTomboDisX, 0);
        EXPECT_EQ(s.m_nTomboDisY, 0);
        EXPECT_EQ(s.m_nTmbReadType, 1);
        EXPECT_EQ(s.m_nTmbType, 1);
        EXPECT_EQ(s.m_nTmbStep, 500000);
        EXPECT_EQ(s.m_nTmbLength, 10000);
        EXPECT_EQ(s.m_nTmbThickness, 500);
        EXPECT_EQ(s.m_nMediaOrient, 0);
        EXPECT_EQ(s.m_bMarkReadingAvailable, 0);
        EXPECT_EQ(s.m_bMarksRead, 0);
        EXPECT_EQ(s.m_bMirror, 0);
        EXPECT_EQ(s.m_bOtherCommandSet, 0);
    }
}

auto Persisted(const CControllerSettings& s) {
    return std::make_tuple(s.m_nUnitType, s.m_nCutCondSetting, s.m_condition.m_strName,
                           s.m_nImageType, s.m_bTomboRead, s.m_bTomboAuto, s.m_nTomboDisX,
                           s.m_nTomboDisY, s.m_nTmbReadType, s.m_nTmbType, s.m_nTmbStep,
                           s.m_nTmbLength, s.m_nTmbThickness);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
    static void Clear() {
        QSettings raw("Morvalin", "Vireclip");
        raw.clear();
        raw.sync();
    }
    static void WriteRaw(const QString& key, const QVariant& value) {
        QSettings raw("Morvalin", "Vireclip");
        raw.setValue("Status/" + key, value);
        raw.sync();
    }
};

TEST_F(SettingsStoreTest, NothingStoredKeepsDefaultsAndTheHeldUnit) {
    for (const bool metric : {true, false}) {
        CControllerSettings loaded(metric);
        CSettingsStore().Load(loaded);
        EXPECT_EQ(Persisted(loaded), Persisted(CControllerSettings(metric)));
    }
}

TEST_F(SettingsStoreTest, RoundTripKeepsEveryValue) {
    const std::vector<std::string> names{"Vinyl Gloss", "Folie \xc3\xa4\xc3\xb6", "\xff\xfe raw",
                                         "", "a, b; c=d"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        CControllerSettings saved(true);
        saved.m_nUnitType = 1;
        saved.m_nCutCondSetting = 1;
        saved.m_condition.m_strName = name;
        saved.m_nImageType = 1;
        saved.m_bTomboRead = 1;
        saved.m_bTomboAuto = 0;
        saved.m_nTomboDisX = 300500;
        saved.m_nTomboDisY = INT_MAX;
        saved.m_nTmbReadType = 3;
        saved.m_nTmbType = 0;
        saved.m_nTmbStep = 0;
        saved.m_nTmbLength = 15000;
        saved.m_nTmbThickness = 250;
        CSettingsStore().Save(saved);

        CControllerSettings loaded(true);
        CSettingsStore().Load(loaded);
        EXPECT_EQ(Persisted(loaded), Persisted(saved));
    }
}

TEST_F(SettingsStoreTest, ReadableTextStaysReadable) {
    CControllerSettings saved(true);
    saved.m_condition.m_strName = "Folie \xc3\xa4";
    CSettingsStore().Save(saved);
    QSettings raw("Morvalin", "Vireclip");
    EXPECT_EQ(raw.value("Status/MediaListName").toString(), QString::fromUtf8("Folie \xc3\xa4"));
    EXPECT_EQ(raw.value("Status/TmbStep").toInt(), 500000);
}

TEST_F(SettingsStoreTest, GarbageFallsBackToDefaults) {
    struct Row {
        const char* key;
        QVariant value;
    };
    const std::vector<Row> rows{
        {"UnitType", "abc"},
        {"UnitType", 2},
        {"UnitType", -1},
        {"CutCondSetting", "1.5"},
        {"CutCondSetting", 7},
        {"ImageType", ""},
        {"TomboRead", "yes"},
        {"TomboAuto", 2},
        {"TomboDisX", -1},
        {"TomboDisY", "99999999999"},
        {"TmbReadType", 4},
        {"TmbReadType", "-0x1"},
        {"TmbType", 2},
        {"TmbStep", "12abc"},
        {"TmbLength", -10000},
        {"TmbThickness", QStringList{"1", "2"}},
        {"MediaListName", QStringList{"a", "b"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.key) + " = " + row.value.toString().toStdString());
        Clear();
        WriteRaw(row.key, row.value);
        for (const bool metric : {true, false}) {
            CControllerSettings loaded(metric);
            CSettingsStore().Load(loaded);
            EXPECT_EQ(Persisted(loaded), Persisted(CControllerSettings(metric)));
        }
    }
}

TEST_F(SettingsStoreTest, GoodValuesBesideGarbageAreRead) {
    WriteRaw("TmbReadType", "banana");
    WriteRaw("TmbLength", "15000");
    WriteRaw("UnitType", " 1 ");
    CControllerSettings loaded(true);
    CSettingsStore().Load(loaded);
    EXPECT_EQ(loaded.m_nTmbReadType, 1);
    EXPECT_EQ(loaded.m_nTmbLength, 15000);
    EXPECT_EQ(loaded.m_nUnitType, 1);
}

} // namespace
