#include "ui/dialogs/conditions/ConditionRules.h"

#include "core/messages/MessageCodes.h"

#include <algorithm>

namespace condrules {

namespace {

constexpr std::string_view kInvalidCharacters = "\\/:*?\"<>|";
constexpr int kWideOffsetPageStep = 5;
constexpr int kBladeOffsetPageStep = 1;

} // namespace

int CheckMediaName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(kInvalidCharacters) != std::string_view::npos) {
        return msg::kInvalidName;
    }
    return msg::kOk;
}

std::string FreeName(const std::string& name,
                     const std::function<bool(const std::string&)>& taken) {
    if (!taken(name)) {
        return name;
    }
    // "Vinyl (2)" copied again becomes "Vinyl (3)", not "Vinyl (2) (2)".
    std::string base = name;
    int number = 2;
    if (const std::size_t open = name.rfind(" (");
        open != std::string::npos && name.ends_with(')')) {
        const std::string digits = name.substr(open + 2, name.size() - open - 3);
        if (!digits.empty() && digits.size() < 9 && digits.front() != '0' &&
            std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) {
            base = name.substr(0, open);
            number = std::max(2, std::stoi(digits));
        }
    }
    for (;; ++number) {
        std::string numbered = base + " (" + std::to_string(number) + ")";
        if (!taken(numbered)) {
            return numbered;
        }
    }
}

int ScrolledLevel(ScrollRequest request, int current, int dragged, IntRange bounds, int pageStep) {
    int wanted = current;
    switch (request) {
    case ScrollRequest::LineLeft:
        wanted = current - 1;
        break;
    case ScrollRequest::LineRight:
        wanted = current + 1;
        break;
    case ScrollRequest::PageLeft:
        wanted = current - pageStep;
        break;
    case ScrollRequest::PageRight:
        wanted = current + pageStep;
        break;
    case ScrollRequest::ThumbTrack:
    case ScrollRequest::ThumbPosition:
        wanted = dragged;
        break;
    }
    return std::clamp(wanted, bounds.nMin, std::max(bounds.nMin, bounds.nMax));
}

OffsetRule OffsetRuleFor(const BladeCatalogue& catalogue, int bladeIndex,
                         const ConditionRange& ranges) {
    const int index = bladeIndex >= 0 && bladeIndex < catalogue.OfferedCount()
                          ? bladeIndex
                          : catalogue.UndefinedIndex();
    const BladeRole role = catalogue.IsEmpty() ? BladeRole::Ordinary : catalogue.Entry(index).role;
    const IntRange bounds =
        catalogue.IsEmpty() ? ranges.offsetBlade : catalogue.OffsetRange(index, ranges);
    const bool wide = role == BladeRole::PenAdapter || role == BladeRole::Other;
    return {bounds, role != BladeRole::ToolSeries,
            wide ? kWideOffsetPageStep : kBladeOffsetPageStep};
}

} // namespace condrules
