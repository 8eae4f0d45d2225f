#include "conditions/units/NumberText.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

constexpr long long kIntegerCap = 1'000'000'000'000'000LL;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipBlanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    return i;
}

size_t SkipDigits(std::string_view text, size_t i) {
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i;
}

// The "C" locale for conversions, whatever LC_NUMERIC the process has set.
locale_t NumericCLocale() {
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

} // namespace

double ReadLeadingDecimal(std::string_view text) {
    size_t i = SkipBlanks(text);
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const size_t intEnd = SkipDigits(text, i);
    size_t end = intEnd;
    size_t digits = intEnd - i;
    if (end < text.size() && text[end] == '.') {
        const size_t fracEnd = SkipDigits(text, end + 1);
        digits += fracEnd - (end + 1);
        end = fracEnd;
    }
    if (digits == 0) {
        return 0.0;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t exp = end + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) {
            ++exp;
        }
        const size_t expEnd = SkipDigits(text, exp);
        if (expEnd > exp) {
            end = expEnd;
        }
    }
    const std::string number(text.substr(start, end - start));
    // Overflow gives HUGE_VAL with its sign, underflow a value at or near 0: both as wanted.
    const locale_t locale = NumericCLocale();
    return locale != static_cast<locale_t>(0) ? strtod_l(number.c_str(), nullptr, locale)
                                              : std::strtod(number.c_str(), nullptr);
}

long long ReadLeadingInteger(std::string_view text) {
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (value < kIntegerCap) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (value > kIntegerCap) {
        value = kIntegerCap;
    }
    return negative ? -value : value;
}
