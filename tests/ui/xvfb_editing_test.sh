#!/usr/bin/env bash
# The editing scenarios with a real mouse and keyboard: the window program under Xvfb, with
# no window manager, driven by xdotool, and the files it saves read afterwards.
#
#   xvfb_editing_test.sh VELLAR EXAMPLES_DIR
#
# Inspector (bubble.ras): the second variable's name X, its value 5, Enter, the first
# variable's value 7. MPS: a click into row 05, "Manuell", the wheel down to rows 5A..65, a
# click on the description of 5F and XYZ typed; then "Manuell", the wheel up to row 28 and a
# click on gate 1 of row 2A. Each saved through the file dialog (F6, F3). Exit code 77 when
# the tools are missing (CTest counts the test as skipped).
set -euo pipefail

source "$(dirname "$0")/xvfb_window.sh"
take_arguments "$@"

# ---- outside: a fresh folder and an X server of our own, then the checks of the files
if [ "$inside" = 0 ]; then
  require_tools
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp "$examples/firmware.mpd" "$examples/bubble.ras" "$work/"
  rc=0
  timeout 150 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash "$0" --inside "$vellar" "$work" || rc=$?
  # What was saved is checked also after a failure further on.
  failed=0

  expect() { expect_line "$@" || failed=1; }
  expect text.mpd "5F XYZ                       . . . . . . . . . . . . . . . . 5F"
  expect text.mpd "04 DR:=Operand               . . . . . . . . . . . . C . . . 05"
  expect text.mpd "05 IP := IP+1                . . . . 4 5 . 7 . . . . . . . . 06"
  expect tor.mpd "2A                           . 1 . . . . . . . . . . . . . . 2A"
  expect tor.mpd "06 Dekodieren                . . . . . . . . . . . . . . . F 00"
  expect tor.mpd "5F XYZ                       . . . . . . . . . . . . . . . . 5F"
  expect rueck.mpd "2A                           . . . . . . . . . . . . . . . . 2A"
  expect rueck.mpd "5F XYZ                       . . . . . . . . . . . . . . . . 5F"
  expect wieder.mpd "2A                           . 1 . . . . . . . . . . . . . . 2A"
  expect neu.ras "E0  07 05 "
  expect neu.ras "E0 getauscht"
  expect neu.ras "E1 X"
  [ "$rc" = 0 ] || fail "Ablauf unter Xvfb: Exit-Code $rc"
  [ "$failed" = 0 ] || fail "gespeicherte Dateien"
  echo "1 passed, 0 failed"
  exit 0
fi

# ---- inside the X server
start_window firmware.mpd bubble.ras

# The variable inspector.
click $(insp_cell 2 1)
type_text X
click $(insp_cell 2 2)
type_text 5
xdotool key Return
pause
click $(insp_cell 1 2)
type_text 7
save_as F6 neu.ras

# MPS: the description of 5F after a focus change.
click $(mps_cell 1 6 1)
manual
read -r x y <<<"$(mps_cell 1 0x60 0x5B)"
wheel "$x" "$y" 5 30 # rows 5A .. 65
click "$x" "$y"
type_text XYZ
save_as F3 text.mpd
# A gate of 2A after another.
manual
read -r x y <<<"$(mps_cell 3 0x2B 0x28)"
wheel "$x" "$y" 4 17 # from 5A up to 28
click "$x" "$y"
save_as F3 tor.mpd
# Ctrl+Z takes the gate click back and leaves the typed description; Ctrl+Y brings it again.
xdotool key ctrl+z
pause
save_as F3 rueck.mpd
xdotool key ctrl+y
pause
save_as F3 wieder.mpd
