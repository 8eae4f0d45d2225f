#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// Windows language identifiers stand for the user's language throughout the program, so the
// POSIX locale is translated into one.
constexpr std::uint16_t kLangIdEnglishUs = 1033;

// Maps a locale name such as "de_DE.UTF-8" or "ja" to its language identifier; a territory
// that is not in the table takes the language's main identifier, anything unknown 1033.
std::uint16_t LangIdFromLocaleName(std::string_view localeName);

// The locale that decides the messages language: the first non-empty of LC_ALL, LC_MESSAGES
// and LANG, as the C library would choose it.
std::uint16_t UserDefaultLangId();

} // namespace platform
