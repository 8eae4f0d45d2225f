#pragma once

#include "models/PlotterTables.h"
#include "protocol/AdvancedSettings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Parsing of the plotter's replies (the text before ETX, leading white space removed). Every
// Parse function returns 0 or msg::kReadFailed (1008) and writes its output only on success,
// so a rejected reply leaves the target as it was. Ranges are inclusive at both ends.
namespace proto {

// The leading decimal integer: blanks skipped, optional sign, digits; no digits gives 0.
// Saturates at the int limits instead of overflowing.
int LeadingInteger(std::string_view text);

// The leading decimal number: blanks skipped, optional sign, digits, optional point with
// digits, optional exponent; no number gives 0. Words such as "inf" or "nan" and hexadecimal
// forms are not numbers here.
double LeadingDecimal(std::string_view text);

// Fields separated by ","; each field after the first has leading white space removed.
std::vector<std::string_view> SplitFields(std::string_view text);

int ParseStepSize(std::string_view reply, int& stepSize);

// Splits "model , firmware" and trims both; the model is not identified here.
int ParseModelAndFirmware(std::string_view reply, std::string& model, std::string& firmware);

// A '0' / '1' reply.
int ParseFlag(std::string_view reply, int& value);

// A '1' / '2' reply (tangential mode).
int ParseTangentialMode(std::string_view reply, int& mode);

// An integer, divided by `divisor` (truncated) and checked against `range`.
int ParseScaledInt(std::string_view reply, int divisor, IntRange range, int& value);

// The functions below that convert one of the plotter's numbers also keep it with the value
// it became (`read`, or the entry's own `...Read` fields), truncated to a whole number, so
// that an unchanged value can go back exactly as it came.

// A length in steps: mm = trunc(d / stepsPerMm) checked against `mmRange`, stored in um.
int ParseLength(std::string_view reply, int stepsPerMm, IntRange mmRange, int& um,
                std::optional<AsRead<int>>& read);

// Pen-up speed, not range checked: by value for family 0, else an index into `table`
// (an index outside 0-6 stays as it is).
void ParsePenUpSpeed(std::string_view reply, bool byIndex, const std::array<int, 7>& table,
                     int& value, std::optional<AsRead<int>>& read);

// "f,d": auto pre-feed flag and feed length in steps, checked in mm, stored in um.
int ParseAutoPreFeed(std::string_view reply, int stepsPerMm, IntRange mmRange, int& on, int& feedUm,
                     std::optional<AsRead<int>>& read);

// "f,a,b": L = a x 0.01 - 2.0, W = b x 0.01 - 2.0 in percent, both checked against `range`.
int ParseDistanceAdjust(std::string_view reply, DoubleRange range,
                        AdvancedSettings::DistanceAdjust& entry);

// "f,a,b": start and end in steps, exact mm checked against `mmRange`, stored in um.
int ParseTangentialEmulation(std::string_view reply, int stepsPerMm, DoubleRange mmRange,
                             AdvancedSettings::TangentialEmulation& entry);

// Mark reading state: "10…" -> 3; '0', '1', '2' -> 0, 1, 2.
int ParseMarkReadState(std::string_view reply, int& state);

// Enter-wait state: "10…" -> 5; '0', '1', '2', '6', '8' -> 0, 1, 2, 3, 4.
int ParseEnterState(std::string_view reply, int& state);

} // namespace proto
