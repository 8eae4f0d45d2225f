#include "ui/dialogs/ConditionRules.h"

#include "core/messages/MessageCodes.h"

#include <algorithm>

namespace condrules {

namespace {

constexpr std::string_view kInvalidCharacters = "\\/:*?\"<>|";
constexpr int kWideOffsetPageStep = 5;
constexpr int kBladeOffsetPageStep = 1;

} // namespace

int CheckMediaName(std::string_view name) {
    if (name.empty() || name.find_first_of(kInvalidCharacters) != std::string_view::npos) {
        return msg::kInvalidName;
    }
    return msg::kOk;
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
