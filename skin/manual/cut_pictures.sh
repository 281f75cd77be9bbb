#!/usr/bin/env bash
# Cuts the manual's screenshots out of the screenshots a test run saves
# (build/test-artifacts, or the folder given) into pictures/ beside this
# script.  Run it after the look of a page or popup has changed, then check
# the pictures by eye: the cuts are in pixels of the program's windows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
shots=${1:-$here/../../build/test-artifacts}
out=$here/pictures
mkdir -p "$out"

# cut <screenshot> <picture> [left top width height]: the whole screenshot
# without a rectangle.
cut() {
  local from=$shots/$1 to=$out/$2
  [ -f "$from" ] || { echo "missing $from: run the tests first" >&2; exit 1; }
  if [ $# -gt 2 ]; then
    pngtopnm "$from" | pnmcut -left "$3" -top "$4" -width "$5" -height "$6" | pnmtopng -compression 9 >"$to"
  else
    pngtopnm "$from" | pnmtopng -compression 9 >"$to"
  fi
  echo "$2"
}

# The configuration program's main window and the key-assignment page.
cut config-main-page.png main-window.png
# After a macro was recorded on M4 and F1, F2 were given functions: the
# keyboard with its marks, then the assignment area with the key window.
cut e2e-keys-page-after-tray-macro.png key-marks.png 28 84 938 330
cut e2e-keys-page-after-tray-macro.png assign-area.png 20 432 956 184
# Popups.
cut config-single-key-popup.png single-key-popup.png
cut config-macro-popup.png macro-popup.png
cut config-restore-popup.png restore-popup.png
cut config-no-keyboard-popup.png no-keyboard-popup.png
# The tray program: its icon, its menu, the on-screen display's name.
cut tray-menu.png tray-icon.png 5 24 16 16
cut tray-menu.png tray-menu.png 640 512 154 109
cut tray-osd.png osd.png 1020 0 250 26
