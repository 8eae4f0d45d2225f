#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a private-profile (INI) file, held line by line so that a rewrite keeps every
// line it does not change: comments, blank lines, unknown sections and keys, odd lines.
//
// Rules, as the Windows profile functions apply them:
// - a line's surrounding blanks (space, tab) do not count;
// - "[name]" opens a section; the name is the trimmed text up to the last ']';
// - "key=value" inside a section is a key; key and value are trimmed; a value enclosed in one
//   pair of matching quotes (" or ') reads without them;
// - lines starting with ';' or '#', lines without '=', and keys before the first section are
//   kept but never match;
// - section and key names match without regard to ASCII letter case; when a name occurs more
//   than once, the first occurrence counts (a section named twice is searched in file order);
// - line breaks may be CR LF, LF or CR; a rewrite uses the file's first one (CR LF for a new
//   file); a UTF-8 byte-order mark is kept. Bytes are otherwise taken as they are.
class CProfileDocument {
public:
    static CProfileDocument Parse(std::string_view text);

    std::string Serialize() const;

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Replaces the first occurrence of the key in place, or appends the key at the end of the
    // section's first occurrence, or appends the section at the end. Refuses names and values
    // that would not read back as written (line breaks, NUL, a ']' in a section name, '=' in a
    // key, blanks around a name or an empty name).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text;
        Kind kind = Kind::Other;
        std::string name; // section or key name
        std::string value;
    };

    static Line ParseLine(std::string_view text);
    // Index of the first key line, or -1.
    int FindKey(std::string_view section, std::string_view key) const;

    std::vector<Line> m_lines;
    std::string m_strLineBreak = "\r\n";
    std::string m_strBom;
};
