#!/usr/bin/env bash
# Taloran.exe under wine, driven as a Windows user would: started with /m it
# comes up minimized with the countdown caption for the target in the
# registry; closing it writes the target back as text the next start reads;
# a drag moves the window and stores its bounds under "Form Positions", and
# a later /m start restores to that place; the details dialog's check box
# makes and removes Taloran.lnk in the Startup folder; the minimize button
# and the window manager's minimize both give the countdown caption; under
# th_TH the pickers' digits show inside their fields.
#   e2e_windows.sh PATH/TO/Taloran.exe
built=$1
TALORAN_BIN=$built
source "$(dirname "$0")/winelib.sh"

# One GUI-subsystem file that needs no DLL beside it: it imports system
# libraries only.
headers=$(x86_64-w64-mingw32-objdump -p "$built")
grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers" \
    || fail "Taloran.exe is not a GUI-subsystem program"
foreign=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" \
    | grep -viE '^(kernel32|user32|gdi32|shell32|shlwapi|ole32|crypt32|bcrypt|secur32|iphlpapi|winhttp|oleaut32|uuid|advapi32|comdlg32|imm32|winmm|ws2_32|uxtheme|dwmapi|shcore|version|netapi32|userenv|authz|setupapi|wtsapi32|mpr|d3d9|dxgi|d3d11|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$' || true)
[[ -z $foreign ]] || fail "Taloran.exe needs DLLs beside it: $foreign"

start_x
start_wine
# The program runs from a folder whose name has letters beyond ASCII and a
# space, as a user's folder may.
app_dir="$WINEPREFIX/drive_c/users/Public/Zeit für Tälöran"
mkdir -p "$app_dir"
cp "$built" "$app_dir/Taloran.exe"
TALORAN_BIN="$app_dir/Taloran.exe"

# A target 1 week, 6 days, 20 hours and 47 minutes from now, in the fixed
# "H:m.s Y/M/D" form that reads under every regional setting.
target=$(date -d "now + 13 days + 20 hours + 47 minutes" '+%-H:%-M.%-S %Y/%-m/%-d')
reg_set General Target "$target"
caption_counts() { [[ $(window_name "$WID") =~ ^1w\ 6d\ 20h\ 4[67]m\ [0-9]{1,2}s\ $ ]]; }

start_exe "$TALORAN_BIN" /m
wait_for 20 wm_state_is "$WID" Iconic || fail "/m did not start minimized: $(wm_state "$WID")"
wait_for 10 caption_counts || fail "minimized caption is '$(window_name "$WID")'"

wmctrl -i -a "$WID"
wait_for 10 wm_state_is "$WID" Normal || fail "not restored: $(wm_state "$WID")"
wait_for 10 window_name_is "$WID" "Taloran" || fail "restored caption is '$(window_name "$WID")'"
screenshot wine_main_window

# The minimize button, then the window manager's own minimize.
click_at "$WID" 672 97
wait_for 10 wm_state_is "$WID" Iconic || fail "the minimize button did not minimize"
wait_for 10 caption_counts || fail "caption after the minimize button is '$(window_name "$WID")'"
wmctrl -i -a "$WID"
wait_for 10 window_name_is "$WID" "Taloran" || fail "not restored after the button"
xdotool windowminimize "$WID"
wait_for 10 wm_state_is "$WID" Iconic || fail "the window manager's minimize did not minimize"
wait_for 10 caption_counts || fail "caption after the WM's minimize is '$(window_name "$WID")'"
wmctrl -i -a "$WID"
wait_for 10 window_name_is "$WID" "Taloran" || fail "not restored after the WM's minimize"

# A drag on the background moves the window by the mouse's movement and
# stores the bounds in twips.
wait_for 10 sh -c "[ \"\$(xwininfo -id $WID | grep -c IsViewable)\" = 1 ]"
read -r x0 y0 < <(window_pos "$WID")
xdotool mousemove --window "$WID" 300 100
sleep 0.2
xdotool mousedown 1
for _ in 1 2 3 4 5; do
    xdotool mousemove_relative -- 10 6
    sleep 0.05
done
sleep 0.2
xdotool mouseup 1
x1=$((x0 + 50)) y1=$((y0 + 30))
wait_for 10 window_pos_is "$WID" "$x1 $y1" || fail "drag moved the window from $x0 $y0 to $(window_pos "$WID")"
bounds="$((y1 * 15)),1875,$((x1 * 15)),12000,0"
wait_for 10 reg_is "Form Positions" frmMain "$bounds" \
    || fail "stored bounds after the drag: '$(reg_get "Form Positions" frmMain)', not $bounds"

# The details button opens the dialog; ticking the box and closing the
# dialog makes the Startup link to this program with /m.
link="$STARTUP_DIR/Taloran.lnk"
[[ ! -e $link ]] || fail "a Startup link exists before the box was ticked"
click_at "$WID" 716 97
wait_for 20 wine_dialog_window || fail "the details dialog did not open"
DLG=$(wine_dialog_window)
screenshot wine_details_dialog
click_at "$DLG" 24 248
wmctrl -i -c "$DLG"
wait_for 20 test -f "$link" || fail "no Taloran.lnk in the Startup folder"
cp "$link" "$E2E_OUT/wine_Taloran.lnk"
python3 - "$link" <<'PY' || fail "the link does not start the program with /m"
import sys
data = open(sys.argv[1], "rb").read()
# The target's folder and file in its item list, and the arguments.
names = ("Zeit für Tälöran", "Taloran.exe")
found = all(n.encode("utf-16-le") in data for n in names)
sys.exit(0 if found and "/m\0".encode("utf-16-le") in data else 1)
PY
click_at "$WID" 716 97
wait_for 20 wine_dialog_window || fail "the details dialog did not open again"
DLG=$(wine_dialog_window)
click_at "$DLG" 24 248
wmctrl -i -c "$DLG"
wait_for 20 sh -c "! test -e \"$link\"" || fail "unticking left Taloran.lnk behind"

# The close button leaves a target that this copy did not change as it is
# stored, also one stored by hand meanwhile; the next start reads it.
by_hand=$(date -d "now + 13 days + 20 hours + 47 minutes" '+%Y-%m-%dT%H:%M:%S')
reg_set General Target "$by_hand"
click_at "$WID" 760 97
wait_exe_ended
stored=$(reg_get General Target) || fail "no target stored at close"
log "stored target: $stored"
[[ $stored == "$by_hand" ]] || fail "closing wrote an unchanged target over '$by_hand': $stored"

start_exe "$TALORAN_BIN" /m
wait_for 20 wm_state_is "$WID" Iconic || fail "second /m start not minimized"
wait_for 10 caption_counts || fail "the stored text '$stored' did not read back: '$(window_name "$WID")'"
# Restored from a minimized start, the window comes back at its stored place.
wmctrl -i -a "$WID"
wait_for 10 window_pos_is "$WID" "$x1 $y1" \
    || fail "restored from /m at $(window_pos "$WID"), not at the stored $x1 $y1"
click_at "$WID" 760 97
wait_exe_ended

# A short date of the user's own, day first under en_US: the text is written
# in it, with the format beside it, and reads back as the same moment once
# the short date is month first again (the target's day is past the 12th
# either way, so a misread would not even be a date).
intl='HKCU\Control Panel\International'
"$WINE" reg add "$intl" /v sShortDate /d "dd/MM/yyyy" /f >/dev/null 2>&1
target=$(date -d "now + 13 days + 20 hours + 47 minutes" '+%-H:%-M.%-S %Y/%-m/%-d')
reg_set General Target "$target"
start_exe "$TALORAN_BIN" /m
wait_for 10 caption_counts || fail "under dd/MM/yyyy the caption is '$(window_name "$WID")'"
wmctrl -i -a "$WID"
wait_for 10 window_pos_is "$WID" "$x1 $y1" || fail "not restored under dd/MM/yyyy"
# Only a changed target is written: the time picker's hour is stepped up and
# back (down and back at 23, where a step up does nothing).
click_at "$WID" 716 97
wait_for 20 wine_dialog_window || fail "the details dialog did not open under dd/MM/yyyy"
DLG=$(wine_dialog_window)
steps=(Up Down)
[[ ${target%%:*} == 23 ]] && steps=(Down Up)
xdotool windowactivate --sync "$DLG" key "${steps[@]}"
wmctrl -i -c "$DLG"
wait_for 20 sh -c "! xwininfo -id $DLG 2>/dev/null | grep -q IsViewable" || fail "the dialog did not close"
click_at "$WID" 760 97
wait_exe_ended
format=$(reg_get General TargetFormat) || fail "no format stored beside the target"
log "under dd/MM/yyyy: $(reg_get General Target), format $format"
[[ $format == dd/MM/yyyy\ * ]] || fail "the stored format is '$format'"
"$WINE" reg add "$intl" /v sShortDate /d "M/d/yyyy" /f >/dev/null 2>&1
start_exe "$TALORAN_BIN" /m
wait_for 10 caption_counts || fail "back under M/d/yyyy the caption is '$(window_name "$WID")'"
wmctrl -i -a "$WID"
wait_for 10 window_pos_is "$WID" "$x1 $y1" || fail "not restored under M/d/yyyy"
click_at "$WID" 760 97
wait_exe_ended

# Under th_TH the pickers show Thai digits from fallback fonts, whose lines
# may be taller than the 20-px fields; the digits still show inside them.
# Wine takes the locale when its server starts; a locale that Debian has not
# generated leaves it file names in ASCII only.
timeout 60 "$WINESERVER" -w || true
cp "$TALORAN_BIN" "$WINEPREFIX/drive_c/Taloran.exe"
LANG=th_TH.UTF-8 LC_ALL=th_TH.UTF-8 start_exe "$WINEPREFIX/drive_c/Taloran.exe"
wait_for 20 wm_state_is "$WID" Normal || fail "not shown under th_TH"
click_at "$WID" 716 97
wait_for 20 wine_dialog_window || fail "the details dialog did not open under th_TH"
DLG=$(wine_dialog_window)
# Dark pixels inside the date picker's text field, once the dialog is drawn.
date_picker_shows_text() {
    local shot=$E2E_OUT/wine_details_dialog_th_TH.png
    import -window "$DLG" "$shot" || return 1
    (($(convert "$shot" -crop 100x16+210+18 +repage -colorspace gray -threshold 40% \
        -format '%[fx:round(w*h*(1-mean))]' info:) > 10))
}
wait_for 10 date_picker_shows_text || fail "the date picker shows no text under th_TH"
wmctrl -i -c "$DLG"
click_at "$WID" 760 97
wait_exe_ended
timeout 60 "$WINESERVER" -w || true

# Text in the user's own short date with a two-digit year, as programs using
# the platform's classic settings write it (no format beside it): under
# de-DE with dd.MM.yy and H.mm.ss it reads, its year widened as the platform
# widens one. So does a date in the platform's own abbreviated month names
# (dd-MMM-yyyy). A start in another locale resets these settings, so every
# wine command from here on runs in de-DE, a locale of the test's own (wine
# opens UTF-8 paths only in a locale that the C library has).
mkdir -p "$E2E_TMP/locales"
localedef -i de_DE -f UTF-8 "$E2E_TMP/locales/de_DE.UTF-8" >/dev/null 2>&1 || true
[[ -d $E2E_TMP/locales/de_DE.UTF-8 ]] || fail "localedef made no de_DE.UTF-8 locale"
export LOCPATH=$E2E_TMP/locales LC_ALL=de_DE.UTF-8
"$WINE" reg add "$intl" /v sShortDate /d "dd.MM.yy" /f >/dev/null 2>&1
"$WINE" reg add "$intl" /v sTimeFormat /d "H.mm.ss" /f >/dev/null 2>&1
"$WINE" reg delete "$STORE_KEY\\General" /v TargetFormat /f >/dev/null 2>&1
"$WINE" reg delete "$STORE_KEY\\General" /v TargetLocale /f >/dev/null 2>&1
target=$(date -d "now + 13 days + 20 hours + 47 minutes" '+%d.%m.%y %-H.%M.%S')
reg_set General Target "$target"
start_exe "$TALORAN_BIN" /m
wait_for 10 caption_counts || fail "'$target' under dd.MM.yy reads as '$(window_name "$WID")'"
wmctrl -i -c "$WID"
wait_exe_ended
reg_is General Target "$target" || fail "'$target' was rewritten as '$(reg_get General Target)'"

"$WINE" reg add "$intl" /v sShortDate /d "dd-MMM-yyyy" /f >/dev/null 2>&1
today=$("$WINE" cmd /c 'date /t' | tr -d '\r' | awk '{print $NF}')
target="${today%-*}-$((${today##*-} + 4)) 15.30.15"
reg_set General Target "$target"
start_exe "$TALORAN_BIN" /m
wait_for 10 sh -c "xdotool getwindowname $WID | grep -Eq '^208w [45]d '" \
    || fail "'$target' under dd-MMM-yyyy reads as '$(window_name "$WID")'"
wmctrl -i -c "$WID"
wait_exe_ended
