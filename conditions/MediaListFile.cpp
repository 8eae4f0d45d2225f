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

std::string ReadText(const CProfileFile& file, const char* section, const char* key) {
    std::string text = file.GetString(section, key, "Error");
    if (text.size() > kMaxTextLength) {
        text.resize(kMaxTextLength);
    }
    return text;
}

// A missing key reads as one below the lower bound, so it always rejects the file.
bool ReadLevel(const CProfileFile& file, const char* key, const IntRange& bounds, int& value) {
    const std::optional<std::string> text = file.Get(kSetting, key);
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

bool ReadFile(const std::filesystem::path& path, const std::string& name,
              const CPlotterModel& model, CuttingCondition& record) {
    return !model.TypeString().empty() && !model.Catalogue().IsEmpty() &&
           Validate(CProfileFile::Load(path), name, model, record);
}

bool Validate(const CProfileFile& file, const std::string& name, const CPlotterModel& model,
              CuttingCondition& record) {
    const std::string type = model.TypeString();
    const BladeCatalogue& catalogue = model.Catalogue();
    if (type.empty() || catalogue.IsEmpty()) {
        return false;
    }
    if (ReadText(file, kGeneric, "Product") != kProduct ||
        ReadText(file, kGeneric, "Type") != type) {
        return false;
    }
    const int blade = catalogue.IndexOfName(ReadText(file, kSetting, "Cutter"));
    if (blade < 0) {
        return false;
    }
    const ConditionRange ranges = model.ConditionRanges();
    CuttingCondition read{name, catalogue.Entry(blade).strName, 0, 0, 0, 0};
    if (!ReadLevel(file, "Force", ranges.force, read.m_nForce) ||
        !ReadLevel(file, "Speed", ranges.speed, read.m_nSpeed) ||
        !ReadLevel(file, "Quality", ranges.quality, read.m_nQuality)) {
        return false;
    }
    if (catalogue.Entry(blade).role != BladeRole::ToolSeries &&
        !ReadLevel(file, "Offset", catalogue.OffsetRange(blade, ranges), read.m_nOffset)) {
        return false;
    }
    record = std::move(read);
    return true;
}

bool WriteFile(const std::filesystem::path& path, const CuttingCondition& record,
               const std::string& typeString) {
    CProfileFile file = CProfileFile::Load(path);
    return file.SetString(kGeneric, "Product", kProduct) &&
           file.SetString(kGeneric, "Type", typeString) &&
           file.SetString(kSetting, "Cutter", record.m_strBlade) &&
           file.SetString(kSetting, "Force", std::to_string(record.m_nForce)) &&
           file.SetString(kSetting, "Speed", std::to_string(record.m_nSpeed)) &&
           file.SetString(kSetting, "Quality", std::to_string(record.m_nQuality)) &&
           file.SetString(kSetting, "Offset", std::to_string(record.m_nOffset)) && file.Save();
}

} // namespace medialist
