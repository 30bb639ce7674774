#!/usr/bin/env bash
# An edit made in the details dialog reaches the settings file as the dialog
# closes: a kill -9 of the widget after that loses nothing. Closing the dialog
# without an edit writes nothing.
source "$(dirname "$0")/lib.sh"
start_x
store_setting General Target "8:0.0 2007/3/25"
start_app --faketime "2007-03-11 11:13:39"

# Opened and closed without an edit: the file stays as it was.
open_dialog
wmctrl -i -c "$DLG"
wait_for 5 sh -c "! xwininfo -id $DLG | grep -q IsViewable" || fail "the dialog did not close"
[[ $(setting General Target) == "8:0.0 2007/3/25" ]] \
    || fail "a dialog without an edit wrote '$(setting General Target)'"

# The focus starts in the hour of the time picker: one step up is 9:00:00.
open_dialog
xdotool windowactivate --sync "$DLG"
xdotool key Up
wmctrl -i -c "$DLG"
wait_for 10 sh -c "[ \"\$(awk -F= '/^Target=/ {print \$2}' '$SETTINGS_FILE')\" = '3/25/2007 9:00:00 AM' ]" \
    || fail "closing the dialog wrote '$(setting General Target)'"

kill -9 "$APP_PID"
wait_for 10 process_gone "$APP_PID" || fail "the program survived kill -9"
[[ $(setting General Target) == "3/25/2007 9:00:00 AM" ]] \
    || fail "after kill -9 the stored target is '$(setting General Target)'"
