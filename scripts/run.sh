#!/usr/bin/env bash
# Installs what is missing, builds the controller and starts it. Extra arguments are passed
# to the controller as launch parameters.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target quirn zefralink
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/quirn /DEMO "$@"
else
    exec xvfb-run -a build/quirn /DEMO "$@"
fi
