#!/usr/bin/env bash
# Shoots the window still (no run) at 100 % and 150 %, once bare and once with each menu open,
# into a folder, and compares with the pictures of another folder when one is given:
#   tools/window_pixels.sh build/src/ui/vellar OUT [REFERENCE]
# A change that should not alter what the window shows (say, where the menus come from) is
# checked by shooting before and after: every picture must match to the pixel.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/ensure_packages.sh
ensure_packages x11-utils imagemagick xdotool xvfb

program=$1
out=$2
reference=${3:-}
mkdir -p "$out"
work=$(mktemp -d)
source tools/virtual_screen.sh
trap 'stop_screen; rm -rf "$work"' EXIT

# The whole screen is taken, so that open menus (windows of their own) are in the picture.
snap() {
  sleep 0.6
  import -window root "$out/$1.png"
}

shoot() {
  local zoom=$1 screen=$2
  start_screen "$screen"
  # A settings file of this computer must not change the picture.
  export XDG_CONFIG_HOME="$work/config"
  "$program" examples/firmware.mpd examples/bubble.ras "--zoom=$zoom" >"$work/vellar.log" 2>&1 &
  app_pid=$!
  local window=""
  for _ in $(seq 100); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"Mikroprozessor Simulation - / { print $1; exit }')
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "Das Fenster ist nicht erschienen:" >&2
    cat "$work/vellar.log" >&2
    exit 1
  fi
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  xdotool mousemove 0 0
  snap "fenster_$zoom"
  # A click on the first menu's title opens it; from there the arrow keys walk through every menu.
  xdotool mousemove --window "$window" $((zoom / 5)) $((zoom / 10)) click 1
  snap "menu_${zoom}_1"
  for n in 2 3 4 5; do
    xdotool key Right
    snap "menu_${zoom}_$n"
  done
  xdotool key Escape Escape
  stop_screen
}

shoot 100 1280x800
shoot 150 1920x1200

if [ -n "$reference" ]; then
  failed=0
  for picture in "$reference"/*.png; do
    name=$(basename "$picture")
    differing=$(compare -metric AE "$picture" "$out/$name" null: 2>&1 || true)
    echo "$name: $differing"
    [ "$differing" = "0" ] || failed=1
  done
  exit $failed
fi
