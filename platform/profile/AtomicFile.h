#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reads with a size bound and crash-safe whole-file replacement.

enum class FileReadStatus {
    Ok,
    Missing,    // no such file
    Unreadable, // not a regular file, no access, larger than the bound, or an I/O error
};

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Missing;
    std::string content;
};

// Reads the regular file at path if it holds at most maxBytes bytes. Never blocks on a FIFO
// or a device node.
FileReadResult ReadFileBounded(const std::filesystem::path& path, std::uintmax_t maxBytes);
// The same for the file `name` in the open folder `folderFd`: reading every file of a folder
// this way spares the system a walk of the whole path for each one.
FileReadResult ReadFileBoundedAt(int folderFd, const std::string& name, std::uintmax_t maxBytes);

// True when the file exists and no one has write permission on it: the write-protected state
// of a Windows read-only file, which stops every writer, the administrator included.
bool IsWriteProtected(const std::filesystem::path& path);

// Replaces the file with content: writes a temporary file in the same folder, flushes it to
// disk, renames it over the file and flushes the folder. The folder is not created. On any
// failure the temporary file is removed, the old file stays whole and false is returned. A
// replaced file keeps its permissions; a new one gets 0666 less the umask. A writer killed
// mid-write leaves the old file whole and its temporary file behind; the next write into the
// folder removes it.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// Makes a new file with content, appearing whole or not at all, and only where no entry of
// that name exists: it never replaces anything, even an entry made meanwhile. The folder is
// not created. False on any failure (the name taken included); no temporary file stays.
bool CreateFileAtomically(const std::filesystem::path& path, std::string_view content);
