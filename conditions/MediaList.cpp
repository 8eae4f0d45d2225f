#include "conditions/MediaList.h"

#include "conditions/MediaListFile.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "platform/profile/AtomicFile.h"
#include "platform/profile/ProfileFile.h"

#include <QString>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <new>
#include <system_error>
#include <unordered_set>

namespace fs = std::filesystem;

namespace {

// Names sort by their case-folded text, so that letters differing only in case sort together
// in every script ("Ä" beside "ä", "Я" beside "я"); names equal when folded follow their
// bytes, so the order never depends on the order in which the folder lists its files. Each
// name is folded once, not at every comparison: a folder may hold thousands of lists.
void SortByFoldedName(std::vector<CuttingCondition>& records) {
    struct Key {
        QString folded;
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        keys.push_back({QString::fromStdString(records[i].m_strName).toCaseFolded(), i});
    }
    std::ranges::stable_sort(keys, [&](const Key& a, const Key& b) {
        if (const int folded = QString::compare(a.folded, b.folded); folded != 0) {
            return folded < 0;
        }
        return records[a.index].m_strName < records[b.index].m_strName;
    });
    std::vector<CuttingCondition> sorted;
    sorted.reserve(records.size());
    for (const Key& key : keys) {
        sorted.push_back(std::move(records[key.index]));
    }
    records = std::move(sorted);
}

void Tell(const std::string& problem) {
    if (!problem.empty()) {
        std::fprintf(stderr, "quirn: %s\n", problem.c_str());
    }
}

// The list name of a media list file name: only names ending exactly in ".kcd" (on a
// case-sensitive file system "X.KCD" is not the file the store would write or remove for the
// list "X"), and not the bare ".kcd", which is a hidden file without extension.
std::optional<std::string> ListName(std::string_view fileName) {
    const std::string_view extension = medialist::kExtension;
    if (fileName.size() <= extension.size() || !fileName.ends_with(extension)) {
        return std::nullopt;
    }
    return std::string(fileName.substr(0, fileName.size() - extension.size()));
}

// Whether a folder entry is a folder, asking the file system only when the listing did not
// tell (a link is followed, as opening it would).
bool IsFolder(DIR* folder, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) {
        return entry.d_type == DT_DIR;
    }
    struct stat info {};
    return ::fstatat(::dirfd(folder), entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// An open folder listing, closed on every way out.
struct FolderListing {
    explicit FolderListing(const fs::path& path) : dir(::opendir(path.c_str())) {}
    ~FolderListing() {
        if (dir != nullptr) {
            ::closedir(dir);
        }
    }
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    DIR* dir;
};

} // namespace

CMediaList::CMediaList(const CPlotterModel& model, fs::path root)
    : CMediaList(model, CMediaListLocation(std::move(root))) {}

CMediaList::CMediaList(const CPlotterModel& model, CMediaListLocation location)
    : m_model(model), m_location(std::move(location)) {}

fs::path CMediaList::Folder() const {
    return m_location.Folder(m_model.TypeString());
}

fs::path CMediaList::FilePath(const std::string& name) const {
    return Folder() / (name + medialist::kExtension);
}

bool CMediaList::ReadValidated(const fs::path& folder, const std::string& name,
                               CuttingCondition& record) const {
    return medialist::IsSafeName(name) &&
           medialist::ReadFile(folder / (name + medialist::kExtension), name, m_model, record);
}

int CMediaList::Load(CuttingCondition& current) {
    {
        const std::lock_guard lock(m_mutex);
        m_records.clear();
    }
    const std::string type = m_model.TypeString();
    if (type.empty()) {
        return msg::kMediaListMissing;
    }
    try {
        Tell(m_location.Prepare(type));
        std::vector<CuttingCondition> loaded = ReadFolder();
        if (loaded.empty() && !m_location.InPlace()) {
            // The user's folder emptied by hand: the shipped lists again, rather than a
            // program that cannot start.
            Tell(m_location.Refill(type));
            loaded = ReadFolder();
        }
        if (loaded.empty()) {
            return msg::kMediaListMissing;
        }
        SortByFoldedName(loaded);
        const auto named =
            std::ranges::find(loaded, current.m_strName, &CuttingCondition::m_strName);
        current = named != loaded.end() ? *named : loaded.front();
        const std::lock_guard lock(m_mutex);
        m_records = std::move(loaded);
    } catch (const std::bad_alloc&) {
        return msg::kOutOfMemory;
    }
    return msg::kOk;
}

std::vector<CuttingCondition> CMediaList::ReadFolder() const {
    std::vector<CuttingCondition> loaded;
    std::unordered_set<std::string> names;
    const fs::path folder = Folder();
    // Each file is opened relative to the open folder: with thousands of lists, walking the
    // whole path for every one would cost more than reading it.
    const FolderListing listing(folder);
    for (const dirent* entry = listing.dir != nullptr ? ::readdir(listing.dir) : nullptr;
         entry != nullptr; entry = ::readdir(listing.dir)) {
        const std::optional<std::string> name = ListName(entry->d_name);
        if (!name || IsFolder(listing.dir, *entry) || names.contains(*name) ||
            !medialist::IsSafeName(*name)) {
            continue;
        }
        CuttingCondition record;
        if (medialist::Validate(
                CProfileFile::LoadAt(::dirfd(listing.dir), folder, entry->d_name).Document(), *name,
                m_model, record)) {
            names.insert(*name);
            loaded.push_back(std::move(record));
        }
    }
    return loaded;
}

bool CMediaList::ReadConditionFile(const fs::path& folder, const std::string& name,
                                   CuttingCondition& record) const {
    {
        const std::lock_guard lock(m_mutex);
        if (std::ranges::find(m_records, name, &CuttingCondition::m_strName) != m_records.end()) {
            return false;
        }
    }
    return ReadValidated(folder, name, record);
}

bool CMediaList::WriteConditionFile(const fs::path& path, const CuttingCondition& record) const {
    return medialist::WriteFile(path, record, m_model.TypeString());
}

int CMediaList::AddCondition(const CuttingCondition& record) {
    if (!medialist::IsSafeName(record.m_strName) || m_model.TypeString().empty() ||
        !WriteConditionFile(FilePath(record.m_strName), record)) {
        return msg::kMediaListEditFailed;
    }
    const std::lock_guard lock(m_mutex);
    m_records.push_back(record);
    return msg::kOk;
}

int CMediaList::UpdateCondition(const CuttingCondition& record, const std::string& oldName) {
    if (!medialist::IsSafeName(record.m_strName) || m_model.TypeString().empty() ||
        !WriteConditionFile(FilePath(record.m_strName), record)) {
        return msg::kMediaListEditFailed;
    }
    const std::lock_guard lock(m_mutex);
    const auto it = std::ranges::find(m_records, oldName, &CuttingCondition::m_strName);
    if (it != m_records.end()) {
        *it = record;
    }
    return msg::kOk;
}

int CMediaList::DeleteCondition(const std::string& name) {
    const fs::path path = FilePath(name);
    std::error_code ec;
    if (!medialist::IsSafeName(name) || m_model.TypeString().empty() || IsWriteProtected(path) ||
        !fs::remove(path, ec)) {
        return msg::kCannotDeleteList;
    }
    const std::lock_guard lock(m_mutex);
    const auto it = std::ranges::find(m_records, name, &CuttingCondition::m_strName);
    if (it != m_records.end()) {
        m_records.erase(it);
    }
    return msg::kOk;
}

CuttingCondition CMediaList::GetConditionAt(int index) const {
    {
        const std::lock_guard lock(m_mutex);
        if (index >= 0 && index < static_cast<int>(m_records.size())) {
            return m_records[index];
        }
    }
    return DefaultCondition({});
}

CuttingCondition CMediaList::FindCondition(const std::string& name) const {
    std::optional<CuttingCondition> found = Lookup(name);
    return found ? std::move(*found) : DefaultCondition(name);
}

std::optional<CuttingCondition> CMediaList::Lookup(const std::string& name) const {
    const std::lock_guard lock(m_mutex);
    const auto it = std::ranges::find(m_records, name, &CuttingCondition::m_strName);
    if (it == m_records.end()) {
        return std::nullopt;
    }
    return *it;
}

void CMediaList::SortByName() {
    const std::lock_guard lock(m_mutex);
    SortByFoldedName(m_records);
}

int CMediaList::GetCount() const {
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_records.size());
}

CuttingCondition CMediaList::DefaultCondition(const std::string& name) const {
    const ConditionRange ranges = m_model.ConditionRanges();
    return CuttingCondition{name,
                            m_model.Catalogue().DefaultBlade(),
                            ranges.force.nMin,
                            ranges.speed.nMin,
                            ranges.quality.nMin,
                            0};
}
