#!/usr/bin/env bash
# Prints the path of a clean, minimal Debian 12 chroot, made with debootstrap
# from the Debian mirror that this machine's apt uses, on the first call, and
# cached outside the checkout ($TALORAN_CACHE, default ~/.cache/taloran) under
# a key of everything that shapes it, so that later runs only reuse it. Its apt
# sources are bookworm, bookworm-updates and bookworm-security, as on a
# freshly installed machine. The cached tree is never changed by a test: tests
# work on a copy. Needs root.
set -euo pipefail
cache=${TALORAN_CACHE:-$HOME/.cache/taloran}
suite=bookworm

# The first Debian and Debian security mirrors named in apt's sources.
mirror_of() {
    local pattern=$1 fallback=$2 uri
    uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
        grep -oE "https?://[^ ]*$pattern[^ ]*" | grep -vE 'snapshot\.debian\.org' | head -n1 || true)
    echo "${uri:-$fallback}"
}
mirror=$(mirror_of 'debian/?$' http://deb.debian.org/debian)
mirror=${mirror%/}
security=$(mirror_of 'debian-security/?$' http://deb.debian.org/debian-security)
security=${security%/}

recipe="suite=$suite variant=minbase mirror=$mirror security=$security layout=1"
key=$(printf '%s' "$recipe" | sha256sum | cut -c1-12)
dir=$cache/chroot-debian12-$key
mkdir -p "$cache"

exec 9>"$dir.lock"
flock 9
if [[ ! -e $dir/.complete ]]; then
    echo "debian12-chroot: making $dir ($recipe)" >&2
    rm -rf "$dir"
    debootstrap --variant=minbase "$suite" "$dir" "$mirror" >&2
    cat >"$dir/etc/apt/sources.list" <<SOURCES
deb $mirror $suite main
deb $mirror $suite-updates main
deb $security $suite-security main
SOURCES
    rm -rf "$dir"/var/cache/apt/archives/*.deb "$dir"/var/lib/apt/lists/*_Packages
    printf '%s\n' "$recipe" >"$dir/.complete"
fi
echo "$dir"
