#!/usr/bin/env bash
# Taloran.exe under wine stays on the ordinary system timer: a relay trace of
# the Win32 timer calls over 10 s of running (shown, with the details dialog
# open, minimized) finds no multimedia timer of 1 ms resolution
# (winmm.timeSetEvent) and no raised timer resolution (winmm.timeBeginPeriod
# of 1 ms), and finds the waitable timer that the ticks come from. Qt makes
# a multimedia timer of every precise timer, and of every coarse one of
# 20 ms or less.
#   timers.sh PATH/TO/Taloran.exe
built=$1
TALORAN_BIN=$built
source "$(dirname "$0")/winelib.sh"

start_x
start_wine
"$WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /f /d \
    'winmm.timeSetEvent;winmm.timeBeginPeriod;user32.SetTimer;user32.SetCoalescableTimer;kernel32.SetWaitableTimer;kernelbase.SetWaitableTimer' \
    >/dev/null 2>&1 || fail "the relay filter was not set"
reg_set General Target "$(date -d "now + 20 days" '+%-H:%-M.%-S %Y/%-m/%-d')"

# The trace covers about 3 s in each state: shown, with the dialog open,
# and minimized (these are spans to observe, not waits for the program).
WINEDEBUG=+relay start_exe "$TALORAN_BIN"
trace_from=$SECONDS
sleep 3
click_at "$WID" 716 97
wait_for 20 wine_dialog_window || fail "the details dialog did not open"
sleep 3
xdotool windowminimize "$WID"
wait_for 10 wm_state_is "$WID" Iconic || fail "not minimized: $(wm_state "$WID")"
sleep $((trace_from + 10 - SECONDS > 0 ? trace_from + 10 - SECONDS : 0))

calls=$(tr -d '\r' <"$E2E_TMP/app.log" | grep -aE '^[0-9a-f]+:Call ' | sed 's/^[0-9a-f]*:Call //')
cp "$E2E_TMP/app.log" "$E2E_OUT/wine_timers_relay.log" 2>/dev/null || true
log "timer calls: $(grep -oiE '^[a-z0-9]+\.[a-z]+' <<<"$calls" | sort | uniq -c | xargs)"
# timeSetEvent(delay, resolution, ...) and timeBeginPeriod(period).
fine=$(grep -iE 'timeSetEvent\([0-9a-f]+,0*1,|timeBeginPeriod\(0*1\)' <<<"$calls" || true)
[[ -z $fine ]] || fail "1 ms timer resolution asked for: $(head -n3 <<<"$fine")"
grep -qi 'SetWaitableTimer' <<<"$calls" || fail "no waitable timer in the trace (is relay tracing on?)"
