#!/usr/bin/env bash
# Builds vellar.html and takes the README's pictures of it in headless chromium:
# docs/browser.png, docs/browser_tablet.png on a tablet held upright,
# docs/aufgabe_pruefen.png with a task checked, and docs/statistik.png with the statistics
# column after a run.
set -euo pipefail
cd "$(dirname "$0")/.."
html=$(tools/build_web.sh)
node web/tests/screenshot.mjs "$html" docs/browser.png docs/browser_tablet.png
node web/tests/task_screenshot.mjs "$html" docs/aufgabe_pruefen.png
node web/tests/statistics_screenshot.mjs "$html" docs/statistik.png
