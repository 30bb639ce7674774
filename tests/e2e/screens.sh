#!/usr/bin/env bash
# Places on a desktop of two monitors of different sizes: a remembered place
# that lies on neither (below the small one, right of the large one) comes
# back wholly on the monitor nearest to it. Drawn twice as large, the widget
# is wider than the large monitor: centring keeps its left edge on the
# monitor, and the centred place is what comes back.
source "$(dirname "$0")/lib.sh"
E2E_SCREEN=2080x1024x24
start_x
# A 1280 x 1024 monitor with an 800 x 600 one right of it.
xrandr --setmonitor LEFT 1280/338x1024/270+0+0 screen >/dev/null
xrandr --setmonitor RIGHT 800/211x600/158+1280+0 none
bounds() { setting "Form%20Positions" frmMain; }

# x 1280, y 700.
store_setting "Form%20Positions" frmMain "10500,1875,19200,12000,0"
start_app
wait_for 20 window_pos_is "$WID" "1280 0" || fail "the place between the monitors came back at $(window_pos "$WID")"
screenshot screens_between_monitors
stop_app

# At twice the size the large monitor is 640 x 512 and the widget 800 x 125:
# centred at 0, (512 - 125) / 2, in device pixels twice that.
rm -f "$SETTINGS_FILE"
start_app_at_scale 2
wait_for 20 window_pos_is "$WID" "0 388" || fail "centred at $(window_pos "$WID") on a narrow monitor"
xdotool mousemove --window "$WID" 600 200 click --repeat 2 --delay 1 1
wait_for 20 sh -c "grep -q '\"2910,1875,0,12000,0\"' '$SETTINGS_FILE'" \
    || fail "stored bounds after the double-click: $(bounds)"
screenshot screens_narrow_centred
stop_app
start_app_at_scale 2
wait_for 20 window_pos_is "$WID" "0 388" || fail "the centred place came back at $(window_pos "$WID")"
