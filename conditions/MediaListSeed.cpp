#include "conditions/MediaListSeed.h"

#include "conditions/MediaListFile.h"
#include "platform/profile/AtomicFile.h"
#include "platform/profile/ProfileFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace medialist {
namespace {

// A name the record can hold on one line and the store can use.
bool IsSeedableName(const std::string& name) {
    return IsSafeName(name) && name.find_first_of("\r\n") == std::string::npos;
}

std::vector<std::string> ShippedNames(const fs::path& shipped) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(shipped, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const std::string name = it->path().stem().string();
        if (it->path().extension() == kExtension && it->is_regular_file(typeError) &&
            IsSeedableName(name)) {
            names.push_back(name);
        }
    }
    std::ranges::sort(names);
    return names;
}

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

// Makes the folder and every missing folder above it.
bool MakeFolders(const fs::path& folder) {
    std::vector<fs::path> missing;
    std::error_code ec;
    for (fs::path at = folder; !at.empty() && !fs::is_directory(at, ec); at = at.parent_path()) {
        missing.push_back(at);
        if (at == at.parent_path()) {
            break;
        }
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (::mkdir(it->c_str(), 0700) != 0 && !(errno == EEXIST && fs::is_directory(*it, ec))) {
            return false;
        }
    }
    return true;
}

std::string Joined(const std::vector<std::string>& names, const char* separator,
                   const char* suffix) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : separator) + name + suffix;
    }
    return text;
}

} // namespace

std::string Seed(const fs::path& shipped, const fs::path& user, SeedScope scope) {
    const fs::path recordPath = user / kSeedRecord;
    const FileReadResult record = scope == SeedScope::New
                                      ? ReadFileBounded(recordPath, CProfileFile::kMaxFileSize)
                                      : FileReadResult{};
    if (record.status == FileReadStatus::Unreadable) {
        // Without it, lists the user deleted would come back.
        return "cannot read " + recordPath.string() + "; no shipped media list is copied";
    }
    std::set<std::string> given;
    for (std::size_t at = 0; at < record.content.size();) {
        const std::size_t end = std::min(record.content.find('\n', at), record.content.size());
        given.insert(record.content.substr(at, end - at));
        at = end + 1;
    }

    std::vector<std::string> due;
    std::ranges::copy_if(ShippedNames(shipped), std::back_inserter(due),
                         [&](const std::string& name) { return !given.contains(name); });
    if (due.empty()) {
        return {};
    }
    std::error_code ec;
    const bool made = !fs::is_directory(user, ec);
    if (made && !MakeFolders(user)) {
        return "cannot make the folder " + user.string() + " (" + std::strerror(errno) +
               "); the shipped media lists are used and cannot be changed";
    }

    std::vector<std::string> failed;
    std::string reason;
    for (const std::string& name : due) {
        const fs::path target = user / (name + kExtension);
        // An entry already there is the user's, or a copy from a seed cut short: kept.
        if (!Exists(target)) {
            const FileReadResult source =
                ReadFileBounded(shipped / (name + kExtension), CProfileFile::kMaxFileSize);
            if (source.status != FileReadStatus::Ok ||
                !CreateFileAtomically(target, source.content)) {
                reason = std::strerror(errno);
                failed.push_back(name);
                continue;
            }
        }
        given.insert(name);
    }

    std::string problem;
    if (!failed.empty()) {
        if (made && failed.size() == due.size()) {
            fs::remove(user, ec); // empty: the shipped lists are read instead
        }
        problem = "could not copy the media lists " + Joined(failed, ", ", kExtension) + " from " +
                  shipped.string() + " into " + user.string() + " (" + reason +
                  "); another try is made at the next start";
    }
    if (failed.size() < due.size()) {
        std::vector<std::string> names(given.begin(), given.end());
        names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
        if (!WriteFileAtomically(recordPath, Joined(names, "\n", "") + "\n")) {
            problem += (problem.empty() ? "" : "; ") + std::string("cannot write ") +
                       recordPath.string() + ", so lists deleted since may come back";
        }
    }
    return problem;
}

} // namespace medialist
