#!/bin/sh
# Runs a Windows program under 64-bit Wine with the project's prefix.  The
# test and run scripts export WINEPREFIX and DISPLAY and keep one wineserver
# alive; run by hand, this falls back to the build's own prefix.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$here/build/wineprefix}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
exec "${WINE64:-/usr/lib/wine/wine64}" "$@"
