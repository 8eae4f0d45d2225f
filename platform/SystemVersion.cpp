#include "platform/SystemVersion.h"

namespace platform {

VersionFacts CurrentVersionFacts() {
    return VersionFacts{true, VersionFacts::Family::WindowsNt, 10, 0, {}};
}

} // namespace platform
