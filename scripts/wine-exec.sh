#!/bin/sh
# Runs a Windows program under 64-bit Wine with the project's prefix.  The
# test and run scripts export WINEPREFIX and DISPLAY and keep one wineserver
# alive; run by hand, this falls back to the build's own prefix.
#
# Wine's helper processes (the desktop, services, a COM server the program
# starts) inherit the program's standard streams.  Were those the pipe of
# CTest, it would wait for them to end; so the output goes to a file first and
# is passed on once the program itself has exited.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$here/build/wineprefix}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
wine=${WINE64:-/usr/lib/wine/wine64}
# A test program's output stays in TEST_OUTPUT_LOG (set by the build), so
# that what a program printed before a time-out ended it can still be read.
if [ -n "${TEST_OUTPUT_LOG:-}" ]; then
  out=$TEST_OUTPUT_LOG
  mkdir -p "$(dirname "$out")"
else
  out=$(mktemp "${TMPDIR:-/tmp}/wine-exec.XXXXXX") || exec "$wine" "$@"
fi
"$wine" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
[ -n "${TEST_OUTPUT_LOG:-}" ] || rm -f "$out"
exit $rc
