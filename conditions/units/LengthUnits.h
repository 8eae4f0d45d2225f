#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

// Lengths are kept as 32-bit micrometres and shown in the display unit: 0 metric (mm, cm, m),
// 1 the inch family (inch, feet). Under any other unit a length shows as empty text and
// reading a text changes nothing.
constexpr int kUnitMetric = 0;
constexpr int kUnitInch = 1;

// Micrometres per unit. The inch is the plotter's 25405.9, not 25400.
constexpr double kMicronsPerMm = 1000.0;
constexpr double kMicronsPerInch = 25405.9;
constexpr double kMicronsPerCm = 10000.0;
constexpr double kMicronsPerM = 1000000.0;
constexpr double kMicronsPerFoot = 304870.8;

// Units per micrometre, as used to show lengths.
constexpr double kMmPerMicron = 0.001;
constexpr double kInchesPerMicron = 3.9360935845610664e-05;
constexpr double kCmPerMicron = 0.0001;
constexpr double kMPerMicron = 1e-06;
constexpr double kFeetPerMicron = 3.2800779871342217e-06;

// Lengths shown as whole numbers: page length in cm or inches, feed length in m or feet.
enum class WholeLength { PageLength, FeedLength };

// Truncates toward zero to micrometres. Values beyond the 32-bit range saturate at its ends
// (so a range check rejects them); NaN gives 0.
std::int32_t TruncateToMicrons(double value);

// `value` formatted like "%.<decimals>lf" in the C locale, with the point replaced by
// `separator`. Decimals outside 0..9 are taken as 0 and 9.
QString FormatFixed(double value, int decimals, QChar separator);

// A decimal length: metric "%.1lf" mm, inch "%.3lf" inches.
QString FormatDecimalLength(std::int32_t microns, int unit, QChar separator);

// Reads a typed decimal length: separators become points, the leading number (0 when there is
// none) times the unit's micrometres, truncated toward zero. No value for an unknown unit.
std::optional<std::int32_t> ParseDecimalLength(const QString& text, int unit, QChar separator);

// A whole-number length, rounded to the nearest unit ("%d").
QString FormatWholeLength(std::int32_t microns, WholeLength kind, int unit);

// Reads a typed whole number n (0 when there is none): n × 10000 (cm), n × 1000000 (m),
// trunc(n × 25405.9) (inch) or trunc(n × 304870.8) (feet). No value for an unknown unit.
std::optional<std::int32_t> ParseWholeLength(const QString& text, WholeLength kind, int unit);
