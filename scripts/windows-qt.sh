#!/usr/bin/env bash
# Cross-builds a static, minimal Qt (Core, Gui, Widgets, Test) for 64-bit
# Windows from Debian's own qt6-base source, the same version as the Linux
# build, and prints the folder it is installed in. The result is cached outside
# the checkout, keyed by Debian's package version, the mingw compiler's version
# and a hash of the toolchain file and the configure flags, and reused when
# present. Set TALORAN_CACHE to move the cache.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain="$root/cmake/windows/mingw-w64-x86_64.cmake"
cache=${TALORAN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/taloran}

qt_flags=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_testlib=ON
    # Network for its local sockets only (one running copy per session).
    -DFEATURE_network=ON -DFEATURE_openssl=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
    # With Direct2D off, DirectWrite 3 must go too: the platform plugin would
    # otherwise refer to a font database that is never built.
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_zstd=OFF
    -DFEATURE_pkg_config=OFF -DFEATURE_system_zlib=OFF -DFEATURE_icu=OFF
    -DFEATURE_androiddeployqt=OFF
    # Debian's tarball drops the wintab headers that tablet events need.
    -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF -DFEATURE_freetype=OFF
)

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
gcc_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
key=$( { cat "$toolchain"; printf '%s\n' "${qt_flags[@]}"; } | sha256sum | cut -c1-12)
prefix="$cache/qt-${qt_version//[:~+]/_}-mingw${gcc_version}-$key"

if [[ -f $prefix/.complete ]]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
exec 9>"$cache/qt-build.lock"
echo "windows-qt: waiting for the cache lock" >&2
flock 9
if [[ -f $prefix/.complete ]]; then
    echo "$prefix"
    exit 0
fi

work="$cache/qt-src"
rm -rf "$work" "$prefix"
mkdir -p "$work"
echo "windows-qt: fetching Debian's qt6-base $qt_version source" >&2
src_list=/etc/apt/sources.list.d/taloran-src.sources
if ! apt-get source --print-uris -qq qt6-base >/dev/null 2>&1 \
    || [[ -z $(apt-get source --print-uris -qq qt6-base 2>/dev/null) ]]; then
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    # The same archives as the binary packages, for source packages.
    sed -n '/^Types:/s/.*/Types: deb-src/p; /^Types:/!p' /etc/apt/sources.list.d/debian.sources \
        | "${sudo[@]}" tee "$src_list" >/dev/null
    "${sudo[@]}" apt-get update -qq
fi
(cd "$work" && apt-get source -qq "qt6-base=$qt_version" >&2)
src=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'qt6-base-*' | head -n1)

echo "windows-qt: configuring and building (about 25 minutes on two cores)" >&2
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_flags[@]}" >"$work/configure.log" 2>&1 \
    || { tail -n 40 "$work/configure.log" >&2; exit 1; }
nice -n 10 ninja -C "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log" >&2; exit 1; }
ninja -C "$work/build" install >/dev/null
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
