#!/usr/bin/env bash
# Installs what is missing, builds, and starts the widget. Arguments go to the
# widget (any argument at all starts it minimized).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
"$root/scripts/build.sh" -DTALORAN_BUILD_TESTS=OFF
exec "${BUILD_DIR:-$root/build}/app/taloran" "$@"
