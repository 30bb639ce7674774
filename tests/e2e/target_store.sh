#!/usr/bin/env bash
# The target reaches the settings store when the widget closes: through its
# close button, and when the process is asked to end by a signal; but only a
# target that this copy changed (the pull-up of a past one counts while the
# store still holds what this copy read).
source "$(dirname "$0")/lib.sh"
start_x

# First start with an empty store: the target becomes the start moment.
start_app --faketime "2007-03-11 11:13:39"
wait_for 5 wm_state_is "$WID" Normal || fail "not shown normal"
screenshot target_store_first_start
click_at "$WID" 760 97
wait_for 10 process_gone "$APP_PID" || fail "the close button did not end the program"
[[ $(setting General Target) == "3/11/2007 11:13:39 AM" ]] \
    || fail "stored target is '$(setting General Target)'"

# A first start ended by SIGTERM writes the start moment.
rm -f "$SETTINGS_FILE"
start_app --faketime "2008-02-28 22:30:15"
kill -TERM "$APP_PID"
wait_for 10 process_gone "$APP_PID" || fail "SIGTERM did not end the program"
[[ $(setting General Target) == "2/28/2008 10:30:15 PM" ]] \
    || fail "target after SIGTERM is '$(setting General Target)'"

# A past target, pulled up to the start moment, is written at a SIGINT and a
# SIGHUP.
for signal in INT HUP; do
    printf '[General]\nTarget=8:0.0 2001/7/4\n' >"$SETTINGS_FILE"
    start_app --faketime "2008-02-28 22:30:15"
    kill -"$signal" "$APP_PID"
    wait_for 10 process_gone "$APP_PID" || fail "SIG$signal did not end the program"
    [[ $(setting General Target) == "2/28/2008 10:30:15 PM" ]] \
        || fail "target after SIG$signal is '$(setting General Target)'"
done

# A target ahead that this copy did not change is left as it was stored, so
# that what another copy or a hand edit stored meanwhile stays.
printf '[General]\nTarget=8:0.0 2031/7/4\n' >"$SETTINGS_FILE"
start_app --faketime "2008-02-28 22:30:15"
printf '[General]\nTarget=8:0.0 2032/1/2\n' >"$SETTINGS_FILE"
click_at "$WID" 760 97
wait_for 10 process_gone "$APP_PID" || fail "the close button did not end the program"
[[ $(setting General Target) == "8:0.0 2032/1/2" ]] \
    || fail "an unchanged target was written over a newer one: '$(setting General Target)'"

# Nor is a past target that this copy only pulled up to its start moment
# written over one stored meanwhile (by hand, or by a widget of another
# session); the next start pulls up what is stored then.
printf '[General]\nTarget=8:0.0 2001/7/4\n' >"$SETTINGS_FILE"
start_app --faketime "2008-02-28 22:30:15"
printf '[General]\nTarget=8:0.0 2032/1/2\n' >"$SETTINGS_FILE"
click_at "$WID" 760 97
wait_for 10 process_gone "$APP_PID" || fail "the close button did not end the program"
[[ $(setting General Target) == "8:0.0 2032/1/2" ]] \
    || fail "a pulled-up target was written over a newer one: '$(setting General Target)'"
