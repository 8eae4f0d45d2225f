#include "platform/profile/ProfileFile.h"

#include "platform/profile/AtomicFile.h"

CProfileFile CProfileFile::Load(const std::filesystem::path& path) {
    return FromRead(path, ReadFileBounded(path, kMaxFileSize));
}

CProfileFile CProfileFile::LoadAt(int folderFd, const std::filesystem::path& folder,
                                  const std::string& name) {
    return FromRead(folder / name, ReadFileBoundedAt(folderFd, name, kMaxFileSize));
}

CProfileFile CProfileFile::FromRead(std::filesystem::path path, FileReadResult read) {
    CProfileFile file;
    file.m_path = std::move(path);
    if (read.status == FileReadStatus::Ok && read.content.find('\0') != std::string::npos) {
        read.status = FileReadStatus::Unreadable;
    }
    switch (read.status) {
    case FileReadStatus::Ok:
        file.m_state = State::Loaded;
        file.m_document = CProfileDocument::Parse(read.content);
        break;
    case FileReadStatus::Missing:
        file.m_state = State::Missing;
        break;
    case FileReadStatus::Unreadable:
        file.m_state = State::Unreadable;
        break;
    }
    return file;
}

std::optional<std::string> CProfileFile::Get(std::string_view section, std::string_view key) const {
    return m_document.Get(section, key);
}

std::string CProfileFile::GetString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    return m_document.Get(section, key).value_or(std::string(defaultValue));
}

bool CProfileFile::SetString(std::string_view section, std::string_view key,
                             std::string_view value) {
    return m_document.Set(section, key, value);
}

bool CProfileFile::Save() const {
    return m_state != State::Unreadable && WriteFileAtomically(m_path, m_document.Serialize());
}
