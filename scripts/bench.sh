#!/usr/bin/env bash
# Builds the suite and times the configuration program's work with the
# keyboard against the emulated keyboard, on a virtual display of its own,
# then prints the benchmark's table.  Arguments go to the benchmark
# (--writes N: that many writes in a row).  The tests never run it.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages || exit 1
mkdir -p "$BUILD"
build_all || exit 1

start_display own
start_wine
trap stop_all EXIT
register_emulator || exit 1

log "running the benchmark"
"$WINE64" "$BUILD/bin/KeyboardBenchmark.exe" "$@" </dev/null
exit $?
