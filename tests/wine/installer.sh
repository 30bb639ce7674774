#!/usr/bin/env bash
# The NSIS installer under wine: a silent install puts Taloran.exe and its
# licences in Program Files, a Start-menu shortcut and an Add/Remove
# Programs entry; the installed program starts; the silent uninstall removes
# every file it installed, the shortcut and the entry.
#   installer.sh PATH/TO/Taloran-<version>-win64.exe
installer=$1
TALORAN_BIN=unused
source "$(dirname "$0")/winelib.sh"
[[ -f $installer ]] || fail "no installer at $installer"
start_x
start_wine

dir="$WINEPREFIX/drive_c/Program Files/Taloran"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Taloran'
menu_links() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs*' -iname 'Taloran*.lnk' 2>/dev/null; }

timeout 300 "$WINE" "$installer" /S || fail "the installer failed"
timeout 60 "$WINESERVER" -w || true
[[ -f $dir/Taloran.exe ]] || fail "Taloran.exe is not in Program Files"
for f in LICENSE NOTO-FONTS-LICENSE QT-LGPL-3.txt QT-GPL-3.txt QT-SOURCE.txt Uninstall.exe; do
    [[ -f $dir/$f ]] || fail "$f is not installed"
done
[[ -n $(menu_links) ]] || fail "no Start-menu shortcut"
"$WINE" reg query "$uninstall_key" /v DisplayName 2>/dev/null | grep -q Taloran \
    || fail "no Add/Remove Programs entry"
log "installed: $(cd "$dir" && ls | tr '\n' ' ')"

start_exe "$dir/Taloran.exe"
wait_for 20 window_name_is "$WID" Taloran || fail "the installed program shows '$(window_name "$WID")'"
screenshot wine_installed
click_at "$WID" 760 97
wait_exe_ended

# The uninstaller copies itself away and runs from there: wait for its work.
timeout 300 "$WINE" "$dir/Uninstall.exe" /S || fail "the uninstaller failed"
timeout 60 "$WINESERVER" -w || true
wait_for 60 sh -c "! test -e \"$dir\"" || fail "left behind: $(find "$dir" | tr '\n' ' ')"
[[ -z $(menu_links) ]] || fail "Start-menu shortcut left behind: $(menu_links)"
! "$WINE" reg query "$uninstall_key" >/dev/null 2>&1 || fail "Add/Remove Programs entry left behind"
