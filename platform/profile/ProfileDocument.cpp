#include "platform/profile/ProfileDocument.h"

#include <algorithm>

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsValidName(std::string_view name) {
    return !name.empty() && !HasLineBreakOrNul(name) && Trim(name).size() == name.size();
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace

CProfileDocument::Line CProfileDocument::ParseLine(std::string_view text) {
    Line line{std::string(text), Kind::Other, {}, {}};
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
        return line;
    }
    if (trimmed.front() == '[') {
        const auto close = trimmed.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = Kind::Section;
            line.name = Trim(trimmed.substr(1, close - 1));
        }
        return line;
    }
    const auto equals = trimmed.find('=');
    if (equals != std::string_view::npos && equals > 0) {
        line.kind = Kind::Key;
        line.name = Trim(trimmed.substr(0, equals));
        line.value = Trim(trimmed.substr(equals + 1));
    }
    return line;
}

CProfileDocument CProfileDocument::Parse(std::string_view text) {
    CProfileDocument doc;
    if (text.starts_with(kUtf8Bom)) {
        doc.m_strBom = kUtf8Bom;
        text.remove_prefix(kUtf8Bom.size());
    }
    bool breakKnown = false;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        doc.m_lines.push_back(ParseLine(text.substr(0, end)));
        if (end == std::string_view::npos) {
            break;
        }
        const std::size_t breakLength = text.substr(end).starts_with("\r\n") ? 2 : 1;
        if (!breakKnown) {
            doc.m_strLineBreak = text.substr(end, breakLength);
            breakKnown = true;
        }
        text.remove_prefix(end + breakLength);
    }
    return doc;
}

std::string CProfileDocument::Serialize() const {
    std::string text = m_strBom;
    for (const Line& line : m_lines) {
        text += line.text;
        text += m_strLineBreak;
    }
    return text;
}

int CProfileDocument::FindKey(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Section) {
            inSection = EqualNoCase(line.name, section);
        } else if (inSection && line.kind == Kind::Key && EqualNoCase(line.name, key)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::string> CProfileDocument::Get(std::string_view section,
                                                 std::string_view key) const {
    const int index = FindKey(section, key);
    if (index < 0) {
        return std::nullopt;
    }
    return std::string(StripQuotes(m_lines[index].value));
}

bool CProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsValidName(section) || section.find(']') != std::string_view::npos || !IsValidName(key) ||
        key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
        key.front() == '#' || HasLineBreakOrNul(value)) {
        return false;
    }
    const int index = FindKey(section, key);
    if (index >= 0) {
        // Keep the key's own spelling; only the value changes.
        Line& line = m_lines[index];
        line = ParseLine(line.name + "=" + std::string(value));
        return true;
    }
    Line keyLine = ParseLine(std::string(key) + "=" + std::string(value));
    // End of the section's first occurrence: after its last non-blank line.
    int header = -1;
    int insertAt = -1;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Section) {
            if (header >= 0) {
                break;
            }
            if (EqualNoCase(line.name, section)) {
                header = static_cast<int>(i);
                insertAt = header + 1;
            }
        } else if (header >= 0 && !Trim(line.text).empty()) {
            insertAt = static_cast<int>(i) + 1;
        }
    }
    if (header >= 0) {
        m_lines.insert(m_lines.begin() + insertAt, std::move(keyLine));
        return true;
    }
    m_lines.push_back(ParseLine("[" + std::string(section) + "]"));
    m_lines.push_back(std::move(keyLine));
    return true;
}
