#!/usr/bin/env bash
# Renews the pictures of the window in docs/: starts vellar on a virtual X server with our
# micro-program and the sorting example, lets it run a few seconds and captures the window,
# once as it is (docs/fenster.png) and once at "Vergrößerung" 150 % for the projector
# (docs/fenster_150.png). Run it after every change of the window:  tools/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/ensure_packages.sh
ensure_packages x11-utils imagemagick

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j 2 --target vellar

work=$(mktemp -d build/screenshots.XXXXXX)
source tools/virtual_screen.sh
cleanup() {
  stop_screen
  rm -rf "$work"
}
trap cleanup EXIT

# shoot ZOOM SCREEN OUTPUT: the window at that zoom on a virtual screen of that size.
shoot() {
  local zoom=$1 screen=$2 output=$3
  start_screen "$screen"

  # Run until halt at 100 ms per clock: after a few seconds the sort is under way and the
  # data-path picture shows a transfer. The zoom is given, so that a level chosen in the
  # menu on this computer does not count.
  build/src/ui/vellar examples/firmware.mpd examples/bubble.ras /S /8 "--zoom=$zoom" \
    >"$work/vellar.log" 2>&1 &
  app_pid=$!

  local window=""
  for _ in $(seq 100); do
    window=$(xwininfo -root -tree | awk '/"Mikroprozessor Simulation - / { print $1; exit }')
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "Das Fenster von vellar ist nicht erschienen:" >&2
    cat "$work/vellar.log" >&2
    exit 1
  fi

  # A transfer is lit only for part of each clock: take a series of frames and keep the one
  # with the most highlighted bus lines (pure yellow and pure red pixels).
  sleep "${VELLAR_SHOT_DELAY:-3}"
  local best="" best_share=-1 frame shot share
  for frame in $(seq -w 1 16); do
    shot="$work/frame$frame.png"
    import -window "$window" "$shot"
    share=$(convert "$shot" -fill black -opaque white -fill white -opaque "#FFFF00" -opaque "#FF0000" -fill black +opaque white \
      -format "%[fx:mean]" info:)
    if awk -v a="$share" -v b="$best_share" 'BEGIN { exit !(a > b) }'; then
      best=$shot
      best_share=$share
    fi
    sleep 0.07
  done
  mkdir -p docs
  cp "$best" "$output"
  rm -f "$work/display"
  echo "$output geschrieben ($(identify -format '%wx%h' "$output"))."
  stop_screen
}

shoot 100 1280x800 docs/fenster.png
shoot 150 1920x1200 docs/fenster_150.png
