#pragma once

#include <string>
#include <vector>

// Runs a program with the given arguments, waits for it and returns its exit code and
// standard output. Tests use it for plottersim and the library probe.
struct ProcessResult {
    int exitCode = -1;
    std::string output;
    std::vector<std::string> Lines() const;
};

ProcessResult RunProcess(const std::vector<std::string>& argv);

// plottersim with `simOptions`, running the probe on the built library with `steps`.
ProcessResult RunProbe(const std::vector<std::string>& simOptions,
                       const std::vector<std::string>& steps);
