#!/bin/bash
# Idle CPU and peak memory of a running controller on a simulated plotter, beside an idle
# empty dialog of the main window's size (bare_dialog) and the simulator itself, all measured
# over the same seconds so that load from other programs falls on all of them alike.
#   bash bench/startup/idle.sh [BUILD_FOLDER] [SECONDS]     (defaults: build 30)
# CPU is utime + stime from /proc/<pid>/stat over the window, as a share of one core; memory
# is VmHWM from /proc/<pid>/status at the end.
set -euo pipefail
build=${1:-build}
seconds=${2:-30}
settle=5
home=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen HOME=$home XDG_CONFIG_HOME=$home XDG_RUNTIME_DIR=$home
chmod 700 "$home"

"$build/plottersim" --model WX8800-60 -- "$build/quirn" 2>/dev/null &
sim=$!
pids+=("$sim")
"$build/bench/bare_dialog" 2>/dev/null &
bare=$!
pids+=("$bare")
sleep "$settle"
quirn=$(pgrep -P "$sim" | head -n1)
[ -n "$quirn" ] || { echo "the controller did not start" >&2; exit 1; }

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hwm() { awk '/^VmHWM:/ {print $2}' "/proc/$1/status"; }
declare -A before
for pid in "$quirn" "$bare" "$sim"; do before[$pid]=$(ticks "$pid"); done
sleep "$seconds"
hz=$(getconf CLK_TCK)
report() {
    local used=$(($(ticks "$2") - before[$2]))
    awk -v n="$1" -v t="$used" -v hz="$hz" -v s="$seconds" -v k="$(hwm "$2")" \
        'BEGIN {printf "%-12s cpu %6.3f %% of a core over %d s   VmHWM %7.1f MB\n", n, 100 * t / hz / s, s, k / 1024}'
}
report quirn "$quirn"
report bare_dialog "$bare"
report plottersim "$sim"
