#!/usr/bin/env bash
# Takes the pictures of docs/registration-marks.md from the real controller on simulated
# plotters, on an X server of its own (Xvfb): the orientation and mark panel in its states and
# the two mark windows. Needs a built program folder, xvfb-run, imagemagick and xdotool.
#
#   bash scripts/mark-screens.sh [folder]        # default docs/screens
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-docs/screens}")"
mkdir -p "$out"

if [ -z "${MARK_SCREENS_INSIDE:-}" ]; then
    exec env MARK_SCREENS_INSIDE=1 xvfb-run -a -s "-screen 0 800x600x24" "$0" "$out"
fi

build="$(realpath build)"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT

# shot NAME "SETTINGS" "SIM OPTIONS" "LAUNCH PARAMETERS" [ACTIONS]
# SETTINGS are key=value pairs of the remembered group "Status". ACTIONS run once the main
# window shows, with $window its id; then the whole screen (WHOLE=1) or the main window is taken.
shot() {
    local name="$1" settings="$2" sim="$3" args="$4" actions="${5:-}"
    rm -rf "$home/config"
    mkdir -p "$home/config/Morvalin" "$home/runtime"
    chmod 700 "$home/runtime"
    { echo "[Status]"; tr ' ' '\n' <<<"$settings"; } >"$home/config/Morvalin/Vireclip.conf"
    # shellcheck disable=SC2086
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" LC_ALL=C \
        "$build/plottersim" $sim -- "$build/quirn" $args &
    local pid=$!
    local window
    window="$(xdotool search --sync --onlyvisible --name '^Morvalin Vireclip$' | head -1)"
    xdotool windowfocus --sync "$window"
    sleep 1
    if [ -n "$actions" ]; then
        eval "$actions"
        sleep 1
    fi
    if [ -n "${WHOLE:-}" ]; then
        import -window root "$out/$name.png"
    else
        import -window "$window" "$out/$name.png"
    fi
    kill "$pid"
    wait "$pid" || true
    echo "$out/$name.png"
}

# A click at a point of the main window's client area.
click() {
    local x y
    x="$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^X=//p')"
    y="$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^Y=//p')"
    xdotool mousemove "$((x + $1))" "$((y + $2))" click 1
}

marks="TomboRead=1 TomboAuto=1 TomboDisX=300000 TomboDisY=200000"

shot panel-marks-on "$marks" "" ""
shot panel-marks-off "TomboRead=0" "" ""
shot panel-cut-automatic "$marks" "" "/CUTMODE"
shot panel-by-hand-inch "UnitType=1 TomboRead=1 TomboAuto=0 TomboDisX=300000 TomboDisY=200000" \
    "" "/CUTMODE"
shot panel-portrait-rotated-mirror "$marks ImageType=1" \
    "--reply C31;20=1\x03 --reply C31;26=1\x03" ""
shot panel-no-mark-reading "$marks" "--reply C31;17=0\x03" ""
WHOLE=1 shot message-distance-x "${marks/TomboDisX=300000/TomboDisX=60000000}" "" \
    "/CUTMODE" 'xdotool key Return'
WHOLE=1 shot window-mark-settings "$marks" "" "" 'click 460 407'
WHOLE=1 shot window-mark-reading "$marks" "--marks-succeed-after 1000" "" 'xdotool key F7'
