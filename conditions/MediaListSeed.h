#pragma once

#include <filesystem>
#include <string>

namespace medialist {

// The file in a user's model folder that names, one a line, every shipped list the folder has
// been given. It does not end in ".kcd", so the store never takes it for a list.
inline constexpr const char* kSeedRecord = ".seeded";

// Which shipped lists a seed gives: those the record does not name yet, or every one.
enum class SeedScope { New, All };

// Gives a user's folder of one model the shipped lists it has not had yet: every ".kcd" file
// of `shipped` that the record does not name (with SeedScope::All: every one) is copied into
// `user`, unless `user` already holds an entry of that name, which stays as it is; the record
// then names both. So a list the user deleted stays deleted, a file of the user's is never
// replaced, a seed cut short is completed next time, and lists that a newer program ships
// still arrive. SeedScope::All brings deleted lists back, for a folder left without any.
//
// `user` is made (mode 0700, as the XDG folders are) only when there is something to copy, and
// removed again when it was made here and nothing could be copied, so that the shipped lists
// are read instead. Every copy is a new file made atomically. Returns what went wrong, in
// words for the user; empty when nothing did.
[[nodiscard]] std::string Seed(const std::filesystem::path& shipped,
                               const std::filesystem::path& user, SeedScope scope);

} // namespace medialist
