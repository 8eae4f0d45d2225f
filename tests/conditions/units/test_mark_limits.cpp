#include "conditions/units/LengthUnits.h"
#include "conditions/units/MarkLimits.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// WX8800-60: across the medium 0-582 mm (0-22.908 inches), along it 0-50000 mm (0-1968.047).
const MarkRange& FirstModel() {
    return MarkRangeTable()[0];
}

enum class Axis { X, Y };

TEST(MarkLimits, DistanceChecksNameTheLimitsOfTheAxisAndOrientation) {
    const struct {
        int unit;
        char separator;
        Axis axis;
        int media;
        const char* typed;
        int code;
        const char* low;
        const char* high;
    } cases[] = {
        {kUnitMetric, '.', Axis::X, 1, "600", 1200, "0.0", "582.0"},
        {kUnitMetric, '.', Axis::X, 1, "582", 0, "", ""},
        {kUnitMetric, '.', Axis::X, 1, "582.1", 1200, "0.0", "582.0"},
        {kUnitMetric, '.', Axis::X, 1, "-0.1", 1200, "0.0", "582.0"},
        {kUnitMetric, '.', Axis::X, 1, "", 0, "", ""},
        {kUnitMetric, '.', Axis::X, 1, "99999999999", 1200, "0.0", "582.0"},
        {kUnitMetric, '.', Axis::X, 0, "600", 0, "", ""},
        {kUnitMetric, '.', Axis::X, 0, "50000.1", 1200, "0.0", "50000.0"},
        {kUnitMetric, '.', Axis::Y, 1, "50000", 0, "", ""},
        {kUnitMetric, '.', Axis::Y, 1, "50000.1", 1202, "0.0", "50000.0"},
        {kUnitMetric, '.', Axis::Y, 0, "600", 1202, "0.0", "582.0"},
        {kUnitMetric, '.', Axis::Y, 0, "-5", 1202, "0.0", "582.0"},
        {kUnitMetric, ',', Axis::X, 1, "582,5", 1200, "0,0", "582,0"},
        {kUnitMetric, ',', Axis::X, 1, "581,9", 0, "", ""},
        {kUnitInch, '.', Axis::X, 1, "22.908", 0, "", ""},
        {kUnitInch, '.', Axis::X, 1, "22.909", 1201, "0.000", "22.908"},
        {kUnitInch, ',', Axis::X, 1, "22,909", 1201, "0,000", "22,908"},
        {kUnitInch, '.', Axis::Y, 1, "1968.048", 1203, "0.000", "1968.047"},
        {kUnitInch, '.', Axis::Y, 0, "22.909", 1203, "0.000", "22.908"},
        {7, '.', Axis::X, 1, "600", 1200, "0.0", "582.0"}, // an unknown unit reads as mm
    };
    for (const auto& c : cases) {
        const CMarkLimits limits(FirstModel(), c.unit, QLatin1Char(c.separator));
        const QString typed = QString::fromLatin1(c.typed);
        const RangeCheck check = c.axis == Axis::X ? limits.CheckDistanceX(typed, c.media)
                                                   : limits.CheckDistanceY(typed, c.media);
        const std::string where = std::string(c.axis == Axis::X ? "X " : "Y ") + c.typed +
                                  " unit " + std::to_string(c.unit) + " media " +
                                  std::to_string(c.media);
        EXPECT_EQ(check.code, c.code) << where;
        EXPECT_EQ(check.low, QString::fromLatin1(c.low)) << where;
        EXPECT_EQ(check.high, QString::fromLatin1(c.high)) << where;
    }
}

TEST(MarkLimits, ClampKeepsTypedDistancesWithinTheRangeAlongTheMedium) {
    const struct {
        int unit;
        const char* typed;
        std::int32_t stored;
        std::int32_t kept;
    } cases[] = {
        {kUnitMetric, "300.5", 300500, 300500},
        {kUnitMetric, "600", 600000, 600000}, // beyond the across range: not clamped
        {kUnitMetric, "50000", 50000000, 50000000},
        {kUnitMetric, "50000.1", 50000100, 50000000},
        {kUnitMetric, "99999999999", kMax, 50000000},
        {kUnitMetric, "-0.5", -500, 0},
        {kUnitMetric, "-99999999999", kMin, 0},
        {kUnitInch, "1968.048", 50000030, 50000005},
        {kUnitInch, "-1", -25405, 0},
        {kUnitInch, "", 0, 0},
    };
    for (const auto& c : cases) {
        const CMarkLimits limits(FirstModel(), c.unit, QLatin1Char('.'));
        const QString typed = QString::fromLatin1(c.typed);
        const MarkDistances kept = limits.ClampDistances(typed, "10", {c.stored, 10000});
        EXPECT_EQ(kept, (MarkDistances{c.kept, 10000})) << c.typed << " unit " << c.unit;
        const MarkDistances keptY = limits.ClampDistances("10", typed, {10000, c.stored});
        EXPECT_EQ(keptY, (MarkDistances{10000, c.kept})) << c.typed << " unit " << c.unit;
    }
}

TEST(MarkLimits, StoredLengthsAreCheckedAgainstTruncatedMicrometreLimits) {
    enum class Kind { Step, Length, Thickness };
    const struct {
        int unit;
        Kind kind;
        std::int32_t microns;
        int code;
        const char* low;
        const char* high;
    } cases[] = {
        {kUnitMetric, Kind::Step, 100000, 0, "", ""},
        {kUnitMetric, Kind::Step, 99999, 1204, "100.0", "10000.0"},
        {kUnitMetric, Kind::Step, 10000000, 0, "", ""},
        {kUnitMetric, Kind::Step, 10000001, 1204, "100.0", "10000.0"},
        {kUnitMetric, Kind::Length, 5000, 0, "", ""},
        {kUnitMetric, Kind::Length, 4999, 1206, "5.0", "20.0"},
        {kUnitMetric, Kind::Length, 20000, 0, "", ""},
        {kUnitMetric, Kind::Length, 20001, 1206, "5.0", "20.0"},
        {kUnitMetric, Kind::Length, kMax, 1206, "5.0", "20.0"},
        {kUnitMetric, Kind::Length, kMin, 1206, "5.0", "20.0"},
        {kUnitMetric, Kind::Thickness, 300, 0, "", ""},
        {kUnitMetric, Kind::Thickness, 299, 1208, "0.3", "1.0"},
        {kUnitMetric, Kind::Thickness, 1000, 0, "", ""},
        {kUnitMetric, Kind::Thickness, 1001, 1208, "0.3", "1.0"},
        {kUnitInch, Kind::Step, 99997, 0, "", ""},
        {kUnitInch, Kind::Step, 99996, 1205, "3.936", "393.609"},
        {kUnitInch, Kind::Step, 9999990, 0, "", ""},
        {kUnitInch, Kind::Step, 9999991, 1205, "3.936", "393.609"},
        {kUnitInch, Kind::Length, 5004, 0, "", ""},
        {kUnitInch, Kind::Length, 4979, 1207, "0.197", "0.787"},
        {kUnitInch, Kind::Length, 19994, 0, "", ""},
        {kUnitInch, Kind::Length, 19995, 1207, "0.197", "0.787"},
        {kUnitInch, Kind::Thickness, 304, 0, "", ""},
        {kUnitInch, Kind::Thickness, 303, 1209, "0.012", "0.039"},
        {kUnitInch, Kind::Thickness, 990, 0, "", ""},
        {kUnitInch, Kind::Thickness, 991, 1209, "0.012", "0.039"},
        {kUnitInch, Kind::Thickness, kMax, 1209, "0.012", "0.039"},
    };
    for (const auto& c : cases) {
        const CMarkLimits limits(FirstModel(), c.unit, QLatin1Char('.'));
        const RangeCheck check = c.kind == Kind::Step     ? limits.CheckStep(c.microns)
                                 : c.kind == Kind::Length ? limits.CheckLength(c.microns)
                                                          : limits.CheckThickness(c.microns);
        EXPECT_EQ(check.code, c.code) << c.microns << " unit " << c.unit;
        EXPECT_EQ(check.low, QString::fromLatin1(c.low)) << c.microns;
        EXPECT_EQ(check.high, QString::fromLatin1(c.high)) << c.microns;
    }
}

} // namespace
