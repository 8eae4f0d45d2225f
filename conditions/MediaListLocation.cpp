#include "conditions/MediaListLocation.h"

#include "conditions/MediaListSeed.h"

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool IsWritableFolder(const fs::path& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           (info.st_mode & 0222) != 0 && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

CMediaListLocation::CMediaListLocation(fs::path root) : m_shipped(std::move(root)) {}

CMediaListLocation::CMediaListLocation(fs::path shipped, fs::path user)
    : m_shipped(std::move(shipped)), m_user(std::move(user)) {}

CMediaListLocation CMediaListLocation::Choose(fs::path shipped, fs::path user) {
    if (user.empty() || IsWritableFolder(shipped)) {
        return CMediaListLocation(std::move(shipped));
    }
    return {std::move(shipped), std::move(user)};
}

fs::path CMediaListLocation::Folder(const std::string& type) const {
    if (!InPlace()) {
        fs::path own = m_user / type;
        std::error_code ec;
        if (fs::is_directory(own, ec)) {
            return own;
        }
    }
    return m_shipped / type;
}

std::string CMediaListLocation::Prepare(const std::string& type) const {
    return InPlace() ? std::string()
                     : medialist::Seed(m_shipped / type, m_user / type, medialist::SeedScope::New);
}

std::string CMediaListLocation::Refill(const std::string& type) const {
    return InPlace() ? std::string()
                     : medialist::Seed(m_shipped / type, m_user / type, medialist::SeedScope::All);
}
