# Where wine is, for every script that runs the Windows build: Debian's wine64
# on the PATH, else the wrapper, else where the package keeps the real thing.
WINE=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
