#!/usr/bin/env bash
# Builds build-web/vellar.html: the model and the bridge with emscripten (build-web/cmake/),
# then the page with esbuild. Prints the file's path. Installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/ensure_packages.sh
ensure_web_packages

export NODE_PATH=/usr/share/nodejs
if command -v ccache >/dev/null; then export CMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
emcmake cmake -S . -B build-web/cmake -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVELLAR_BUILD_UI=OFF -DVELLAR_BUILD_BENCH=OFF >/dev/null
cmake --build build-web/cmake -j 2 --target vellar-web >&2

# The page's tools come from npm, exactly as the lock file has them.
if [ ! -d web/node_modules ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then
  (cd web && npm ci --no-audit --no-fund >&2)
fi
node web/build.mjs build-web/cmake/src/web/vellar.js build-web/vellar.html
