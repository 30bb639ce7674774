#!/usr/bin/env bash
# Runs every test of the Windows build (scripts/windows.sh) under wine: the
# unit tests on the Windows platform of a private Xvfb, then the end-to-end
# test and the installer test, which start X servers of their own.
#   tests/wine/run_windows_tests.sh [BUILD_DIR] [CTEST ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-windows}
shift || true
"$root/scripts/deps.sh" windows >/dev/null
rm -rf "$build/wine-prefix" "$build/wine-prefix.lock"
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    ctest --output-on-failure --timeout 900 "$@"
