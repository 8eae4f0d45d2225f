#include "models/PlotterTables.h"

namespace {

constexpr std::array<FamilyRow, kFamilyCount> kFamilies{{
    {"WX8800", "WX8800", "MORVALIN WX8800", 136, true, true, true, true},
    {"Nimbo-Pro", "RX2400-40-NP", "MORVALIN NIMBO PRO", 136, true, false, false, false},
    {"Nimbo Pro S", "RX3600-40-NP", "MORVALIN NIMBO PRO S", 137, false, true, false, true},
    {"RX3600", "RX3600", "MORVALIN RX3600", 137, false, true, false, true},
}};

constexpr std::array<ModelRow, kModelCount> kModels{{
    {"WX8800-60", "WX8800-60", 0},
    {"WX8800-75", "WX8800-75", 0},
    {"WX8800-100", "WX8800-100", 0},
    {"WX8800-130", "WX8800-130", 0},
    {"WX8800-160", "WX8800-160", 0},
    {"Nimbo-Pro2", "Nimbo-Pro2", 1},
    {"Nimbo Pro S", "Nimbo Pro", 2},
    {"RX3600-40", "RX3600-40", 3},
    {"RX3600-60", "RX3600-60", 3},
    {"RX3600-120", "RX3600-120", 3},
}};

constexpr IntRange kNone{kNoValue, kNoValue};
constexpr IntRange kOrdinaryOffset{-5, 5};
constexpr ConditionRange kWx8800Conditions{{1, 48},         {1, 105}, {1, 8},
                                           kOrdinaryOffset, {1, 99},  {1, 45}};
constexpr ConditionRange kRx3600Conditions{{1, 31}, {1, 60}, {1, 3}, kOrdinaryOffset, kNone, kNone};

constexpr std::array<ConditionRange, kModelCount> kConditionRanges{{
    kWx8800Conditions,
    kWx8800Conditions,
    kWx8800Conditions,
    kWx8800Conditions,
    kWx8800Conditions,
    {{1, 31}, {1, 40}, {1, 1}, kOrdinaryOffset, kNone, kNone},
    kRx3600Conditions,
    kRx3600Conditions,
    kRx3600Conditions,
    {{1, 38}, {1, 71}, {1, 2}, kOrdinaryOffset, kNone, kNone},
}};

constexpr AdvancedRange kAdvanced{{0, 50000},   {0, 1968}, {0, 60},     {0, 20},    {0, 20},
                                  {914, 50913}, {3, 167},  {-2.0, 2.0}, {0.0, 0.9}, {0.0, 0.035}};
constexpr DoubleRange kNoneD{kNoValueD, kNoValueD};
constexpr AdvancedRange kNoAdvanced{kNone, kNone, kNone,  kNone,  kNone,
                                    kNone, kNone, kNoneD, kNoneD, kNoneD};

constexpr std::array<AdvancedRange, kModelCount> kAdvancedRanges{{
    kAdvanced,
    kAdvanced,
    kAdvanced,
    kAdvanced,
    kAdvanced,
    kNoAdvanced,
    kAdvanced,
    kAdvanced,
    kAdvanced,
    kAdvanced,
}};

constexpr PenUpSpeedRow kWx8800PenUp{0, 10, 20, 30, 40, 50, 60};
constexpr PenUpSpeedRow kNoPenUp{kNoValue, kNoValue, kNoValue, kNoValue,
                                 kNoValue, kNoValue, kNoValue};
constexpr PenUpSpeedRow kRx3600PenUp{0, 10, 20, 30, 60, kNoValue, kNoValue};

constexpr std::array<PenUpSpeedRow, kModelCount> kPenUpSpeeds{{
    kWx8800PenUp,
    kWx8800PenUp,
    kWx8800PenUp,
    kWx8800PenUp,
    kWx8800PenUp,
    kNoPenUp,
    kRx3600PenUp,
    kRx3600PenUp,
    kRx3600PenUp,
    kRx3600PenUp,
}};

// Every row shares all bounds but the across maximum (and the Nimbo-Pro2's step, which it
// lacks because it has no Area method).
constexpr MarkRange MarkRow(double acrossMaxMm, double acrossMaxInch, bool hasStep = true) {
    return MarkRange{
        {0.0, acrossMaxMm},
        {0.0, 50000.0},
        {0.0, acrossMaxInch},
        {0.0, 1968.047},
        hasStep ? DoubleRange{100.0, 10000.0} : DoubleRange{kNoMarkStep, kNoMarkStep},
        hasStep ? DoubleRange{3.936, 393.609} : DoubleRange{kNoMarkStep, kNoMarkStep},
        {5.0, 20.0},
        {0.197, 0.787},
        {0.3, 1.0},
        {0.012, 0.039},
    };
}

constexpr std::array<MarkRange, kModelCount> kMarkRanges{{
    MarkRow(582, 22.908),
    MarkRow(732, 28.812),
    MarkRow(1037, 40.817),
    MarkRow(1342, 52.822),
    MarkRow(1596, 62.82),
    MarkRow(355, 13.973, false),
    MarkRow(355, 13.973),
    MarkRow(355, 13.973),
    MarkRow(583, 22.947),
    MarkRow(1193, 46.958),
}};

} // namespace

const std::array<FamilyRow, kFamilyCount>& FamilyTable() {
    return kFamilies;
}
const std::array<ModelRow, kModelCount>& ModelTable() {
    return kModels;
}
const std::array<ConditionRange, kModelCount>& ConditionRangeTable() {
    return kConditionRanges;
}
const std::array<AdvancedRange, kModelCount>& AdvancedRangeTable() {
    return kAdvancedRanges;
}
const std::array<PenUpSpeedRow, kModelCount>& PenUpSpeedTable() {
    return kPenUpSpeeds;
}
const std::array<MarkRange, kModelCount>& MarkRangeTable() {
    return kMarkRanges;
}
