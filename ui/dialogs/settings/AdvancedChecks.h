#pragma once

#include "models/PlotterTables.h"
#include "protocol/AdvancedSettings.h"

#include <QChar>
#include <QString>

#include <optional>

// A value outside its range: the message, its two bound texts and the edit that holds it.
struct RangeFailure {
    int code;
    QString low;
    QString high;
    int editId;
};

// The range checks of the Advanced Settings window against one model's bounds, in the display
// unit (0 metric: cm, m, mm; 1 inch: inch, feet, inch). Stored values are micrometres; bounds
// are converted with the same factors the edits use, so a typed bound always passes.
class CAdvancedChecks {
public:
    CAdvancedChecks(const AdvancedRange& range, int unit, QChar separator)
        : m_range(range), m_bInch(unit == 1), m_cSeparator(separator) {}

    // Page length, offset angle, initial down force, step pass, in this order.
    std::optional<RangeFailure> General(const AdvancedSettings& s) const;
    std::optional<RangeFailure> FeedLength(int microns) const;
    // L before W.
    std::optional<RangeFailure> DistanceAdjust(const AdvancedSettings::DistanceAdjust& a) const;
    // Start before end.
    std::optional<RangeFailure> Tangential(const AdvancedSettings::TangentialEmulation& t) const;

private:
    AdvancedRange m_range;
    bool m_bInch;
    QChar m_cSeparator;
};
