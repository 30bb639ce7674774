#!/usr/bin/env bash
# Compiles the Windows resource script with the MinGW resource compiler, then
# reads the compiled resources back and checks the icon and the version block.
#   check_windres.sh WINDRES BUILD/assets/taloran.rc
set -euo pipefail
windres=$1
rc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$windres" -DTALORAN_RC_MANIFEST -i "$rc" -O coff -o "$work/taloran.o"
"$windres" -DTALORAN_RC_MANIFEST -i "$rc" -O res -o "$work/taloran.res"
"$windres" -i "$work/taloran.res" -O rc -o "$work/decompiled.rc"

fail=0
expect() {
    if ! grep -qF -- "$1" "$work/decompiled.rc"; then
        echo "missing from the compiled resources: $1" >&2
        fail=1
    fi
}
expect '"IDI_ICON1" 14 /* RT_GROUP_ICON */'
expect 'Has 3 elements.'
expect 'FILEVERSION 1, 0, 0, 3'
expect 'PRODUCTVERSION 1, 0, 0, 3'
expect 'VALUE "FileVersion", "1.00.0003"'
expect 'VALUE "ProductVersion", "1.00.0003"'
expect 'VALUE "ProductName", "Taloran"'
expect 'VALUE "InternalName", "Taloran"'
expect 'VALUE "OriginalFilename", "Taloran.exe"'
expect 'VALUE "FileDescription", "Taloran"'
expect '1 24 /* RT_MANIFEST */'
if ((fail)); then
    cat "$work/decompiled.rc" | grep -v '^  0x' >&2
    exit 1
fi
echo "windres: $rc compiles; icon, version block and manifest as expected"
