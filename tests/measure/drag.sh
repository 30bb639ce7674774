#!/usr/bin/env bash
# drag.sh [SECONDS]: what holding the mouse button still during a drag costs.
# Starts the widget under a private Xvfb with openbox, then measures for
# SECONDS (default 10) each: idle, and with the button held on the background
# after a small move. Prints the processor share of one core (utime + stime
# from /proc) and the context switches a second (voluntary and involuntary,
# from /proc/PID/status), which count the process's wake-ups.
#
# Environment: TALORAN_BUILD_DIR (default <repo>/build) or TALORAN_BIN.
# Run by hand; this is not a CTest test.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${TALORAN_BIN:-${TALORAN_BUILD_DIR:-$root/build}/app/taloran}
seconds=${1:-10}
tmp=$(mktemp -d "${TMPDIR:-/tmp}/taloran-drag.XXXXXX")
pids=()
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

export XDG_CONFIG_HOME=$tmp/config
mkdir -p "$XDG_CONFIG_HOME"
unset WAYLAND_DISPLAY SESSION_MANAGER
for display in $(seq 150 199); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] || break
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=:$display
sleep 1
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
QT_QPA_PLATFORM=xcb "$bin" >/dev/null 2>&1 &
app=$!
pids+=("$app")
sleep 2

wid=
for w in $(xdotool search --all --pid "$app" --name '.'); do
    xwininfo -id "$w" | grep -q 'Width: 800$' && wid=$w
done
[[ -n $wid ]] || { echo "drag.sh: the widget's window was not found" >&2; exit 1; }

cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
switches() { awk '/ctxt_switches/ {s += $2} END {print s}' "/proc/$app/status"; }
measure() {
    local c0 s0 c1 s1 hz
    hz=$(getconf CLK_TCK)
    c0=$(cpu_ticks) s0=$(switches)
    sleep "$seconds"
    c1=$(cpu_ticks) s1=$(switches)
    awk -v what="$1" -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v hz="$hz" -v t="$seconds" \
        'BEGIN {printf "%-22s %5.1f %% of a core, %6d context switches/s\n", what, 100 * c / hz / t, s / t}'
}

xdotool mousemove --window "$wid" 300 100
sleep 0.5
measure idle
xdotool mousedown 1
sleep 0.3
xdotool mousemove_relative 5 5
sleep 0.5
measure "drag, button held"
xdotool mouseup 1
