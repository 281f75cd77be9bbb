#!/usr/bin/env bash
# Builds everything and runs every test under Wine; the last line says how
# many tests passed and failed.  Arguments go to ctest (e.g. -R model to run
# only the matching test programs).
set -uo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages || exit 1
mkdir -p "$BUILD"
build_all || { echo "0 passed, 1 failed"; exit 1; }

start_display own
start_wine
trap stop_all EXIT
register_emulator || { echo "0 passed, 1 failed"; exit 1; }

reports="$BUILD/test-reports"
rm -f "$reports"/*.xml "$BUILD/Testing/Temporary/LastTestsFailed.log"
log "running the tests"
(cd "$BUILD" && ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@")
ctest_rc=$?

# Add up the test cases of every program; a program that failed without a
# report of its failures (a crash, a time-out) counts as one failure.
passed=0 failed=0
failed_list="$BUILD/Testing/Temporary/LastTestsFailed.log"
for name in $(cd "$BUILD" && ctest -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p'); do
  xml="$reports/$name.xml"
  crashed=0
  [ -f "$failed_list" ] && grep -q ":$name\$" "$failed_list" && crashed=1
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
  else
    passed=$(( passed + 1 ))
  fi
done
[ "$ctest_rc" != 0 ] && [ "$failed" = 0 ] && failed=1
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
