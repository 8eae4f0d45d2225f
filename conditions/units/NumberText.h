#pragma once

#include <string_view>

// Reading numbers the way "%lf" and "%d" read them, independent of the process locale.

// The longest leading decimal number of `text` (blanks skipped; optional sign, digits, point,
// digits, optional exponent). No number gives 0. Only this plain form is read: "nan", "inf"
// and hexadecimal texts give 0. Too large a magnitude gives an infinity of its sign.
double ReadLeadingDecimal(std::string_view text);

// The leading whole number of `text` (blanks skipped, optional sign, digits). No number gives
// 0. The magnitude is capped at 10^15, far beyond any length in micrometres.
long long ReadLeadingInteger(std::string_view text);
