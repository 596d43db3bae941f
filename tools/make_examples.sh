#!/bin/sh
# Renews the files in examples/ that vellar-cli makes from their sources:
#   firmware.mps  from firmware.mpd (the instruction set is written in firmware.mpd only)
#   NAME.ras      from NAME.asm, assembled with firmware.mpd
# Usage: tools/make_examples.sh [path of vellar-cli]   (default: build/src/cli/vellar-cli)
# The test "ExamplesAreWhatTheToolMakesOfTheirSources" fails while a file differs.
set -e
cd "$(dirname "$0")/.."
cli=${1:-build/src/cli/vellar-cli}
"$cli" convert examples/firmware.mpd examples/firmware.mps
for source in examples/*.asm; do
  "$cli" asm --mps examples/firmware.mpd "$source" "${source%.asm}.ras"
done
