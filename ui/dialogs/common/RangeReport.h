#pragma once

#include "conditions/units/MarkLimits.h"

class QLineEdit;

// Reports a failed range check the way every window does: the range message with its two
// limits, then the focus in the offending edit with its whole text selected and the caret in
// view. True when the check passed and nothing was shown.
[[nodiscard]] bool PassesRangeCheck(const RangeCheck& check, QLineEdit* edit);
