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
# A program that has the emulated keyboard to itself (TEST_OWNS_EMULATOR)
# starts without what an earlier one left running in this prefix: a program
# CTest ended at its time-out leaves the keyboard server and the programs it
# drove behind, and a server left hanging would hold every later client.
end_leftovers() {
  for dir in /proc/[0-9]*; do
    cmd=$(tr '\0' ' ' <"$dir/cmdline" 2>/dev/null) || continue
    case $cmd in
      *KeyboardEmulator.exe*|*MobekTilvorConfig.exe*|*MobekTilvorSysTray.exe*) ;;
      *) continue ;;
    esac
    tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
      kill -9 "${dir#/proc/}" 2>/dev/null
  done
  return 0
}
[ -n "${TEST_OWNS_EMULATOR:-}" ] && end_leftovers

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
