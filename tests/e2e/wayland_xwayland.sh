#!/usr/bin/env bash
# A Wayland session that also offers an X server (Weston with XWayland): with
# no platform chosen the widget runs on XWayland, takes its stored position,
# and a drag with the compositor's pointer moves it by the pointer's movement
# and stores it. A platform the user chose wins: QT_QPA_PLATFORM=wayland runs
# it natively, with no X window at all. A later start in the same session
# hands over to the running widget, whichever platform it would run on.
# Weston's own X window manager ignores a client's move of a window that is
# already shown (so does `xdotool windowmove`), so after the drag only the
# position that the widget gave itself and stored is asserted; GNOME and KDE
# apply it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/weston.sh"
start_weston nested

store_setting "Form%20Positions" frmMain "3000,1875,1500,12000,0"
export DISPLAY=$XWAYLAND_DISPLAY
start_app
wait_for 10 window_pos_is "$WID" "100 200" || fail "stored position not taken: $(window_pos "$WID")"

# One widget per session, whichever platform a later start would run on: one
# without DISPLAY (native) and one told to run natively both hand over.
for how in "env -u DISPLAY" "env QT_QPA_PLATFORM=wayland"; do
    $how "$TALORAN_BIN" /m >>"$E2E_TMP/again.log" 2>&1 &
    pid=$!
    E2E_PIDS+=($pid)
    wait_for 20 process_ended "$pid" || fail "a later start ($how) did not hand over"
done

# The drag: the seat's pointer is the pointer of the Xvfb that Weston runs in,
# whose output lies at 0,0 there, as in Weston's own space.
# Weston takes the pointer up when it enters its output window: move it in
# from outside until XWayland has seen it arrive.
pointer_over() {
    DISPLAY=$SEAT_DISPLAY xdotool mousemove 1290 1034 mousemove 400 300
    sleep 0.1
    xdotool getmouselocation | grep -q 'x:400 y:300'
}
wait_for 10 pointer_over || { cat "$E2E_TMP/weston.log" >&2; fail "the pointer is not over the widget: $(xdotool getmouselocation 2>&1)"; }
DISPLAY=$SEAT_DISPLAY xdotool mousedown 1
for step in 1 2 3 4 5; do
    DISPLAY=$SEAT_DISPLAY xdotool mousemove_relative -- 10 6
    sleep 0.05
done
sleep 0.2
DISPLAY=$SEAT_DISPLAY xdotool mouseup 1
wait_for 5 sh -c "grep -q '\"3450,1875,2250,12000,0\"' '$SETTINGS_FILE'" \
    || fail "stored bounds after the drag: $(setting "Form%20Positions" frmMain)"
stop_app

# The user's choice of platform wins over XWayland: the widget is shown by
# Weston, yet it has no X window.
QT_QPA_PLATFORM=wayland "$TALORAN_BIN" >"$E2E_TMP/app.log" 2>&1 &
APP_PID=$!
E2E_PIDS+=($APP_PID)
wait_for 15 widget_shown "$E2E_TMP/native.png" || fail "the natively run widget was not shown"
window_of_width "$APP_PID" 800 && fail "QT_QPA_PLATFORM=wayland ran on XWayland"
stop_app
