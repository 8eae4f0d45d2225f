#include "conditions/units/MarkLimits.h"

#include "conditions/units/LengthUnits.h"
#include "conditions/units/NumberText.h"
#include "core/messages/MessageCodes.h"

namespace {

// The inch message of each pair follows its millimetre message.
constexpr int kInchCodeOffset = 1;
constexpr int kMmDecimals = 1;
constexpr int kInchDecimals = 3;

} // namespace

RangeCheck CMarkLimits::CheckDistanceX(const QString& text, int mediaOrient) const {
    const DoubleRange& across = m_bInch ? m_ranges.acrossInch : m_ranges.acrossMm;
    const DoubleRange& along = m_bInch ? m_ranges.alongInch : m_ranges.alongMm;
    return CheckTyped(text, mediaOrient == 1 ? across : along, msg::kRangeMarkDistXMm);
}

RangeCheck CMarkLimits::CheckDistanceY(const QString& text, int mediaOrient) const {
    const DoubleRange& across = m_bInch ? m_ranges.acrossInch : m_ranges.acrossMm;
    const DoubleRange& along = m_bInch ? m_ranges.alongInch : m_ranges.alongMm;
    return CheckTyped(text, mediaOrient == 1 ? along : across, msg::kRangeMarkDistYMm);
}

MarkDistances CMarkLimits::ClampDistances(const QString& textX, const QString& textY,
                                          MarkDistances stored) const {
    const DoubleRange& along = m_bInch ? m_ranges.alongInch : m_ranges.alongMm;
    const auto clamp = [&](const QString& text, std::int32_t kept) {
        const double typed = ReadTyped(text);
        if (typed < along.dMin) {
            return TruncateToMicrons(along.dMin * MicronsPerUnit());
        }
        if (typed > along.dMax) {
            return TruncateToMicrons(along.dMax * MicronsPerUnit());
        }
        return kept;
    };
    return {clamp(textX, stored.x), clamp(textY, stored.y)};
}

RangeCheck CMarkLimits::CheckStep(std::int32_t microns) const {
    return CheckStored(microns, m_bInch ? m_ranges.stepInch : m_ranges.stepMm,
                       msg::kRangeMarkStepMm);
}

RangeCheck CMarkLimits::CheckLength(std::int32_t microns) const {
    return CheckStored(microns, m_bInch ? m_ranges.lengthInch : m_ranges.lengthMm,
                       msg::kRangeMarkLengthMm);
}

RangeCheck CMarkLimits::CheckThickness(std::int32_t microns) const {
    return CheckStored(microns, m_bInch ? m_ranges.thicknessInch : m_ranges.thicknessMm,
                       msg::kRangeMarkThicknessMm);
}

RangeCheck CMarkLimits::CheckTyped(const QString& text, const DoubleRange& limits,
                                   int mmCode) const {
    return limits.Contains(ReadTyped(text)) ? RangeCheck{} : Failure(limits, mmCode);
}

RangeCheck CMarkLimits::CheckStored(std::int32_t microns, const DoubleRange& limits,
                                    int mmCode) const {
    const std::int32_t low = TruncateToMicrons(limits.dMin * MicronsPerUnit());
    const std::int32_t high = TruncateToMicrons(limits.dMax * MicronsPerUnit());
    return microns >= low && microns <= high ? RangeCheck{} : Failure(limits, mmCode);
}

RangeCheck CMarkLimits::Failure(const DoubleRange& limits, int mmCode) const {
    const int decimals = m_bInch ? kInchDecimals : kMmDecimals;
    return {mmCode + (m_bInch ? kInchCodeOffset : 0),
            FormatFixed(limits.dMin, decimals, m_cSeparator),
            FormatFixed(limits.dMax, decimals, m_cSeparator)};
}

double CMarkLimits::ReadTyped(const QString& text) const {
    QString plain = text;
    plain.replace(m_cSeparator, QLatin1Char('.'));
    const QByteArray bytes = plain.toUtf8();
    return ReadLeadingDecimal(std::string_view(bytes.constData(), bytes.size()));
}

double CMarkLimits::MicronsPerUnit() const {
    return m_bInch ? kMicronsPerInch : kMicronsPerMm;
}
