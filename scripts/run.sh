#!/usr/bin/env bash
# Installs what is missing, builds the controller and starts it on a simulated plotter.
#
#   bash scripts/run.sh [plottersim options] [-- controller launch parameters]
#
# Without options the plotter is one WX8800-60. Examples:
#   bash scripts/run.sh --model RX3600-60
#   bash scripts/run.sh --model "Nimbo Pro S" --busy -- /CUTMODE
#   bash scripts/run.sh --model WX8800-60 --model RX3600-40      # two plotters: choose one
# `build/plottersim --help` lists every model and fault. On a machine without a display the
# controller runs under xvfb-run, where it can be driven by the tests but not seen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target quirn zefralink plottersim quirn_medialists quirn_languages skin_bitmaps

sim_options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    sim_options+=("$1")
    shift
done
[ "${1:-}" = "--" ] && shift

command=(build/plottersim "${sim_options[@]}" -- build/quirn "$@")
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "${command[@]}"
else
    exec xvfb-run -a -s "-screen 0 1024x768x24" "${command[@]}"
fi
