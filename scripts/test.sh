#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest: the unit
# tests and the end-to-end tests under Xvfb. With CI=true warnings are errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/deps.sh" test
werror=OFF
[[ ${CI:-} == true ]] && werror=ON
BUILD_DIR=$build "$root/scripts/build.sh" -DTALORAN_BUILD_TESTS=ON -DTALORAN_WERROR=$werror
cd "$build"
ctest --output-on-failure -j2 "$@"
