#!/usr/bin/env bash
# The details dialog beside the main window: opened by the details button, a
# keyboard edit of the time picker moves the target at once (the minimized
# caption follows), and the target reaches the settings file when the
# windows close, also when the main window closes first.
source "$(dirname "$0")/lib.sh"
start_x
store_setting General Target "8:0.0 2007/3/25"
start_app --faketime "2007-03-11 11:13:39"

open_dialog
screenshot details_dialog_open
# A second click opens no second dialog.
click_at "$WID" 716 97
sleep 0.3
count=0
for w in $(xdotool search --all --pid "$APP_PID" --name '.'); do
    xwininfo -id "$w" | grep -q 'Width: 346$' && xwininfo -id "$w" | grep -q IsViewable && ((count += 1))
done
((count == 1)) || fail "$count dialogs are open"

# Minimize the main window; the dialog keeps the keyboard.
click_at "$WID" 672 97
wait_for 5 wm_state_is "$WID" Iconic || fail "the main window did not minimize"
wait_for 5 window_name_is "$WID" "1w 6d 20h 46m 21s " || fail "caption '$(window_name "$WID")'"

# The focus starts in the hour of the time picker: one step up is 9:00:00.
xdotool windowactivate --sync "$DLG"
xdotool key Up
wait_for 2 window_name_is "$WID" "1w 6d 21h 46m 21s " \
    || fail "caption did not follow the picker: '$(window_name "$WID")'"

# Close the dialog, then the main window: the new target is stored.
wmctrl -i -c "$DLG"
wait_for 5 sh -c "! xwininfo -id $DLG | grep -q IsViewable" || fail "the dialog did not close"
kill -0 "$APP_PID" || fail "closing the dialog ended the program"
wmctrl -i -c "$WID"
wait_for 10 process_gone "$APP_PID" || fail "the program did not end"
[[ $(setting General Target) == "3/25/2007 9:00:00 AM" ]] \
    || fail "stored target is '$(setting General Target)'"

# The main window closes first: the program lives on with the dialog, and
# an edit made then is kept.
start_app --faketime "2007-03-11 11:13:39"
open_dialog
wmctrl -i -c "$WID"
wait_for 5 sh -c "! xwininfo -id $WID | grep -q IsViewable" || fail "the main window did not close"
sleep 0.3
kill -0 "$APP_PID" || fail "the program ended with the dialog still open"
[[ $(setting General Target) == "3/25/2007 9:00:00 AM" ]] || fail "unload wrote '$(setting General Target)'"
xdotool windowactivate --sync "$DLG"
xdotool key Up
sleep 0.3
wmctrl -i -c "$DLG"
wait_for 10 process_gone "$APP_PID" || fail "the program did not end with its last window"
[[ $(setting General Target) == "3/25/2007 10:00:00 AM" ]] \
    || fail "an edit after the main window closed was lost: '$(setting General Target)'"
