// The private-profile (INI) reader and writer. Input: the file's text, then optionally NUL,
// a section name, NUL, a key name, NUL, a value for one Set.
//
// Contract: a rewrite keeps every byte but the line breaks, in order, and reads back the same;
// a value Set accepts reads back (without surrounding blanks and one pair of quotes, which the
// reader drops) at once and after a rewrite.
#include "FuzzCheck.h"

#include "platform/profile/ProfileDocument.h"

#include <cstdint>
#include <string>

namespace {

std::string WithoutLineBreaks(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (c != '\r' && c != '\n') {
            kept += c;
        }
    }
    return kept;
}

// Whether the reader gives the value back as it is.
bool ReadsBackUnchanged(std::string_view value) {
    if (value.empty()) {
        return true;
    }
    const bool blank = value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                       value.back() == '\t';
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return !blank && !quoted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts =
        SplitInput(std::string_view(reinterpret_cast<const char*>(data), size), '\0');
    const std::string_view text = parts[0];

    CProfileDocument document = CProfileDocument::Parse(text);
    const std::string written = document.Serialize();
    FUZZ_CHECK(WithoutLineBreaks(written) == WithoutLineBreaks(text));
    FUZZ_CHECK(CProfileDocument::Parse(written).Serialize() == written);
    if (parts.size() < 4) {
        return 0;
    }
    const std::string_view section = parts[1];
    const std::string_view key = parts[2];
    const std::string_view value = parts[3];
    if (!document.Set(section, key, value)) {
        FUZZ_CHECK(document.Serialize() == written);
        return 0;
    }
    const std::optional<std::string> now = document.Get(section, key);
    FUZZ_CHECK(now.has_value());
    FUZZ_CHECK(!ReadsBackUnchanged(value) || *now == value);
    const std::string rewritten = document.Serialize();
    FUZZ_CHECK(CProfileDocument::Parse(rewritten).Get(section, key) == now);
    return 0;
}
