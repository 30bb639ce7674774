#!/usr/bin/env bash
# Installs the Debian packages that are missing for a purpose, and says which.
#   scripts/deps.sh build   what building and running the widget needs
#   scripts/deps.sh test    the above, plus what the tests need
#   scripts/deps.sh package the Debian package, its checks and its install test
#   scripts/deps.sh windows the Windows cross build, wine and the installer maker
#   scripts/deps.sh ci      test, package and windows, plus the fuzzers
set -euo pipefail

build_pkgs=(cmake make g++ pkg-config qt6-base-dev libgl-dev fonts-noto-extra)
test_pkgs=(xvfb xauth openbox xdotool x11-utils wmctrl imagemagick faketime python3 dbus-daemon
           desktop-file-utils dex libglib2.0-bin libbenchmark-dev xclip
           appstream weston xwayland qt6-wayland x11-xserver-utils
           at-spi2-core gir1.2-atspi-2.0 python3-gi)
windows_pkgs=(cmake ninja-build dpkg-dev qt6-base-dev g++-mingw-w64-x86-64-posix
              g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 nsis python3
              fonts-noto-extra xvfb xauth openbox xdotool x11-utils wmctrl imagemagick locales)
package_pkgs=(dpkg-dev file lintian appstream desktop-file-utils debootstrap
              xvfb xauth x11-utils xdotool)
ci_pkgs=(clang libclang-rt-14-dev)

want=("${build_pkgs[@]}")
case "${1:-build}" in
    build) ;;
    test) want+=("${test_pkgs[@]}") ;;
    package) want+=("${package_pkgs[@]}") ;;
    windows) want=("${windows_pkgs[@]}") ;;
    ci) want+=("${test_pkgs[@]}" "${package_pkgs[@]}" "${windows_pkgs[@]}" "${ci_pkgs[@]}") ;;
    *) echo "usage: $0 build|test|package|windows|ci" >&2; exit 2 ;;
esac

missing=()
for p in "${want[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
    echo "deps: all ${#want[@]} packages are installed"
    exit 0
fi

echo "deps: installing ${missing[*]}"
sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
