#include "platform/LanguageId.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string>

namespace platform {
namespace {

struct LocaleRow {
    std::string_view language;
    std::string_view territory; // empty: the language's main identifier
    std::uint16_t langId;
};

// Language before territory; the row with an empty territory is the language's main one.
constexpr std::array kLocales{
    LocaleRow{"en", "", 1033},    LocaleRow{"en", "US", 1033},  LocaleRow{"en", "GB", 2057},
    LocaleRow{"en", "AU", 3081},  LocaleRow{"en", "CA", 4105},  LocaleRow{"en", "NZ", 5129},
    LocaleRow{"en", "IE", 6153},  LocaleRow{"ja", "", 1041},    LocaleRow{"ja", "JP", 1041},
    LocaleRow{"ru", "", 1049},    LocaleRow{"ru", "RU", 1049},  LocaleRow{"es", "", 3082},
    LocaleRow{"es", "ES", 3082},  LocaleRow{"es", "MX", 2058},  LocaleRow{"es", "GT", 4106},
    LocaleRow{"es", "CR", 5130},  LocaleRow{"es", "PA", 6154},  LocaleRow{"es", "DO", 7178},
    LocaleRow{"es", "VE", 8202},  LocaleRow{"es", "CO", 9226},  LocaleRow{"es", "PE", 10250},
    LocaleRow{"es", "AR", 11274}, LocaleRow{"es", "EC", 12298}, LocaleRow{"es", "CL", 13322},
    LocaleRow{"es", "UY", 14346}, LocaleRow{"es", "PY", 15370}, LocaleRow{"es", "BO", 16394},
    LocaleRow{"es", "SV", 17418}, LocaleRow{"es", "HN", 18442}, LocaleRow{"es", "NI", 19466},
    LocaleRow{"es", "PR", 20490}, LocaleRow{"de", "", 1031},    LocaleRow{"de", "DE", 1031},
    LocaleRow{"de", "CH", 2055},  LocaleRow{"de", "AT", 3079},  LocaleRow{"de", "LU", 4103},
    LocaleRow{"de", "LI", 5127},  LocaleRow{"fr", "", 1036},    LocaleRow{"fr", "FR", 1036},
    LocaleRow{"fr", "BE", 2060},  LocaleRow{"fr", "CA", 3084},  LocaleRow{"fr", "CH", 4108},
    LocaleRow{"fr", "LU", 5132},  LocaleRow{"fr", "MC", 6156},  LocaleRow{"zh", "", 2052},
    LocaleRow{"zh", "TW", 1028},  LocaleRow{"zh", "CN", 2052},  LocaleRow{"zh", "HK", 3076},
    LocaleRow{"zh", "SG", 4100},  LocaleRow{"zh", "MO", 5124},  LocaleRow{"it", "", 1040},
    LocaleRow{"it", "IT", 1040},  LocaleRow{"ko", "", 1042},    LocaleRow{"ko", "KR", 1042},
    LocaleRow{"nl", "", 1043},    LocaleRow{"nl", "NL", 1043},  LocaleRow{"pt", "", 2070},
    LocaleRow{"pt", "BR", 1046},  LocaleRow{"pt", "PT", 2070},
};

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

} // namespace

std::uint16_t LangIdFromLocaleName(std::string_view localeName) {
    // language[_territory][.codeset][@modifier]; the codeset and modifier do not matter here.
    const auto end = localeName.find_first_of(".@");
    const std::string_view name = localeName.substr(0, end);
    const auto separator = name.find_first_of("_-");
    const std::string language = Lower(name.substr(0, separator));
    const std::string territory =
        separator == std::string_view::npos ? std::string() : Upper(name.substr(separator + 1));

    const LocaleRow* main = nullptr;
    for (const LocaleRow& row : kLocales) {
        if (row.language != language) {
            continue;
        }
        if (!territory.empty() && row.territory == territory) {
            return row.langId;
        }
        if (row.territory.empty()) {
            main = &row;
        }
    }
    return main ? main->langId : kLangIdEnglishUs;
}

std::uint16_t UserDefaultLangId() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            return LangIdFromLocaleName(value);
        }
    }
    return kLangIdEnglishUs;
}

} // namespace platform
