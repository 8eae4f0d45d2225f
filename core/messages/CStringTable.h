#pragma once

#include <string>
#include <unordered_map>

// The texts of the user interface by string id: the compiled-in English texts, overridden by
// the texts of one language file. Texts are UTF-8 byte strings.
class CStringTable {
public:
    // The text of `id`; empty for an id that has no text.
    std::string LoadString(int id) const;

    // Loads "<programFolder>/lang/<base name of resourceName>.txt" (for "Vireclip_JPN.dll":
    // "lang/Vireclip_JPN.txt"). Its texts replace those of any language loaded before; ids it
    // does not name keep their English text. A missing or unreadable file changes nothing and
    // gives false.
    bool LoadLanguage(const std::string& programFolder, const std::string& resourceName);

private:
    std::unordered_map<int, std::string> m_mapLanguage;
};
