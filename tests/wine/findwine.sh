# Where wine is, for every script that runs the Windows build: the 64-bit
# loader on the PATH, else where Debian's wine64 package keeps it, else the
# wrapper that picks a loader.
WINE=$(command -v wine64 || { [[ -x /usr/lib/wine/wine64 ]] && echo /usr/lib/wine/wine64; } \
    || command -v wine || echo wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
