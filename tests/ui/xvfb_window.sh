# The window program under a real X server without window manager, driven by xdotool: what the
# scripts that use the real window share. Sourced. A script runs twice: outside, where it
# makes the X server, and inside it ("--inside" first). start_window ARGS... starts the
# program in $work and measures its layout.

fail() {
  echo "FEHLER: $*" >&2
  exit 1
}

# VELLAR EXAMPLES_DIR outside, --inside VELLAR WORK [SCENARIO] inside: sets inside, vellar,
# examples or work, and scenario.
take_arguments() {
  inside=0
  if [ "${1:-}" = "--inside" ]; then
    shift
    inside=1
    work=$2
    scenario=${3:-}
  else
    examples=${2:-}
    # The command-line tool a scenario compares with, found again from the scenario's folder.
    if [ -n "${VELLAR_CLI:-}" ]; then
      VELLAR_CLI=$(realpath "$VELLAR_CLI")
      export VELLAR_CLI
    fi
  fi
  vellar=$(realpath "$1")
}

# Exit code 77 when a tool is missing: CTest counts the test as skipped.
require_tools() {
  for tool in xvfb-run Xvfb xdotool import; do
    command -v "$tool" >/dev/null || {
      echo "$tool fehlt: übersprungen"
      exit 77
    }
  done
}

# Outside: each scenario (those in ONLY if set) in a fresh folder with these example files and
# under an X server of its own, whose screen a function scenario_screen may choose (else
# 1280 x 1024); exits with the result.
run_scenarios() {  # "scenarios" files...
  local list=$1 scenario screen passed=0 failed=0
  shift
  require_tools
  for scenario in ${ONLY:-$list}; do
    echo "Ablauf $scenario"
    work=$(mktemp -d)
    for file in "$@"; do cp "$examples/$file" "$work/"; done
    screen=1280x1024
    if declare -F scenario_screen >/dev/null; then screen=$(scenario_screen "$scenario"); fi
    # The settings (the zoom level) stay in the scenario's folder.
    if XDG_CONFIG_HOME="$work/config" timeout 120 xvfb-run -a \
      -s "-screen 0 ${screen}x24 -nolisten tcp" bash "$0" --inside "$vellar" "$work" "$scenario"; then
      passed=$((passed + 1))
    else
      echo "FEHLER im Ablauf '$scenario'" >&2
      failed=$((failed + 1))
    fi
    rm -rf "$work"
  done
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
  exit
}

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
type_text() {
  xdotool type --delay 60 "$1"
  pause
}

start_window() {
  cd "$work"
  QT_QPA_PLATFORM=xcb "$vellar" "$@" >>"$work/vellar.log" 2>&1 &
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
  # The layout of the window, with the RAM grid as wide as its assembler view.
  extra=$((CW - 193 - 473 - 313))
  [ "$extra" -lt 0 ] && extra=0
  proc=$((455 + extra))
  # Grids: a frame of 2 pixels, rows of 20 pixels and a grid line.
  mpsX=$((winX + 4 + 2))
  mpsY=$((winY + top + 24 + 2))
  ramLeft=$((proc + 193 + 6))
  ramX=$((winX + ramLeft + 4 + 2))
  ramY=$mpsY
  inspX=$((winX + ramLeft + 4 + 2))
  inspY=$((winY + top + CH - 73 - 66 - 4 + 2))
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
ram_cell() {  # column row (assembler view: 0 address, 1 OP, 2 nn, 3 Befehl) -> "x y"
  local x
  case $1 in
    0) x=15 ;;
    3) x=$((31 + 22 + 22 + 60)) ;;
    *) x=$((31 + 22 * ($1 - 1) + 10)) ;;
  esac
  echo "$((ramX + x)) $((ramY + 21 * $2 + 10))"
}
insp_cell() {  # column row -> "x y"
  echo "$((inspX + 141 + 31 * ($1 - 1) + 15)) $((inspY + 21 * $2 + 10))"
}
# The radio buttons of the control strip: group x, item y within the group.
strip_radio() {
  click $((winX + $1 + 8 + 12)) $((winY + top + CH - 73 + 14 + $2 + 8))
}
manual() { strip_radio 8 32; }
data_view() { strip_radio 672 15; }
wheel() {  # x y button count: 4 up, 5 down, three rows a step
  point "$1" "$2"
  xdotool click --repeat "$4" --delay 30 "$3"
  pause
}
# Another window of the program with a caption: a dialog or a message box (tooltips have none).
# A panel that stays open beside the main window is no such window: its id is in $beside.
other_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    if [ "$w" != "$wid" ] && [ "$w" != "${beside:-}" ] &&
      [ -n "$(xdotool getwindowname "$w" 2>/dev/null)" ]; then
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
# Waits for a dialog or message box and gives it the keyboard. A box that is just closing may
# still be listed and then be gone before it takes the focus: the search goes on.
await_window() {  # what
  local dialog=""
  for _ in $(seq 100); do
    dialog=$(other_window)
    if [ -n "$dialog" ] && timeout 5 xdotool windowfocus --sync "$dialog" 2>/dev/null; then
      pause
      echo "$dialog"
      return
    fi
    sleep 0.1
  done
  [ -z "${SHOT:-}" ] || import -window root "$SHOT" 2>/dev/null || true
  fail "kein Fenster: $1"
}
# Waits until this dialog or box has gone, so that the next one found is not it.
await_gone() {  # window what
  for _ in $(seq 100); do
    xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  fail "$2 bleibt offen"
}
# A menu's popup: a window of the program without a caption of its own (it carries the
# program's name, the main window adds the files').
menu_popup() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    if [ "$w" != "$wid" ] &&
      [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "Mikroprozessor Simulation" ]; then
      echo "$w"
      return
    fi
  done
}
# Opens a menu of the menu bar by a click and waits until its popup is there; keys then go
# to the menu, not to the control with the focus.
open_menu() {  # x y
  click "$1" "$2"
  for _ in $(seq 100); do
    [ -n "$(menu_popup)" ] && return
    sleep 0.1
  done
  fail "das Menü bei $1,$2 öffnet sich nicht"
}
# A key that opens a file dialog, and a file name typed into it.
file_dialog() {  # key file
  xdotool key "$1"
  await_window "Dateidialog nach $1" >/dev/null
  xdotool type --delay 20 "$2"
  pause
  xdotool key Return
  pause
  # The open dialog's completion list may take the first Return.
  if [ -n "$(other_window)" ]; then
    sleep 0.5
    [ -n "$(other_window)" ] && xdotool key Return
  fi
  pause
}
# Waits until no dialog or message box is left.
await_no_window() {  # what
  for _ in $(seq 100); do
    [ -z "$(other_window)" ] && return
    sleep 0.1
  done
  [ -z "${SHOT:-}" ] || import -window root "$SHOT" 2>/dev/null || true
  fail "$1: '$(xdotool getwindowname "$(other_window)")' bleibt offen"
}
# F3 or F6, the file name into the save dialog, and wait until the file is there.
save_as() {  # key file
  no_message "vor $2"
  file_dialog "$1" "$work/$2"
  for _ in $(seq 50); do
    [ -s "$work/$2" ] && break
    sleep 0.1
  done
  [ -s "$work/$2" ] || fail "$2 wurde nicht gespeichert"
  pause
}
# A file's line (CR removed) that must stand in it.
expect_line() {  # file line
  [ -f "$work/$1" ] || {
    echo "FEHLER: $1 fehlt" >&2
    return 1
  }
  # Not grep -q: with pipefail, tr would die of the closed pipe and count as a miss.
  if ! tr -d '\r' <"$work/$1" | grep -xF -- "$2" >/dev/null; then
    echo "FEHLER: $1: Zeile fehlt: '$2'; dort steht:" >&2
    tr -d '\r' <"$work/$1" | grep -F -- "${2:0:3}" | head -n 3 >&2 || true
    return 1
  fi
}
