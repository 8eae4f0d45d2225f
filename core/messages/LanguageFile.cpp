#include "core/messages/LanguageFile.h"

#include <charconv>
#include <string_view>

namespace {

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const char next = text[++i];
        switch (next) {
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            // Not an escape: keep both characters as written.
            out += '\\';
            out += next;
            break;
        }
    }
    return out;
}

} // namespace

std::unordered_map<int, std::string> ReadLanguageFile(std::istream& in) {
    std::unordered_map<int, std::string> texts;
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        std::string_view view(line);
        if (first && view.starts_with("\xEF\xBB\xBF")) {
            view.remove_prefix(3);
        }
        first = false;
        if (view.ends_with('\r')) {
            view.remove_suffix(1);
        }
        if (view.empty() || view.front() == '#') {
            continue;
        }
        const size_t tab = view.find('\t');
        if (tab == std::string_view::npos) {
            continue;
        }
        int id = 0;
        const std::string_view idText = view.substr(0, tab);
        const auto [end, error] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
        if (error != std::errc() || end != idText.data() + idText.size() || id <= 0) {
            continue;
        }
        texts[id] = Unescape(view.substr(tab + 1));
    }
    return texts;
}
