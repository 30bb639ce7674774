#!/usr/bin/env bash
# Run at startup: ticking the dialog's box and closing the dialog writes an
# XDG autostart entry for the program, which a desktop's autostart (dex)
# starts minimized, even from a folder whose name has a space; unticking it
# removes the entry.
source "$(dirname "$0")/lib.sh"
start_x
# Only our own autostart folder is searched.
export XDG_CONFIG_DIRS=$E2E_TMP/no-system-config
ENTRY=$XDG_CONFIG_HOME/autostart/Taloran.desktop

APP_DIR="$E2E_TMP/my apps"
mkdir -p "$APP_DIR"
cp "$TALORAN_BIN" "$APP_DIR/taloran"
APP_BIN=$APP_DIR/taloran
store_setting General Target "8:0.0 2031/7/4"
start_app

# The box sits at (16, 240) in the dialog, 289 x 17.
toggle_startup_box() {
    click_at "$WID" 716 97
    wait_for 5 dialog_window_of "$APP_PID" || fail "the details dialog did not open"
    local dlg
    dlg=$(dialog_window_of "$APP_PID")
    click_at "$dlg" 24 248
    sleep 0.2
    screenshot "autostart_box_$1"
    wmctrl -i -c "$dlg"
    wait_for 5 sh -c "! xwininfo -id $dlg | grep -q IsViewable" || fail "the dialog did not close"
}

[[ ! -e $ENTRY ]] || fail "an entry exists before the box was ticked"
toggle_startup_box ticked
wait_for 5 test -f "$ENTRY" || fail "no autostart entry after ticking the box"
grep -qxF "Exec=\"$APP_DIR/taloran\" /m" "$ENTRY" || fail "unexpected entry: $(cat "$ENTRY")"
desktop-file-validate "$ENTRY" || fail "the entry does not validate"

# Log on, in the widget's locale: the desktop's autostart starts the widget
# minimized. (With a copy already running, that start would hand over to it
# and end.)
stop_app
LC_ALL=$APP_LOCALE dex -a -s "$XDG_CONFIG_HOME/autostart" >"$E2E_TMP/dex.log" 2>&1 || fail "dex failed: $(cat "$E2E_TMP/dex.log")"
second_pid() { pgrep -f -x "$APP_DIR/taloran /m" | head -1; }
wait_for 10 second_pid || fail "autostart started nothing: $(cat "$E2E_TMP/dex.log")"
SECOND=$(second_pid)
E2E_PIDS+=("$SECOND")
wait_for 10 main_window_of "$SECOND" || fail "the second instance has no window"
SECOND_WID=$(main_window_of "$SECOND")
wait_for 5 wm_state_is "$SECOND_WID" Iconic || fail "the second instance is not minimized"
wait_for 5 sh -c "xdotool getwindowname $SECOND_WID | grep -Eq '^[0-9]+w [0-6]d [0-9]+h [0-9]+m [0-9]+s \$'" \
    || fail "second instance caption '$(window_name "$SECOND_WID")'"
kill "$SECOND"
wait_for 10 process_gone "$SECOND"

# The box shows the entry at the next opening; unticking removes it.
start_app
toggle_startup_box unticked
wait_for 5 sh -c "! test -e '$ENTRY'" || fail "the entry is still there after unticking the box"
