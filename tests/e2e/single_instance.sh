#!/usr/bin/env bash
# One widget per user and session. A later start shows no second widget: it
# hands over to the running one and ends, writing nothing. Without arguments
# it brings the running widget to the front, restoring it when minimized;
# with an argument, as at logon, it changes nothing on screen. A copy that
# was killed never keeps the next start from showing the widget, and two
# starts at once make one widget.
source "$(dirname "$0")/lib.sh"
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_x

store_setting General Target "14:30:15 2030/3/4"
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

# Minimized, a later start with an argument leaves it so.
xdotool windowminimize "$WID"
wait_for 5 wm_state_is "$WID" Iconic || fail "not minimized again: $(wm_state "$WID")"
start_again /m
stays_for 1.5 wm_state_is "$WID" Iconic || fail "a start with /m changed the widget: $(wm_state "$WID")"
[[ $(widget_count) == 1 ]] || fail "$(widget_count) widgets are shown"
[[ $(stored) == "$before" ]] || fail "a later start wrote the settings: $(cat "$SETTINGS_FILE")"
grep -q . "$E2E_TMP/again.log" && fail "a later start complained: $(cat "$E2E_TMP/again.log")"

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

# `/close`, as an installer sends it: the running widget closes as at session
# end, writing the target, and the request ends once the widget has ended
# (status 1); with no widget running it shows nothing (status 0).
store_setting General Target "garbage that is replaced at close"
close_status=0
env "LC_ALL=$APP_LOCALE" "$TALORAN_BIN" /close >>"$E2E_TMP/again.log" 2>&1 || close_status=$?
((close_status == 1)) || fail "/close ended with status $close_status, not 1"
process_ended "$RUNNING" || fail "/close returned before the widget ended"
[[ $(setting General Target) != garbage* ]] || fail "the widget closed by /close did not write the target"
close_status=0
env "LC_ALL=$APP_LOCALE" "$TALORAN_BIN" /close >>"$E2E_TMP/again.log" 2>&1 || close_status=$?
((close_status == 0)) || fail "/close with no widget ended with status $close_status"
[[ $(widget_count) == 0 ]] || fail "/close with no widget running showed one"
