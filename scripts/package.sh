#!/usr/bin/env bash
# Makes the Debian package: installs what is missing, builds the program for
# /usr without tests, and leaves build-package/taloran_<version>_amd64.deb
# (or in $BUILD_DIR). Then runs lintian on it, which must report no errors.
# Extra arguments go to CMake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-package}

"$root/scripts/deps.sh" package
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_INSTALL_DOCDIR=share/doc/taloran -DTALORAN_DEBIAN=ON \
    -DTALORAN_BUILD_TESTS=OFF -DTALORAN_BUILD_BENCHMARKS=OFF "$@" --log-level=WARNING
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/taloran_*.deb
# Files and folders go into the package as rw-r--r-- and rwxr-xr-x whatever
# the umask of the build.
(umask 022 && cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$build"/taloran_*_amd64.deb)
dpkg-deb --field "$deb"
# Errors fail; warnings are listed.
lintian --fail-on error --tag-display-limit 0 "$deb" || { echo "package: lintian found errors" >&2; exit 1; }
echo "package: $deb"
