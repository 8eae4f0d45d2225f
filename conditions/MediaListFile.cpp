#include "conditions/MediaListFile.h"

#include "models/PlotterModel.h"
#include "platform/profile/ProfileFile.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace medialist {

namespace {

constexpr const char* kGeneric = "Generic";
constexpr const char* kSetting = "Setting";

std::string ReadText(const CProfileDocument& document, const char* section, const char* key) {
    std::string text = document.Get(section, key).value_or("Error");
    if (text.size() > kMaxTextLength) {
        text.resize(kMaxTextLength);
    }
    return text;
}

// A missing key reads as one below the lower bound, so it always rejects the file.
bool ReadLevel(const CProfileDocument& document, const char* key, const IntRange& bounds,
               int& value) {
    const std::optional<std::string> text = document.Get(kSetting, key);
    value = text ? ParseInteger(*text) : bounds.nMin - 1;
    return bounds.Contains(value);
}

} // namespace

int ParseInteger(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    long long magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min<long long>(magnitude * 10 + (c - '0'), 1LL + INT_MAX);
    }
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool IsSafeName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool Validate(const CProfileDocument& document, const std::string& name, const CPlotterModel& model,
              CuttingCondition& record) {
    const std::string type = model.TypeString();
    const BladeCatalogue& catalogue = model.Catalogue();
    if (type.empty() || catalogue.IsEmpty()) {
        return false;
    }
    if (ReadText(document, kGeneric, "Product") != kProduct ||
        ReadText(document, kGeneric, "Type") != type) {
        return false;
    }
    const int blade = catalogue.IndexOfName(ReadText(document, kSetting, "Cutter"));
    if (blade < 0) {
        return false;
    }
    const ConditionRange ranges = model.ConditionRanges();
    CuttingCondition read{name, catalogue.Entry(blade).strName, 0, 0, 0, 0};
    if (!ReadLevel(document, "Force", ranges.force, read.m_nForce) ||
        !ReadLevel(document, "Speed", ranges.speed, read.m_nSpeed) ||
        !ReadLevel(document, "Quality", ranges.quality, read.m_nQuality)) {
        return false;
    }
    if (catalogue.Entry(blade).role != BladeRole::ToolSeries &&
        !ReadLevel(document, "Offset", catalogue.OffsetRange(blade, ranges), read.m_nOffset)) {
        return false;
    }
    record = std::move(read);
    return true;
}

bool Store(CProfileDocument& document, const CuttingCondition& record,
           const std::string& typeString) {
    return document.Set(kGeneric, "Product", kProduct) &&
           document.Set(kGeneric, "Type", typeString) &&
           document.Set(kSetting, "Cutter", record.m_strBlade) &&
           document.Set(kSetting, "Force", std::to_string(record.m_nForce)) &&
           document.Set(kSetting, "Speed", std::to_string(record.m_nSpeed)) &&
           document.Set(kSetting, "Quality", std::to_string(record.m_nQuality)) &&
           document.Set(kSetting, "Offset", std::to_string(record.m_nOffset));
}

bool ReadFile(const std::filesystem::path& path, const std::string& name,
              const CPlotterModel& model, CuttingCondition& record) {
    return Validate(CProfileFile::Load(path).Document(), name, model, record);
}

bool WriteFile(const std::filesystem::path& path, const CuttingCondition& record,
               const std::string& typeString) {
    CProfileFile file = CProfileFile::Load(path);
    return Store(file.Document(), record, typeString) && file.Save();
}

} // namespace medialist
