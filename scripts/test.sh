#!/usr/bin/env bash
# Builds everything and runs every test under Wine; the last line says how
# many tests passed and failed.  Arguments go to ctest (e.g. -R model to run
# only the matching test programs).
#
# Programs that need the display or the emulated keyboard to themselves run
# in lanes side by side (TEST_LANES, default 3), each lane with a virtual
# display and a Wine prefix of its own (scripts/test_lanes.py).
set -uo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages || exit 1
mkdir -p "$BUILD"
build_all || { echo "0 passed, 1 failed"; exit 1; }

reports="$BUILD/test-reports"
rm -f "$reports"/*.xml "$BUILD"/test-lane-*.log "$BUILD"/test-output/*.log

plan=$(cd "$BUILD" && ctest --show-only=json-v1 "$@" |
  python3 "$ROOT/scripts/test_lanes.py" "${TEST_LANES:-3}" "$BUILD/Testing/Temporary/CTestCostData.txt") ||
  { echo "0 passed, 1 failed"; exit 1; }

# One lane: its own display, Wine prefix (lane 0 the usual one) and
# wineserver, the emulated keyboard registered there, and its tests.
run_lane() {
  local lane=$1 regex=$2 prefix="$BUILD/wineprefix"
  [ "$lane" = 0 ] || prefix="$BUILD/wineprefix-$lane"
  start_display own || return 1
  start_wine "$prefix"
  trap stop_all EXIT
  register_emulator || { echo "could not register the emulated keyboard in $prefix"; return 1; }
  cd "$BUILD" && ctest --output-on-failure -j"$(nproc)" --timeout 300 -R "$regex"
}

log "running the tests"
pids=()
while read -r lane regex; do
  [ -n "$lane" ] || continue
  ( run_lane "$lane" "$regex" ) >"$BUILD/test-lane-$lane.log" 2>&1 &
  pids+=($!)
done <<<"$plan"
lanes_rc=0
for pid in "${pids[@]}"; do wait "$pid" || lanes_rc=1; done
cat "$BUILD"/test-lane-*.log

# The programs a lane's ctest reported as failed ("  21 - name (Failed)").
failed_programs=$(sed -n '/^The following tests FAILED:/,/^Errors while running CTest/p' "$BUILD"/test-lane-*.log |
  sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*/\1/p')

# Add up the test cases of every program; a program that failed without a
# report of its failures (a crash, a time-out) counts as one failure.
passed=0 failed=0
for name in $(cd "$BUILD" && ctest -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p'); do
  xml="$reports/$name.xml"
  crashed=0
  grep -qx "$name" <<<"$failed_programs" && crashed=1
  if [ -f "$xml" ]; then
    head=$(grep -m1 '<testsuites' "$xml")
    t=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
    f=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
    e=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$head")
    d=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$head")
    bad=$(( ${f:-0} + ${e:-0} ))
    [ "$crashed" = 1 ] && [ "$bad" = 0 ] && bad=1
    passed=$(( passed + ${t:-0} - ${d:-0} - ${f:-0} - ${e:-0} ))
    failed=$(( failed + bad ))
  elif [ "$crashed" = 1 ]; then
    failed=$(( failed + 1 ))
    # Ended before it could report (a time-out, a crash): what it printed last.
    if [ -f "$BUILD/test-output/$name.log" ]; then
      echo "---- the last lines $name printed:"
      tail -n 25 "$BUILD/test-output/$name.log"
    fi
  else
    passed=$(( passed + 1 ))
  fi
done
[ "$lanes_rc" != 0 ] && [ "$failed" = 0 ] && failed=1
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
