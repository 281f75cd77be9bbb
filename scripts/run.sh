#!/usr/bin/env bash
# Builds the suite, installs it in the Wine prefix as an installer would and
# starts the configuration program from the installed tree.  Without a
# display it runs on a virtual one and saves two screenshots: the main page,
# and the main page with a popup open over it (the warning a start without
# the keyboard shows).
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
register_install || exit 1

cd "$BUILD/dist" || exit 1
if [ -n "$had_display" ]; then
  "$WINE64" MobekTilvorConfig.exe
  exit $?
fi

mkdir -p "$BUILD/screenshots"
stamp=$(date +%Y%m%d-%H%M%S)
status=0

# shoot NAME WINDOWS: starts the program, saves the screen once it shows that
# many windows and has stopped changing, and ends the program.
shoot() {
  local shot="$BUILD/screenshots/run-$stamp-$1.png" pid rc
  "$WINE64" MobekTilvorConfig.exe >>"$BUILD/run.log" 2>&1 </dev/null &
  pid=$!
  x_screenshot "$shot" --windows "MobekTilvorConfig.exe=$2" --timeout 60 --settle 5
  rc=$?
  if [ "$rc" = 0 ] || [ "$rc" = 3 ]; then
    echo "screenshot of what the program shows ($1): $shot"
  fi
  if [ "$rc" != 0 ]; then
    echo "the program did not show its $1 (see $BUILD/run.log)" >&2
    status=1
  fi
  "$WINESERVER" -k >/dev/null 2>&1 </dev/null
  wait "$pid" 2>/dev/null
}

: >"$BUILD/run.log"
shoot main-page 1

# A keyboard state of its own that has no keyboard: the program warns over
# its main page, and the keyboard the user works with is left as it was.
no_keyboard="$BUILD/run-no-keyboard.xml"
cat >"$no_keyboard" <<'EOF'
<?xml version="1.0" encoding="utf-8"?>
<keyboard-state version="1" present="0">
</keyboard-state>
EOF
start_wine
TILVOR_KEYBOARD_STATE=$(wine_path "$no_keyboard") shoot no-keyboard-warning 2
exit $status
