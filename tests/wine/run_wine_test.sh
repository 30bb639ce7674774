#!/usr/bin/env bash
# Cross-compiles the Win32 part of the startup shortcut with a small driver and
# runs it under Wine, headless, in a Wine prefix of its own. Exits non-zero
# when the driver reports FAIL or cannot be built or run.
# Needs g++-mingw-w64-x86-64 and wine64 (wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
win_src="$root/autostart/win"

cxx=${MINGW_CXX:-x86_64-w64-mingw32-g++}
command -v "$cxx" >/dev/null || { echo "run_wine_test: $cxx not found" >&2; exit 1; }
source "$root/tests/wine/findwine.sh"
[[ -x $WINE ]] || { echo "run_wine_test: wine not found" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/taloran-wine.XXXXXX")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    timeout 30 "$WINESERVER" -k >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

echo "== building link_driver.exe"
"$cxx" -std=c++20 -municode -static -O1 -Wall -Wextra -Wpedantic -Werror \
    -DUNICODE -D_UNICODE -I"$root" \
    "$root/tests/wine/link_driver.cpp" "$win_src/WinShellLink.cpp" \
    -o "$work/link_driver.exe" -lole32 -luuid -lshell32

echo "== preparing the Wine prefix (first boot can take a minute)"
timeout 300 "$WINE" wineboot -i >/dev/null 2>&1 || true
timeout 120 "$WINESERVER" -w || true

echo "== running link_driver.exe"
set +e
output=$(timeout 180 "$WINE" "$work/link_driver.exe" 2>&1)
rc=$?
set -e
printf '%s\n' "$output" | tr -d '\r'
if [[ $rc -eq 0 ]] && printf '%s\n' "$output" | tr -d '\r' | grep -qx PASS; then
    echo "run_wine_test: PASS"
    exit 0
fi
echo "run_wine_test: FAIL (exit status $rc)" >&2
exit 1
