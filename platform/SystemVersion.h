#pragma once

#include <string>

namespace platform {

// The facts of the running system from which the program decides whether it may run.
struct VersionFacts {
    enum class Family { Unknown, Win32s, Windows9x, WindowsNt };

    bool readable = false;
    Family family = Family::Unknown;
    int major = 0;
    int minor = 0;
    std::string serviceText;
};

// Linux offers everything the controller needs, so it reports itself as a current NT-family
// system.
VersionFacts CurrentVersionFacts();

} // namespace platform
