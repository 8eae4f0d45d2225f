#include "platform/profile/AtomicFile.h"

#include "platform/FileDescriptor.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a new, exclusive temporary file beside target. Its name is short whatever the
// target's length, starts with a dot and ends in ".tmp", so folder scans for the target's
// extension never see it.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target.parent_path() / (".profile." + std::to_string(::getpid()) + "." +
                                            std::to_string(counter.fetch_add(1)) + ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

void SyncFolder(const std::filesystem::path& folder) {
    const CFileDescriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) {
        ::fsync(dir.Get());
    }
}

} // namespace

namespace {

constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

FileReadResult ReadOpened(int opened, std::uintmax_t maxBytes) {
    CFileDescriptor fd(opened);
    if (fd.Get() < 0) {
        return {errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                                                    : FileReadStatus::Unreadable,
                {}};
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        return {FileReadStatus::Unreadable, {}};
    }
    // Read one byte past the size so that a file that grew beyond the bound since fstat is
    // still refused.
    std::string content(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t used = 0;
    while (used < content.size()) {
        const ssize_t got = ::read(fd.Get(), content.data() + used, content.size() - used);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {FileReadStatus::Unreadable, {}};
        }
        if (got == 0) {
            break;
        }
        const bool filled = used + static_cast<std::size_t>(got) == content.size();
        used += static_cast<std::size_t>(got);
        // A regular file gives less than asked only at its end: no read just to see the end.
        if (!filled) {
            break;
        }
        if (used <= maxBytes) {
            content.resize(std::min<std::uintmax_t>(maxBytes + 1, used * 2));
        }
    }
    if (used > maxBytes) {
        return {FileReadStatus::Unreadable, {}};
    }
    content.resize(used);
    return {FileReadStatus::Ok, std::move(content)};
}

} // namespace

FileReadResult ReadFileBounded(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    return ReadOpened(::open(path.c_str(), kReadFlags), maxBytes);
}

FileReadResult ReadFileBoundedAt(int folderFd, const std::string& name, std::uintmax_t maxBytes) {
    return ReadOpened(::openat(folderFd, name.c_str(), kReadFlags), maxBytes);
}

bool IsWriteProtected(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0)) {
        return false;
    }
    std::filesystem::path temporary;
    CFileDescriptor fd(CreateTemporary(path, temporary));
    if (fd.Get() < 0) {
        return false;
    }
    const bool written = (!replacing || ::fchmod(fd.Get(), old.st_mode & 07777) == 0) &&
                         WriteAll(fd.Get(), content) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(path.parent_path());
    return true;
}
