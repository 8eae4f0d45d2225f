// The USB library's IEEE 1284 device-ID matching. Input: the manufacturer, a line feed, the
// model, a line feed, then the device ID's bytes (as the attribute file gives them).
//
// Contract: the ID matches exactly when the first "MANUFACTURER:" and the first "MODEL:" of
// its first 512 bytes (up to a zero byte) carry, up to their ";", the two names in any ASCII
// letter case; nothing is read beyond the given bytes.
#include "FuzzCheck.h"

#include "usbfind/deviceid.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

std::optional<std::string> ValueOf(const std::string& id, const std::string& key) {
    const std::size_t at = id.find(key);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t end = id.find(';', at + key.size());
    if (end == std::string::npos) {
        return std::nullopt;
    }
    return id.substr(at + key.size(), end - at - key.size());
}

bool SameIgnoringCase(const std::optional<std::string>& found, const std::string& wanted) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    if (!found || found->size() != wanted.size()) {
        return false;
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (lower((*found)[i]) != lower(wanted[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t first = input.find('\n');
    const std::size_t second =
        first == std::string_view::npos ? first : input.find('\n', first + 1);
    if (second == std::string_view::npos) {
        return 0;
    }
    // The names are C strings: they end at a zero byte.
    const std::string manufacturer(std::string(input.substr(0, first)).c_str());
    const std::string model(std::string(input.substr(first + 1, second - first - 1)).c_str());
    // The ID in a buffer of its own size, so that reading past it is caught.
    const std::vector<char> id(input.begin() + static_cast<std::ptrdiff_t>(second) + 1,
                               input.end());
    const int matched =
        ZefraDeviceIdMatches(id.data(), id.size(), manufacturer.c_str(), model.c_str());

    std::string seen(id.data(), std::min<std::size_t>(id.size(), kZefraDeviceIdSize));
    seen.resize(std::strlen(seen.c_str()));
    const bool expected = SameIgnoringCase(ValueOf(seen, "MANUFACTURER:"), manufacturer) &&
                          SameIgnoringCase(ValueOf(seen, "MODEL:"), model);
    FUZZ_CHECK(matched == (expected ? 1 : 0));
    return 0;
}
