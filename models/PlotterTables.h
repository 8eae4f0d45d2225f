#pragma once

#include <array>

// Fixed tables of the supported plotters: four families probed on USB in table order, ten
// models in model-index order, and the per-model bounds of every setting the controller sends.

struct FamilyRow {
    const char* pszFamilyName;   // listed in the plotter choice window, named by MODEL
    const char* pszUsbModel;     // MODEL value of the device's IEEE 1284 device ID
    const char* pszPrinterToken; // marks a spooler queue as one of this family's
    int nAdvancedLayout;         // 136 or 137: which advanced-settings window and commands
    bool bFanPower;
    bool bAreaCorrection;
    bool bCrossCut;
    bool bAdvancedSettings;
};

struct ModelRow {
    const char* pszTypeString;  // what the plotter reports; names the media list folder
    const char* pszDisplayName; // shown in the main window's title
    int nFamily;
};

inline constexpr int kNoValue = -999; // "not offered on this model"
inline constexpr double kNoValueD = -999.0;
inline constexpr double kNoMarkStep = -999.9;

// Inclusive bounds. A range whose upper bound is a "not offered" placeholder contains nothing,
// not even the placeholder itself.
struct IntRange {
    int nMin;
    int nMax;
    bool Contains(int value) const { return nMax > kNoValue && value >= nMin && value <= nMax; }
    bool operator==(const IntRange&) const = default;
};

struct DoubleRange {
    double dMin;
    double dMax;
    bool Contains(double value) const { return dMax > kNoValueD && value >= dMin && value <= dMax; }
    bool operator==(const DoubleRange&) const = default;
};

// Bounds of the cutting-condition levels of one model. The pen and Other offset columns
// hold -999 where the model's catalogue has no such entry.
struct ConditionRange {
    IntRange force;
    IntRange speed;
    IntRange quality;
    IntRange offsetBlade;
    IntRange offsetPen;
    IntRange offsetOther;
    bool operator==(const ConditionRange&) const = default;
};

// Bounds of the advanced settings of one model; -999 everywhere for a model without them.
struct AdvancedRange {
    IntRange pageLengthMm;
    IntRange pageLengthInch;
    IntRange offsetAngle;
    IntRange initialDownForce;
    IntRange stepPass;
    IntRange feedLengthMm;
    IntRange feedLengthFeet;
    DoubleRange distanceAdjust; // L and W, percent
    DoubleRange tangentialMm;   // start and end
    DoubleRange tangentialInch; // start and end
    bool operator==(const AdvancedRange&) const = default;
};

// Registration-mark bounds of one model, 20 doubles in the order the mark settings use.
struct MarkRange {
    DoubleRange acrossMm;
    DoubleRange alongMm;
    DoubleRange acrossInch;
    DoubleRange alongInch;
    DoubleRange stepMm;
    DoubleRange stepInch;
    DoubleRange lengthMm;
    DoubleRange lengthInch;
    DoubleRange thicknessMm;
    DoubleRange thicknessInch;
    bool operator==(const MarkRange&) const = default;
};

inline constexpr int kFamilyCount = 4;
inline constexpr int kModelCount = 10;
inline constexpr int kPenUpSpeedCount = 7;

using PenUpSpeedRow = std::array<int, kPenUpSpeedCount>;

const std::array<FamilyRow, kFamilyCount>& FamilyTable();
const std::array<ModelRow, kModelCount>& ModelTable();
const std::array<ConditionRange, kModelCount>& ConditionRangeTable();
const std::array<AdvancedRange, kModelCount>& AdvancedRangeTable();
const std::array<PenUpSpeedRow, kModelCount>& PenUpSpeedTable();
const std::array<MarkRange, kModelCount>& MarkRangeTable();
