#include "core/LanguageSet.h"

#include "platform/LanguageId.h"

#include <algorithm>
#include <array>

namespace {

struct LanguageRow {
    const char* resourceDll;
    const char* mediaListFolder;
    const char* bitmapFolder;
    const char* helpFolder;
    int textHeight;
    int widthA;
    int widthB;
    int widthC;
    int widthD;
    int widthE;
};

// Indexed by CLanguageSet::Index. Only Japanese has media lists of its own.
constexpr std::array<LanguageRow, 7> kLanguages{{
    {"", "MEDIALIST/ENG/", "BMP/ENG", "help/ENG", 13, 111, 50, 188, 100, 91},
    {"Vireclip_JPN.dll", "MEDIALIST/JPN/", "BMP/JPN", "help/JPN", 12, 73, 71, 188, 100, 140},
    {"Vireclip_RUS.dll", "MEDIALIST/ENG/", "BMP/RUS", "help/RUS", 13, 115, 62, 150, 100, 83},
    {"Vireclip_SPA.dll", "MEDIALIST/ENG/", "BMP/SPA", "help/SPA", 13, 112, 46, 145, 100, 122},
    {"Vireclip_GER.dll", "MEDIALIST/ENG/", "BMP/GER", "help/GER", 13, 88, 42, 165, 100, 155},
    {"Vireclip_FRE.dll", "MEDIALIST/ENG/", "BMP/FRE", "help/FRE", 13, 60, 44, 183, 100, 83},
    {"Vireclip_CHI.dll", "MEDIALIST/ENG/", "BMP/CHI", "help/CHI", 12, 68, 25, 237, 100, 80},
}};

constexpr std::array<std::uint16_t, 1> kJapanese{1041};
constexpr std::array<std::uint16_t, 1> kRussian{1049};
constexpr std::array<std::uint16_t, 20> kSpanish{1034,  2058,  3082,  4106,  5130,  6154,  7178,
                                                 8202,  9226,  10250, 11274, 12298, 13322, 14346,
                                                 15370, 16394, 17418, 18442, 19466, 20490};
constexpr std::array<std::uint16_t, 5> kGerman{1031, 2055, 3079, 4103, 5127};
constexpr std::array<std::uint16_t, 6> kFrench{1036, 2060, 3084, 4108, 5132, 6156};
constexpr std::array<std::uint16_t, 5> kChinese{1028, 2052, 3076, 4100, 5124};

template <std::size_t N>
bool Contains(const std::array<std::uint16_t, N>& ids, std::uint16_t langId) {
    return std::find(ids.begin(), ids.end(), langId) != ids.end();
}

} // namespace

CLanguageSet::CLanguageSet() : CLanguageSet(platform::UserDefaultLangId()) {}

CLanguageSet::CLanguageSet(std::uint16_t langId) : m_nLangId(langId), m_nIndex(IndexFor(langId)) {}

CLanguageSet::Index CLanguageSet::IndexFor(std::uint16_t langId) {
    if (Contains(kJapanese, langId)) {
        return Japanese;
    }
    if (Contains(kRussian, langId)) {
        return Russian;
    }
    if (Contains(kSpanish, langId)) {
        return Spanish;
    }
    if (Contains(kGerman, langId)) {
        return German;
    }
    if (Contains(kFrench, langId)) {
        return French;
    }
    if (Contains(kChinese, langId)) {
        return Chinese;
    }
    return English;
}

std::string CLanguageSet::GetResourceDll() const {
    return kLanguages[m_nIndex].resourceDll;
}

std::string CLanguageSet::GetMediaListFolder() const {
    return kLanguages[m_nIndex].mediaListFolder;
}

std::string CLanguageSet::GetBitmapFolder() const {
    return kLanguages[m_nIndex].bitmapFolder;
}

std::string CLanguageSet::GetHelpFolder() const {
    return kLanguages[m_nIndex].helpFolder;
}

int CLanguageSet::GetTextHeight() const {
    return kLanguages[m_nIndex].textHeight;
}

int CLanguageSet::GetWidthA() const {
    return kLanguages[m_nIndex].widthA;
}

int CLanguageSet::GetWidthB() const {
    return kLanguages[m_nIndex].widthB;
}

int CLanguageSet::GetWidthC() const {
    return kLanguages[m_nIndex].widthC;
}

int CLanguageSet::GetWidthD() const {
    return kLanguages[m_nIndex].widthD;
}

int CLanguageSet::GetWidthE() const {
    return kLanguages[m_nIndex].widthE;
}
