#include "protocol/ReplyParse.h"

#include "core/messages/MessageCodes.h"
#include "protocol/WireUnits.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace proto {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) {
        ++i;
    }
    return s.substr(i);
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char First(std::string_view reply) {
    return reply.empty() ? '\0' : reply.front();
}

// Replies beginning "10" are a value of their own, tested before the first character.
bool StartsWithTen(std::string_view reply) {
    return reply.substr(0, 2) == "10";
}

} // namespace

int LeadingInteger(std::string_view text) {
    std::string_view s = TrimLeft(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long value = 0;
    for (const char c : s) {
        if (!IsDigit(c)) {
            break;
        }
        if (value < kLimit) {
            value = value * 10 + (c - '0');
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

double LeadingDecimal(std::string_view text) {
    const std::string_view s = TrimLeft(text);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                ++j;
            }
            i = j;
        }
    }
    // Only the checked number reaches strtod (LC_NUMERIC is "C" program-wide), so it cannot
    // read "inf", "nan" or hexadecimal forms; overflow gives +-HUGE_VAL, which no range holds.
    const std::string number(s.substr(0, i));
    return std::strtod(number.c_str(), nullptr);
}

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        std::string_view field = text.substr(start, comma - start);
        fields.push_back(fields.empty() ? field : TrimLeft(field));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

int ParseStepSize(std::string_view reply, int& stepSize) {
    const char c = First(reply);
    if (c < '1' || c > '4') {
        return msg::kReadFailed;
    }
    stepSize = c - '1';
    return msg::kOk;
}

int ParseModelAndFirmware(std::string_view reply, std::string& model, std::string& firmware) {
    const std::size_t comma = reply.find(',');
    if (comma == std::string_view::npos || comma == 0) {
        return msg::kReadFailed;
    }
    model = Trim(reply.substr(0, comma));
    firmware = Trim(reply.substr(comma + 1));
    return msg::kOk;
}

int ParseFlag(std::string_view reply, int& value) {
    const char c = First(reply);
    if (c != '0' && c != '1') {
        return msg::kReadFailed;
    }
    value = c - '0';
    return msg::kOk;
}

int ParseTangentialMode(std::string_view reply, int& mode) {
    const char c = First(reply);
    if (c != '1' && c != '2') {
        return msg::kReadFailed;
    }
    mode = c - '0';
    return msg::kOk;
}

int ParseScaledInt(std::string_view reply, int divisor, IntRange range, int& value) {
    const int n = LeadingInteger(reply) / divisor;
    if (n < range.nMin || n > range.nMax) {
        return msg::kReadFailed;
    }
    value = n;
    return msg::kOk;
}

namespace {

// trunc(steps / stepsPerMm) in mm, checked, in um, with the steps it came from.
int StepsToCheckedUm(double steps, int stepsPerMm, IntRange mmRange, int& um,
                     std::optional<AsRead<int>>& read) {
    if (stepsPerMm <= 0) {
        return msg::kReadFailed;
    }
    const double mm = std::trunc(steps / stepsPerMm);
    if (!(mm >= mmRange.nMin && mm <= mmRange.nMax)) {
        return msg::kReadFailed;
    }
    um = TruncToInt(mm * 1000);
    read = AsRead<int>{TruncToInt(steps), um};
    return msg::kOk;
}

} // namespace

int ParseLength(std::string_view reply, int stepsPerMm, IntRange mmRange, int& um,
                std::optional<AsRead<int>>& read) {
    return StepsToCheckedUm(LeadingDecimal(reply), stepsPerMm, mmRange, um, read);
}

void ParsePenUpSpeed(std::string_view reply, bool byIndex, const std::array<int, 7>& table,
                     int& value, std::optional<AsRead<int>>& read) {
    const int n = LeadingInteger(reply);
    value = byIndex && n >= 0 && n < 7 ? table[static_cast<std::size_t>(n)] : n;
    read = AsRead<int>{n, value};
}

int ParseAutoPreFeed(std::string_view reply, int stepsPerMm, IntRange mmRange, int& on, int& feedUm,
                     std::optional<AsRead<int>>& read) {
    int flag = 0;
    const std::size_t comma = reply.find(',');
    if (ParseFlag(reply, flag) != msg::kOk || comma == std::string_view::npos || comma == 0) {
        return msg::kReadFailed;
    }
    int um = 0;
    std::optional<AsRead<int>> steps;
    if (StepsToCheckedUm(LeadingDecimal(reply.substr(comma + 1)), stepsPerMm, mmRange, um, steps) !=
        msg::kOk) {
        return msg::kReadFailed;
    }
    on = flag;
    feedUm = um;
    read = steps;
    return msg::kOk;
}

int ParseDistanceAdjust(std::string_view reply, DoubleRange range,
                        AdvancedSettings::DistanceAdjust& entry) {
    int flag = 0;
    const std::vector<std::string_view> fields = SplitFields(reply);
    if (ParseFlag(reply, flag) != msg::kOk || fields.size() < 3) {
        return msg::kReadFailed;
    }
    const double a = LeadingDecimal(fields[1]);
    const double b = LeadingDecimal(fields[2]);
    const double l = a * 0.01 - 2.0;
    const double w = b * 0.01 - 2.0;
    if (!range.Contains(l) || !range.Contains(w)) {
        return msg::kReadFailed;
    }
    entry = {flag, l, w, AsRead<double>{TruncToInt(a), l}, AsRead<double>{TruncToInt(b), w}};
    return msg::kOk;
}

int ParseTangentialEmulation(std::string_view reply, int stepsPerMm, DoubleRange mmRange,
                             AdvancedSettings::TangentialEmulation& entry) {
    int flag = 0;
    const std::vector<std::string_view> fields = SplitFields(reply);
    if (ParseFlag(reply, flag) != msg::kOk || fields.size() < 3 || stepsPerMm <= 0) {
        return msg::kReadFailed;
    }
    const double a = LeadingDecimal(fields[1]);
    const double b = LeadingDecimal(fields[2]);
    const double start = a / stepsPerMm;
    const double end = b / stepsPerMm;
    if (!mmRange.Contains(start) || !mmRange.Contains(end)) {
        return msg::kReadFailed;
    }
    const int startUm = TruncToInt(start * 1000);
    const int endUm = TruncToInt(end * 1000);
    entry = {flag, startUm, endUm, AsRead<int>{TruncToInt(a), startUm},
             AsRead<int>{TruncToInt(b), endUm}};
    return msg::kOk;
}

int ParseMarkReadState(std::string_view reply, int& state) {
    if (StartsWithTen(reply)) {
        state = 3;
        return msg::kOk;
    }
    const char c = First(reply);
    if (c < '0' || c > '2') {
        return msg::kReadFailed;
    }
    state = c - '0';
    return msg::kOk;
}

int ParseEnterState(std::string_view reply, int& state) {
    if (StartsWithTen(reply)) {
        state = 5;
        return msg::kOk;
    }
    switch (First(reply)) {
    case '0':
        state = 0;
        return msg::kOk;
    case '1':
        state = 1;
        return msg::kOk;
    case '2':
        state = 2;
        return msg::kOk;
    case '6':
        state = 3;
        return msg::kOk;
    case '8':
        state = 4;
        return msg::kOk;
    default:
        return msg::kReadFailed;
    }
}

} // namespace proto
