# Installs the Debian packages the build needs, when any of them is missing.
# Sourced by ./test and ./run.

vellar_packages=(
  g++ cmake ninja-build pkg-config zlib1g-dev
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation poppler-utils
  xvfb xauth xdotool imagemagick
  librsvg2-bin desktop-file-utils libxml2-utils shared-mime-info dpkg-dev file man-db
)

ensure_packages() {
  local missing=()
  local pkg
  for pkg in "${vellar_packages[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installiere fehlende Pakete: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The browser build and its tests: emscripten (its optimizer needs acorn from node-acorn),
# Node.js and npm for esbuild and puppeteer-core, and the three browser engines for the tests:
# chromium and firefox-esr (both through puppeteer), WebKit through its WebDriver.
vellar_web_packages=(emscripten node-acorn chromium firefox-esr webkit2gtk-driver)

ensure_web_packages() {
  local extra=()
  # Node.js may come from elsewhere than Debian; only a missing node or npm is installed.
  command -v node >/dev/null || extra+=(nodejs)
  command -v npm >/dev/null || extra+=(npm)
  ensure_packages "${vellar_web_packages[@]}" "${extra[@]}"
}
