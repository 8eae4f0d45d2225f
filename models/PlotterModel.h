#pragma once

#include "models/BladeCatalogue.h"
#include "models/PlotterTables.h"

#include <array>
#include <string>
#include <string_view>

// The connected plotter's identity and the per-model tables that follow from it. The family
// is set when the port opens, the model by the model-and-firmware query, and the blade
// catalogue once after that.
class CPlotterModel {
public:
    static constexpr int kJapaneseLanguageId = 1041;
    static constexpr const char* kManufacturer = "Morvalin"; // passed with the USB model string
    static constexpr const char* kDemoFirmware = "V9.99";
    static constexpr int kDemoModelIndex = 1; // "WX8800-75", when DEMO names no model
    static constexpr int kToolNumberCount = 8;

    // Sets family and model index from the first type string equal to typeString regardless
    // of case. No match leaves both at -1, except an empty text in demo mode. True on a match.
    bool Identify(std::string_view typeString, bool demo = false);

    // Chooses the blade catalogue and the tool-number map for the identified family and the
    // UI language. lookup gives the blade names in that language.
    void SelectBladeCatalogue(int languageId, const BladeCatalogue::NameLookup& lookup = {});

    // Family lookups for opening the port; they do not depend on the connected plotter.
    static int FamilyCount() { return kFamilyCount; }
    static std::string FamilyName(int family);
    static std::string UsbModelString(int family);
    static std::string UsbModelForFamilyName(std::string_view name);

    void SetFamilyIndex(int family);
    int FamilyIndex() const { return m_nFamily; }
    int ModelIndex() const { return m_nModel; }

    // Whether a spooler printer's upper-cased description names a queue of the connected
    // family.
    bool MatchesPrinterDescription(std::string_view upperDescription) const;

    std::string TypeString() const;
    std::string DisplayName() const;

    void SetFirmwareVersion(std::string firmware) { m_strFirmware = std::move(firmware); }
    const std::string& FirmwareVersion() const { return m_strFirmware; }

    void SetStepSize(int stepSize) { m_nStepSize = stepSize; }
    int StepSize() const { return m_nStepSize; }
    // {10, 20, 40, 100}[StepSize]; 0 while the step size is unknown.
    int StepsPerMillimetre() const;

    const BladeCatalogue& Catalogue() const { return m_catalogue; }
    // Catalogue position of the blade the plotter reports as tool number t; the "Undefined"
    // position for the light pointer (tool 8 on family 0); -1 for a number the family lacks.
    int ToolEntryForNumber(int toolNumber) const;
    bool IsLightPointerEntry(int position) const;

    int PenUpSpeedValue(int index) const;
    int PenUpSpeedIndex(int value) const;

    // The connected model's rows; a row of -999 bounds while no model is identified.
    ConditionRange ConditionRanges() const;
    AdvancedRange AdvancedRanges() const;
    MarkRange MarkRanges() const;
    PenUpSpeedRow PenUpSpeeds() const;

    bool HasQualitySetting() const;
    bool HasFanPower() const;
    int AdvancedLayout() const;
    bool HasAdvancedSettings() const;
    bool SupportsAreaCorrection() const;
    bool IsFamilyZero() const { return m_nFamily == 0; }

    // Launch values: 0 when accepted on the connected family, else 1404 / 1405.
    int CheckCorrectionMethod(int method) const;
    int CheckMarkType(int markType) const;

private:
    bool HasModel() const { return m_nModel >= 0 && m_nModel < kModelCount; }

    int m_nFamily = -1;
    int m_nModel = -1;
    std::string m_strFirmware;
    int m_nStepSize = -1;
    BladeCatalogue m_catalogue;
    // Catalogue position per tool number 1..8; -1 where the family has no such tool.
    std::array<int, kToolNumberCount> m_toolEntries{-1, -1, -1, -1, -1, -1, -1, -1};
};
