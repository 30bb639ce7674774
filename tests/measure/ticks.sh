#!/usr/bin/env bash
# ticks.sh [--seconds N] [--wine TALORAN.EXE]: what the widget's ticking costs, and how soon a new
# second shows. The widget and the single-shot floor (floor.cpp --single-shot:
# a bare label woken once a second, just after the wall clock's second
# begins) run side by side under one Xvfb + openbox. Three phases of N
# seconds each (default 60): the widget shown, shown with the details dialog
# open, and minimized. For each, per process: wake-ups a second (context
# switches of all its threads, voluntary and not, from
# /proc/PID/task/*/status) and the share of one core (schedstat). While the
# widget is minimized, every change of its caption and of the floor's title
# is timed with xprop -spy: milliseconds after the whole wall-clock second,
# median and 95th percentile. With --wine, the Windows build is measured
# under wine (a fresh prefix; the wine server's own wake-ups are not counted).
#
# Environment: TALORAN_BUILD_DIR (default <repo>/build), TALORAN_BIN,
# FLOOR_BIN. Run by hand on a quiet machine; this is not a CTest test.

PHASE=60
while (($#)); do
    case $1 in
        --seconds) PHASE=$2; shift 2 ;;
        --wine) WINE_EXE=$2; shift 2 ;;
        -h | --help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "usage: $0 [--seconds N] [--wine TALORAN.EXE]" >&2; exit 2 ;;
    esac
done

HERE=$(cd "$(dirname "$0")" && pwd)
export TALORAN_BUILD_DIR=${TALORAN_BUILD_DIR:-$HERE/../../build}
export TALORAN_BIN=${WINE_EXE:-${TALORAN_BIN:-$TALORAN_BUILD_DIR/app/taloran}}
FLOOR_BIN=${FLOOR_BIN:-$TALORAN_BUILD_DIR/tests/measure/taloran_floor}
for bin in "$TALORAN_BIN" "$FLOOR_BIN"; do
    [[ -f $bin ]] || { echo "ticks: $bin is not built (set TALORAN_BUILD_DIR)" >&2; exit 2; }
done
if [[ -n ${WINE_EXE:-} ]]; then
    source "$HERE/../wine/winelib.sh"
    dialog_window() { wine_dialog_window; }
else
    source "$HERE/../e2e/lib.sh"
    dialog_window() { dialog_window_of "$W_PID"; }
fi

# counters PID: "CONTEXT_SWITCHES CPU_NS" summed over the live threads.
counters() {
    local f key value rest switches=0 ns=0
    for f in /proc/"$1"/task/*; do
        while read -r key value rest; do
            [[ $key == *_ctxt_switches: ]] && switches=$((switches + value))
        done <"$f/status" 2>/dev/null
        read -r value rest <"$f/schedstat" 2>/dev/null && ns=$((ns + value))
    done
    echo "$switches $ns"
}

# phase NAME: N seconds of both programs, then one line of figures each.
phase() {
    local name=$1 w0 f0 w1 f1 t0 t1
    w0=$(counters "$W_PID"); f0=$(counters "$F_PID"); t0=$EPOCHREALTIME
    sleep "$PHASE"
    w1=$(counters "$W_PID"); f1=$(counters "$F_PID"); t1=$EPOCHREALTIME
    kill -0 "$W_PID" 2>/dev/null || fail "the widget has ended"
    awk -v n="$name" -v t="$t0 $t1" -v w="$w0 $w1" -v f="$f0 $f1" 'BEGIN {
        split(t, T, " "); split(w, W, " "); split(f, F, " "); s = T[2] - T[1]
        printf "%-22s widget %7.1f wake-ups/s %6.3f %% CPU   floor %6.1f wake-ups/s %6.3f %% CPU\n", n,
            (W[3] - W[1]) / s, (W[4] - W[2]) / s / 1e7, (F[3] - F[1]) / s, (F[4] - F[2]) / s / 1e7 }'
}

# spy WID FILE: writes the wall-clock time of every change of the window's
# name to FILE, one a line.
spy() {
    stdbuf -oL xprop -spy -id "$1" _NET_WM_NAME | {
        read -r _ # the name as it stands
        while read -r _; do echo "$EPOCHREALTIME"; done
    } >"$2" &
    E2E_PIDS+=($!)
}

# latency NAME FILE: milliseconds after the whole second, median and p95.
latency() {
    awk '{ split($1, p, "."); print ("0." p[2]) * 1000 }' "$2" | sort -n | awk -v n="$1" '
        { v[NR] = $1 }
        END { if (!NR) { printf "%-8s no changes seen\n", n; exit }
              printf "%-8s %3d changes, after the second: median %5.1f ms, p95 %5.1f ms, max %5.1f ms\n",
                  n, NR, v[int((NR + 1) / 2)], v[int(NR * 0.95 + 0.999)], v[NR] }'
}

start_x
if [[ -n ${WINE_EXE:-} ]]; then
    start_wine
    reg_set General Target "8:0.0 2031/7/4"
    start_exe "$WINE_EXE"
    # The process that wine made, as it names itself on its window.
    APP_PID=$(xprop -id "$WID" _NET_WM_PID | awk '{ print $NF }')
else
    store_setting General Target "8:0.0 2031/7/4"
    start_app
fi
W_PID=$APP_PID
W_WID=$WID
APP_BIN=$FLOOR_BIN start_app --single-shot
F_PID=$APP_PID
F_WID=$WID
xdotool windowmove "$F_WID" 0 0
xdotool mousemove 1270 1010
log "widget $TALORAN_BIN (pid $W_PID), floor pid $F_PID; ${PHASE}s a phase"
sleep 5

phase "shown"

click_at "$W_WID" 716 97
wait_for 20 dialog_window || fail "the details dialog did not open"
DLG=$(dialog_window)
xdotool mousemove 1270 1010
sleep 2
phase "dialog open"
xdotool windowactivate --sync "$DLG" key Escape 2>/dev/null || true

xdotool windowminimize "$W_WID"
wait_for 10 wm_state_is "$W_WID" Iconic || fail "the widget did not minimize"
sleep 2
spy "$W_WID" "$E2E_TMP/widget-flips"
spy "$F_WID" "$E2E_TMP/floor-flips"
phase "minimized"
latency widget "$E2E_TMP/widget-flips"
latency floor "$E2E_TMP/floor-flips"
log "RSS widget $(awk '/VmRSS/ {print $2, $3}' /proc/$W_PID/status), floor $(awk '/VmRSS/ {print $2, $3}' /proc/$F_PID/status)"
