#!/usr/bin/env bash
# startup.sh [--runs N]: the time from starting a program to its first
# window being mapped, for the widget and for the floor program (a frameless
# 800 x 125 label with bold text and a 1 ms timer), N runs each
# (default 9, at least 7), alternating which goes first, under one Xvfb +
# openbox and a private D-Bus session bus (dbus-run-session), as at a logon.
# Prints every run, then the median and minimum of each, the widget/floor
# ratios and the load average, which tells how far to trust the figures.
#
# The clock runs from the fork of the program to the X server's MapNotify of
# its top-level window (taloran_mapwait). Without that helper the script
# polls `xdotool search --onlyvisible` every few milliseconds instead, which
# adds up to a few milliseconds and the cost of the polling itself.
#
# Environment: TALORAN_BUILD_DIR (default <repo>/build), TALORAN_BIN,
# FLOOR_BIN, MAPWAIT_BIN. Run by hand; this is not a CTest test.

RUNS=9
while (($#)); do
    case $1 in
        --runs) RUNS=$2; shift 2 ;;
        -h | --help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "usage: $0 [--runs N]" >&2; exit 2 ;;
    esac
done
((RUNS >= 7)) || { echo "startup: at least 7 runs give a median worth reading" >&2; exit 2; }

# Both programs talk to a session bus as they start (accessibility, portals),
# so the script runs itself again inside a private one.
if [[ -z ${TALORAN_STARTUP_BUS:-} ]]; then
    command -v dbus-run-session >/dev/null || { echo "startup: dbus-run-session not found (scripts/deps.sh test)" >&2; exit 2; }
    TALORAN_STARTUP_BUS=1 exec dbus-run-session -- "$0" --runs "$RUNS"
fi

HERE=$(cd "$(dirname "$0")" && pwd)
export TALORAN_BUILD_DIR=${TALORAN_BUILD_DIR:-$HERE/../../build}
export TALORAN_BIN=${TALORAN_BIN:-$TALORAN_BUILD_DIR/app/taloran}
FLOOR_BIN=${FLOOR_BIN:-$TALORAN_BUILD_DIR/tests/measure/taloran_floor}
MAPWAIT_BIN=${MAPWAIT_BIN:-$TALORAN_BUILD_DIR/tests/measure/taloran_mapwait}
for bin in "$TALORAN_BIN" "$FLOOR_BIN"; do
    [[ -x $bin ]] || { echo "startup: $bin is not built (set TALORAN_BUILD_DIR)" >&2; exit 2; }
done

source "$HERE/../e2e/lib.sh"
start_x
# A target ahead, so the widget starts counting as it would for a user.
store_setting General Target "8:0.0 2031/7/4"

if [[ -x $MAPWAIT_BIN ]]; then
    log "timing with $(basename "$MAPWAIT_BIN") (X server map events)"
else
    log "taloran_mapwait not built: timing by polling xdotool, a few ms coarser"
fi

# time_start BIN: prints the milliseconds from start to the first mapped
# window of BIN, then ends it.
time_start() {
    if [[ -x $MAPWAIT_BIN ]]; then
        "$MAPWAIT_BIN" "$1" 2>>"$E2E_TMP/mapwait.log"
        return
    fi
    local start=$EPOCHREALTIME end pid
    "$1" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.002
    done
    end=$EPOCHREALTIME
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f\n", (b - a) * 1000 }'
}

# One start of each, not counted: it brings the libraries and fonts into the
# page cache so the first counted run is not a cold start.
time_start "$TALORAN_BIN" >/dev/null || fail "the widget showed no window"
time_start "$FLOOR_BIN" >/dev/null || fail "the floor program showed no window"

widget=()
floor=()
for ((run = 1; run <= RUNS; run++)); do
    sleep 0.3
    if ((run % 2)); then
        w=$(time_start "$TALORAN_BIN") || fail "the widget showed no window"
        sleep 0.3
        f=$(time_start "$FLOOR_BIN") || fail "the floor program showed no window"
    else
        f=$(time_start "$FLOOR_BIN") || fail "the floor program showed no window"
        sleep 0.3
        w=$(time_start "$TALORAN_BIN") || fail "the widget showed no window"
    fi
    widget+=("$w")
    floor+=("$f")
    printf 'run %2d   widget %8.2f ms   floor %8.2f ms\n' "$run" "$w" "$f"
done

stats() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m, v[1] }'; }
read -r w_median w_min < <(stats "${widget[@]}")
read -r f_median f_min < <(stats "${floor[@]}")
awk -v wm="$w_median" -v wn="$w_min" -v fm="$f_median" -v fn="$f_min" -v runs="$RUNS" 'BEGIN {
    printf "\nStart to first mapped window, %d runs each\n", runs
    printf "  widget  median %8.2f ms   min %8.2f ms\n", wm, wn
    printf "  floor   median %8.2f ms   min %8.2f ms\n", fm, fn
    printf "  ratio widget/floor: median %.2f   min %.2f\n", wm / fm, wn / fn
}'
echo "  load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

