#include "models/PlotterModel.h"

#include "core/messages/MessageCodes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CPlotterModel Identified(const char* type, int languageId = 1033) {
    CPlotterModel model;
    EXPECT_TRUE(model.Identify(type));
    model.SelectBladeCatalogue(languageId);
    return model;
}

TEST(PlotterModel, IdentifyIgnoresCase) {
    struct Case {
        const char* reply;
        bool demo;
        int model;
        int family;
        const char* display;
    };
    const Case cases[] = {
        {"rx3600-60", false, 8, 3, "RX3600-60"},
        {"RX3600-120", false, 9, 3, "RX3600-120"},
        {"Nimbo Pro S", false, 6, 2, "Nimbo Pro"},
        {"nimbo-pro2", false, 5, 1, "Nimbo-Pro2"},
        {"WX8800-60", false, 0, 0, "WX8800-60"},
        {"", true, 1, 0, "WX8800-75"},
        {"RX3600-40", true, 7, 3, "RX3600-40"},
        {"", false, -1, -1, ""},
        {"RX3600", false, -1, -1, ""},
        {"RX3600-60 ", false, -1, -1, ""},
        {"Bogus", true, -1, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        CPlotterModel model;
        model.SetFamilyIndex(2); // a stale family never survives a failed identification
        EXPECT_EQ(model.Identify(c.reply, c.demo), c.model >= 0);
        EXPECT_EQ(model.ModelIndex(), c.model);
        EXPECT_EQ(model.FamilyIndex(), c.family);
        EXPECT_EQ(model.DisplayName(), c.display);
    }
}

TEST(PlotterModel, NimboProSTypeAndDisplayDiffer) {
    const CPlotterModel model = Identified("Nimbo Pro S");
    EXPECT_EQ(model.TypeString(), "Nimbo Pro S");
    EXPECT_EQ(model.DisplayName(), "Nimbo Pro");
}

TEST(PlotterModel, FamilyLookups) {
    EXPECT_EQ(CPlotterModel::FamilyCount(), 4);
    EXPECT_EQ(CPlotterModel::UsbModelForFamilyName("nimbo-pro"), "RX2400-40-NP");
    EXPECT_EQ(CPlotterModel::UsbModelForFamilyName("NIMBO PRO S"), "RX3600-40-NP");
    EXPECT_EQ(CPlotterModel::UsbModelForFamilyName("wx8800"), "WX8800");
    EXPECT_EQ(CPlotterModel::UsbModelForFamilyName("WX8800-75"), "");
    EXPECT_EQ(CPlotterModel::UsbModelForFamilyName(""), "");
    EXPECT_EQ(CPlotterModel::FamilyName(3), "RX3600");
    EXPECT_EQ(CPlotterModel::UsbModelString(1), "RX2400-40-NP");
    EXPECT_EQ(CPlotterModel::FamilyName(4), "");
    EXPECT_EQ(CPlotterModel::UsbModelString(-1), "");
}

TEST(PlotterModel, PrinterDescriptionMatching) {
    struct Case {
        int family;
        const char* description;
        bool matches;
    };
    const Case cases[] = {
        {0, "MORVALIN WX8800-60 CUTTER", true},
        {0, "MORVALIN RX3600", false},
        {1, "MORVALIN NIMBO PRO", true},
        {1, "MORVALIN NIMBO PRO S", false},
        {1, "MORVALIN NIMBO PRO SERIES", false}, // the family-2 token is a prefix of it
        {2, "MORVALIN NIMBO PRO S", true},
        {2, "MORVALIN NIMBO PRO", false},
        {3, "XX MORVALIN RX3600 YY", true},
        {3, "morvalin rx3600", false}, // the caller upper-cases
        {-1, "MORVALIN WX8800", false},
    };
    for (const Case& c : cases) {
        CPlotterModel model;
        model.SetFamilyIndex(c.family);
        EXPECT_EQ(model.MatchesPrinterDescription(c.description), c.matches)
            << c.family << " " << c.description;
    }
}

TEST(PlotterModel, PenUpSpeedTravelsAsIndexOrValue) {
    const CPlotterModel rx = Identified("RX3600-60");
    EXPECT_EQ(rx.PenUpSpeedIndex(60), 4);
    EXPECT_EQ(rx.PenUpSpeedValue(4), 60);
    EXPECT_EQ(rx.PenUpSpeedIndex(0), 0);
    EXPECT_EQ(rx.PenUpSpeedIndex(45), 45); // not in the table: unchanged
    EXPECT_EQ(rx.PenUpSpeedValue(7), 7);
    EXPECT_EQ(rx.PenUpSpeedValue(-1), -1);
    EXPECT_EQ(rx.PenUpSpeedValue(5), -999);

    const CPlotterModel wx = Identified("WX8800-75");
    EXPECT_EQ(wx.PenUpSpeedIndex(60), 6);
    EXPECT_EQ(wx.PenUpSpeedValue(6), 60);
    EXPECT_TRUE(wx.IsFamilyZero());

    const CPlotterModel nimbo = Identified("Nimbo-Pro2");
    EXPECT_EQ(nimbo.PenUpSpeedIndex(-999), 0);
    EXPECT_EQ(nimbo.PenUpSpeedValue(3), -999);

    const CPlotterModel none;
    EXPECT_EQ(none.PenUpSpeedIndex(60), 60);
    EXPECT_EQ(none.PenUpSpeedValue(4), 4);
}

TEST(PlotterModel, ToolNumberMap) {
    struct Case {
        const char* type;
        int language;
        int tool;
        const char* blade; // nullptr: -1; "Undefined": the light pointer
    };
    const Case cases[] = {
        {"WX8800-60", 1041, 3, "KR16U"},        {"WX8800-60", 1041, 1, "LM300 Series"},
        {"WX8800-60", 1041, 2, "KR10A (1)"},    {"WX8800-60", 1041, 4, "KR16UB"},
        {"WX8800-60", 1041, 5, "KR16U-M30"},    {"WX8800-60", 1041, 6, "PNH40-TQ20"},
        {"WX8800-60", 1041, 7, "Other"},        {"WX8800-60", 1041, 8, "Undefined"},
        {"WX8800-160", 1033, 3, "KR16U"},       {"WX8800-160", 1033, 8, "Undefined"},
        {"WX8800-160", 1033, 0, nullptr},       {"WX8800-160", 1033, 9, nullptr},
        {"RX3600-60", 1033, 1, "LM400 Series"}, {"RX3600-60", 1041, 2, "KR10A"},
        {"Nimbo Pro S", 1033, 3, "KR16U"},      {"Nimbo-Pro2", 1033, 4, "KR16UB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " tool " + std::to_string(c.tool));
        const CPlotterModel model = Identified(c.type, c.language);
        const int entry = model.ToolEntryForNumber(c.tool);
        if (c.blade == nullptr) {
            EXPECT_EQ(entry, -1);
            continue;
        }
        ASSERT_GE(entry, 0);
        EXPECT_EQ(model.Catalogue().Entry(entry).strName, c.blade);
        EXPECT_EQ(model.IsLightPointerEntry(entry), std::string(c.blade) == "Undefined");
    }
    // Japanese family 0: tool 3 is the sixth entry, not the eighth.
    EXPECT_EQ(Identified("WX8800-60", 1041).ToolEntryForNumber(3), 5);
    EXPECT_EQ(Identified("WX8800-60", 1033).ToolEntryForNumber(3), 7);
    for (const char* type : {"Nimbo-Pro2", "Nimbo Pro S", "RX3600-40", "RX3600-120"}) {
        const CPlotterModel model = Identified(type);
        for (int tool = 5; tool <= 8; ++tool) {
            EXPECT_EQ(model.ToolEntryForNumber(tool), -1) << type << " tool " << tool;
        }
    }
    EXPECT_EQ(CPlotterModel().ToolEntryForNumber(1), -1);
}

TEST(PlotterModel, CatalogueFollowsFamilyAndLanguage) {
    struct Case {
        const char* type;
        int language;
        int offered;
    };
    const Case cases[] = {{"WX8800-75", 1033, 18},  {"WX8800-75", 1041, 14},
                          {"WX8800-75", 1031, 18},  {"RX3600-40", 1041, 4},
                          {"Nimbo Pro S", 1033, 4}, {"Nimbo-Pro2", 1041, 4}};
    for (const Case& c : cases) {
        EXPECT_EQ(Identified(c.type, c.language).Catalogue().OfferedCount(), c.offered)
            << c.type << " " << c.language;
    }
}

TEST(PlotterModel, FeatureTests) {
    struct Case {
        const char* type;
        bool quality, fan;
        int layout;
        bool advanced, area, familyZero;
    };
    const Case cases[] = {
        {"WX8800-130", true, true, 136, true, true, true},
        {"Nimbo-Pro2", false, true, 136, false, false, false},
        {"Nimbo Pro S", true, false, 137, true, true, false},
        {"RX3600-120", true, false, 137, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const CPlotterModel m = Identified(c.type);
        EXPECT_EQ(m.HasQualitySetting(), c.quality);
        EXPECT_EQ(m.HasFanPower(), c.fan);
        EXPECT_EQ(m.AdvancedLayout(), c.layout);
        EXPECT_EQ(m.HasAdvancedSettings(), c.advanced);
        EXPECT_EQ(m.SupportsAreaCorrection(), c.area);
        EXPECT_EQ(m.IsFamilyZero(), c.familyZero);
        // The feature tests agree with the family table.
        const FamilyRow& row = FamilyTable()[m.FamilyIndex()];
        EXPECT_EQ(row.bAreaCorrection, c.area);
        EXPECT_EQ(row.bAdvancedSettings, c.advanced);
        EXPECT_EQ(row.bCrossCut, c.familyZero);
    }
}

TEST(PlotterModel, LaunchValueChecks) {
    for (const char* type : {"WX8800-60", "Nimbo Pro S", "RX3600-60"}) {
        const CPlotterModel m = Identified(type);
        for (int method = -1; method <= 5; ++method) {
            EXPECT_EQ(m.CheckCorrectionMethod(method),
                      method >= 0 && method <= 3 ? msg::kOk : msg::kBadCorrectionMethod)
                << type << " " << method;
        }
    }
    const CPlotterModel nimbo = Identified("Nimbo-Pro2");
    EXPECT_EQ(nimbo.CheckCorrectionMethod(2), msg::kOk);
    EXPECT_EQ(nimbo.CheckCorrectionMethod(3), msg::kBadCorrectionMethod);
    for (int type = -1; type <= 3; ++type) {
        EXPECT_EQ(nimbo.CheckMarkType(type), type == 0 || type == 1 ? msg::kOk : msg::kBadMarkType);
    }
}

TEST(PlotterModel, StepsPerMillimetre) {
    CPlotterModel m;
    const int expected[] = {10, 20, 40, 100};
    for (int s = 0; s < 4; ++s) {
        m.SetStepSize(s);
        EXPECT_EQ(m.StepSize(), s);
        EXPECT_EQ(m.StepsPerMillimetre(), expected[s]);
    }
    m.SetStepSize(4);
    EXPECT_EQ(m.StepsPerMillimetre(), 0);
    m.SetStepSize(-1);
    EXPECT_EQ(m.StepsPerMillimetre(), 0);
}

TEST(PlotterModel, RowsOfTheConnectedModel) {
    const CPlotterModel m = Identified("RX3600-120");
    EXPECT_EQ(m.ConditionRanges().force, (IntRange{1, 38}));
    EXPECT_EQ(m.MarkRanges().acrossMm, (DoubleRange{0.0, 1193.0}));
    EXPECT_EQ(m.PenUpSpeeds()[4], 60);
    const CPlotterModel none;
    EXPECT_EQ(none.ConditionRanges().force, (IntRange{-999, -999}));
    EXPECT_EQ(none.AdvancedRanges().offsetAngle, (IntRange{-999, -999}));
    EXPECT_EQ(none.TypeString(), "");
}

TEST(PlotterModel, DemoFirmware) {
    CPlotterModel m;
    ASSERT_TRUE(m.Identify("", true));
    m.SetFirmwareVersion(CPlotterModel::kDemoFirmware);
    EXPECT_EQ(m.TypeString(), "WX8800-75");
    EXPECT_EQ(m.FirmwareVersion(), "V9.99");
}

} // namespace
