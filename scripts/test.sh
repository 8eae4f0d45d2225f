#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DQUIRN_WERROR=ON
cmake --build build
# Two at a time: most tests wait on timers or on simulated plotters, not on the processor.
ctest --test-dir build --output-on-failure --timeout 300 -j2
