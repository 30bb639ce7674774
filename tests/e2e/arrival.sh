#!/usr/bin/env bash
# When the countdown reaches its target, the widget asks for attention
# (_NET_WM_STATE_DEMANDS_ATTENTION) and a notice goes to the session bus's
# notification service: here a bus of the test's own, served by a stand-in
# (fake_notifications) that prints each Notify call and clicks the notice when
# asked. The click brings the widget forward. Without a session bus the
# widget still asks for attention and goes on counting.
source "$(dirname "$0")/lib.sh"
: "${FAKE_NOTIFICATIONS:?FAKE_NOTIFICATIONS must name the stand-in notification service}"
start_x

# A session bus that starts no service on demand.
cat >"$E2E_TMP/bus.conf" <<CONF
<busconfig>
  <type>session</type>
  <listen>unix:path=$E2E_TMP/bus</listen>
  <policy context="default">
    <allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$E2E_TMP/bus.conf" --nofork --nopidfile >"$E2E_TMP/bus.log" 2>&1 &
E2E_PIDS+=($!)
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/bus
NOTICES=$E2E_TMP/notices
wait_for 10 test -S "$E2E_TMP/bus" || fail "the session bus did not start"
"$FAKE_NOTIFICATIONS" >"$NOTICES" 2>"$E2E_TMP/service.log" &
E2E_PIDS+=($!)
service_ready() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.freedesktop.Notifications | grep -q true
}
wait_for 10 service_ready || fail "the stand-in notification service did not start"

attention() { xprop -id "$1" _NET_WM_STATE WM_HINTS | grep -qiE 'DEMANDS_ATTENTION|urgency'; }
no_attention() { ! attention "$1"; }
notices_are() { [[ $(wc -l <"$NOTICES") == "$1" ]]; }
active_window_is() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }

# start_before_target: the widget minimized (so not the active window), one
# second before its target of 2007-03-25 08:00:00.
start_before_target() {
    start_app_on_fake_clock "2007-03-25 07:59:59" /m
    wait_for 5 wm_state_is "$WID" Iconic || fail "not minimized: $(wm_state "$WID")"
    wait_for 5 window_name_is "$WID" "0w 0d 0h 0m 1s " \
        || fail "one second before the target, the caption is '$(window_name "$WID")'"
    no_attention "$WID" || fail "attention asked for before the target"
}
store_setting General Target "8:0.0 2007/3/25"

# --- The target passes ----------------------------------------------------
start_before_target
notices_are 0 || fail "a notice before the target: $(cat "$NOTICES")"
set_fake_clock "2007-03-25 08:00:01"
wait_for 5 attention "$WID" || fail "no attention asked for: $(xprop -id "$WID" _NET_WM_STATE)"
wait_for 5 notices_are 1 || fail "no notice reached the bus"
expected="Taloran|taloran|Taloran|3/25/2007 08:00:00 has arrived|default,Show|io.github.taloran.Taloran|(iiibiiay)"
[[ $(cat "$NOTICES") == "$expected" ]] || fail "the notice is '$(cat "$NOTICES")', expected '$expected'"
stays_for 2 notices_are 1 || fail "more than one notice for one arrival: $(cat "$NOTICES")"

# --- A click on the notice brings the widget forward ------------------------
gdbus call --session --dest org.freedesktop.Notifications --object-path /org/freedesktop/Notifications \
    --method org.freedesktop.Notifications.Click >/dev/null || fail "the notice could not be clicked"
wait_for 5 wm_state_is "$WID" Normal || fail "not restored by the click: $(wm_state "$WID")"
wait_for 5 active_window_is "$WID" || fail "not the active window after the click"
wait_for 5 no_attention "$WID" || fail "still asks for attention once active"
screenshot arrival_brought_forward
stop_app

# --- No session bus at all --------------------------------------------------
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus
start_before_target
set_fake_clock "2007-03-25 08:00:01"
wait_for 5 attention "$WID" || fail "no attention asked for without a bus"
# The clock set back before the target: the caption follows.
set_fake_clock "2007-03-25 07:59:30"
wait_for 5 window_name_is "$WID" "0w 0d 0h 0m 30s " \
    || fail "the widget stopped counting without a bus: '$(window_name "$WID")'"
notices_are 1 || fail "a notice without a bus: $(cat "$NOTICES")"
