#include "core/messages/TextCheck.h"

#include <algorithm>
#include <cstring>

namespace textcheck {

namespace {

// A sequence's lead byte: how many continuation bytes follow (-1: the byte cannot lead one),
// its share of the code point, and the smallest code point of that length (less is overlong).
struct Lead {
    int continuations;
    char32_t value;
    char32_t minimum;
};

Lead LeadOf(unsigned char byte) {
    if (byte < 0x80) {
        return {0, byte, 0};
    }
    if ((byte & 0xE0) == 0xC0) {
        return {1, static_cast<char32_t>(byte & 0x1F), 0x80};
    }
    if ((byte & 0xF0) == 0xE0) {
        return {2, static_cast<char32_t>(byte & 0x0F), 0x800};
    }
    if ((byte & 0xF8) == 0xF0) {
        return {3, static_cast<char32_t>(byte & 0x07), 0x10000};
    }
    return {-1, 0, 0};
}

bool IsConversion(char c) {
    return c != '\0' && std::strchr("diouxXeEfFgGaAcsp", c) != nullptr;
}

bool IsFlag(char c) {
    return c != '\0' && std::strchr("-+ #0", c) != nullptr;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips the length modifier at `at`, if any.
std::size_t SkipLength(std::string_view text, std::size_t at) {
    if (at < text.size() && (text[at] == 'h' || text[at] == 'l')) {
        const char first = text[at++];
        if (at < text.size() && text[at] == first) {
            ++at;
        }
        return at;
    }
    if (at < text.size() && text[at] != '\0' && std::strchr("Lzjtq", text[at]) != nullptr) {
        return at + 1;
    }
    return at;
}

// Control characters: below U+0020, and U+007F; a line break counts only where none is allowed.
bool HasControlCharacters(std::string_view text, bool lineBreaksAllowed) {
    return std::any_of(text.begin(), text.end(), [lineBreaksAllowed](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && !(c == '\n' && lineBreaksAllowed)) || byte == 0x7F;
    });
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Lead lead = LeadOf(static_cast<unsigned char>(text[i]));
        if (lead.continuations < 0) {
            return false;
        }
        const auto length = static_cast<std::size_t>(lead.continuations) + 1;
        if (length > text.size() - i) {
            return false;
        }
        char32_t value = lead.value;
        for (std::size_t n = 1; n < length; ++n) {
            const auto byte = static_cast<unsigned char>(text[i + n]);
            if ((byte & 0xC0) != 0x80) {
                return false;
            }
            value = (value << 6) | (byte & 0x3F);
        }
        if (value < lead.minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

std::optional<std::vector<std::string>> ConversionsOf(std::string_view text) {
    std::vector<std::string> conversions;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
            continue;
        }
        std::size_t at = i + 1;
        while (at < text.size() && IsFlag(text[at])) {
            ++at;
        }
        while (at < text.size() && IsDigit(text[at])) {
            ++at;
        }
        if (at < text.size() && text[at] == '.') {
            ++at;
            while (at < text.size() && IsDigit(text[at])) {
                ++at;
            }
        }
        at = SkipLength(text, at);
        if (at >= text.size() || !IsConversion(text[at])) {
            return std::nullopt;
        }
        conversions.emplace_back(text.substr(i, at + 1 - i));
        i = at;
    }
    return conversions;
}

bool IsAcceptableTranslation(std::string_view english, std::string_view translated) {
    if (translated.size() > kMaxTextBytes || !IsValidUtf8(translated)) {
        return false;
    }
    if (HasControlCharacters(translated, english.find('\n') != std::string_view::npos)) {
        return false;
    }
    if (translated.find('<') != std::string_view::npos &&
        english.find('<') == std::string_view::npos) {
        return false;
    }
    const auto wanted = ConversionsOf(english);
    const auto found = ConversionsOf(translated);
    return wanted && found && *wanted == *found;
}

} // namespace textcheck
