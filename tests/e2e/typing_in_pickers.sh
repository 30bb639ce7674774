#!/usr/bin/env bash
# Times and dates typed into the details dialog's pickers as people type
# them, under the order and separators of each run's LANG and LC_ALL, set
# exactly the target typed; a date that does not exist leaves it as it was.
source "$(dirname "$0")/lib.sh"
start_x
mkdir -p "$(dirname "$SETTINGS_FILE")"

# type_in_dialog LOCALE STORED KEYS...: one run under LOCALE with the target
# STORED. The dialog opens with the hour field focused; each of KEYS is
# typed there ("Tab" moves on to the date picker), then both windows close.
type_in_dialog() {
    printf '[General]\nTarget=%s\n' "$2" >"$SETTINGS_FILE"
    APP_LOCALE=$1
    LANG=$1 start_app --faketime "2026-01-01 12:00:00"
    shift 2
    wait_for 5 wm_state_is "$WID" Normal || fail "not shown normal"
    click_at "$WID" 716 97
    wait_for 5 dialog_window_of "$APP_PID" || fail "the details dialog did not open"
    DLG=$(dialog_window_of "$APP_PID")
    xdotool windowactivate --sync "$DLG"
    local keys
    for keys in "$@"; do
        if [[ $keys == Tab ]]; then xdotool key Tab; else xdotool type --delay 40 "$keys"; fi
    done
    wmctrl -i -c "$DLG"
    wait_for 5 sh -c "! xwininfo -id $DLG | grep -q IsViewable" || fail "the dialog did not close"
    click_at "$WID" 760 97
    wait_for 10 process_gone "$APP_PID" || fail "the close button did not end the program"
}

target_is() {
    [[ $(setting General Target) == "$1" ]] || fail "typing $2 gave '$(setting General Target)', not '$1'"
}

type_in_dialog en_GB.UTF-8 "2030-06-15 08:00:00" "14:30:15"
target_is "15/06/2030 14:30:15" "14:30:15"
type_in_dialog en_GB.UTF-8 "2030-06-15 08:00:00" "9:05:07" Tab "31/12/2030"
target_is "31/12/2030 09:05:07" "9:05:07 and 31/12/2030"
type_in_dialog en_GB.UTF-8 "2030-06-15 08:00:00" Tab "29022028"
target_is "29/02/2028 08:00:00" "29022028"
type_in_dialog de_DE.UTF-8 "2028-02-28 08:00:00" "143015" Tab "31.12.2030"
target_is "31.12.2030 14:30:15" "143015 and 31.12.2030"
type_in_dialog en_US.UTF-8 "2030-06-15 08:00:00" Tab "12/31/2030"
target_is "12/31/2030 8:00:00 AM" "12/31/2030"

# 29 February 2030 does not exist: the target stays as it was.
type_in_dialog en_GB.UTF-8 "2030-06-15 08:00:00" Tab "29/02/2030"
target_is "15/06/2030 08:00:00" "29/02/2030"
type_in_dialog en_US.UTF-8 "2030-06-15 08:00:00" Tab "2/29/2030"
target_is "6/15/2030 8:00:00 AM" "2/29/2030"

# A two-digit year is the year the platform reads once the date picker is
# left: 27 is 2027.
type_in_dialog en_US.UTF-8 "2027-04-03 14:30:16" Tab "1/2/27" Tab
target_is "1/2/2027 2:30:16 PM" "1/2/27"
