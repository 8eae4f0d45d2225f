#include "models/PlotterTables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PlotterTables, FamiliesInProbingOrder) {
    struct Row {
        const char* name;
        const char* usb;
        const char* token;
        int layout;
        bool fan, area, crossCut, advanced;
    };
    const Row expected[] = {
        {"WX8800", "WX8800", "MORVALIN WX8800", 136, true, true, true, true},
        {"Nimbo-Pro", "RX2400-40-NP", "MORVALIN NIMBO PRO", 136, true, false, false, false},
        {"Nimbo Pro S", "RX3600-40-NP", "MORVALIN NIMBO PRO S", 137, false, true, false, true},
        {"RX3600", "RX3600", "MORVALIN RX3600", 137, false, true, false, true},
    };
    ASSERT_EQ(FamilyTable().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const FamilyRow& row = FamilyTable()[i];
        EXPECT_EQ(std::string(row.pszFamilyName), expected[i].name);
        EXPECT_EQ(std::string(row.pszUsbModel), expected[i].usb);
        EXPECT_EQ(std::string(row.pszPrinterToken), expected[i].token);
        EXPECT_EQ(row.nAdvancedLayout, expected[i].layout);
        EXPECT_EQ(row.bFanPower, expected[i].fan);
        EXPECT_EQ(row.bAreaCorrection, expected[i].area);
        EXPECT_EQ(row.bCrossCut, expected[i].crossCut);
        EXPECT_EQ(row.bAdvancedSettings, expected[i].advanced);
    }
}

TEST(PlotterTables, ModelsInIndexOrder) {
    struct Row {
        const char* type;
        const char* display;
        int family;
    };
    const Row expected[] = {
        {"WX8800-60", "WX8800-60", 0},   {"WX8800-75", "WX8800-75", 0},
        {"WX8800-100", "WX8800-100", 0}, {"WX8800-130", "WX8800-130", 0},
        {"WX8800-160", "WX8800-160", 0}, {"Nimbo-Pro2", "Nimbo-Pro2", 1},
        {"Nimbo Pro S", "Nimbo Pro", 2}, {"RX3600-40", "RX3600-40", 3},
        {"RX3600-60", "RX3600-60", 3},   {"RX3600-120", "RX3600-120", 3},
    };
    ASSERT_EQ(ModelTable().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::string(ModelTable()[i].pszTypeString), expected[i].type);
        EXPECT_EQ(std::string(ModelTable()[i].pszDisplayName), expected[i].display);
        EXPECT_EQ(ModelTable()[i].nFamily, expected[i].family);
    }
}

TEST(PlotterTables, ConditionRanges) {
    // force, speed, quality, ordinary offset, pen offset, Other offset
    const int expected[10][12] = {
        {1, 48, 1, 105, 1, 8, -5, 5, 1, 99, 1, 45},
        {1, 48, 1, 105, 1, 8, -5, 5, 1, 99, 1, 45},
        {1, 48, 1, 105, 1, 8, -5, 5, 1, 99, 1, 45},
        {1, 48, 1, 105, 1, 8, -5, 5, 1, 99, 1, 45},
        {1, 48, 1, 105, 1, 8, -5, 5, 1, 99, 1, 45},
        {1, 31, 1, 40, 1, 1, -5, 5, -999, -999, -999, -999},
        {1, 31, 1, 60, 1, 3, -5, 5, -999, -999, -999, -999},
        {1, 31, 1, 60, 1, 3, -5, 5, -999, -999, -999, -999},
        {1, 31, 1, 60, 1, 3, -5, 5, -999, -999, -999, -999},
        {1, 38, 1, 71, 1, 2, -5, 5, -999, -999, -999, -999},
    };
    for (int m = 0; m < kModelCount; ++m) {
        SCOPED_TRACE(m);
        const ConditionRange& r = ConditionRangeTable()[m];
        const IntRange got[] = {r.force,       r.speed,     r.quality,
                                r.offsetBlade, r.offsetPen, r.offsetOther};
        for (int c = 0; c < 6; ++c) {
            EXPECT_EQ(got[c].nMin, expected[m][2 * c]) << "column " << c;
            EXPECT_EQ(got[c].nMax, expected[m][2 * c + 1]) << "column " << c;
        }
    }
}

TEST(PlotterTables, AdvancedRanges) {
    const AdvancedRange full{{0, 50000},   {0, 1968}, {0, 60},     {0, 20},    {0, 20},
                             {914, 50913}, {3, 167},  {-2.0, 2.0}, {0.0, 0.9}, {0.0, 0.035}};
    for (int m = 0; m < kModelCount; ++m) {
        SCOPED_TRACE(m);
        const AdvancedRange& r = AdvancedRangeTable()[m];
        if (m != 5) {
            EXPECT_EQ(r, full);
            continue;
        }
        for (const IntRange& i :
             {r.pageLengthMm, r.pageLengthInch, r.offsetAngle, r.initialDownForce, r.stepPass,
              r.feedLengthMm, r.feedLengthFeet}) {
            EXPECT_EQ(i, (IntRange{-999, -999}));
        }
        for (const DoubleRange& d : {r.distanceAdjust, r.tangentialMm, r.tangentialInch}) {
            EXPECT_EQ(d, (DoubleRange{-999.0, -999.0}));
        }
    }
}

TEST(PlotterTables, PenUpSpeeds) {
    const PenUpSpeedRow wx{0, 10, 20, 30, 40, 50, 60};
    const PenUpSpeedRow none{-999, -999, -999, -999, -999, -999, -999};
    const PenUpSpeedRow rx{0, 10, 20, 30, 60, -999, -999};
    const PenUpSpeedRow expected[] = {wx, wx, wx, wx, wx, none, rx, rx, rx, rx};
    for (int m = 0; m < kModelCount; ++m) {
        EXPECT_EQ(PenUpSpeedTable()[m], expected[m]) << "model " << m;
    }
}

TEST(PlotterTables, MarkRanges) {
    const double acrossMm[] = {582, 732, 1037, 1342, 1596, 355, 355, 355, 583, 1193};
    const double acrossInch[] = {22.908, 28.812, 40.817, 52.822, 62.82,
                                 13.973, 13.973, 13.973, 22.947, 46.958};
    for (int m = 0; m < kModelCount; ++m) {
        SCOPED_TRACE(m);
        const MarkRange& r = MarkRangeTable()[m];
        EXPECT_EQ(r.acrossMm, (DoubleRange{0.0, acrossMm[m]}));
        EXPECT_EQ(r.acrossInch, (DoubleRange{0.0, acrossInch[m]}));
        EXPECT_EQ(r.alongMm, (DoubleRange{0.0, 50000.0}));
        EXPECT_EQ(r.alongInch, (DoubleRange{0.0, 1968.047}));
        EXPECT_EQ(r.lengthMm, (DoubleRange{5.0, 20.0}));
        EXPECT_EQ(r.lengthInch, (DoubleRange{0.197, 0.787}));
        EXPECT_EQ(r.thicknessMm, (DoubleRange{0.3, 1.0}));
        EXPECT_EQ(r.thicknessInch, (DoubleRange{0.012, 0.039}));
        if (m == 5) {
            EXPECT_EQ(r.stepMm, (DoubleRange{-999.9, -999.9}));
            EXPECT_EQ(r.stepInch, (DoubleRange{-999.9, -999.9}));
        } else {
            EXPECT_EQ(r.stepMm, (DoubleRange{100.0, 10000.0}));
            EXPECT_EQ(r.stepInch, (DoubleRange{3.936, 393.609}));
        }
    }
}

} // namespace
