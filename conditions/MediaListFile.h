#pragma once

#include "conditions/CuttingCondition.h"

#include <filesystem>
#include <string>
#include <string_view>

class CPlotterModel;
class CProfileFile;

// One media list file: "<name>.kcd" in the private-profile syntax, validated against the
// connected model's type string, blade catalogue and condition ranges.
namespace medialist {

inline constexpr const char* kExtension = ".kcd";
inline constexpr const char* kProduct = "Vireclip Ver1";
inline constexpr std::size_t kMaxTextLength = 255; // longer texts are cut before comparing

// The leading decimal integer of text with an optional minus sign; 0 without digits. Values
// beyond the int range saturate (they lie outside every bound).
int ParseInteger(std::string_view text);

// True when name can be a media list file name in the folder: not empty, no '/' or NUL,
// not "." or "..". Other names would reach outside the folder.
bool IsSafeName(std::string_view name);

// Reads path and validates it step by step; on acceptance fills record (name = name) and
// returns true. The model must be identified and its catalogue chosen.
bool ReadFile(const std::filesystem::path& path, const std::string& name,
              const CPlotterModel& model, CuttingCondition& record);
// The same steps for a file already read.
bool Validate(const CProfileFile& file, const std::string& name, const CPlotterModel& model,
              CuttingCondition& record);

// Writes the record's keys into path, keeping every other line of an existing file. False
// when the file could not be written; an existing file is then unchanged.
bool WriteFile(const std::filesystem::path& path, const CuttingCondition& record,
               const std::string& typeString);

} // namespace medialist
