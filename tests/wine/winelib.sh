# Harness for the Windows build under wine, sourced by the wine test scripts:
# the end-to-end harness's Xvfb, openbox and xdotool helpers, plus a fresh
# wine prefix of the test's own (its registry is the settings store, its
# drive_c holds the Startup folder) and helpers to start Taloran.exe and read
# and write its registry values.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

source "$(dirname "${BASH_SOURCE[0]}")/findwine.sh"
export WINEPREFIX=$E2E_TMP/prefix WINEDEBUG=-all
# winemenubuilder would write menu entries into the real home; mono and gecko
# are never needed and would ask to be downloaded.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
STORE_KEY='HKCU\Software\VB and VBA Program Settings\Taloran'

# The wine server of the prefix goes before the prefix is removed.
trap 'wine_status=$?; timeout 30 "$WINESERVER" -k >/dev/null 2>&1; (exit $wine_status); e2e_cleanup' EXIT

# start_wine: a fresh prefix, booted, on the display that start_x made.
start_wine() {
    timeout 300 "$WINE" wineboot -i >"$E2E_TMP/wineboot.log" 2>&1 || true
    timeout 120 "$WINESERVER" -w || true
    [[ -f $WINEPREFIX/system.reg ]] || fail "the wine prefix was not made"
    WINE_USER_DIR=$(ls -d "$WINEPREFIX/drive_c/users/"* | grep -v /Public | head -n1)
    STARTUP_DIR="$WINE_USER_DIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp"
}

# reg_set SECTION KEY VALUE / reg_get SECTION KEY: the settings store.
reg_set() { "$WINE" reg add "$STORE_KEY\\$1" /v "$2" /d "$3" /f >/dev/null 2>&1; }
reg_get() {
    "$WINE" reg query "$STORE_KEY\\$1" /v "$2" 2>/dev/null | tr -d '\r' \
        | awk -v key="$2" '$1 == key && $2 == "REG_SZ" { sub(/^[\t ]*[^\t ]+[\t ]+REG_SZ[\t ]+/, ""); print; found = 1 }
                           END { exit !found }'
}
reg_is() { [[ $(reg_get "$1" "$2") == "$3" ]]; }

# The main window of the running Taloran.exe: the 800 x 125 one of its class.
wine_main_window() { wine_window_of_width 800; }
wine_dialog_window() { wine_window_of_width 346 'Map State: IsViewable'; }
wine_window_of_width() {
    xdotool search --all --class '^taloran\.exe$' 2>/dev/null | first_of_width "$@"
}

# start_exe PATH [ARGS...]: starts a Windows program and sets APP_PID and,
# for Taloran.exe, WID.
start_exe() {
    "$WINE" "$@" >"$E2E_TMP/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=($APP_PID)
    wait_for 60 wine_main_window || fail "the widget's window did not appear"
    WID=$(wine_main_window)
}

# stop_exe: waits for the program started last to end by itself.
wait_exe_ended() {
    wait_for 30 process_ended "$APP_PID" || fail "the program did not end"
    wait "$APP_PID" 2>/dev/null || true
}
