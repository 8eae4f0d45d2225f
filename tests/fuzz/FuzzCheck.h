#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

// A broken contract ends the run: libFuzzer keeps the input as a crash, and the corpus replay
// in the test suite fails on it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: contract broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The input cut at every `separator`; the pieces do not include it.
inline std::vector<std::string_view> SplitInput(std::string_view data, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t end = data.find(separator);
        parts.push_back(data.substr(0, end));
        if (end == std::string_view::npos) {
            return parts;
        }
        data.remove_prefix(end + 1);
    }
}
