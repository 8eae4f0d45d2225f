#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

// The texts of the user interface by string id: the compiled-in English texts, overridden by
// the texts of one language file. Texts are UTF-8 byte strings.
class CStringTable {
public:
    // Larger files are no language file of ours and are not read.
    static constexpr std::uintmax_t kMaxFileBytes = 1024 * 1024;

    // The text of `id`; empty for an id that has no text.
    std::string LoadString(int id) const;

    // Loads "<programFolder>/lang/<base name of resourceName>.txt" (for "Vireclip_JPN.dll":
    // "lang/Vireclip_JPN.txt") in place of any language loaded before. Only texts that pass
    // textcheck::IsAcceptableTranslation against the English text of their id are taken; ids
    // the file does not name and texts that fail keep their English text, ids without one stay
    // without text. A missing, unreadable or oversized file (or an empty resource name) gives
    // false and leaves the English texts.
    bool LoadLanguage(const std::string& programFolder, const std::string& resourceName);

private:
    std::unordered_map<int, std::string> m_mapLanguage;
};
