#!/usr/bin/env bash
# Taloran.exe under wine when its target arrives while it runs minimized: a
# relay trace finds the alert (user32.FlashWindowEx, the taskbar button's
# flashing) and the notification area's icon (shell32.Shell_NotifyIconW),
# removed again after a minute (NIM_DELETE). Xvfb and openbox offer no
# notification area (wine shows the icon and its message in a small window
# of its own), and the widget goes on: it is restored and shows the target
# reached.
#   arrival.sh PATH/TO/Taloran.exe
built=$1
TALORAN_BIN=$built
source "$(dirname "$0")/winelib.sh"

start_x
start_wine
# A fresh prefix's first reg add can fail while wine settles; it is tried again.
set_relay_filter() {
    "$WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /f \
        /d 'user32.FlashWindowEx;shell32.Shell_NotifyIconW'
}
wait_for 60 set_relay_filter || fail "the relay filter was not set"
# A target far enough ahead for wine to show the widget first.
target=$(($(date +%s) + 45))
reg_set General Target "$(date -d "@$target" '+%-H:%-M.%-S %Y/%-m/%-d')"
WINEDEBUG=+relay start_exe "$TALORAN_BIN" /m
wait_for 20 wm_state_is "$WID" Iconic || fail "/m did not start minimized: $(wm_state "$WID")"
(($(date +%s) < target)) || fail "the widget started after its target; nothing can arrive"

called() { tr -d '\r' <"$E2E_TMP/app.log" | grep -aq "Call $1"; }
wait_for 90 called 'user32.FlashWindowEx(' || fail "no FlashWindowEx after the target"
wait_for 10 called 'shell32.Shell_NotifyIconW(00000000,' || fail "no notification area icon added"
wmctrl -i -a "$WID"
wait_for 10 window_name_is "$WID" "Taloran" || fail "not restored after the target: '$(window_name "$WID")'"
screenshot wine_arrival_notice
wait_for 90 called 'shell32.Shell_NotifyIconW(00000002,' || fail "the notification area icon stayed"
cp "$E2E_TMP/app.log" "$E2E_OUT/wine_arrival_relay.log" 2>/dev/null || true
kill -0 "$APP_PID" || fail "the widget has ended"
