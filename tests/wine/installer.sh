#!/usr/bin/env bash
# The installer under wine, as a Windows user meets it:
# - for all users (/AllUsers): Taloran.exe and its licences in Program Files,
#   a Start-menu shortcut and an Add/Remove Programs entry under HKLM; the
#   installed program starts;
# - installed again (an upgrade or a repair) over the running, minimized
#   widget: the widget is closed as at session end, so its target is
#   written, the program is replaced, the widget comes back minimized
#   through the desktop's shell, and the user's Startup link is kept;
# - the uninstaller closes the running widget and removes every file, the
#   shortcut, the entry and the Startup link;
# - for the current user alone (/CurrentUser): everything under the user's
#   profile and HKCU, nothing of the machine's, and a setup that asks for no
#   elevation; an upgrade over the running widget brings it back as it was;
#   the uninstall leaves nothing behind.
#   installer.sh PATH/TO/Taloran-<version>-win64.exe
installer=$1
TALORAN_BIN=unused
source "$(dirname "$0")/winelib.sh"
[[ -f $installer ]] || fail "no installer at $installer"
built=$(dirname "$installer")/Taloran.exe
start_x
start_wine

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Taloran'
menu_links() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Taloran/*' -iname '*.lnk' 2>/dev/null; }
has_key() { "$WINE" reg query "$1\\$uninstall_key" /v DisplayName 2>/dev/null | grep -q Taloran; }
# install ARGS...: a silent install, which must succeed.
install() {
    local status=0
    timeout 300 "$WINE" "$installer" /S "$@" || status=$?
    ((status == 0)) || fail "the installer $* ended with status $status"
}
# uninstall FOLDER ARGS...: the uninstaller copies itself away and runs from
# there, so its work is waited for.
uninstall() {
    local dir=$1
    shift
    timeout 300 "$WINE" "$dir/Uninstall.exe" /S "$@" || fail "the uninstaller failed"
    wait_for 60 sh -c "! test -e \"$dir\"" || fail "left behind: $(find "$dir" | tr '\n' ' ')"
}
# The widget the installer started again: a window of a new process. The
# installer may run elevated, so the widget is started by the desktop's shell
# as the logged-on user: it carries none of the installer's environment
# (STARTED_BY_INSTALLER, given to the installs over a running widget).
restarted_window() {
    wait_for 60 wine_main_window || fail "the widget was not started again"
    WID=$(wine_main_window)
    ! tr '\0' '\n' <"/proc/$(xdotool getwindowpid "$WID")/environ" | grep -q '^STARTED_BY_INSTALLER=' \
        || fail "the installer started the widget itself, not through the shell"
}
# Marks the installed program so that its replacement shows.
mark_old() { touch -d 2001-01-01 "$1/Taloran.exe"; }
replaced() { cmp -s "$built" "$1/Taloran.exe" || fail "the installed program is not the new one"; }

# All users.
dir="$WINEPREFIX/drive_c/Program Files/Taloran"
install /AllUsers
for f in Taloran.exe LICENSE NOTO-FONTS-LICENSE QT-LGPL-3.txt QT-GPL-3.txt QT-SOURCE.txt Uninstall.exe; do
    [[ -f $dir/$f ]] || fail "$f is not installed"
done
[[ -n $(menu_links) ]] || fail "no Start-menu shortcut"
has_key HKLM || fail "no Add/Remove Programs entry under HKLM"
! has_key HKCU || fail "an all-users install made an entry under HKCU"
log "installed: $(cd "$dir" && ls | tr '\n' ' ')"

# The user ticks "Run at startup" in the installed program and minimizes it.
# The target is at noon, so that a step up of its hour is an edit at any time
# of day.
mark_old "$dir"
reg_set General Target "12:0.0 2030/6/15"
start_exe "$dir/Taloran.exe"
wait_for 20 window_name_is "$WID" Taloran || fail "the installed program shows '$(window_name "$WID")'"
screenshot wine_installed
link="$STARTUP_DIR/Taloran.lnk"
click_at "$WID" 716 97
wait_for 20 wine_dialog_window || fail "the details dialog did not open"
DLG=$(wine_dialog_window)
click_at "$DLG" 24 248
wmctrl -i -c "$DLG"
wait_for 20 test -f "$link" || fail "no Taloran.lnk in the Startup folder"
# An edit left pending in the dialog, opened again: the widget writes it when
# it is closed, over what the registry holds meanwhile.
click_at "$WID" 716 97
wait_for 20 wine_dialog_window || fail "the details dialog did not open again"
xdotool windowactivate --sync "$(wine_dialog_window)" key Up
xdotool windowminimize "$WID"
wait_for 10 wm_state_is "$WID" Iconic || fail "not minimized: $(wm_state "$WID")"
reg_set General Target "garbage that is replaced at close"

# Installed again over it: no mode given, the earlier install's is kept.
STARTED_BY_INSTALLER=1 install
wait_for 20 process_ended "$APP_PID" || fail "the running widget was not closed"
[[ $(reg_get General Target) != garbage* ]] || fail "the widget was not closed the way that writes the target"
replaced "$dir"
[[ -f $link ]] || fail "the reinstall removed the Startup link"
restarted_window
wait_for 20 wm_state_is "$WID" Iconic || fail "the widget came back $(wm_state "$WID"), not minimized"

# The uninstaller closes the running widget, and removes the link.
uninstall "$dir" /AllUsers
wait_for 30 sh -c '! xdotool search --all --class "^taloran\.exe$" >/dev/null 2>&1' \
    || fail "the uninstaller left the widget running"
[[ -z $(menu_links) ]] || fail "Start-menu shortcut left behind: $(menu_links)"
! has_key HKLM || fail "Add/Remove Programs entry left behind"
[[ ! -e $link ]] || fail "the uninstall left the Startup link behind"

# The current user alone. The setup asks Windows for the highest rights the
# user has, not for an administrator's: a standard user runs it as is.
grep -aq 'requestedExecutionLevel level="highestAvailable"' "$installer" \
    || fail "the setup does not run without elevation for a standard user"
dir="$WINE_USER_DIR/AppData/Local/Programs/Taloran"
install /CurrentUser
[[ -f $dir/Taloran.exe && -f $dir/Uninstall.exe ]] || fail "nothing installed in $dir"
[[ -n $(menu_links) && -z $(menu_links | grep -vF "$WINE_USER_DIR/") ]] \
    || fail "the Start-menu shortcuts are not the user's: $(menu_links)"
has_key HKCU || fail "no Add/Remove Programs entry under HKCU"
! has_key HKLM || fail "a per-user install made an entry under HKLM"
[[ -z $(find "$WINEPREFIX/drive_c/Program Files" "$WINEPREFIX/drive_c/ProgramData" -iname '*taloran*') ]] \
    || fail "a per-user install wrote to the machine's folders"

# Upgraded while the widget is shown: it comes back shown.
mark_old "$dir"
start_exe "$dir/Taloran.exe"
STARTED_BY_INSTALLER=1 install /CurrentUser
wait_for 20 process_ended "$APP_PID" || fail "the running widget was not closed"
replaced "$dir"
restarted_window
wait_for 20 window_name_is "$WID" Taloran || fail "the widget came back as '$(window_name "$WID")'"

uninstall "$dir" /CurrentUser
! has_key HKCU || fail "Add/Remove Programs entry left behind"
left=$(find "$WINEPREFIX/drive_c" -iname '*taloran*')
[[ -z $left ]] || fail "left behind: $left"
