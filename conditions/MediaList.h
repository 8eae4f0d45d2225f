#pragma once

#include "conditions/CuttingCondition.h"
#include "conditions/MediaListLocation.h"

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CPlotterModel;

// The media lists of the connected model in the UI language: an array of records mirrored one
// to one by the ".kcd" files of one folder. Every change goes to the file first, then to the
// array.
//
// Threads: the window thread makes every change; the retry timer's thread calls
// FindCondition. A mutex inside the store guards the array, so every operation may run on any
// thread; files are read and written outside the lock.
class CMediaList {
public:
    // root: a folder of media lists kept in place, such as the program folder joined with the
    // UI language's media list folder ("<program folder>/MEDIALIST/ENG/"). The model's type
    // string names the folder below it.
    CMediaList(const CPlotterModel& model, std::filesystem::path root);
    CMediaList(const CPlotterModel& model, CMediaListLocation location);

    // The location's folder of the model's type string, computed afresh at every call.
    std::filesystem::path Folder() const;

    // Empties the array, has the location prepare the model's folder (a seed that goes wrong
    // is told on standard error) and reads every acceptable file of the folder, sorted by name
    // as SortByName sorts. A user's folder left without an acceptable list is refilled from
    // the shipped lists first. current carries the persisted list name in; on success it
    // becomes that list's record when it was found, else the first record by name. 0, 1013
    // (no acceptable file, or no folder) or 1003 (out of memory).
    [[nodiscard]] int Load(CuttingCondition& current);

    // Reads "<folder>/<name>.kcd" unless the store already holds that name.
    bool ReadConditionFile(const std::filesystem::path& folder, const std::string& name,
                           CuttingCondition& record) const;
    bool WriteConditionFile(const std::filesystem::path& path,
                            const CuttingCondition& record) const;

    // Writes the record's file, then appends the record. 1305 when the file could not be
    // written; the array is then unchanged.
    [[nodiscard]] int AddCondition(const CuttingCondition& record);
    // Writes the record's file, then replaces the first record named oldName (exact). The
    // old name's file stays. 1305, the array unchanged, when the file could not be written.
    [[nodiscard]] int UpdateCondition(const CuttingCondition& record, const std::string& oldName);
    // Removes the name's file, then its first record. 1302 when the file cannot be removed
    // (missing or write-protected); the record then stays.
    [[nodiscard]] int DeleteCondition(const std::string& name);

    // A copy of the record at index; beyond the array the default record with an empty name.
    CuttingCondition GetConditionAt(int index) const;
    // A copy of the first record named name (exact); none: the default record carrying name.
    CuttingCondition FindCondition(const std::string& name) const;
    // A copy of the first record named name (exact), or nothing when the store has none.
    std::optional<CuttingCondition> Lookup(const std::string& name) const;
    // Ascending by name regardless of letter case, in every script; names that differ only in
    // case by their bytes.
    void SortByName();
    int GetCount() const;

    // The default blade of the catalogue and the model's lowest levels, offset 0.
    CuttingCondition DefaultCondition(const std::string& name) const;

private:
    std::filesystem::path FilePath(const std::string& name) const;
    // Every acceptable list of the folder, in the order the folder lists them.
    std::vector<CuttingCondition> ReadFolder() const;
    bool ReadValidated(const std::filesystem::path& folder, const std::string& name,
                       CuttingCondition& record) const;

    const CPlotterModel& m_model;
    const CMediaListLocation m_location;
    mutable std::mutex m_mutex; // guards m_records
    std::vector<CuttingCondition> m_records;
};
