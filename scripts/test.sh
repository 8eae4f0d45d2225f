#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Line tables are all a failing test's stack trace needs; full debug information made a fifth
# of the compile time.
flags="-O2 -g1 -DNDEBUG"
cmake -S . -B build -G Ninja -DQUIRN_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="$flags" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags"
cmake --build build
# Two at a time: most tests wait on timers or on simulated plotters, not on the processor.
ctest --test-dir build --output-on-failure --timeout 300 -j2
