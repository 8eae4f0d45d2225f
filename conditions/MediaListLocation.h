#pragma once

#include <filesystem>
#include <string>

// Where the media lists of the UI language live. A program folder whose lists are writable (a
// build folder, a copy the user owns) keeps them in place, as it always did. An installed
// program folder is read-only for its users, so each user has a folder of their own below the
// XDG data folder instead, seeded from the program folder's lists (medialist::Seed) the first
// time a model's folder is used.
class CMediaListLocation {
public:
    // The lists stay in `root`, the folder holding one folder per model type.
    explicit CMediaListLocation(std::filesystem::path root);

    // `shipped`: the program folder's media list folder of the UI language; `user`: the same
    // folder below the user's data folder, empty when the user has none. The shipped folder
    // stays in place when it is writable: a folder, with a write permission bit (a folder
    // without one is read-only for everyone, root included, as write-protected lists are), that
    // this user may write.
    static CMediaListLocation Choose(std::filesystem::path shipped, std::filesystem::path user);

    bool InPlace() const { return m_user.empty(); }

    // The model's folder: in place the shipped one; else the user's once it exists, and the
    // shipped one (read-only, so every edit fails with 1305) while it does not.
    std::filesystem::path Folder(const std::string& type) const;

    // Seeds the user's folder of the model; nothing in place. What went wrong, in words for the
    // user; empty when nothing did.
    [[nodiscard]] std::string Prepare(const std::string& type) const;
    // Gives the user's folder of the model every shipped list it lacks, those the user deleted
    // too: for a folder left without a list. Nothing in place. What went wrong, as Prepare.
    [[nodiscard]] std::string Refill(const std::string& type) const;

private:
    CMediaListLocation(std::filesystem::path shipped, std::filesystem::path user);

    std::filesystem::path m_shipped;
    std::filesystem::path m_user; // empty: in place
};
