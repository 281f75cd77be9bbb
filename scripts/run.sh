#!/usr/bin/env bash
# Builds the suite and starts the configuration program from the installed
# tree.  Without a display it runs on a virtual one and saves a screenshot.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

ensure_packages || exit 1
mkdir -p "$BUILD"
build_all || exit 1

had_display=${DISPLAY:-}
start_display
start_wine
trap stop_all EXIT
register_emulator || exit 1

cd "$BUILD/dist" || exit 1
if [ -n "$had_display" ]; then
  "$WINE64" MobekTilvorConfig.exe
  exit $?
fi

"$WINE64" MobekTilvorConfig.exe >"$BUILD/run.log" 2>&1 </dev/null &
pid=$!
for i in $(seq 1 80); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
mkdir -p "$BUILD/screenshots"
shot="$BUILD/screenshots/run-$(date +%Y%m%d-%H%M%S).png"
x_screenshot "$shot" && echo "screenshot of what the program shows: $shot"
if kill -0 "$pid" 2>/dev/null; then
  "$WINESERVER" -k >/dev/null 2>&1 </dev/null
  wait "$pid" 2>/dev/null
  exit 0
fi
wait "$pid"
