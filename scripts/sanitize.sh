#!/usr/bin/env bash
# Sanitizer runs: every test under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# tests of the two threads that share the plotter port (port lock, retry timer, protocol
# operations) under ThreadSanitizer. Run after scripts/test.sh, which installs what is needed.
set -euo pipefail
cd "$(dirname "$0")/.."

# The umockdev preload is not the first library of a process, which ASan would refuse; and
# Qt's caches are freed by the system at exit, so leak reports would only be noise.
export ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1

# -O1 and line tables, as the sanitizers advise: the reports keep their file and line, and the
# test programs (gtest macros compiled with instrumentation) build in 60 % of the time.
flags="-O1 -g1 -DNDEBUG"
config=(-G Ninja -DQUIRN_WERROR=ON -DQUIRN_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="$flags" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags")

cmake -S . -B build-asan "${config[@]}" -DQUIRN_SANITIZE=ON
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure --timeout 600 -j2

tsan_tests=(link_port_tests test_retry test_protocol_operations)
cmake -S . -B build-tsan "${config[@]}" -DQUIRN_TSAN=ON
# The build runs the bitmap generator, whose Qt thread pool (not instrumented) would be
# reported; only the tests below are judged.
TSAN_OPTIONS=report_bugs=0 cmake --build build-tsan --target "${tsan_tests[@]}"
for t in "${tsan_tests[@]}"; do
    TSAN_OPTIONS=halt_on_error=1 "build-tsan/tests/$t"
done
