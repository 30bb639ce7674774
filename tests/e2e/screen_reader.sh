#!/usr/bin/env bash
# What a screen reader finds over AT-SPI: the widget is a frame whose numbers
# read weeks to seconds, each with its unit, then the details, close and
# minimize buttons; the details dialog is a dialog.
source "$(dirname "$0")/lib.sh"
start_x

# A session bus of the test's own, and the accessibility bus on it.
dbus-daemon --session --address="unix:path=$E2E_TMP/bus" --nofork --nopidfile >"$E2E_TMP/bus.log" 2>&1 &
E2E_PIDS+=($!)
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/bus
wait_for 10 test -S "$E2E_TMP/bus" || fail "the session bus did not start"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_TMP/atspi.log" 2>&1 &
E2E_PIDS+=($!)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

HERE=$(dirname "$0")
tree() { /usr/bin/python3 "$HERE/screen_reader.py" "$APP_PID" 2>>"$E2E_TMP/atspi.log"; }
tree_is() { [[ $(tree) == "$1" ]]; }
has_dialog() { [[ $(tree) == *$'\n''dialog: Taloran'$'\n'* ]]; }

# 50 weeks, 1 day, 2 hours, 3 minutes and 4 seconds before the target.
store_setting General Target "12:3.4 2031/1/2"
start_app --faketime "2030-01-16 10:00:00"
widget="frame: Taloran
  label: 50 weeks
  label: 1 day
  label: 2 hours
  label: 3 minutes
  label: 4 seconds
  push button: Details
  push button: Close
  push button: Minimize"
wait_for 20 tree_is "$widget" || fail "the widget reads as: $(tree)"

open_dialog
wait_for 20 has_dialog || fail "no dialog among: $(tree)"
