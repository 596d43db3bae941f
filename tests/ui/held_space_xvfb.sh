#!/usr/bin/env bash
# Runs the held-space-bar test under Xvfb, without a window manager: the X server repeats the
# key that xdotool holds down, as a real keyboard's would be repeated.
# Usage: held_space_xvfb.sh TEST_BINARY
set -euo pipefail
for tool in xvfb-run xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool fehlt (tools/ensure_packages.sh installiert es)" >&2
    exit 1
  fi
done
export QT_QPA_PLATFORM=xcb
# -a picks a free display; the outer timeout keeps a stuck server from holding the run.
exec timeout 150 xvfb-run -a -s "-screen 0 1280x1024x24" "$1"
