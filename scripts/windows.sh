#!/usr/bin/env bash
# Builds Taloran for 64-bit Windows from this repository: installs what is
# missing, cross-builds (or reuses) a static Qt, builds Taloran.exe and its
# unit tests, and packages them. Leaves in build-windows/ (or $BUILD_DIR):
#   Taloran.exe                        the program: one static GUI file
#   Taloran-<version>-win64.exe        the installer (NSIS)
#   Taloran-<version>-win64.zip        the portable package
# Extra arguments go to CMake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-windows}

"$root/scripts/deps.sh" windows
qt=$("$root/scripts/windows-qt.sh")
echo "windows: Qt for Windows in $qt"

# A build folder made against another Qt starts afresh: CMake keeps the
# toolchain of its first configuration.
if [[ -f $build/CMakeCache.txt ]] \
    && ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$qt/lib/cmake/Qt6/qt.toolchain.cmake" "$build/CMakeCache.txt"; then
    rm -rf "$build"
fi
mkdir -p "$build"
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
cat >"$build/qt-source.txt" <<NOTE
Taloran.exe links Qt 6 (qtbase: Core, Gui, Widgets) statically, under the
GNU Lesser General Public License version 3 (QT-LGPL-3.txt, which supplements
QT-GPL-3.txt).

The Qt linked in is built unchanged from Debian's source package qt6-base,
version $qt_version ("apt-get source qt6-base=$qt_version" on Debian 12),
with the configuration in scripts/windows-qt.sh of Taloran's source. Taloran's
whole source is available under the MIT licence (LICENSE), so the program can
be relinked against a modified Qt.
NOTE

# Qt's own toolchain file loads ours and lets CMake find Qt in its cache.
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/windows/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXE_LINKER_FLAGS=-static \
    -DTALORAN_BUILD_TESTS=ON -DTALORAN_BUILD_BENCHMARKS=OFF \
    -DTALORAN_QT_SOURCE_NOTE="$build/qt-source.txt" "$@" --log-level=WARNING
cmake --build "$build" -j"$(nproc)"
x86_64-w64-mingw32-strip -o "$build/Taloran.exe" "$build/app/Taloran.exe"
(cd "$build" && cpack -G ZIP >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }

# The installer: the installed files, stripped, and the macros that install
# and remove them one by one (an uninstall removes only what it installed).
stage=$build/installer-files
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >"$build/install.log" 2>&1 \
    || { cat "$build/install.log"; exit 1; }
cp "$build/Taloran.exe" "$stage/Taloran.exe"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
{
    echo '!macro InstallFiles'
    for f in "$stage"/*; do echo "  File \"$f\""; done
    echo '!macroend'
    echo '!macro RemoveFiles'
    for f in "$stage"/*; do echo "  Delete \"\$INSTDIR\\${f##*/}\""; done
    echo '!macroend'
} >"$build/installer-files.nsh"
makensis -V2 -DVERSION="$version" -DSOURCE="$root" -DSTAGE="$stage" \
    -DFILES="$build/installer-files.nsh" -DOUTFILE="$build/Taloran-$version-win64.exe" \
    "$root/cmake/windows/Taloran.nsi" >"$build/makensis.log" 2>&1 \
    || { cat "$build/makensis.log"; exit 1; }
ls -l "$build"/Taloran*.exe "$build"/Taloran*.zip
