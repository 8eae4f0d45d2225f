#pragma once

#include "models/PlotterTables.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum class BladeRole {
    Ordinary,
    ToolSeries, // takes no offset
    PenAdapter,
    Other,
    Undefined, // the closing entry: never offered, never named by a file
};

struct BladeEntry {
    int nStringId;
    std::string strName; // display name in the run's UI language
    int nToolCode;       // sent with "TC4,%d"
    std::string strSmallPicture;
    std::string strLargePicture;
    BladeRole role;
};

// The blades offered for the connected plotter, chosen once per run from the model family and
// the UI language. The list always ends with the "Undefined" entry, which lookups by name never
// reach and which stands for every role the catalogue lacks.
class BladeCatalogue {
public:
    enum class Kind {
        Full,     // family 0, any language but Japanese: 18 blades
        Japanese, // family 0, Japanese: the full list without the four "-X" blades
        Compact,  // families 1 to 3: 4 blades
    };

    // Gives the display text of a string id in the UI language; an empty answer keeps the
    // English name compiled into the table.
    using NameLookup = std::function<std::string(int stringId)>;

    static constexpr int kUndefinedStringId = 2720;
    static constexpr int kUndefinedToolCode = kNoValue;

    BladeCatalogue() = default;
    static BladeCatalogue Make(Kind kind, const NameLookup& lookup = {});

    // Entries a file or a choice may name: all but the closing "Undefined" one.
    int OfferedCount() const { return m_entries.empty() ? 0 : Count() - 1; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool IsEmpty() const { return m_entries.empty(); }
    const BladeEntry& Entry(int index) const { return m_entries.at(index); }
    const std::vector<BladeEntry>& Entries() const { return m_entries; }

    // First offered entry whose display name equals name (case-sensitive), or -1.
    int IndexOfName(std::string_view name) const;
    // Position of the entry with this string id, or the Undefined entry's position.
    int IndexOfStringId(int stringId) const;
    // Tool code of the first entry named name; -999 (the Undefined entry's code) if none.
    int ToolCodeForName(std::string_view name) const;

    int UndefinedIndex() const { return OfferedCount(); }
    int DefaultIndex() const { return m_nDefault; }
    int PenAdapterIndex() const { return m_nPenAdapter; }
    int OtherIndex() const { return m_nOther; }
    const std::string& DefaultBlade() const;

    // Offset bounds of the entry at index within the model's condition ranges: a tool series
    // takes only 0.
    IntRange OffsetRange(int index, const ConditionRange& ranges) const;

private:
    std::vector<BladeEntry> m_entries;
    int m_nDefault = 0;
    int m_nPenAdapter = 0;
    int m_nOther = 0;
};
