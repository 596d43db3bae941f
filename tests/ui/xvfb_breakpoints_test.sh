#!/usr/bin/env bash
# Breakpoints set with a real mouse: the window program under Xvfb, driven by xdotool. A click
# in the margin of MPS row 32 (MOV [BX],AX), then "bis Halt" at "zu schnell": the RAM saved
# there must be the RAM vellar-cli leaves with --break mps:32. A second click clears the
# breakpoint; the next "bis Halt" goes on from there to the halt, as a plain run ends.
#
#   xvfb_breakpoints_test.sh VELLAR EXAMPLES_DIR VELLAR_CLI
#
# Exit code 77 when the tools are missing (CTest counts the test as skipped).
set -euo pipefail

source "$(dirname "$0")/xvfb_window.sh"
cli=""
if [ "${1:-}" != "--inside" ]; then cli=$(realpath "$3"); fi
take_arguments "$@"

# ---- outside: a fresh folder and an X server of our own, then the saved files
if [ "$inside" = 0 ]; then
  require_tools
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp "$examples/firmware.mpd" "$examples/bubble.ras" "$work/"
  rc=0
  timeout 150 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash "$0" --inside "$vellar" "$work" || rc=$?
  [ "$rc" = 0 ] || fail "Ablauf unter Xvfb: Exit-Code $rc"
  cd "$work"
  "$cli" run --mps firmware.mpd --ram bubble.ras --break mps:32 --save-ram erwartet_halt.ras \
    >/dev/null
  "$cli" run --mps firmware.mpd --ram bubble.ras --save-ram erwartet_ende.ras >/dev/null
  # The first line names the file the listing was saved as.
  same() { cmp -s <(tail -n +2 "$1") <(tail -n +2 "$2"); }
  same haltepunkt.ras erwartet_halt.ras || fail "RAM am Haltepunkt weicht ab"
  same ende.ras erwartet_ende.ras || fail "RAM am Ende weicht ab"
  same haltepunkt.ras ende.ras && fail "der Lauf hielt nicht am Haltepunkt"
  echo "1 passed, 0 failed"
  exit 0
fi

# ---- inside the X server: "zu schnell" from the command line
start_window /0 firmware.mpd bubble.ras
strip_radio 8 15  # Automatisch aus MPS
bis_halt() {
  click $((winX + 176 + 8 + 32 * 4 + 15)) $((winY + top + CH - 73 + 14 + 18 + 12))
  sleep 1
}
read -r x y <<<"$(mps_cell 0 0x33 49)"
wheel "$x" "$y" 5 16 # rows 49 (address 30) and on
x=$((mpsX + 3))      # the margin left of the address
click "$x" "$y"
[ -z "${SHOTS:-}" ] || import -window root "$SHOTS/vorher.png"
bis_halt
[ -z "${SHOTS:-}" ] || import -window root "$SHOTS/halt.png"
save_as F6 haltepunkt.ras
click "$x" "$y"
bis_halt
save_as F6 ende.ras
