#pragma once

#include <string>
#include <vector>

// What a user at a terminal may ask of the program without a window: its usage or its
// version. Launch parameters start with '/' or '-', so "--help" is no keyword a caller could
// mean otherwise ("-help" would be ignored as unknown).
namespace terminal {

enum class Request { None, Help, Version };

// The request among the process arguments (the first is the program); Help wins over Version.
Request RequestOf(const std::vector<std::string>& arguments);

// The launch parameters and exit codes, as the manual page gives them.
std::string UsageText();

// "quirn <version>".
std::string VersionText();

} // namespace terminal
