# Shared by the README's commands: packages, build, display and Wine.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}
WINE64=${WINE64:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINE64

PACKAGES=(cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 libwine-dev
          xvfb x11-apps netpbm googletest dpkg-dev ca-certificates python3)

log() { printf '== %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else
    echo "need root to run: $*" >&2; return 1; fi
}

ensure_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  as_root apt-get update -q >/dev/null
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

build_all() {
  log "configuring and building in $BUILD"
  mkdir -p "$BUILD"
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$BUILD/configure.log" 2>&1 ||
    { tail -n 40 "$BUILD/configure.log" >&2; return 1; }
  # BUILD_TARGETS (optional) builds only those targets, e.g. while one part is worked on.
  local targets=() t
  for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
  cmake --build "$BUILD" -j"$(nproc)" "${targets[@]}" >"$BUILD/build.log" 2>&1 ||
    { grep -E -A5 'error|Error' "$BUILD/build.log" | head -n 80 >&2; return 1; }
}

OWN_XVFB_PID=
start_display() {
  # Use the user's display when there is one; otherwise a virtual one.
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != own ]; then return 0; fi
  # The server picks a free display number itself and names it once it
  # takes connections, so runs started side by side never share one.
  local numbers i n
  numbers=$(mktemp "${TMPDIR:-/tmp}/xvfb-display.XXXXXX") || return 1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numbers" >>"$BUILD/xvfb.log" 2>&1 </dev/null &
  OWN_XVFB_PID=$!
  for i in $(seq 1 200); do
    n=$(tr -dc '0-9' <"$numbers")
    if [ -n "$n" ]; then
      rm -f "$numbers"
      export DISPLAY=":$n"
      log "virtual display $DISPLAY"
      return 0
    fi
    kill -0 "$OWN_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numbers"
  kill "$OWN_XVFB_PID" 2>/dev/null
  OWN_XVFB_PID=
  echo "could not start a virtual display" >&2
  return 1
}

# The Wine prefix is $BUILD/wineprefix unless another is named.
start_wine() {
  export WINEPREFIX="${1:-$BUILD/wineprefix}" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix $WINEPREFIX"
    "$WINE64" wineboot --init >"$WINEPREFIX.wineboot.log" 2>&1 </dev/null || true
    # A crash prints its report instead of opening a dialog nobody answers.
    "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      >/dev/null 2>&1 </dev/null || true
    # A prefix still settling in when the first COM server starts can leave
    # that start hanging: let it finish first.
    "$WINESERVER" -w >/dev/null 2>&1 </dev/null
  fi
  # One persistent server for the whole run, streams redirected so this shell
  # does not wait for it.
  "$WINESERVER" -p >/dev/null 2>&1 </dev/null &
  "$WINESERVER" -w >/dev/null 2>&1 </dev/null &
  sleep 0.2
}

# The emulated keyboard stands in for the keyboard's own service: it writes its
# class registration into the prefix (the build may have moved it since).
EMULATOR_EXE="$BUILD/bin/KeyboardEmulator.exe"
register_emulator() {
  [ -f "$EMULATOR_EXE" ] || return 0
  "$WINE64" "$EMULATOR_EXE" /RegServer >"$WINEPREFIX.register.log" 2>&1 </dev/null ||
    { cat "$WINEPREFIX.register.log" >&2; return 1; }
}

stop_all() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 </dev/null || true
  [ -n "$OWN_XVFB_PID" ] && kill "$OWN_XVFB_PID" 2>/dev/null || true
}

# A Unix path as the programs under Wine name it (drive Z: is the Unix root).
wine_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

# What an installer leaves for the programs: where the installed tree is and
# which language it speaks (the default skin's only language, LANGUAGE_DEFAULT,
# whose name is English).
INSTALL_KEY='HKLM\Software\Mobek\Tilvor'
register_install() {
  local value
  for value in "InstallDir=$(wine_path "$BUILD/dist")" "Language=English"; do
    "$WINE64" reg add "$INSTALL_KEY" /v "${value%%=*}" /t REG_SZ /d "${value#*=}" /f \
      >>"$BUILD/install-register.log" 2>&1 </dev/null ||
      { echo "could not write ${value%%=*} under $INSTALL_KEY" >&2; return 1; }
  done
}

# Screenshot of the X display as PNG (or PPM for a name ending in .ppm), as a
# person at it sees it; x_screen.py says why it is not xwd's.  Options after
# the file name go to it: --windows PROGRAM=N waits for that program's
# windows, --settle S for the screen to stop changing.
x_screenshot() {
  local out=$1
  shift
  python3 "$ROOT/scripts/x_screen.py" "$@" "$out"
}
