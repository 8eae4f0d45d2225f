#include "core/messages/CStringTable.h"

#include "core/messages/EnglishStrings.h"
#include "core/messages/LanguageFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

std::string CStringTable::LoadString(int id) const {
    if (const auto it = m_mapLanguage.find(id); it != m_mapLanguage.end()) {
        return it->second;
    }
    const auto english = EnglishStrings();
    const auto it = std::lower_bound(english.begin(), english.end(), id,
                                     [](const StringEntry& e, int key) { return e.id < key; });
    if (it != english.end() && it->id == id) {
        return it->text;
    }
    return {};
}

bool CStringTable::LoadLanguage(const std::string& programFolder, const std::string& resourceName) {
    // Only the base name counts, so a resource name can never lead outside "lang/".
    const std::filesystem::path base = std::filesystem::path(resourceName).stem();
    if (base.empty()) {
        return false;
    }
    const std::filesystem::path file =
        std::filesystem::path(programFolder) / "lang" / (base.string() + ".txt");
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    auto texts = ReadLanguageFile(in);
    if (in.bad()) {
        return false;
    }
    m_mapLanguage = std::move(texts);
    return true;
}
