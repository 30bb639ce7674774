#!/usr/bin/env bash
# The countdown follows the wall clock when it jumps while the widget runs:
# forward, back, by exactly a minute (the seconds left stay as they were),
# across daylight-saving changes, and past the target. The
# widget runs minimized and its taskbar caption is the readout; the clock is
# frozen between steps, so every caption is exact.
source "$(dirname "$0")/lib.sh"
start_x

# expect_caption TEXT WHAT: the minimized caption becomes TEXT soon.
expect_caption() {
    wait_for 3 window_name_is "$WID" "$1" \
        || fail "$2: caption is '$(window_name "$WID")', expected '$1'"
}

# keeps_caption TEXT WHAT: the caption is TEXT and stays so, the clock frozen.
keeps_caption() {
    stays_for 1.5 window_name_is "$WID" "$1" \
        || fail "$2: caption is '$(window_name "$WID")', expected it to stay '$1'"
}

end_widget() {
    kill -TERM "$APP_PID"
    wait_for 10 process_gone "$APP_PID" || fail "the widget did not end"
}

# --- Jumps of the clock in UTC; target 2007-03-25 08:00:00 ---------------
store_setting General Target "8:0.0 2007/3/25"
start_app_on_fake_clock "2007-03-11 11:13:39" /m
wait_for 5 wm_state_is "$WID" Iconic || fail "not minimized: $(wm_state "$WID")"
# 13 days 20:46:21 left.
expect_caption "1w 6d 20h 46m 21s " "at the start"

# Forward a day and a second, across a midnight: 12 days 20:46:20 left.
# (An exact day would keep the seconds value and be skipped, as below.)
set_fake_clock "2007-03-12 11:13:40"
expect_caption "1w 5d 20h 46m 20s " "a day forward"

# Back an hour and a second: 12 days 21:46:21 left.
set_fake_clock "2007-03-12 10:13:39"
expect_caption "1w 5d 21h 46m 21s " "an hour back"

# Back exactly 60 seconds: the seconds are 21 again, the minutes follow.
set_fake_clock "2007-03-12 10:12:39"
expect_caption "1w 5d 21h 47m 21s " "a minute back"
set_fake_clock "2007-03-12 10:12:40"
expect_caption "1w 5d 21h 47m 20s " "a second after the minute back"
# Forward exactly 60 seconds (a tick's second and a jump of 59).
set_fake_clock "2007-03-12 10:13:40"
expect_caption "1w 5d 21h 46m 20s " "a minute forward"

# --- The target passes while minimized ----------------------------------
# One second before the target.
set_fake_clock "2007-03-25 07:59:59"
expect_caption "0w 0d 0h 0m 1s " "one second before the target"
# One second after it, with no tick at 0 s left: the caption reads 0, as
# the labels do, and stays so.
set_fake_clock "2007-03-25 08:00:01"
expect_caption "0w 0d 0h 0m 0s " "one second after the target"
set_fake_clock "2007-03-25 09:00:01"
keeps_caption "0w 0d 0h 0m 0s " "an hour after the target"
# Restored and minimized again, it reads the same.
wmctrl -i -a "$WID"
wait_for 5 wm_state_is "$WID" Normal || fail "not restored: $(wm_state "$WID")"
expect_caption "Taloran" "restored after the target"
xdotool windowminimize "$WID"
wait_for 5 wm_state_is "$WID" Iconic || fail "not minimized again: $(wm_state "$WID")"
expect_caption "0w 0d 0h 0m 0s " "minimized again after the target"
end_widget

# --- Clocks go forward in New York: 01:59:59 EST, a second later 03:00:00 EDT
export TZ=America/New_York
printf '[General]\nTarget=8:0.0 2007/3/25\n' >"$SETTINGS_FILE"
start_app_on_fake_clock "2007-03-11 01:59:59" /m
# Wall clock to 2007-03-25 08:00:00: 14 days 06:00:01.
expect_caption "2w 0d 6h 0m 1s " "New York before the change"
set_fake_clock "2007-03-11 03:00:00"
# One real second on, the wall clock shows an hour more: 14 days 05:00:00.
expect_caption "2w 0d 5h 0m 0s " "New York after the change"
end_widget

# --- Clocks go back in Berlin: 02:59:59 CEST, a second later 02:00:00 CET -
export TZ=Europe/Berlin
printf '[General]\nTarget=8:0.0 2007/11/4\n' >"$SETTINGS_FILE"
start_app_on_fake_clock "2007-10-28 02:59:59 +0200" /m
# Wall clock to 2007-11-04 08:00:00: 7 days 05:00:01.
expect_caption "1w 0d 5h 0m 1s " "Berlin before the change"
set_fake_clock "2007-10-28 02:00:00 +0100"
# One real second on, the wall clock shows an hour less: 7 days 06:00:00.
expect_caption "1w 0d 6h 0m 0s " "Berlin after the change"
end_widget
