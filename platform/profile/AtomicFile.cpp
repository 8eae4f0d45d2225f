#include "platform/profile/AtomicFile.h"

#include "platform/FileDescriptor.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
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

constexpr std::string_view kTemporaryPrefix = ".profile.";
constexpr std::string_view kTemporarySuffix = ".tmp";

bool IsTemporaryName(std::string_view name) {
    return name.starts_with(kTemporaryPrefix) && name.ends_with(kTemporarySuffix);
}

bool SameFile(int fd, const std::filesystem::path& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// Creates a new, exclusive temporary file beside target, locked (flock) until its descriptor
// closes, so that RemoveAbandonedTemporaries can tell it from one a killed writer left. Its
// name is short whatever the target's length, starts with a dot and ends in ".tmp", so folder
// scans for the target's extension never see it.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target.parent_path() /
                    (std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "." +
                     std::to_string(counter.fetch_add(1)) + std::string(kTemporarySuffix));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return -1;
        }
        if (fd < 0) {
            continue;
        }
        // Another writer's clean-up may have removed the file before the lock was taken.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, temporary)) {
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

// A writer killed between creating its temporary file and the rename leaves the file behind;
// its lock went with the process. Every write removes such files from its folder, so they
// never pile up; a live writer's file stays locked and is left alone.
void RemoveAbandonedTemporaries(const std::filesystem::path& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return;
    }
    for (const dirent* entry = ::readdir(dir); entry != nullptr; entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name)) {
            continue;
        }
        const CFileDescriptor fd(
            ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (fd.Get() >= 0 && ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
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
    RemoveAbandonedTemporaries(path.parent_path());
    std::filesystem::path temporary;
    CFileDescriptor fd(CreateTemporary(path, temporary));
    if (fd.Get() < 0) {
        return false;
    }
    const bool written = (!replacing || ::fchmod(fd.Get(), old.st_mode & 07777) == 0) &&
                         WriteAll(fd.Get(), content) && ::fsync(fd.Get()) == 0;
    // The descriptor, and with it the lock, stays open until the rename is done.
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(path.parent_path());
    return true;
}

bool CreateFileAtomically(const std::filesystem::path& path, std::string_view content) {
    std::filesystem::path temporary;
    CFileDescriptor fd(CreateTemporary(path, temporary));
    if (fd.Get() < 0) {
        return false;
    }
    // link() fails with EEXIST where rename() would replace.
    const bool written = WriteAll(fd.Get(), content) && ::fsync(fd.Get()) == 0;
    const bool made = fd.Close() && written && ::link(temporary.c_str(), path.c_str()) == 0;
    ::unlink(temporary.c_str());
    if (made) {
        SyncFolder(path.parent_path());
    }
    return made;
}
