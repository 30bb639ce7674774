#!/usr/bin/env bash
# A Wayland session with no X server (Weston, headless): the widget runs
# natively, is shown with its artwork and the time left, counts as the clock
# moves, shows the time left as its title (the compositor never says that it
# is minimized), and leaves the stored position and the unchanged target alone.
# Weston shows it where it likes; the screenshot finds it there.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/weston.sh"
CHECKER=$(dirname "$0")/check_screenshot.py
ASSETS=$(cd "$(dirname "$0")/../../assets" && pwd)
start_weston headless

store_setting General Target "8:0.0 2007/3/25"
store_setting "Form%20Positions" frmMain "\"3000,1875,1500,12000,0\""
wait_for 20 background_shown "$E2E_TMP/before.png" || fail "Weston showed no background"
set_fake_clock "2007-03-11 11:13:39"
env -u FAKETIME "LC_ALL=$APP_LOCALE" "LD_PRELOAD=$FAKETIME_LIB" "FAKETIME_TIMESTAMP_FILE=$FAKE_CLOCK_FILE" \
    FAKETIME_FMT=%s FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 \
    WAYLAND_DEBUG=client "$TALORAN_BIN" >"$E2E_TMP/app.log" 2>&1 &
APP_PID=$!
E2E_PIDS+=($APP_PID)

# Shown, drawn right, with digits in every label. A capture can catch the
# window before its first paint, so a failing check is tried again.
seconds_label() { convert "$1" -crop "57x73+$((x + 653))+$((y + 5))" +repage -depth 8 rgb:- | md5sum; }
checked() {
    widget_shown "$E2E_TMP/after.png" || return 1
    read -r x y < <(widget_at "$E2E_TMP/after.png")
    python3 "$CHECKER" "$ASSETS" 1 "$E2E_TMP/before.png" "$E2E_TMP/after.png" "$x" "$y" 800 125 \
        >"$E2E_TMP/check.log" 2>&1
}
wait_for 20 checked || { cat "$E2E_TMP/check.log" >&2; fail "the widget was not shown as it should be"; }
cp "$E2E_TMP/after.png" "$E2E_OUT/wayland_native.png"
log "shown at $x $y; screenshot: $E2E_OUT/wayland_native.png"
first=$(seconds_label "$E2E_TMP/after.png")

# It counts: one second later the seconds label reads otherwise.
set_fake_clock "2007-03-11 11:13:40"
counted() { weston_screenshot "$E2E_TMP/later.png" && [[ $(seconds_label "$E2E_TMP/later.png") != "$first" ]]; }
wait_for 10 counted || fail "the seconds did not change"

# The title that the task list shows is the time left, and follows it.
last_title() { sed -n 's/.*xdg_toplevel@[0-9]*\.set_title("\(.*\)")$/\1/p' "$E2E_TMP/app.log" | tail -n1; }
titled() { [[ $(last_title) == "1w 6d 20h 46m 20s " ]]; }
wait_for 10 titled || fail "the title is '$(last_title)'"

# SIGTERM ends it normally: the target, which it did not change, and the
# stored position are left as they were.
stop_app
[[ $(setting General Target) == "8:0.0 2007/3/25" ]] || fail "target after SIGTERM: $(setting General Target)"
[[ $(setting "Form%20Positions" frmMain) == "3000,1875,1500,12000,0" ]] \
    || fail "the stored position changed: $(setting "Form%20Positions" frmMain)"
