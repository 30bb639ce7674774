#!/usr/bin/env bash
# Started with an argument and a known "now", the widget comes up minimized
# with the clock icon, and its taskbar caption shows the time left; restored,
# it reads "Taloran".
source "$(dirname "$0")/lib.sh"
start_x
store_setting General Target "8:0.0 2007/3/25"
start_app --faketime "2007-03-11 11:13:39" /m

wait_for 5 wm_state_is "$WID" Iconic || fail "not minimized: $(wm_state "$WID")"
wait_for 5 window_name_is "$WID" "1w 6d 20h 46m 21s " \
    || fail "minimized caption is '$(window_name "$WID")'"
# The clock icon, in all its sizes, although a minimized window is not painted.
icon_sizes() { xprop -id "$WID" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)).*/\1/p' | sort -nu | xargs; }
[[ $(icon_sizes) == "16 32 48 64 128" ]] || fail "icon sizes: $(icon_sizes)"

wmctrl -i -a "$WID"
wait_for 5 wm_state_is "$WID" Normal || fail "not restored: $(wm_state "$WID")"
wait_for 5 window_name_is "$WID" "Taloran" || fail "restored caption is '$(window_name "$WID")'"
screenshot minimized_caption_restored

# Minimizing through the widget's own button brings the countdown back.
click_at "$WID" 672 97
wait_for 5 wm_state_is "$WID" Iconic || fail "the minimize button did not minimize"
wait_for 5 window_name_is "$WID" "1w 6d 20h 46m 21s " \
    || fail "caption after the minimize button is '$(window_name "$WID")'"
