#include "models/BladeCatalogue.h"

#include <algorithm>
#include <array>

namespace {

struct BladeSource {
    int nStringId;
    const char* pszName;
    int nToolCode;
    const char* pszSmall;
    const char* pszLarge;
    BladeRole role;
    bool bJapanese; // also offered in the Japanese family-0 catalogue
};

using R = BladeRole;

// Family 0's full list; the Japanese catalogue drops the four "-X" blades.
constexpr std::array<BladeSource, 18> kFullList{{
    {2700, "LM200 Series", 1, "/CUT_LM200SERIES.BMP", "/CUT_LM200SERIES_BIG.BMP", R::ToolSeries,
     true},
    {2701, "LM300 Series", 1, "/CUT_LM300SERIES.BMP", "/CUT_LM300SERIES_BIG.BMP", R::ToolSeries,
     true},
    {2702, "LM400 Series", 1, "/CUT_LM400SERIES.BMP", "/CUT_LM400SERIES_BIG.BMP", R::ToolSeries,
     true},
    {2704, "KR10A (1)", 2, "/CUT_BLUE_1.BMP", "/CUT_BLUE_1_BIG.BMP", R::Ordinary, true},
    {2705, "KR10A (2)", 2, "/CUT_BLUE_2.BMP", "/CUT_BLUE_2_BIG.BMP", R::Ordinary, true},
    {2707, "KR10-X (1)", 2, "/CUT_BLUE_1.BMP", "/CUT_BLUE_1_BIG.BMP", R::Ordinary, false},
    {2708, "KR10-X (2)", 2, "/CUT_BLUE_2.BMP", "/CUT_BLUE_2_BIG.BMP", R::Ordinary, false},
    {2709, "KR16U", 3, "/CUT_RED.BMP", "/CUT_RED_BIG.BMP", R::Ordinary, true},
    {2710, "KR16-X", 3, "/CUT_RED.BMP", "/CUT_RED_BIG.BMP", R::Ordinary, false},
    {2711, "KR16U-SQ", 3, "/CUT_GREEN.BMP", "/CUT_GREEN_BIG.BMP", R::Ordinary, true},
    {2712, "KR16SQ-X", 3, "/CUT_GREEN.BMP", "/CUT_GREEN_BIG.BMP", R::Ordinary, false},
    {2713, "KR16UA", 3, "/CUT_RED.BMP", "/CUT_RED_BIG.BMP", R::Ordinary, true},
    {2714, "KR16UB", 4, "/CUT_RED.BMP", "/CUT_RED_BIG.BMP", R::Ordinary, true},
    {2715, "KR16U-M30", 5, "/CUT_RED.BMP", "/CUT_RED_BIG.BMP", R::Ordinary, true},
    {2716, "KR16U-M30-SQ", 5, "/CUT_GREEN.BMP", "/CUT_GREEN_BIG.BMP", R::Ordinary, true},
    {2717, "KR16UA-M30", 5, "/CUT_RED.BMP", "/CUT_RED_BIG.BMP", R::Ordinary, true},
    {2718, "PNH40-TQ20", 6, "/CUT_PNH40-TQ20.BMP", "/CUT_PNH40-TQ20_BIG.BMP", R::PenAdapter, true},
    {2719, "Other", 7, "/CUT_OTHER.BMP", "/CUT_OTHER_BIG.BMP", R::Other, true},
}};

constexpr std::array<BladeSource, 4> kCompactList{{
    {2702, "LM400 Series", 1, "/CUT_LM400SERIES.BMP", "/CUT_LM400SERIES_BIG.BMP", R::ToolSeries,
     true},
    {2703, "KR10A", 2, "/CUT_BLUE_1.BMP", "/CUT_BLUE_1_BIG.BMP", R::Ordinary, true},
    {2709, "KR16U", 3, "/CUT_RED.BMP", "/CUT_RED_BIG.BMP", R::Ordinary, true},
    {2714, "KR16UB", 4, "/CUT_RED.BMP", "/CUT_RED_BIG.BMP", R::Ordinary, true},
}};

constexpr int kDefaultBladeIds[] = {2704, 2703}; // "KR10A (1)" or, in the compact list, "KR10A"

BladeEntry MakeEntry(const BladeSource& source, const BladeCatalogue::NameLookup& lookup) {
    std::string name = lookup ? lookup(source.nStringId) : std::string();
    if (name.empty()) {
        name = source.pszName;
    }
    return BladeEntry{source.nStringId, std::move(name), source.nToolCode,
                      source.pszSmall,  source.pszLarge, source.role};
}

} // namespace

BladeCatalogue BladeCatalogue::Make(Kind kind, const NameLookup& lookup) {
    BladeCatalogue catalogue;
    if (kind == Kind::Compact) {
        for (const BladeSource& source : kCompactList) {
            catalogue.m_entries.push_back(MakeEntry(source, lookup));
        }
    } else {
        for (const BladeSource& source : kFullList) {
            if (kind == Kind::Full || source.bJapanese) {
                catalogue.m_entries.push_back(MakeEntry(source, lookup));
            }
        }
    }
    catalogue.m_entries.push_back(MakeEntry(
        {kUndefinedStringId, "Undefined", kUndefinedToolCode, "", "", R::Undefined, true}, lookup));

    const int undefined = catalogue.UndefinedIndex();
    catalogue.m_nDefault = undefined;
    catalogue.m_nPenAdapter = undefined;
    catalogue.m_nOther = undefined;
    for (int i = 0; i < undefined; ++i) {
        const BladeEntry& entry = catalogue.m_entries[i];
        if (std::ranges::find(kDefaultBladeIds, entry.nStringId) != std::end(kDefaultBladeIds)) {
            catalogue.m_nDefault = i;
        } else if (entry.role == R::PenAdapter) {
            catalogue.m_nPenAdapter = i;
        } else if (entry.role == R::Other) {
            catalogue.m_nOther = i;
        }
    }
    return catalogue;
}

const std::string& BladeCatalogue::DefaultBlade() const {
    static const std::string kNone;
    return m_entries.empty() ? kNone : m_entries[m_nDefault].strName;
}

int BladeCatalogue::IndexOfName(std::string_view name) const {
    for (int i = 0; i < OfferedCount(); ++i) {
        if (m_entries[i].strName == name) {
            return i;
        }
    }
    return -1;
}

int BladeCatalogue::IndexOfStringId(int stringId) const {
    for (int i = 0; i < OfferedCount(); ++i) {
        if (m_entries[i].nStringId == stringId) {
            return i;
        }
    }
    return UndefinedIndex();
}

int BladeCatalogue::ToolCodeForName(std::string_view name) const {
    const int index = IndexOfName(name);
    return index < 0 ? kUndefinedToolCode : m_entries[index].nToolCode;
}

IntRange BladeCatalogue::OffsetRange(int index, const ConditionRange& ranges) const {
    switch (Entry(index).role) {
    case R::ToolSeries:
        return {0, 0};
    case R::PenAdapter:
        return ranges.offsetPen;
    case R::Other:
        return ranges.offsetOther;
    case R::Ordinary:
    case R::Undefined:
        break;
    }
    return ranges.offsetBlade;
}
