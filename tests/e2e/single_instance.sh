#!/usr/bin/env bash
# One widget per user and session, however the display is named. A later
# start shows no second widget: it hands over to the running one and ends,
# writing nothing. Without arguments it brings the running widget to the
# front, restoring it when minimized; with an argument, as at logon, it
# changes nothing on screen. A copy that
# was killed never keeps the next start from showing the widget, and two
# starts at once make one widget. A widget closed while its dialog stays open
# is shown again by a later start. `/close` is an argument like any other. What
# another user listens on under the widget's names neither takes a start nor
# keeps the widget from showing, also when the socket falls back to a folder
# under a long home.
source "$(dirname "$0")/lib.sh"
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_x

store_setting General Target "8:0.0 2031/7/4"
store_setting "Form Positions" frmMain '"1500,1875,1500,12000,0"'
stored() { md5sum <"$SETTINGS_FILE"; }

# start_again ARGS...: a later start, which must end by itself, successfully,
# without a window of its own.
start_again() {
    local status=0 pid
    env "LC_ALL=$APP_LOCALE" "$TALORAN_BIN" "$@" >>"$E2E_TMP/again.log" 2>&1 &
    pid=$!
    E2E_PIDS+=($pid)
    wait_for 20 process_ended "$pid" || fail "a later start $* did not end"
    wait "$pid" || status=$?
    ((status == 0)) || fail "a later start $* ended with status $status"
}
active_is() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
# The widgets shown, over all copies of the program.
widget_count() {
    local count=0 pid
    for pid in $(pgrep -f "^$TALORAN_BIN" || true); do
        if main_window_of "$pid" >/dev/null; then count=$((count + 1)); fi
    done
    echo "$count"
}

start_app
FIRST=$APP_PID
before=$(stored)

# Minimized, a later start without arguments restores it and makes it active.
xdotool windowminimize "$WID"
wait_for 5 wm_state_is "$WID" Iconic || fail "not minimized: $(wm_state "$WID")"
start_again
wait_for 5 wm_state_is "$WID" Normal || fail "not restored: $(wm_state "$WID")"
wait_for 5 active_is "$WID" || fail "not made active: $(xdotool getactivewindow)"

# Minimized, a later start with an argument leaves it so; also when it names
# the display otherwise.
xdotool windowminimize "$WID"
wait_for 5 wm_state_is "$WID" Iconic || fail "not minimized again: $(wm_state "$WID")"
start_again /m
DISPLAY=$DISPLAY.0 start_again /m
DISPLAY=unix$DISPLAY start_again /m
stays_for 1.5 wm_state_is "$WID" Iconic || fail "a start with /m changed the widget: $(wm_state "$WID")"
[[ $(widget_count) == 1 ]] || fail "$(widget_count) widgets are shown"
[[ $(stored) == "$before" ]] || fail "a later start wrote the settings: $(cat "$SETTINGS_FILE")"
grep -q . "$E2E_TMP/again.log" && fail "a later start complained: $(cat "$E2E_TMP/again.log")"

# The widget closed while the dialog stays open: a later start shows it
# again, counting, minimized with /m and at its place without arguments.
start_again
wait_for 5 wm_state_is "$WID" Normal || fail "not restored: $(wm_state "$WID")"
click_at "$WID" 716 97
wait_for 5 dialog_window_of "$FIRST" || fail "the details dialog did not open"
click_at "$WID" 760 97
wait_for 5 sh -c "! xwininfo -id $WID | grep -q IsViewable" || fail "the widget did not close"
start_again /m
# Closed, the window was destroyed; shown again, it is a new one.
wait_for 10 main_window_of "$FIRST" || fail "no widget after a later start"
WID=$(main_window_of "$FIRST")
wait_for 10 wm_state_is "$WID" Iconic || fail "not shown minimized again: $(wm_state "$WID")"
wait_for 5 sh -c "xdotool getwindowname $WID | grep -Eq '^[1-9][0-9]+w [0-6]d [0-9]+h [0-9]+m [0-9]+s \$'" \
    || fail "not counting: '$(window_name "$WID")'"
start_again
wait_for 5 wm_state_is "$WID" Normal || fail "not restored again: $(wm_state "$WID")"
wait_for 5 window_pos_is "$WID" "100 100" || fail "not at its place: $(window_pos "$WID")"
[[ $(stored) == "$before" ]] || fail "the settings were written: $(cat "$SETTINGS_FILE")"

# Killed, the running copy leaves its socket behind; the next start shows
# the widget all the same.
kill -KILL "$FIRST"
wait_for 10 process_ended "$FIRST" || fail "the widget was not killed"
wait "$FIRST" 2>/dev/null || true
ls "$XDG_RUNTIME_DIR"/taloran-* >/dev/null 2>&1 || fail "no socket was left to test with"
start_app
SECOND=$APP_PID
kill -KILL "$SECOND"
wait_for 10 process_ended "$SECOND" || fail "the widget was not killed"
wait "$SECOND" 2>/dev/null || true

# A lock left by a copy that died while deciding is taken over.
socket=$(ls "$XDG_RUNTIME_DIR"/taloran-* | grep -v '\.lock$' | head -1)
sh -c 'exit 0' &
dead=$!
wait "$dead"
printf '%s\ntaloran\n%s\n' "$dead" "$(hostname)" >"$socket.lock"
# Two starts at once make one widget; the other ends by itself.
env "LC_ALL=$APP_LOCALE" "$TALORAN_BIN" >"$E2E_TMP/a.log" 2>&1 &
A=$!
E2E_PIDS+=($A)
env "LC_ALL=$APP_LOCALE" "$TALORAN_BIN" >"$E2E_TMP/b.log" 2>&1 &
B=$!
E2E_PIDS+=($B)
one_ended() { process_ended "$A" || process_ended "$B"; }
wait_for 20 one_ended || fail "both of two starts at once are still running"
if process_ended "$A"; then RUNNING=$B; else RUNNING=$A; fi
wait_for 15 main_window_of "$RUNNING" || fail "no widget after two starts at once"
[[ $(widget_count) == 1 ]] || fail "$(widget_count) widgets after two starts at once"

# `/close` is for the Windows installer; here it hands over as any argument
# does, and the widget stays as it is.
WID=$(main_window_of "$RUNNING")
state=$(wm_state "$WID")
start_again /close
stays_for 1.5 wm_state_is "$WID" "$state" || fail "/close changed the widget: $(wm_state "$WID")"
[[ $(widget_count) == 1 ]] || fail "$(widget_count) widgets after /close"

kill "$A" "$B" 2>/dev/null || true
wait_for 10 process_ended "$RUNNING" || fail "the widget did not end"

# Another local user (nobody) listens where a start looks for the running
# copy: on the predictable name in the temporary folder, and on the socket
# in the runtime folder, which it made first. Neither takes the start.
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
if ((EUID != 0)); then
    sudo -n true 2>/dev/null || { log "another user's sockets not tried: needs root or sudo"; exit 0; }
    as_nobody=(sudo -n "${as_nobody[@]}")
fi
hash() { printf '%s' "$1" | sha256sum | cut -c1-16; }
chmod o+x "$E2E_TMP"
mkdir -m 1777 "$E2E_TMP/tmp"
# A home of 60 characters and more: the cache, where the socket falls back,
# lies too deep for a socket's address.
export TMPDIR=$E2E_TMP/tmp HOME=$E2E_TMP/home-$(printf 'h%.0s' {1..60})
unset XDG_CACHE_HOME
mkdir "$HOME"
# squat PATH: user nobody listens on PATH and answers as a running copy would.
squat() {
    "${as_nobody[@]}" /usr/bin/python3 -c '
import os, socket, sys
os.makedirs(os.path.dirname(sys.argv[1]), exist_ok=True)
server = socket.socket(socket.AF_UNIX); server.bind(sys.argv[1]); server.listen(8)
while True:
    peer = server.accept()[0]; peer.recv(1); peer.send(b"K"); peer.close()' "$1" &
    E2E_PIDS+=($!)
    wait_for 10 test -S "$1" || fail "the squatter did not listen on $1"
}
unset XDG_RUNTIME_DIR
squat "$TMPDIR/taloran-$(hash "$(id -u)/$DISPLAY/")"
squat "$TMPDIR/runtime-$(id -un)/taloran-$(hash "$(id -u)/x11 $DISPLAY")"
start_app
start_again
[[ $(widget_count) == 1 ]] || fail "$(widget_count) widgets beside another user's sockets"
stop_app

# In a runtime folder of the user's own, a socket that another user listens
# on (left there while the folder was open to all) is not handed over to.
export XDG_RUNTIME_DIR=$E2E_TMP/runtime2
mkdir -m 777 "$XDG_RUNTIME_DIR"
squat "$XDG_RUNTIME_DIR/taloran-$(hash "$(id -u)/x11 $DISPLAY")"
chmod 700 "$XDG_RUNTIME_DIR"
start_app
start_again
[[ $(widget_count) == 1 ]] || fail "$(widget_count) widgets beside another user's socket"
