#!/usr/bin/env bash
# A write that fails while the session ends is reported where Windows keeps
# such reports: an error from the source "Taloran" in the Application event
# log, naming the section's registry key and the reason. Wine keeps no event
# log; its ReportEventW hands each report to its "eventlog" debug channel,
# which is read here.
#   session_end.sh PATH/TO/Taloran.exe PATH/TO/readonly_key.exe
TALORAN_BIN=$1
readonly_key=$2
source "$(dirname "$0")/winelib.sh"
start_x
start_wine

section_key='Software\VB and VBA Program Settings\Taloran\General'
# A past target, pulled up to now at the start, so the widget has a changed
# target to write as the session ends.
reg_set General Target "14:30.15 2001/3/4"
"$WINE" "$readonly_key" "$section_key" || fail "the key could not be made read-only"
! reg_set General Target "15:30.15 2030/3/4" || fail "the key is still writable"

WINEDEBUG=-all,err+eventlog start_exe "$TALORAN_BIN" /m
wait_for 20 wm_state_is "$WID" Iconic || fail "/m did not start minimized: $(wm_state "$WID")"
timeout 120 "$WINE" wineboot -e >/dev/null 2>&1 || true
wait_exe_ended
reported() {
    grep -a 'err:eventlog:ReportEventW' "$E2E_TMP/app.log" | grep -aF 'could not be saved' \
        | grep -aqF 'Registry key: HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Taloran\\General\n'
}
reported || fail "no event-log entry: $(tail -n 20 "$E2E_TMP/app.log")"
log "reported: $(grep -a 'err:eventlog' "$E2E_TMP/app.log" | head -n1)"
"$WINE" "$readonly_key" --undo "$section_key" || fail "the key could not be made writable again"
[[ $(reg_get General Target) == "14:30.15 2001/3/4" ]] || fail "the stored target changed"
