#!/usr/bin/env bash
# CTest's emulator for the cross-built Qt Test programs: runs one under wine
# in the build's own prefix (made on first use). The prefix's registry is the
# settings store, so the program's key is emptied first: each test program
# starts with an empty store, as each gets a folder of its own on Linux.
# Qt Test writes to a file, because wine hands back nothing of a redirected
# standard output; the file is printed afterwards.
#   run_test.sh PREFIX PROGRAM.exe [ARGS...]
set -uo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
shift
source "$(dirname "$0")/findwine.sh"
[[ -n ${DISPLAY:-} ]] || { echo "run_test: the Windows platform needs an X display" >&2; exit 1; }

(
    flock 9
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        timeout 300 "$WINE" wineboot -i >/dev/null 2>&1
        timeout 120 "$WINESERVER" -w
    fi
) 9>"$WINEPREFIX.lock"

"$WINE" reg delete 'HKCU\Software\VB and VBA Program Settings\Taloran' /f >/dev/null 2>&1
out=$(mktemp "$WINEPREFIX.out.XXXXXX")
timeout 600 "$WINE" "$@" -o "$("$WINE" winepath -w "$out" 2>/dev/null | tr -d '\r'),txt" >/dev/null 2>&1
status=$?
tr -d '\r' <"$out"
rm -f "$out"
exit $status
