#!/usr/bin/env bash
# Builds vellar.html and takes the README's picture of it in headless chromium:
# docs/browser.png.
set -euo pipefail
cd "$(dirname "$0")/.."
html=$(tools/build_web.sh)
node web/tests/screenshot.mjs "$html" docs/browser.png
