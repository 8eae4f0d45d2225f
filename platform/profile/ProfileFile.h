#pragma once

#include "platform/profile/AtomicFile.h"
#include "platform/profile/ProfileDocument.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// One private-profile file on disk: loaded once, read and changed in memory, saved as a whole
// with one atomic replacement, so a crash never leaves half a file.
//
// Bounds: a file larger than kMaxFileSize bytes, or one holding a NUL byte (a binary file), or
// one that is not a regular file, is unreadable: every read gives its default and Save fails,
// so such a file is never overwritten by a rewrite that would drop its contents.
class CProfileFile {
public:
    static constexpr std::uintmax_t kMaxFileSize = 64 * 1024;

    enum class State { Missing, Loaded, Unreadable };

    static CProfileFile Load(const std::filesystem::path& path);
    // The file `name` of `folder`, read through the folder's open descriptor `folderFd`.
    static CProfileFile LoadAt(int folderFd, const std::filesystem::path& folder,
                               const std::string& name);

    State GetState() const { return m_state; }
    const std::filesystem::path& Path() const { return m_path; }
    // The text as read (empty unless loaded); changes to it are what Save writes.
    const CProfileDocument& Document() const { return m_document; }
    CProfileDocument& Document() { return m_document; }

    // The key's value, if the file has the key.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // The key's value; defaultValue when the file, the section or the key is missing.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;

    // Changes the key in memory; false when the name or value cannot be stored.
    bool SetString(std::string_view section, std::string_view key, std::string_view value);

    // Writes the file atomically (creating it, not its folder). False when the file was
    // unreadable, is write-protected, or could not be written; the old file is then unchanged.
    bool Save() const;

private:
    static CProfileFile FromRead(std::filesystem::path path, FileReadResult read);

    std::filesystem::path m_path;
    State m_state = State::Missing;
    CProfileDocument m_document;
};
