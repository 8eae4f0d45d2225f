#include "models/PlotterModel.h"

#include "core/messages/MessageCodes.h"

#include <algorithm>
#include <cctype>

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

bool IsFamily(int family) {
    return family >= 0 && family < kFamilyCount;
}

// Tool numbers 1..8 name these string ids; family 0 knows all eight, the others 1..4. On
// family 0, tool 8 names the closing "Undefined" entry: the light pointer.
constexpr std::array<int, 8> kFamilyZeroTools{2701, 2704, 2709, 2714, 2715, 2718, 2719, 2720};
constexpr std::array<int, 4> kOtherFamilyTools{2702, 2703, 2709, 2714};

constexpr std::array<int, 4> kStepsPerMm{10, 20, 40, 100};

} // namespace

bool CPlotterModel::Identify(std::string_view typeString, bool demo) {
    m_nFamily = -1;
    m_nModel = -1;
    if (demo && typeString.empty()) {
        m_nModel = kDemoModelIndex;
    } else {
        for (int i = 0; i < kModelCount; ++i) {
            if (EqualNoCase(typeString, ModelTable()[i].pszTypeString)) {
                m_nModel = i;
                break;
            }
        }
    }
    if (m_nModel < 0) {
        return false;
    }
    m_nFamily = ModelTable()[m_nModel].nFamily;
    return true;
}

void CPlotterModel::SelectBladeCatalogue(int languageId, const BladeCatalogue::NameLookup& lookup) {
    m_toolEntries.fill(-1);
    if (!IsFamily(m_nFamily)) {
        m_catalogue = BladeCatalogue();
        return;
    }
    if (m_nFamily == 0) {
        m_catalogue =
            BladeCatalogue::Make(languageId == kJapaneseLanguageId ? BladeCatalogue::Kind::Japanese
                                                                   : BladeCatalogue::Kind::Full,
                                 lookup);
        for (int t = 0; t < kToolNumberCount; ++t) {
            m_toolEntries[t] = m_catalogue.IndexOfStringId(kFamilyZeroTools[t]);
        }
    } else {
        m_catalogue = BladeCatalogue::Make(BladeCatalogue::Kind::Compact, lookup);
        for (std::size_t t = 0; t < kOtherFamilyTools.size(); ++t) {
            m_toolEntries[t] = m_catalogue.IndexOfStringId(kOtherFamilyTools[t]);
        }
    }
}

std::string CPlotterModel::FamilyName(int family) {
    return IsFamily(family) ? FamilyTable()[family].pszFamilyName : std::string();
}

std::string CPlotterModel::UsbModelString(int family) {
    return IsFamily(family) ? FamilyTable()[family].pszUsbModel : std::string();
}

std::string CPlotterModel::UsbModelForFamilyName(std::string_view name) {
    for (const FamilyRow& row : FamilyTable()) {
        if (EqualNoCase(name, row.pszFamilyName)) {
            return row.pszUsbModel;
        }
    }
    return {};
}

void CPlotterModel::SetFamilyIndex(int family) {
    m_nFamily = IsFamily(family) ? family : -1;
}

bool CPlotterModel::MatchesPrinterDescription(std::string_view upperDescription) const {
    if (!IsFamily(m_nFamily)) {
        return false;
    }
    if (upperDescription.find(FamilyTable()[m_nFamily].pszPrinterToken) == std::string::npos) {
        return false;
    }
    // The family-1 token is a prefix of the family-2 token: a Nimbo Pro S queue is not ours.
    return m_nFamily != 1 ||
           upperDescription.find(FamilyTable()[2].pszPrinterToken) == std::string::npos;
}

std::string CPlotterModel::TypeString() const {
    return HasModel() ? ModelTable()[m_nModel].pszTypeString : std::string();
}

std::string CPlotterModel::DisplayName() const {
    return HasModel() ? ModelTable()[m_nModel].pszDisplayName : std::string();
}

int CPlotterModel::StepsPerMillimetre() const {
    return m_nStepSize >= 0 && m_nStepSize < static_cast<int>(kStepsPerMm.size())
               ? kStepsPerMm[m_nStepSize]
               : 0;
}

int CPlotterModel::ToolEntryForNumber(int toolNumber) const {
    if (toolNumber < 1 || toolNumber > kToolNumberCount) {
        return -1;
    }
    return m_toolEntries[toolNumber - 1];
}

bool CPlotterModel::IsLightPointerEntry(int position) const {
    return !m_catalogue.IsEmpty() && position == m_catalogue.UndefinedIndex();
}

int CPlotterModel::PenUpSpeedValue(int index) const {
    if (!HasModel() || index < 0 || index >= kPenUpSpeedCount) {
        return index;
    }
    return PenUpSpeedTable()[m_nModel][index];
}

int CPlotterModel::PenUpSpeedIndex(int value) const {
    if (!HasModel()) {
        return value;
    }
    const PenUpSpeedRow& row = PenUpSpeedTable()[m_nModel];
    const auto it = std::ranges::find(row, value);
    return it == row.end() ? value : static_cast<int>(it - row.begin());
}

ConditionRange CPlotterModel::ConditionRanges() const {
    constexpr IntRange kNone{kNoValue, kNoValue};
    return HasModel() ? ConditionRangeTable()[m_nModel]
                      : ConditionRange{kNone, kNone, kNone, kNone, kNone, kNone};
}

AdvancedRange CPlotterModel::AdvancedRanges() const {
    // Model 5 holds the "none" row.
    return AdvancedRangeTable()[HasModel() ? m_nModel : 5];
}

MarkRange CPlotterModel::MarkRanges() const {
    constexpr DoubleRange kNone{kNoValueD, kNoValueD};
    return HasModel() ? MarkRangeTable()[m_nModel] : MarkRange{kNone, kNone, kNone, kNone, kNone,
                                                               kNone, kNone, kNone, kNone, kNone};
}

PenUpSpeedRow CPlotterModel::PenUpSpeeds() const {
    return PenUpSpeedTable()[HasModel() ? m_nModel : 5];
}

bool CPlotterModel::HasQualitySetting() const {
    return m_nModel != 5;
}

bool CPlotterModel::HasFanPower() const {
    return IsFamily(m_nFamily) && FamilyTable()[m_nFamily].bFanPower;
}

int CPlotterModel::AdvancedLayout() const {
    return IsFamily(m_nFamily) ? FamilyTable()[m_nFamily].nAdvancedLayout : 136;
}

bool CPlotterModel::HasAdvancedSettings() const {
    return m_nFamily != 1;
}

bool CPlotterModel::SupportsAreaCorrection() const {
    return m_nFamily != 1;
}

int CPlotterModel::CheckCorrectionMethod(int method) const {
    const int highest = SupportsAreaCorrection() ? 3 : 2;
    return method >= 0 && method <= highest ? msg::kOk : msg::kBadCorrectionMethod;
}

int CPlotterModel::CheckMarkType(int markType) const {
    return markType == 0 || markType == 1 ? msg::kOk : msg::kBadMarkType;
}
