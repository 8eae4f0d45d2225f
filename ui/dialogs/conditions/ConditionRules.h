#pragma once

// The rules of the condition edit window that need no window: which names a media list may
// have, and how the four levels move on their sliders.

#include "models/BladeCatalogue.h"
#include "models/PlotterTables.h"
#include "skin/SkinSlider.h"

#include <functional>
#include <string>
#include <string_view>

namespace condrules {

// Page steps of the sliders: force and speed move by 5, quality by 1; the offset by 5 for the
// pen adapter and "Other", whose offsets span up to 99, and by 1 for the blades.
inline constexpr int kForcePageStep = 5;
inline constexpr int kSpeedPageStep = 5;
inline constexpr int kQualityPageStep = 1;

// 0, or 1303 when a typed name is empty (the file would have no name), is "." or ".." (names
// of folders, not files) or holds a character no file name may hold: \ / : * ? " < > |
[[nodiscard]] int CheckMediaName(std::string_view name);

// The name a new list is proposed under: `name` itself while no list has it, else `name`
// numbered " (2)", " (3)" … (a number `name` already ends in counted on), the first one free.
std::string FreeName(const std::string& name, const std::function<bool(const std::string&)>& taken);

// Where a level goes on a slider request: a line moves by one, a page by `pageStep`, the
// thumb to the dragged value; never outside the bounds.
int ScrolledLevel(ScrollRequest request, int current, int dragged, IntRange bounds, int pageStep);

// The offset level by the blade's role: a tool series takes none (0 to 0, not offered), the
// pen adapter and "Other" their own bounds, every other blade (and a name the catalogue lacks)
// the blade bounds.
struct OffsetRule {
    IntRange bounds;
    bool offered;
    int pageStep;
};
OffsetRule OffsetRuleFor(const BladeCatalogue& catalogue, int bladeIndex,
                         const ConditionRange& ranges);

} // namespace condrules
