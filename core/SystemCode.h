#pragma once

#include "platform/SystemVersion.h"

// The class of the running system; the controller runs from code 8 (NT family 5.0) on.
namespace systemcode {

constexpr int kFirstSupported = 8;

int Classify(const platform::VersionFacts& facts);

inline bool IsSupported(int code) {
    return code >= kFirstSupported;
}

} // namespace systemcode
