#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The checks a language file's text passes before the program shows it in place of its
// English text. A text that fails any of them is not used; the English text stays.
namespace textcheck {

// Longer texts are no translation of anything the program shows.
inline constexpr std::size_t kMaxTextBytes = 4096;

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no UTF-16
// surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The printf conversions of `text` in order, each as written ("%s", "%d", "%5.1f" …); "%%"
// is none. No value when a '%' starts no conversion printf knows, or starts "%n", a '*'
// width or precision, or a numbered argument ("%1$s"): such a text must never meet a
// formatting function.
std::optional<std::vector<std::string>> ConversionsOf(std::string_view text);

// Whether `translated` may stand for `english`: not over kMaxTextBytes, valid UTF-8, no
// control characters (line breaks only where the English text has them: a one-line text such
// as a blade name is written into media list files), the same conversions in the same order,
// and no '<' unless the English text has one (a label would otherwise read it as markup).
bool IsAcceptableTranslation(std::string_view english, std::string_view translated);

} // namespace textcheck
