#!/usr/bin/env bash
# A write that does not reach the settings file is shown at once in a box
# that names the file and the reason; dismissing it lets the widget go on,
# and end normally. While the widget is ended by a signal, as at the end of a
# session, nothing waits for the user: the failure goes to stderr.
source "$(dirname "$0")/lib.sh"
start_x

BOX_TITLE='Taloran: settings not saved'
box_of() { xdotool search --all --pid "$1" --name "^$BOX_TITLE\$" 2>/dev/null | head -1 | grep .; }

# dismiss_box: Return on the box, as a user would.
dismiss_box() { xdotool windowactivate --sync "$BOX" key Return; }

# expect_box WHAT TEXT: the box appears, and its text (clicked, selected with
# Ctrl+A and copied with Ctrl+C, as a user can) names the file, the reason
# and TEXT; sets BOX.
expect_box() {
    wait_for 10 box_of "$APP_PID" || fail "$1: no box"
    BOX=$(box_of "$APP_PID")
    local copied
    copied=$(copy_box_text "$BOX" "$SETTINGS_FILE")
    [[ $copied == *"File: $SETTINGS_FILE"* ]] || fail "$1: the box does not name the file: $copied"
    [[ $copied == *"A folder is in the place of the file."* ]] || fail "$1: no reason: $copied"
    [[ $copied == *"$2"* ]] || fail "$1: the box does not say '$2': $copied"
}
box_gone() { ! box_of "$APP_PID"; }

# A folder stands where the settings file belongs.
mkdir -p "$SETTINGS_FILE"

# A double-click centres the window and writes its place: the box appears,
# and once it is dismissed the widget keeps running.
start_app
xdotool mousemove --window "$WID" 300 100 click --repeat 2 --delay 80 1
expect_box "after a double-click" "The window's place could not be saved."
dismiss_box
wait_for 10 box_gone || fail "the box did not go"
stays_for 1 kill -0 "$APP_PID" || fail "the widget ended after the box"

# The close button writes the target: the box appears, and once it is
# dismissed the widget ends normally.
click_at "$WID" 760 97
expect_box "at close" "The countdown target could not be saved."
kill -0 "$APP_PID" || fail "the widget ended before the box was dismissed"
dismiss_box
wait_for 10 process_ended "$APP_PID" || fail "the widget did not end after the box"
status=0
wait "$APP_PID" || status=$?
((status == 0)) || fail "the widget ended with status $status"
grep -qF "$SETTINGS_FILE" "$E2E_TMP/app.log" || fail "stderr does not name the file"

# Ended by a signal, the widget shows no box and ends at once; also when a
# box is open at the time.
start_app
xdotool mousemove --window "$WID" 300 100 click --repeat 2 --delay 80 1
wait_for 10 box_of "$APP_PID" || fail "no box after a double-click"
kill -TERM "$APP_PID"
wait_for 10 process_ended "$APP_PID" || fail "a signal did not end the widget while a box was open"
grep -q "not saved.*Taloran.conf: A folder is in the place of the file" "$E2E_TMP/app.log" \
    || fail "the target's failure is not on stderr: $(cat "$E2E_TMP/app.log")"
[[ -d $SETTINGS_FILE ]] || fail "the folder in the file's place was touched"
