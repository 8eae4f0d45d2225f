#include "core/SystemCode.h"

namespace systemcode {
namespace {

int ClassifyWindows9x(const platform::VersionFacts& facts) {
    if (facts.major != 4) {
        return 0;
    }
    if (facts.minor < 10) {
        return 2;
    }
    if (facts.minor < 90) {
        // The second editions carry " A " or " B " in their service text.
        return facts.serviceText == " A " || facts.serviceText == " B " ? 4 : 3;
    }
    return 5;
}

int ClassifyWindowsNt(const platform::VersionFacts& facts) {
    if (facts.major == 3) {
        return facts.minor >= 51 ? 6 : 0;
    }
    if (facts.major == 4) {
        return 7;
    }
    if (facts.major == 5) {
        return facts.minor == 0 ? 8 : 9;
    }
    if (facts.major == 6) {
        return facts.minor == 0 ? 10 : 11;
    }
    return facts.major >= 7 ? 12 : 0;
}

} // namespace

int Classify(const platform::VersionFacts& facts) {
    if (!facts.readable) {
        return 0;
    }
    switch (facts.family) {
    case platform::VersionFacts::Family::Win32s:
        return 1;
    case platform::VersionFacts::Family::Windows9x:
        return ClassifyWindows9x(facts);
    case platform::VersionFacts::Family::WindowsNt:
        return ClassifyWindowsNt(facts);
    case platform::VersionFacts::Family::Unknown:
        break;
    }
    return 0;
}

} // namespace systemcode
