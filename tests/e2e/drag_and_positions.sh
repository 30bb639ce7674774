#!/usr/bin/env bash
# Positions under a real window manager: a stored position is taken at start
# and pulled back onto the screen when it lies off it; a drag on the
# background moves the window by the mouse's movement and stores it; a drag
# on a label or a button moves nothing; a double-click centres and stores.
source "$(dirname "$0")/lib.sh"
E2E_SCREEN=1280x1024x24
start_x

bounds() { setting "Form%20Positions" frmMain; }

# A stored position is taken.
store_setting "Form%20Positions" frmMain "3000,1875,1500,12000,0"
start_app
wait_for 20 window_pos_is "$WID" "100 200" || fail "stored position not taken: $(window_pos "$WID")"

# A drag on the background.
xdotool mousemove --window "$WID" 300 100
sleep 0.2
xdotool mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove_relative -- 10 6
    sleep 0.05
done
sleep 0.2
xdotool mouseup 1
wait_for 20 window_pos_is "$WID" "150 230" || fail "drag moved the window to $(window_pos "$WID")"
wait_for 20 sh -c "grep -q '\"3450,1875,2250,12000,0\"' '$SETTINGS_FILE'" \
    || fail "stored bounds after the drag: $(bounds)"
screenshot drag_after_move

# Drags that start on a label or a button move nothing.
for point in "30 40" "680 40" "716 97" "760 97"; do
    [[ $point == "760 97" ]] && continue # the close button would end the program
    xdotool mousemove --window "$WID" $point
    sleep 0.1
    xdotool mousedown 1 mousemove_relative -- 40 40
    sleep 0.2
    xdotool mouseup 1
    sleep 0.2
    window_pos_is "$WID" "150 230" || fail "a press at $point moved the window to $(window_pos "$WID")"
done
# Close the details dialog that the press on its button opened, if any.
if dlg=$(dialog_window_of "$APP_PID"); then xdotool key --window "$dlg" Escape; fi

# A double-click centres the window and stores it: (1280-800)/2, (1024-125)/2.
# The two clicks go out back to back: with a pause between them, a starved
# xdotool could send the second after the double-click interval, and the
# server would stamp them as two single clicks.
xdotool mousemove --window "$WID" 300 100 click --repeat 2 --delay 1 1
wait_for 20 window_pos_is "$WID" "240 450" || fail "double-click left the window at $(window_pos "$WID")"
wait_for 20 sh -c "grep -q '\"6750,1875,3600,12000,0\"' '$SETTINGS_FILE'" \
    || fail "stored bounds after the double-click: $(bounds)"
kill "$APP_PID"
wait_for 10 process_gone "$APP_PID"

# A stored position far off the screen comes back onto it.
sed -i 's/^frmMain=.*/frmMain="99000,1875,-45000,12000,0"/' "$SETTINGS_FILE"
start_app
wait_for 20 window_pos_is "$WID" "0 0" || fail "off-screen position came back at $(window_pos "$WID")"
