#!/usr/bin/env bash
# Breakpoints set with a real mouse: the window program under Xvfb, driven by xdotool. A click
# in the margin of MPS row 32 (MOV [BX],AX), then "bis Halt" at "zu schnell": the RAM saved
# there must be the RAM vellar-cli leaves with --break mps:32. A second click clears the
# breakpoint; the next "bis Halt" goes on from there to the halt, as a plain run ends.
#
#   VELLAR_CLI=vellar-cli xvfb_breakpoints_test.sh VELLAR EXAMPLES_DIR
#
# Exit code 77 when the tools are missing (CTest counts the test as skipped).
set -euo pipefail

source "$(dirname "$0")/xvfb_window.sh"
take_arguments "$@"
if [ "$inside" = 0 ]; then
  run_scenarios "haltepunkt" firmware.mpd bubble.ras
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
bis_halt
save_as F6 haltepunkt.ras
click "$x" "$y"
bis_halt
save_as F6 ende.ras

"$VELLAR_CLI" run --mps firmware.mpd --ram bubble.ras --break mps:32 \
  --save-ram erwartet_halt.ras >/dev/null
"$VELLAR_CLI" run --mps firmware.mpd --ram bubble.ras --save-ram erwartet_ende.ras >/dev/null
# The first line names the file the listing was saved as.
same() { cmp -s <(tail -n +2 "$1") <(tail -n +2 "$2"); }
same haltepunkt.ras erwartet_halt.ras || fail "RAM am Haltepunkt weicht ab"
same ende.ras erwartet_ende.ras || fail "RAM am Ende weicht ab"
if same haltepunkt.ras ende.ras; then fail "der Lauf hielt nicht am Haltepunkt"; fi
