#pragma once

#include "models/PlotterTables.h"

#include <QChar>
#include <QString>

#include <cstdint>

// The outcome of a range check: 0 when the value lies within its limits, else the range
// message to show (1200-1209) with the two limits formatted as the message quotes them.
struct RangeCheck {
    int code = 0;
    QString low;
    QString high;
};

// Distances between the marks along X and Y, micrometres.
struct MarkDistances {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const MarkDistances&) const = default;
};

// The registration-mark limits of the connected model in the display unit (0 mm, 1 inch; any
// other unit is taken as mm), with limits quoted in the user's decimal separator: one decimal
// in mm, three in inches.
class CMarkLimits {
public:
    CMarkLimits(const MarkRange& ranges, int unit, QChar separator)
        : m_ranges(ranges), m_bInch(unit == 1), m_cSeparator(separator) {}

    // A distance edit's text read as a number in the display unit and compared with its limits,
    // both inclusive: with media orientation 1 X lies across the medium and Y along it, with
    // any other orientation the other way round. Fails with 1200/1201 (X) or 1202/1203 (Y).
    [[nodiscard]] RangeCheck CheckDistanceX(const QString& text, int mediaOrient) const;
    [[nodiscard]] RangeCheck CheckDistanceY(const QString& text, int mediaOrient) const;

    // The distances kept when the settings are saved: a typed value below or above the range
    // along the medium (whatever the media orientation) becomes that limit in micrometres; a
    // value within it keeps the stored distance.
    [[nodiscard]] MarkDistances ClampDistances(const QString& textX, const QString& textY,
                                               MarkDistances stored) const;

    // Stored micrometres compared with the limits converted to micrometres and truncated, both
    // inclusive. Step 1204/1205, line length 1206/1207, line thickness 1208/1209.
    [[nodiscard]] RangeCheck CheckStep(std::int32_t microns) const;
    [[nodiscard]] RangeCheck CheckLength(std::int32_t microns) const;
    [[nodiscard]] RangeCheck CheckThickness(std::int32_t microns) const;

private:
    RangeCheck CheckTyped(const QString& text, const DoubleRange& limits, int mmCode) const;
    RangeCheck CheckStored(std::int32_t microns, const DoubleRange& limits, int mmCode) const;
    RangeCheck Failure(const DoubleRange& limits, int mmCode) const;
    double ReadTyped(const QString& text) const;
    double MicronsPerUnit() const;

    MarkRange m_ranges;
    bool m_bInch;
    QChar m_cSeparator;
};
