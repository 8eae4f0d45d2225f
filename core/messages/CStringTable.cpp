#include "core/messages/CStringTable.h"

#include "core/messages/EnglishStrings.h"
#include "core/messages/LanguageFile.h"
#include "core/messages/TextCheck.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <utility>

namespace {

const char* EnglishText(int id) {
    const auto english = EnglishStrings();
    const auto it = std::lower_bound(english.begin(), english.end(), id,
                                     [](const StringEntry& e, int key) { return e.id < key; });
    return it != english.end() && it->id == id ? it->text : nullptr;
}

// The whole file, or nothing when it cannot be read or is larger than `limit` (read to one
// byte beyond the limit, so a file that grows while it is read is caught as well).
std::optional<std::string> ReadBounded(const std::filesystem::path& file, std::uintmax_t limit) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(limit) + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad() || static_cast<std::uintmax_t>(in.gcount()) > limit) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace

std::string CStringTable::LoadString(int id) const {
    if (const auto it = m_mapLanguage.find(id); it != m_mapLanguage.end()) {
        return it->second;
    }
    const char* english = EnglishText(id);
    return english != nullptr ? english : std::string();
}

bool CStringTable::LoadLanguage(const std::string& programFolder, const std::string& resourceName) {
    // Whatever happens below, nothing of an earlier language stays.
    m_mapLanguage.clear();
    // Only the base name counts, so a resource name can never lead outside "lang/".
    const std::filesystem::path base = std::filesystem::path(resourceName).stem();
    if (base.empty()) {
        return false;
    }
    const std::filesystem::path file =
        std::filesystem::path(programFolder) / "lang" / (base.string() + ".txt");
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) ||
        std::filesystem::file_size(file, error) > kMaxFileBytes || error) {
        return false;
    }
    const std::optional<std::string> bytes = ReadBounded(file, kMaxFileBytes);
    if (!bytes) {
        return false;
    }
    std::istringstream in(*bytes);
    std::unordered_map<int, std::string> texts = ReadLanguageFile(in);
    // A text that fails its check stays out: LoadString then gives the English one.
    std::erase_if(texts, [](const auto& entry) {
        const char* english = EnglishText(entry.first);
        return english == nullptr || !textcheck::IsAcceptableTranslation(english, entry.second);
    });
    m_mapLanguage = std::move(texts);
    return true;
}
