// Feeds every file of one fuzz target's corpus (QUIRN_FUZZ_CORPUS) through the target's
// LLVMFuzzerTestOneInput, so the suite keeps every input the fuzzer found interesting or
// crashing without needing clang. A broken contract aborts; the input's name is printed first.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TEST(FuzzCorpus, EveryInputKeepsTheContract) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUIRN_FUZZ_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string data{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        std::fprintf(stderr, "input %s\n", entry.path().filename().c_str());
        EXPECT_EQ(
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()),
            0);
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

} // namespace
