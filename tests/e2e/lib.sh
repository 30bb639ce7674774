# End-to-end harness, sourced by each test script: a private Xvfb with the
# openbox window manager, the widget started with its own settings folder,
# xdotool to drive it and xprop/xwininfo to read it. Every process started
# here is stopped by PID when the script exits.
set -euo pipefail

: "${TALORAN_BIN:?TALORAN_BIN must name the built program}"
E2E_NAME=$(basename "$0" .sh)
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/taloran-e2e.XXXXXX")
E2E_OUT=${E2E_OUTPUT_DIR:-${TALORAN_BUILD_DIR:-$E2E_TMP}/e2e-output}
mkdir -p "$E2E_OUT" "$E2E_TMP/config"
export XDG_CONFIG_HOME=$E2E_TMP/config
# The widget's locale (Qt reads it from the environment, so it need not be
# installed); the shell itself keeps its own.
APP_LOCALE=${E2E_LOCALE:-en_US.UTF-8}
export TZ=${TZ:-UTC}
unset WAYLAND_DISPLAY SESSION_MANAGER
FAKETIME_LIB=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
SETTINGS_FILE=$XDG_CONFIG_HOME/Taloran/Taloran.conf
E2E_PIDS=()

log() { printf '[%s] %s\n' "$E2E_NAME" "$*" >&2; }
fail() { log "FAIL: $*"; exit 1; }

e2e_cleanup() {
    local status=$?
    local i
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${E2E_PIDS[i]}" 2>/dev/null || true
    done
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        # Give each a moment, then make sure.
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            kill -0 "${E2E_PIDS[i]}" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "${E2E_PIDS[i]}" 2>/dev/null || true
    done
    rm -rf "$E2E_TMP"
    if ((status == 0)); then log "PASS"; fi
    exit $status
}
trap e2e_cleanup EXIT
trap 'exit 130' INT TERM

# wait_for TIMEOUT_SECONDS COMMAND...: polls COMMAND until it succeeds.
wait_for() {
    local timeout=$1
    shift
    local deadline=$((SECONDS + timeout))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

start_x() {
    start_xvfb
    # openbox takes the screen early but handles no window until it has loaded
    # its fonts and theme; a window shown before then is never managed.
    openbox --sm-disable --startup "touch $E2E_TMP/openbox-ready" >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 60 test -e "$E2E_TMP/openbox-ready" || fail "openbox did not start"
}

# start_xvfb: a private Xvfb on the first free display, as DISPLAY.
start_xvfb() {
    local display
    for display in $(seq 90 140); do
        [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
        Xvfb ":$display" -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
            >"$E2E_TMP/xvfb.log" 2>&1 &
        E2E_PIDS+=($!)
        export DISPLAY=:$display
        if wait_for 10 xdpyinfo; then
            break
        fi
        kill "${E2E_PIDS[-1]}" 2>/dev/null || true
        unset 'E2E_PIDS[-1]'
    done
    xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
}

# start_app [--faketime "YYYY-MM-DD hh:mm:ss"] [ARGS...]: starts the widget
# and sets APP_PID and WID (its main window).
start_app() { start_app_at_scale 1 "$@"; }

# The id of the main window of process $1: the 800 x 125 one.
main_window_of() { window_of_width "$1" 800; }

# The id of the open details dialog of process $1: the 346 x 267 one.
dialog_window_of() { window_of_width "$1" 346 'Map State: IsViewable'; }

# open_dialog: clicks the details button of the widget ($WID of $APP_PID) and
# sets DLG to the dialog's window once it is shown.
open_dialog() {
    click_at "$WID" 716 97
    wait_for 5 dialog_window_of "$APP_PID" || fail "the details dialog did not open"
    DLG=$(dialog_window_of "$APP_PID")
}

# copy_box_text BOX TEXT: the text of message box BOX, clicked, selected with
# Ctrl+A and copied with Ctrl+C as a user can; tried again until the copy
# holds TEXT (the box may take a moment to take the keys). Prints the copy.
copy_box_text() {
    local copied=''
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        xdotool windowactivate --sync "$1" mousemove --window "$1" 120 45 click 1 \
            key ctrl+a ctrl+c 2>/dev/null || true
        copied=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
        [[ $copied == *"$2"* ]] && break
        sleep 0.2
    done
    printf '%s' "$copied"
}

window_name() { xdotool getwindowname "$1"; }
window_name_is() { [[ $(window_name "$1") == "$2" ]]; }
wm_state() { xprop -id "$1" WM_STATE | sed -n 's/.*window state: //p'; }
wm_state_is() { [[ $(wm_state "$1") == "$2" ]]; }
# Absolute position of a window's top-left corner: "X Y".
window_pos() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'
}
window_pos_is() { [[ $(window_pos "$1") == "$2" ]]; }
process_gone() { ! kill -0 "$1" 2>/dev/null; }

# Whether openbox has finished starting up: it names its theme on the root
# window only once its configuration and fonts are loaded, which can take
# seconds on a busy machine. A window mapped before then may stay unmanaged
# and unmapped for good.
wm_ready() { [[ $(xprop -root _OB_THEME 2>/dev/null) == *'"'* ]]; }

# A window's size in device pixels: "WIDTH HEIGHT".
window_size() {
    xwininfo -id "$1" | awk '/^ +Width:/ {w=$NF} /^ +Height:/ {h=$NF} END {print w, h}'
}

# The first of the window ids read from standard input that is $1 device
# pixels wide (and whose xwininfo has the line $2, when given).
first_of_width() {
    local wid info
    while read -r wid; do
        info=$(xwininfo -id "$wid" 2>/dev/null) || continue
        if grep -q "Width: $1\$" <<<"$info" && grep -qF "${2:-Width}" <<<"$info"; then
            echo "$wid"
            return 0
        fi
    done
    return 1
}

# The id of a window of process $1 that is $2 device pixels wide (and whose
# xwininfo has the line $3, when given).
window_of_width() {
    xdotool search --all --pid "$1" --name '.' 2>/dev/null | first_of_width "$2" "${3:-}"
}

# start_app_at_scale FACTOR [--faketime "YYYY-MM-DD hh:mm:ss"] [ARGS...]: as
# start_app, with Qt drawing the whole program FACTOR times larger; the main
# window is then 800 * FACTOR device pixels wide.
start_app_at_scale() {
    local width=$((800 * $1)) env=(QT_SCALE_FACTOR=$1 "LC_ALL=$APP_LOCALE")
    shift
    if [[ ${1:-} == --faketime ]]; then
        env+=(LD_PRELOAD=$FAKETIME_LIB "FAKETIME=$2" FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1)
        shift 2
    fi
    env "${env[@]}" "${APP_BIN:-$TALORAN_BIN}" "$@" >"$E2E_TMP/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=($APP_PID)
    wait_for 15 window_of_width "$APP_PID" "$width" || fail "the widget's window did not appear"
    WID=$(window_of_width "$APP_PID" "$width")
}

# Whether process $1 has ended: gone, or a zombie its parent has not reaped.
process_ended() {
    local state
    state=$(ps -o stat= -p "$1") || return 0
    [[ $state == Z* ]]
}

# stop_app: ends the widget started last, as the end of a session would, and
# waits until it has gone.
stop_app() {
    local i
    kill "$APP_PID" 2>/dev/null || true
    wait_for 10 process_ended "$APP_PID" || fail "the widget did not end"
    wait "$APP_PID" 2>/dev/null || true
    for i in "${!E2E_PIDS[@]}"; do
        if [[ ${E2E_PIDS[i]} == "$APP_PID" ]]; then unset 'E2E_PIDS[i]'; fi
    done
    E2E_PIDS=("${E2E_PIDS[@]}")
}

# click_at WID X Y: a left click at a point of the window.
click_at() {
    xdotool mousemove --window "$1" "$2" "$3"
    sleep 0.1
    xdotool click 1
}

# setting SECTION KEY: a value of the settings file, quotes removed.
setting() {
    [[ -f $SETTINGS_FILE ]] || return 1
    awk -v section="[$1]" -v key="$2" '
        /^\[/ { inside = ($0 == section); next }
        inside && index($0, key "=") == 1 { v = substr($0, length(key) + 2); gsub(/^"|"$/, "", v); print v; found = 1 }
        END { exit !found }' "$SETTINGS_FILE"
}

# store_setting SECTION KEY VALUE: writes a value before the widget starts.
store_setting() {
    mkdir -p "$(dirname "$SETTINGS_FILE")"
    printf '[%s]\n%s=%s\n' "$1" "$2" "$3" >>"$SETTINGS_FILE"
}

screenshot() {
    import -window root "$E2E_OUT/$1.png"
    log "screenshot: $E2E_OUT/$1.png"
}

# A clock that the test moves while the widget runs: libfaketime reads this
# file on every clock call (FAKETIME_NO_CACHE) and freezes the time at what
# it says. The file holds seconds since the epoch (FAKETIME_FMT=%s) because
# libfaketime reads a "YYYY-MM-DD hh:mm:ss" text as local time and would
# take the later of the two readings of an hour that repeats when daylight
# saving ends. The monotonic clock stays real so that the timers run, and
# file times stay real (NO_FAKE_STAT): faked ones slow the start by about a
# second, long enough for the window manager to miss the first window.
FAKE_CLOCK_FILE=$E2E_TMP/fake-clock

# set_fake_clock TIME: moves the frozen clock to TIME, any text that GNU date
# reads: local time in $TZ ("2007-03-11 11:13:39"), or with an offset
# ("2007-10-28 02:59:59 +0200"). The file is replaced whole, so a reading
# never sees it half written.
set_fake_clock() {
    local seconds
    seconds=$(date -d "$1" +%s) || fail "cannot read the time '$1'"
    printf '%s\n' "$seconds" >"$FAKE_CLOCK_FILE.new"
    mv -f "$FAKE_CLOCK_FILE.new" "$FAKE_CLOCK_FILE"
}

# start_app_on_fake_clock TIME [ARGS...]: start_app with the clock frozen at
# TIME; set_fake_clock moves it later.
start_app_on_fake_clock() {
    set_fake_clock "$1"
    shift
    env -u FAKETIME "LC_ALL=$APP_LOCALE" "LD_PRELOAD=$FAKETIME_LIB" "FAKETIME_TIMESTAMP_FILE=$FAKE_CLOCK_FILE" \
        FAKETIME_FMT=%s FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 \
        "${APP_BIN:-$TALORAN_BIN}" "$@" >"$E2E_TMP/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=($APP_PID)
    wait_for 15 main_window_of "$APP_PID" || fail "the widget's window did not appear"
    WID=$(main_window_of "$APP_PID")
}

# stays_for SECONDS COMMAND...: succeeds when COMMAND keeps succeeding,
# polled, for SECONDS (fractions allowed).
stays_for() {
    local deadline
    deadline=$(($(date +%s%N) + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1e9 }')))
    shift
    while (($(date +%s%N) < deadline)); do
        "$@" >/dev/null 2>&1 || return 1
        sleep 0.1
    done
}
