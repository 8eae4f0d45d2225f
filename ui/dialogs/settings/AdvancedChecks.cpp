#include "ui/dialogs/settings/AdvancedChecks.h"

#include "conditions/units/LengthUnits.h"
#include "core/messages/MessageCodes.h"
#include "ui/dialogs/settings/AdvancedDlgLayout.h"

#include <cmath>
#include <cstdint>

namespace {

// Inclusive micrometre bounds; 64 bits, so no table row can overflow them.
struct Bounds {
    std::int64_t low;
    std::int64_t high;
    bool Contains(std::int64_t value) const { return value >= low && value <= high; }
};

std::int64_t Times(double value, double factor) {
    return static_cast<std::int64_t>(std::trunc(value * factor));
}

std::optional<RangeFailure> Fail(bool inRange, int code, QString low, QString high, int editId) {
    if (inRange) {
        return std::nullopt;
    }
    return RangeFailure{code, std::move(low), std::move(high), editId};
}

std::optional<RangeFailure> Whole(int value, IntRange range, int code, int editId) {
    return Fail(range.Contains(value), code, QString::number(range.nMin),
                QString::number(range.nMax), editId);
}

} // namespace

std::optional<RangeFailure> CAdvancedChecks::General(const AdvancedSettings& s) const {
    using namespace advctl;
    std::optional<RangeFailure> failure;
    if (m_bInch) {
        const IntRange inch = m_range.pageLengthInch;
        const Bounds bounds{Times(inch.nMin, kMicronsPerInch), Times(inch.nMax, kMicronsPerInch)};
        failure = Fail(bounds.Contains(s.pageLength), msg::kRangePageLengthInch,
                       QString::number(inch.nMin), QString::number(inch.nMax), kPageLength);
    } else {
        const IntRange mm = m_range.pageLengthMm;
        const Bounds bounds{std::int64_t{mm.nMin} * 1000, std::int64_t{mm.nMax} * 1000};
        failure = Fail(bounds.Contains(s.pageLength), msg::kRangePageLengthCm,
                       QString::number(mm.nMin / 10), QString::number(mm.nMax / 10), kPageLength);
    }
    if (!failure) {
        failure = Whole(s.offsetAngle, m_range.offsetAngle, msg::kRangeOffsetAngle, kOffsetAngle);
    }
    if (!failure) {
        failure = Whole(s.initialDownForce, m_range.initialDownForce, msg::kRangeInitialDownForce,
                        kInitialDownForce);
    }
    if (!failure) {
        failure = Whole(s.stepPass, m_range.stepPass, msg::kRangeStepPass, kStepPass);
    }
    return failure;
}

std::optional<RangeFailure> CAdvancedChecks::FeedLength(int microns) const {
    if (m_bInch) {
        const IntRange feet = m_range.feedLengthFeet;
        const Bounds bounds{Times(feet.nMin, kMicronsPerFoot), Times(feet.nMax, kMicronsPerFoot)};
        return Fail(bounds.Contains(microns), msg::kRangeFeedLengthFeet, QString::number(feet.nMin),
                    QString::number(feet.nMax), advctl::kFeedLength);
    }
    const IntRange mm = m_range.feedLengthMm;
    const Bounds bounds{std::int64_t{mm.nMin} * 1000, std::int64_t{mm.nMax} * 1000};
    return Fail(bounds.Contains(microns), msg::kRangeFeedLengthM,
                QString::number(static_cast<int>(std::trunc(mm.nMin * 0.001 + 0.5))),
                QString::number(mm.nMax / 1000), advctl::kFeedLength);
}

std::optional<RangeFailure>
CAdvancedChecks::DistanceAdjust(const AdvancedSettings::DistanceAdjust& a) const {
    const DoubleRange range = m_range.distanceAdjust;
    const QString low = FormatFixed(range.dMin, 2, m_cSeparator);
    const QString high = FormatFixed(range.dMax, 2, m_cSeparator);
    if (auto failure =
            Fail(range.Contains(a.l), msg::kRangeDistanceAdjustL, low, high, advctl::kL)) {
        return failure;
    }
    return Fail(range.Contains(a.w), msg::kRangeDistanceAdjustW, low, high, advctl::kW);
}

std::optional<RangeFailure>
CAdvancedChecks::Tangential(const AdvancedSettings::TangentialEmulation& t) const {
    const DoubleRange range = m_bInch ? m_range.tangentialInch : m_range.tangentialMm;
    const double factor = m_bInch ? kMicronsPerInch : kMicronsPerMm;
    const int decimals = m_bInch ? 3 : 1;
    const Bounds bounds{Times(range.dMin, factor), Times(range.dMax, factor)};
    const QString low = FormatFixed(range.dMin, decimals, m_cSeparator);
    const QString high = FormatFixed(range.dMax, decimals, m_cSeparator);
    if (auto failure = Fail(bounds.Contains(t.start),
                            m_bInch ? msg::kRangeTangentialStartInch : msg::kRangeTangentialStartMm,
                            low, high, advctl::kStart)) {
        return failure;
    }
    return Fail(bounds.Contains(t.end),
                m_bInch ? msg::kRangeTangentialEndInch : msg::kRangeTangentialEndMm, low, high,
                advctl::kEnd);
}
