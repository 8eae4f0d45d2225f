#include "conditions/units/LengthUnits.h"
#include "conditions/units/NumberText.h"

#include <QLocale>

#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
const QChar kPoint('.');
const QChar kComma(',');

} // namespace

TEST(ReadLeadingDecimal, ReadsTheLongestLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"", 0.0},      {"-", 0.0},      {".", 0.0},      {"-.", 0.0},       {"12.5", 12.5},
        {"  7", 7.0},   {"\t+3", 3.0},   {"-0.5", -0.5},  {".5", 0.5},       {"5.", 5.0},
        {"3abc", 3.0},  {"1.2.3", 1.2},  {"1e3", 1000.0}, {"1E-2", 0.01},    {"2e", 2.0},
        {"2e+", 2.0},   {"2e+x", 2.0},   {"1,5", 1.0},    {"abc", 0.0},      {"- 1", 0.0},
        {"nan", 0.0},   {"inf", 0.0},    {"-inf", 0.0},   {"infinity", 0.0}, {"0x10", 0.0},
        {"0x1p3", 0.0}, {"1e-400", 0.0}, {"--1", 0.0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadLeadingDecimal(text), expected) << '"' << text << '"';
    }
    EXPECT_EQ(ReadLeadingDecimal("1e400"), HUGE_VAL);
    EXPECT_EQ(ReadLeadingDecimal("-1e400"), -HUGE_VAL);
}

TEST(ReadLeadingInteger, ReadsTheLeadingWholeNumber) {
    const std::pair<const char*, long long> cases[] = {
        {"", 0},
        {"-", 0},
        {"42", 42},
        {" -17x", -17},
        {"+8", 8},
        {"3.9", 3},
        {"abc", 0},
        {"99999999999999999999999", 1'000'000'000'000'000LL},
        {"-99999999999999999999999", -1'000'000'000'000'000LL},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadLeadingInteger(text), expected) << '"' << text << '"';
    }
}

TEST(TruncateToMicrons, TruncatesTowardZeroAndSaturates) {
    const std::pair<double, std::int32_t> cases[] = {
        {32299.999999999996, 32299},
        {-500.9, -500},
        {0.99, 0},
        {-0.99, 0},
        {2147483646.9, 2147483646},
        {2147483647.0, kMax},
        {2147483648.0, kMax},
        {1e300, kMax},
        {HUGE_VAL, kMax},
        {-2147483648.0, kMin},
        {-2147483649.5, kMin},
        {-HUGE_VAL, kMin},
        {std::nan(""), 0},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(TruncateToMicrons(value), expected) << value;
    }
}

TEST(DecimalLength, TypedTextsStoreTheseMicrometres) {
    const struct {
        const char* text;
        int unit;
        QChar separator;
        std::int32_t microns;
    } cases[] = {
        {"32.3", kUnitMetric, kPoint, 32299},
        {"12,5", kUnitMetric, kComma, 12500},
        {"12.5", kUnitMetric, kComma, 12500},
        {"-0.5", kUnitMetric, kPoint, -500},
        {"", kUnitMetric, kPoint, 0},
        {"-", kUnitMetric, kPoint, 0},
        {"1.000", kUnitInch, kPoint, 25405},
        {"19.685", kUnitInch, kPoint, 500115},
        {"0.197", kUnitInch, kPoint, 5004},
        {"0.196", kUnitInch, kPoint, 4979},
        {"99.9", kUnitMetric, kPoint, 99900},
        {"582", kUnitMetric, kPoint, 582000},
        {"nan", kUnitMetric, kPoint, 0},
        {"inf", kUnitInch, kPoint, 0},
        {"2147483.647", kUnitMetric, kPoint, 2147483647},
        {"99999999999", kUnitMetric, kPoint, kMax},
        {"-99999999999", kUnitMetric, kPoint, kMin},
        {"1e400", kUnitInch, kPoint, kMax},
        {"-1e400", kUnitMetric, kPoint, kMin},
    };
    for (const auto& c : cases) {
        const std::optional<std::int32_t> microns =
            ParseDecimalLength(QString::fromLatin1(c.text), c.unit, c.separator);
        ASSERT_TRUE(microns.has_value()) << c.text;
        EXPECT_EQ(*microns, c.microns) << '"' << c.text << "\" unit " << c.unit;
    }
}

TEST(DecimalLength, StoredMicrometresShowAsThese) {
    const struct {
        std::int32_t microns;
        int unit;
        QChar separator;
        const char* text;
    } cases[] = {
        {32299, kUnitMetric, kPoint, "32.3"},     {12500, kUnitMetric, kComma, "12,5"},
        {-500, kUnitMetric, kPoint, "-0.5"},      {0, kUnitMetric, kPoint, "0.0"},
        {25405, kUnitInch, kPoint, "1.000"},      {500115, kUnitInch, kComma, "19,685"},
        {582000, kUnitMetric, kPoint, "582.0"},   {50, kUnitMetric, kPoint, "0.1"},
        {kMax, kUnitMetric, kPoint, "2147483.6"}, {kMin, kUnitMetric, kPoint, "-2147483.6"},
        {kMax, kUnitInch, kPoint, "84526.966"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDecimalLength(c.microns, c.unit, c.separator), QString::fromLatin1(c.text))
            << c.microns << " unit " << c.unit;
    }
}

// Whatever a user types with the allowed decimals shows again exactly as typed.
TEST(DecimalLength, TypedValuesShowAgainAsTyped) {
    for (int tenths = -20000; tenths <= 20000; ++tenths) {
        const QString typed = FormatFixed(tenths / 10.0, 1, kComma);
        const auto microns = ParseDecimalLength(typed, kUnitMetric, kComma);
        ASSERT_TRUE(microns.has_value());
        ASSERT_EQ(FormatDecimalLength(*microns, kUnitMetric, kComma), typed) << tenths;
    }
    for (int thousandths = 0; thousandths <= 60000; ++thousandths) {
        const QString typed = FormatFixed(thousandths / 1000.0, 3, kPoint);
        const auto microns = ParseDecimalLength(typed, kUnitInch, kPoint);
        ASSERT_TRUE(microns.has_value());
        ASSERT_EQ(FormatDecimalLength(*microns, kUnitInch, kPoint), typed) << thousandths;
    }
}

TEST(DecimalLength, UnknownUnitShowsNothingAndReadsNothing) {
    for (int unit : {-1, 2, 7}) {
        EXPECT_EQ(FormatDecimalLength(12500, unit, kPoint), QString()) << unit;
        EXPECT_FALSE(ParseDecimalLength("12.5", unit, kPoint).has_value()) << unit;
        EXPECT_EQ(FormatWholeLength(12500, WholeLength::PageLength, unit), QString()) << unit;
        EXPECT_FALSE(ParseWholeLength("12", WholeLength::FeedLength, unit).has_value()) << unit;
    }
}

TEST(FormatFixed, FormatsLikePrintfWithTheSeparator) {
    const struct {
        double value;
        int decimals;
        QChar separator;
        const char* text;
    } cases[] = {
        {2.0, 2, kComma, "2,00"},      {-2.0, 2, kPoint, "-2.00"},
        {0.05, 1, kPoint, "0.1"},      {0.25, 1, kPoint, "0.2"},
        {0.35, 1, kPoint, "0.3"},      {2.675, 2, kPoint, "2.67"},
        {22.908, 3, kComma, "22,908"}, {1968.047, 3, kPoint, "1968.047"},
        {-0.04, 1, kPoint, "-0.0"},    {5.0, 0, kComma, "5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.separator), QString::fromLatin1(c.text))
            << c.value;
    }
}

TEST(WholeLength, TypedNumbersStoreTheseMicrometres) {
    const struct {
        const char* text;
        WholeLength kind;
        int unit;
        std::int32_t microns;
    } cases[] = {
        {"5000", WholeLength::PageLength, kUnitMetric, 50000000},
        {"5001", WholeLength::PageLength, kUnitMetric, 50010000},
        {"1968", WholeLength::PageLength, kUnitInch, 49998811},
        {"1969", WholeLength::PageLength, kUnitInch, 50024217},
        {"2", WholeLength::FeedLength, kUnitInch, 609741},
        {"50", WholeLength::FeedLength, kUnitMetric, 50000000},
        {"-5", WholeLength::FeedLength, kUnitMetric, -5000000},
        {"", WholeLength::PageLength, kUnitMetric, 0},
        {"x", WholeLength::FeedLength, kUnitInch, 0},
        {"214748", WholeLength::PageLength, kUnitMetric, 2147480000},
        {"214749", WholeLength::PageLength, kUnitMetric, kMax},
        {"2148", WholeLength::FeedLength, kUnitMetric, kMax},
        {"-2148", WholeLength::FeedLength, kUnitMetric, kMin},
        {"99999999999999999999", WholeLength::FeedLength, kUnitInch, kMax},
    };
    for (const auto& c : cases) {
        const auto microns = ParseWholeLength(QString::fromLatin1(c.text), c.kind, c.unit);
        ASSERT_TRUE(microns.has_value()) << c.text;
        EXPECT_EQ(*microns, c.microns) << '"' << c.text << "\" unit " << c.unit;
    }
}

TEST(WholeLength, StoredMicrometresShowRounded) {
    const struct {
        std::int32_t microns;
        WholeLength kind;
        int unit;
        const char* text;
    } cases[] = {
        {609741, WholeLength::FeedLength, kUnitInch, "2"},
        {49998811, WholeLength::PageLength, kUnitInch, "1968"},
        {50000000, WholeLength::PageLength, kUnitMetric, "5000"},
        {14999, WholeLength::PageLength, kUnitMetric, "1"},
        {15000, WholeLength::PageLength, kUnitMetric, "2"},
        {10000000, WholeLength::FeedLength, kUnitMetric, "10"},
        {499999, WholeLength::FeedLength, kUnitMetric, "0"},
        {kMax, WholeLength::PageLength, kUnitMetric, "214748"},
        {kMin, WholeLength::FeedLength, kUnitInch, "-7043"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatWholeLength(c.microns, c.kind, c.unit), QString::fromLatin1(c.text))
            << c.microns;
    }
}
