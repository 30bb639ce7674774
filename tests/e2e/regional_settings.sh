#!/usr/bin/env bash
# The target survives regional settings that change between runs: each run
# under its own LANG and LC_ALL, or a mix of LANG, LC_TIME, LC_MESSAGES and
# LC_ALL, reads the text that the run before wrote under other settings, and
# writes the same moment in its own, in the date format of LC_TIME. A text
# that no setting reads stays in the file until a new target is picked.
source "$(dirname "$0")/lib.sh"
start_x
mkdir -p "$(dirname "$SETTINGS_FILE")"

# run_in LOCALE ARGS...: starts the widget under LOCALE, 2026-01-01 12:00:00.
run_in() {
    APP_LOCALE=$1
    LANG=$1 start_app --faketime "2026-01-01 12:00:00" "${@:2}"
}

# edit_and_close: a target is written only when changed, so the running widget
# steps the time picker up and back down in its dialog, then is closed by its
# close button.
edit_and_close() {
    wait_for 5 wm_state_is "$WID" Normal || fail "not shown normal"
    open_dialog
    xdotool windowactivate --sync "$DLG" key Up Down
    wmctrl -i -c "$DLG"
    wait_for 5 sh -c "! xwininfo -id $DLG | grep -q IsViewable" || fail "the dialog did not close"
    click_at "$WID" 760 97
    wait_for 10 process_gone "$APP_PID" || fail "the close button did not end the program"
}

# closes_with LOCALE TEXT: one run under LOCALE, edited and closed, leaves
# TEXT as the target and LOCALE's name beside it.
closes_with() {
    run_in "$1.UTF-8"
    edit_and_close
    [[ $(setting General Target) == "$2" ]] \
        || fail "under $1 the stored target is '$(setting General Target)', not '$2'"
    [[ $(setting General TargetLocale) == "$1" ]] \
        || fail "under $1 the stored locale is '$(setting General TargetLocale)'"
}

# closes_under "VAR=value..." TEXT: as closes_with, under exactly these of
# LANG, LC_TIME, LC_MESSAGES and LC_ALL.
closes_under() {
    unset LANG LC_TIME LC_MESSAGES
    APP_LOCALE=
    local v
    for v in $1; do
        if [[ $v == LC_ALL=* ]]; then APP_LOCALE=${v#LC_ALL=}; else export "${v?}"; fi
    done
    start_app --faketime "2026-01-01 12:00:00"
    unset LANG LC_TIME LC_MESSAGES
    edit_and_close
    [[ $(setting General Target) == "$2" ]] \
        || fail "under $1 the stored target is '$(setting General Target)', not '$2'"
}

# 3 February 2031, at midnight and with a time of day, through mixes where
# LC_TIME differs from the language and the messages.
printf '[General]\nTarget=2031-02-03 00:00:00\n' >"$SETTINGS_FILE"
closes_under "LANG=en_US.UTF-8 LC_TIME=en_GB.UTF-8" "03/02/2031"
closes_under "LANG=en_US.UTF-8" "2/3/2031"
printf '[General]\nTarget=2031-02-03 10:20:30\n' >"$SETTINGS_FILE"
closes_under "LANG=en_US.UTF-8 LC_MESSAGES=de_DE.UTF-8 LC_TIME=en_GB.UTF-8" "03/02/2031 10:20:30"
closes_under "LANG=de_DE.UTF-8 LC_TIME=en_US.UTF-8" "2/3/2031 10:20:30 AM"
closes_under "LC_ALL=en_GB.UTF-8 LC_TIME=en_US.UTF-8" "03/02/2031 10:20:30"
closes_under "LANG=ja_JP.UTF-8 LC_MESSAGES=en_US.UTF-8" "2031/02/03 10時20分30秒"
closes_under "LANG=en_US.UTF-8" "2/3/2031 10:20:30 AM"
[[ $(setting General TargetFormat) == "M/d/yyyy h:mm:ss AP" ]] || fail "the stored format is '$(setting General TargetFormat)'"

# A hand-written ISO 8601 text reads as the moment it spells.
printf '[General]\nTarget=2030-03-04T14:30:15\n' >"$SETTINGS_FILE"
closes_with de_DE "04.03.2030 14:30:15"

# 4 March 2030 14:30:15 through every setting in turn; the minimized
# caption under en_GB shows that the countdown runs to it.
closes_with en_GB "04/03/2030 14:30:15"
run_in en_GB.UTF-8 /m
wait_for 5 window_name_is "$WID" "217w 4d 2h 30m 15s " || fail "caption '$(window_name "$WID")'"
stop_app
closes_with fr_FR "04/03/2030 14:30:15"
closes_with ja_JP "2030/03/04 14時30分15秒"
closes_with en_US "3/4/2030 2:30:15 PM"
closes_with C "4 Mar 2030 14:30:15"
closes_with ar_EG "٤‏/٣‏/٢٠٣٠ ٢:٣٠:١٥ م"
closes_with de_DE "04.03.2030 14:30:15"

# A midnight is the date alone, where en_GB and en_US swap day and month.
printf '[General]\nTarget=2030-03-04\n' >"$SETTINGS_FILE"
closes_with en_GB "04/03/2030"
closes_with en_US "3/4/2030"
closes_with en_GB "04/03/2030"

# A text that no setting reads: the widget counts as on a first start, and
# the text stays through a close and a SIGTERM.
printf '[General]\nTarget=31.02.2030 25:00\n' >"$SETTINGS_FILE"
run_in en_US.UTF-8
wait_for 5 wm_state_is "$WID" Normal || fail "not shown normal"
click_at "$WID" 760 97
wait_for 10 process_gone "$APP_PID" || fail "the close button did not end the program"
[[ $(setting General Target) == "31.02.2030 25:00" ]] || fail "the unreadable text became '$(setting General Target)'"
run_in en_US.UTF-8
kill -TERM "$APP_PID"
wait_for 10 process_gone "$APP_PID" || fail "SIGTERM did not end the program"
[[ $(setting General Target) == "31.02.2030 25:00" ]] || fail "the unreadable text became '$(setting General Target)'"

# Picking a new target in the dialog replaces it: one hour up from the start
# moment.
run_in en_US.UTF-8
click_at "$WID" 716 97
wait_for 5 dialog_window_of "$APP_PID" || fail "the details dialog did not open"
DLG=$(dialog_window_of "$APP_PID")
xdotool windowactivate --sync "$DLG"
xdotool key Up
wmctrl -i -c "$DLG"
wait_for 5 sh -c "! xwininfo -id $DLG | grep -q IsViewable" || fail "the dialog did not close"
click_at "$WID" 760 97
wait_for 10 process_gone "$APP_PID" || fail "the close button did not end the program"
[[ $(setting General Target) == "1/1/2026 1:00:00 PM" ]] || fail "the picked target is '$(setting General Target)'"
