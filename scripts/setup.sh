#!/usr/bin/env bash
# Shared set-up for scripts/run, scripts/test and scripts/hardening: installs the Debian packages
# that are missing (clang and its fuzzer runtime for the hardening checks too), then configures
# and builds Pylora in build/.
set -euo pipefail

PYLORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PYLORA_BUILD="${PYLORA_BUILD:-$PYLORA_ROOT/build}"

PYLORA_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libsqlite3-dev sqlite3 nlohmann-json3-dev libcli11-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk fonts-wqy-zenhei
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  xvfb xauth
  clang libclang-rt-14-dev llvm
  dpkg-dev librsvg2-bin desktop-file-utils appstream man-db
  ccache libreoffice-writer-nogui unzip python3-fonttools
  # Qt Charts' CMake package asks for the Qt OpenGL module's, which it does not pull in
  qt6-charts-dev libqt6opengl6-dev libdxflib-dev python3-ezdxf python3-matplotlib hyperfine
  # the browser page (scripts/web): the core compiled to WebAssembly, SQLite's amalgamation made
  # with tclsh, and its tests in headless Chromium and in Firefox
  emscripten node-acorn tcl zip chromium chromium-driver python3-selenium firefox-esr
)

install_missing_packages() {
  local missing=()
  for package in "${PYLORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  # A failed refresh of the package lists is not fatal: the install may still succeed from the
  # lists already on the machine, and when it does not, its own error says what is missing.
  $sudo apt-get update -qq || echo "apt-get update failed; installing from the package lists at hand" >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_pylora() {
  # ccache: a second work tree or a clean CI clone on the same machine rebuilds from the cache.
  export CCACHE_BASEDIR="$PYLORA_ROOT" CCACHE_NOHASHDIR=1
  cmake -S "$PYLORA_ROOT" -B "$PYLORA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
  cmake --build "$PYLORA_BUILD"
}
