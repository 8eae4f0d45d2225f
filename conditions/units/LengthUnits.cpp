#include "conditions/units/LengthUnits.h"

#include "conditions/units/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

std::int32_t TruncateToMicrons(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    if (value >= kMax) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= kMin) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

QString FormatFixed(double value, int decimals, QChar separator) {
    // to_chars with a precision formats exactly like printf's "%.*f" in the C locale, and
    // never follows the process locale.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                            std::chars_format::fixed, std::clamp(decimals, 0, 9));
    if (error != std::errc()) {
        return {};
    }
    QString text = QString::fromLatin1(buffer, end - buffer);
    text.replace(QLatin1Char('.'), separator);
    return text;
}

QString FormatDecimalLength(std::int32_t microns, int unit, QChar separator) {
    switch (unit) {
    case kUnitMetric:
        return FormatFixed(microns * kMmPerMicron, 1, separator);
    case kUnitInch:
        return FormatFixed(microns * kInchesPerMicron, 3, separator);
    default:
        return {};
    }
}

std::optional<std::int32_t> ParseDecimalLength(const QString& text, int unit, QChar separator) {
    double factor = 0.0;
    switch (unit) {
    case kUnitMetric:
        factor = kMicronsPerMm;
        break;
    case kUnitInch:
        factor = kMicronsPerInch;
        break;
    default:
        return std::nullopt;
    }
    QString plain = text;
    plain.replace(separator, QLatin1Char('.'));
    const QByteArray bytes = plain.toUtf8();
    const double number = ReadLeadingDecimal(std::string_view(bytes.constData(), bytes.size()));
    return TruncateToMicrons(number * factor);
}

namespace {

std::optional<double> WholeUnitsPerMicron(WholeLength kind, int unit) {
    switch (unit) {
    case kUnitMetric:
        return kind == WholeLength::PageLength ? kCmPerMicron : kMPerMicron;
    case kUnitInch:
        return kind == WholeLength::PageLength ? kInchesPerMicron : kFeetPerMicron;
    default:
        return std::nullopt;
    }
}

std::optional<double> MicronsPerWholeUnit(WholeLength kind, int unit) {
    switch (unit) {
    case kUnitMetric:
        return kind == WholeLength::PageLength ? kMicronsPerCm : kMicronsPerM;
    case kUnitInch:
        return kind == WholeLength::PageLength ? kMicronsPerInch : kMicronsPerFoot;
    default:
        return std::nullopt;
    }
}

} // namespace

QString FormatWholeLength(std::int32_t microns, WholeLength kind, int unit) {
    const std::optional<double> factor = WholeUnitsPerMicron(kind, unit);
    if (!factor) {
        return {};
    }
    // |microns × factor| stays below 2^31 for every factor, so the cast is exact truncation.
    return QString::number(static_cast<int>(microns * *factor + 0.5));
}

std::optional<std::int32_t> ParseWholeLength(const QString& text, WholeLength kind, int unit) {
    const std::optional<double> factor = MicronsPerWholeUnit(kind, unit);
    if (!factor) {
        return std::nullopt;
    }
    const QByteArray bytes = text.toUtf8();
    const long long n = ReadLeadingInteger(std::string_view(bytes.constData(), bytes.size()));
    return TruncateToMicrons(static_cast<double>(n) * *factor);
}
