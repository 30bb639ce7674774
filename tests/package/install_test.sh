#!/usr/bin/env bash
# The Debian package on a clean Debian 12: installs it with
# `apt-get install ./taloran_<version>_amd64.deb` in a copy of a cached,
# minimal Debian 12 chroot (tests/package/debian12-chroot.sh), starts the
# command of the menu launcher's Exec line under a private Xvfb, sees the
# widget's window, ends it, and removes the package: dpkg then lists nothing
# for it, and every file it brought is gone. Needs root.
#   tests/package/install_test.sh [DEB]   without DEB, scripts/package.sh makes it
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cache=${TALORAN_CACHE:-$HOME/.cache/taloran}
((EUID == 0)) || { echo "install_test: needs root (chroot, mount)" >&2; exit 2; }

log() { printf '[install_test] %s\n' "$*" >&2; }
fail() { log "FAIL: $*"; exit 1; }

if (($# == 0)); then
    "$root/scripts/package.sh" >&2
    set -- "$root"/build-package/taloran_*_amd64.deb
fi
deb=$(realpath "$1")
[[ -f $deb ]] || fail "no package at $1"
"$root/scripts/deps.sh" package >&2
base=$("$root/tests/package/debian12-chroot.sh")

work=$(mktemp -d /var/tmp/taloran-install.XXXXXX)
pids=()
mounts=()
cleanup() {
    local status=$? i
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
    rm -rf --one-file-system "$work"
    ((status == 0)) && log PASS
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# A throwaway copy of the clean system, with the host's /dev, /proc, X
# sockets and name service; downloaded packages are kept between runs.
sys=$work/root
cp -a "$base" "$sys"
mkdir -p "$cache/debian12-apt-archives/partial"
for m in dev proc tmp/.X11-unix var/cache/apt/archives; do mkdir -p "$sys/$m"; done
mount --bind /dev "$sys/dev" && mounts+=("$sys/dev")
mount -t proc proc "$sys/proc" && mounts+=("$sys/proc")
mount --bind /tmp/.X11-unix "$sys/tmp/.X11-unix" && mounts+=("$sys/tmp/.X11-unix")
mount --bind "$cache/debian12-apt-archives" "$sys/var/cache/apt/archives" \
    && mounts+=("$sys/var/cache/apt/archives")
cp -L /etc/resolv.conf "$sys/etc/resolv.conf"
in_sys() { chroot "$sys" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"; }
# The files of the system, but for what changes as it runs.
files() {
    (cd "$sys" && find . -xdev \( -path ./proc -o -path ./dev -o -path ./tmp -o -path ./var -o -path ./root -o -path ./run \
        -o -path ./etc/ld.so.cache -o -path ./etc/resolv.conf \) -prune -o -print) | sort
}

in_sys apt-get update -qq
cp "$deb" "$sys/tmp/"
name=$(basename "$deb")

for display in $(seq 160 200); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    export DISPLAY=:$display
    wait_for 10 xdpyinfo && break
done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"

# The widget's window: the only 800-wide one shown on this private display.
widget() {
    local wid
    for wid in $(xdotool search --all --onlyvisible --name '.' 2>/dev/null); do
        xwininfo -id "$wid" | grep -q 'Width: 800$' && { echo "$wid"; return 0; }
    done
    return 1
}

# install_run_remove: installs the package, starts the menu launcher's
# command, sees the window, ends the widget, and removes the package; dpkg
# then lists nothing, and no file that the package listed is left.
install_run_remove() {
    local launcher exec_line wid app wm_class startup_class
    log "apt-get install ./$name"
    in_sys sh -c "cd /tmp && apt-get install -y -q ./$name" >"$work/apt.log" 2>&1 \
        || { cat "$work/apt.log" >&2; fail "apt-get install failed"; }
    in_sys dpkg -L taloran >"$work/listed"
    grep -qx /usr/bin/taloran "$work/listed" || fail "the package has no /usr/bin/taloran"

    launcher=$(grep -E '^/usr/share/applications/.*\.desktop$' "$work/listed")
    exec_line=$(sed -n 's/^Exec=//p' "$sys$launcher")
    log "launcher $launcher: Exec=$exec_line"
    in_sys DISPLAY="$DISPLAY" sh -c "exec $exec_line" >"$work/app.log" 2>&1 &
    pids+=($!)
    wait_for 30 widget || { cat "$work/app.log" >&2; fail "no window from '$exec_line'"; }
    wid=$(widget)
    app=$(xdotool getwindowpid "$wid")
    log "the widget is shown: '$(xdotool getwindowname "$wid")', process $app"
    # The desktop tells the window to belong to the launcher (its name and
    # icon in the dock, the task bar and Alt+Tab) by its X window class.
    wm_class=$(xprop -id "$wid" WM_CLASS)
    startup_class=$(sed -n 's/^StartupWMClass=//p' "$sys$launcher")
    [[ -n $startup_class && $wm_class == *"\"$startup_class\""* ]] \
        || fail "the window's $wm_class does not match the launcher's StartupWMClass=$startup_class"
    kill "$app"
    wait_for 10 sh -c "! kill -0 $app" || fail "the widget did not end on SIGTERM"

    log "apt-get remove taloran"
    in_sys apt-get remove -y -q taloran >"$work/apt.log" 2>&1 \
        || { cat "$work/apt.log" >&2; fail "apt-get remove failed"; }
    if in_sys dpkg -L taloran >"$work/after-listed" 2>/dev/null && [[ -s $work/after-listed ]]; then
        fail "dpkg still lists files of taloran: $(head -n3 "$work/after-listed")"
    fi
    while read -r path; do
        [[ -f $sys$path || -L $sys$path ]] && fail "left behind: $path"
        [[ $path == */taloran || $path == */taloran/* ]] && [[ -e $sys$path ]] && fail "left behind: $path"
    done <"$work/listed"
    return 0
}

# On the clean system, with every dependency pulled in by apt.
install_run_remove
# Once more with the dependencies in place: the system afterwards is file for
# file as it was before, so nothing else was left either (a settings file in
# the user's home is the user's, as with any program).
files >"$work/before"
install_run_remove
files >"$work/after"
if ! diff "$work/before" "$work/after" >"$work/diff"; then
    cat "$work/diff" >&2
    fail "the install and removal changed the system's files"
fi
log "removed: nothing of taloran is left"
