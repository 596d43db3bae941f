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

if [ "${1:-}" = "--inside" ]; then
  shift
  inside=1
else
  inside=0
fi
vellar=$(realpath "$1")
examples=${2:-}

fail() {
  echo "FEHLER: $*" >&2
  exit 1
}

# ---- outside: a fresh folder and an X server of our own, then the checks of the files
if [ "$inside" = 0 ]; then
  for tool in xvfb-run Xvfb xdotool import; do
    command -v "$tool" >/dev/null || {
      echo "$tool fehlt: übersprungen"
      exit 77
    }
  done
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp "$examples/firmware.mpd" "$examples/bubble.ras" "$work/"
  rc=0
  timeout 150 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash "$0" --inside "$vellar" "$work" || rc=$?
  # What was saved is checked also after a failure further on.
  failed=0

  expect() {  # file, line that must stand in it
    [ -f "$work/$1" ] || return 0
    # Not grep -q: with pipefail, tr would die of the closed pipe and count as a miss.
    if ! tr -d '\r' <"$work/$1" | grep -xF -- "$2" >/dev/null; then
      echo "FEHLER: $1: Zeile fehlt: '$2'; dort steht:" >&2
      tr -d '\r' <"$work/$1" | grep -F -- "${2:0:3}" | head -n 3 >&2 || true
      failed=1
    fi
  }
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
work=$2
cd "$work"
QT_QPA_PLATFORM=xcb "$vellar" firmware.mpd bubble.ras >"$work/vellar.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1) ||
  fail "das Fenster erscheint nicht"
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X Y WIDTH HEIGHT
winX=$X
winY=$Y

# The client area begins below the menu bar, where the processor panel's green starts.
top=""
for _ in $(seq 50); do
  top=$(import -window "$wid" -crop 1x80+2+0 -depth 8 txt:- 2>/dev/null |
    awk -F'[,:]' '/\(192,220,192\)/ { print $2; exit }')
  [ -n "$top" ] && break
  sleep 0.1
done
[ -n "$top" ] || fail "der Prozessorbereich ist nicht zu sehen"
CW=$WIDTH
CH=$((HEIGHT - top))

# The layout of the window: bubble.ras shows the RAM as assembler listing.
extra=$((CW - 193 - 473 - 313))
[ "$extra" -lt 0 ] && extra=0
proc=$((455 + extra))
# Grids: a frame of 2 pixels, rows of 20 pixels and a grid line.
mpsX=$((winX + 4 + 2))
mpsY=$((winY + top + 24 + 2))
ramLeft=$((proc + 193 + 6))
inspX=$((winX + ramLeft + 4 + 2))
inspY=$((winY + top + CH - 73 - 66 - 4 + 2))

pause() { sleep 0.3; }
point() {  # x y; --sync would wait in vain where the pointer stands already
  eval "$(xdotool getmouselocation --shell)"
  if [ "$X" != "$1" ] || [ "$Y" != "$2" ]; then xdotool mousemove --sync "$1" "$2"; fi
}
click() {  # x y
  point "$1" "$2"
  xdotool click 1
  pause
}
mps_cell() {  # column row toprow -> "x y"
  local col=$1 row=$2 topRow=$3 x
  case $col in
    0) x=12 ;;
    1) x=$((25 + 30)) ;;
    *) x=$((25 + 100 + extra + 1 + 17 * (col - 2) + 8)) ;;
  esac
  echo "$((mpsX + x)) $((mpsY + 21 * (row - topRow + 1) + 10))"
}
insp_cell() {  # column row -> "x y"
  echo "$((inspX + 141 + 31 * ($1 - 1) + 15)) $((inspY + 21 * $2 + 10))"
}
manual() {
  click $((winX + 8 + 8 + 12)) $((winY + top + CH - 73 + 14 + 32 + 8))
}
wheel() {  # x y button count: 4 up, 5 down, three rows a step
  point "$1" "$2"
  xdotool click --repeat "$4" --delay 30 "$3"
  pause
}
type_text() {
  xdotool type --delay 60 "$1"
  pause
}
# Another window of the program with a caption: a dialog or a message box (tooltips have none).
other_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    if [ "$w" != "$wid" ] && [ -n "$(xdotool getwindowname "$w" 2>/dev/null)" ]; then
      echo "$w"
      return
    fi
  done
}
no_message() {
  local w
  w=$(other_window)
  [ -z "$w" ] || fail "$1: unerwartetes Fenster '$(xdotool getwindowname "$w")'"
}
# F3 or F6, the file name into the save dialog, and wait until the file is there.
save_as() {  # key file
  no_message "vor $2"
  xdotool key "$1"
  local dialog=""
  for _ in $(seq 50); do
    dialog=$(other_window)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "kein Dateidialog nach $1"
  xdotool windowfocus --sync "$dialog"
  pause
  xdotool type --delay 20 "$work/$2"
  xdotool key Return
  for _ in $(seq 50); do
    [ -s "$work/$2" ] && break
    sleep 0.1
  done
  [ -s "$work/$2" ] || fail "$2 wurde nicht gespeichert"
  pause
}

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
