#!/usr/bin/env bash
# Run at startup: ticking the dialog's box and closing the dialog writes an
# XDG autostart entry for the program, which both GLib's launcher (gio launch,
# as GNOME's session reads autostart entries) and dex start minimized, from
# folders whose names hold spaces, non-ASCII letters, '%', quotes, '$' and
# '`'. Unticking the box removes the entry. From a folder that no entry can
# name alike for every launcher, the box does not stay ticked: a message says
# why and no entry is written. An entry that cannot be written or removed (a
# read-only autostart folder) is reported in a box that names the file and
# the reason.
source "$(dirname "$0")/lib.sh"
start_x
# Only our own autostart folder is searched.
export XDG_CONFIG_DIRS=$E2E_TMP/no-system-config
ENTRY=$XDG_CONFIG_HOME/autostart/Taloran.desktop
store_setting General Target "8:0.0 2031/7/4"

# The box sits at (16, 240) in the dialog, 289 x 17. Opens the dialog and
# clicks the box; DLG is the dialog.
click_startup_box() {
    click_at "$WID" 716 97
    wait_for 5 dialog_window_of "$APP_PID" || fail "the details dialog did not open"
    DLG=$(dialog_window_of "$APP_PID")
    click_at "$DLG" 24 248
}
close_dialog() {
    wmctrl -i -c "$DLG"
    wait_for 5 sh -c "! xwininfo -id $DLG | grep -q IsViewable" || fail "the dialog did not close"
}

# The process running the program file $1, by its executable rather than its
# command line, which may name the file relative to its folder.
process_of_file() {
    local pid
    for pid in $(pgrep -x "$(basename "$1" | cut -c1-15)"); do
        if [[ $(readlink "/proc/$pid/exe") == "$1" ]]; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

# launched_by NAME COMMAND...: runs the launcher and waits for the program
# file $APP_BIN to show its minimized widget with the time left as its caption.
launched_by() {
    local name=$1 pid wid
    shift
    "$@" >"$E2E_TMP/launcher.log" 2>&1 || fail "$name failed for '$APP_BIN': $(cat "$E2E_TMP/launcher.log")"
    wait_for 15 process_of_file "$APP_BIN" \
        || fail "$name started nothing for '$APP_BIN': $(cat "$E2E_TMP/launcher.log") $(cat "$ENTRY")"
    pid=$(process_of_file "$APP_BIN")
    E2E_PIDS+=("$pid")
    wait_for 15 main_window_of "$pid" || fail "$name: the widget has no window"
    wid=$(main_window_of "$pid")
    wait_for 5 wm_state_is "$wid" Iconic || fail "$name: the widget is not minimized"
    wait_for 5 sh -c "xdotool getwindowname $wid | grep -Eq '^[0-9]+w [0-6]d [0-9]+h [0-9]+m [0-9]+s \$'" \
        || fail "$name: caption '$(window_name "$wid")'"
    kill "$pid"
    wait_for 10 process_gone "$pid" || fail "$name: the widget did not end"
}

n=0
for folder in "my apps" "Zoë 日本" "100%u 50%%" "it's \"quoted\"" "\$HOME and \`id\`"; do
    n=$((n + 1))
    APP_DIR="$E2E_TMP/$n/$folder"
    APP_BIN=$APP_DIR/taloran
    mkdir -p "$APP_DIR"
    cp "$TALORAN_BIN" "$APP_BIN"
    [[ ! -e $ENTRY ]] || fail "an entry exists before the box was ticked"
    start_app
    click_startup_box
    screenshot "autostart_box_ticked_$n"
    close_dialog
    wait_for 5 test -f "$ENTRY" || fail "no autostart entry after ticking the box in '$folder'"
    desktop-file-validate "$ENTRY" || fail "the entry does not validate: $(cat "$ENTRY")"
    stop_app

    # Log on, with either kind of desktop, in the widget's locale.
    launched_by "gio launch" env "LC_ALL=$APP_LOCALE" gio launch "$ENTRY"
    launched_by dex env "LC_ALL=$APP_LOCALE" dex -a -s "$XDG_CONFIG_HOME/autostart"

    # The box shows the entry at the next opening; unticking removes it.
    start_app
    click_startup_box
    close_dialog
    wait_for 5 sh -c "! test -e '$ENTRY'" || fail "the entry is still there after unticking the box"
    stop_app
done

# A backslash in the folder: dex takes the Path key as it stands and GLib
# unescapes it, and inside Exec the two read it differently too.
APP_DIR="$E2E_TMP/back\\slash"
APP_BIN=$APP_DIR/taloran
mkdir -p "$APP_DIR"
cp "$TALORAN_BIN" "$APP_BIN"
start_app
click_startup_box
# The message box: the shown window of the widget with that title.
message_box() {
    local wid
    for wid in $(xdotool search --onlyvisible --pid "$APP_PID" --name '.' 2>/dev/null); do
        if [[ $(window_name "$wid") == "Run Taloran at startup" ]]; then
            echo "$wid"
            return 0
        fi
    done
    return 1
}
wait_for 5 message_box || fail "no message says why the box cannot be ticked"
screenshot autostart_refused
MSG=$(message_box)
wmctrl -i -c "$MSG"
wait_for 5 sh -c "! xwininfo -id $MSG | grep -q IsViewable" || fail "the message did not close"
close_dialog
[[ ! -e $ENTRY ]] || fail "an entry was written that starts nothing: $(cat "$ENTRY")"

stop_app

# A read-only autostart folder. Root writes past file modes, so as root the
# widget runs without that power here.
if ((EUID == 0)); then
    APP_BIN=$E2E_TMP/unprivileged
    printf '#!/bin/sh\nexec setpriv --bounding-set=-dac_override,-dac_read_search -- "%s" "$@"\n' \
        "$TALORAN_BIN" >"$APP_BIN"
    chmod +x "$APP_BIN"
else
    unset APP_BIN
fi
entry_box() { xdotool search --all --pid "$APP_PID" --name '^Taloran: run at startup not changed$' 2>/dev/null | head -1 | grep .; }
# box_says TEXT...: the box appears; its text, selected and copied as a user
# can, holds each TEXT; Return dismisses it and the widget goes on.
box_says() {
    wait_for 10 entry_box || fail "no box says that the entry was not changed"
    local box copied='' text
    box=$(entry_box)
    copied=$(copy_box_text "$box" "$1")
    for text; do [[ $copied == *"$text"* ]] || fail "the box does not say '$text': $copied"; done
    xdotool windowactivate --sync "$box" key Return
    wait_for 5 sh -c "! xwininfo -id $box | grep -q IsViewable" || fail "the box did not go"
    kill -0 "$APP_PID" || fail "the widget ended after the box"
}
chmod 555 "$XDG_CONFIG_HOME/autostart"
start_app
click_startup_box
close_dialog
box_says "The run-at-startup entry could not be written." "File: $ENTRY" "Reason: Permission denied"
[[ ! -e $ENTRY ]] || fail "an entry was written into a read-only folder"
stop_app

chmod 755 "$XDG_CONFIG_HOME/autostart"
printf '[Desktop Entry]\nType=Application\nName=Taloran\nExec=/usr/bin/taloran /m\n' >"$ENTRY"
chmod 555 "$XDG_CONFIG_HOME/autostart"
start_app
click_startup_box
close_dialog
box_says "The run-at-startup entry could not be removed." "File: $ENTRY" "Reason: Permission denied"
[[ -e $ENTRY ]] || fail "the entry went from a read-only folder"
chmod 755 "$XDG_CONFIG_HOME/autostart"
