#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Safe to run again: it only installs what is missing. Needs root (or sudo).
# Where Wine's 32-bit half cannot run (see scripts/test-env.sh), it adds
# qemu's user-mode emulator for the i686 smoke run of scripts/test.sh.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  libgtest-dev googletest libbenchmark-dev libpng-dev
  nsis zip
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine fonts-liberation
  xvfb xdotool x11-apps imagemagick strace
  libx11-dev xscreensaver-data xscreensaver-data-extra
  libxres-dev x11-utils xscreensaver lintian
  clang libclang-rt-14-dev libfuzzer-14-dev clang-format clang-tidy
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# install PACKAGE...: installs those not yet installed.
install() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  if [ -z "${updated:-}" ]; then as_root apt-get update -q; updated=1; fi
  as_root apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=900 "${missing[@]}"
}

install "${packages[@]}"
# The browser build and its tests in headless Chromium; without them the web
# suite is skipped, and says so.
install emscripten node-acorn chromium ||
  echo "setup: emscripten or chromium could not be installed: the web suite will be skipped"
# The page's second engine (its pixel, settings and layout suites); without
# it those are skipped, and say so.
install firefox-esr || echo "setup: firefox-esr could not be installed: the page's Firefox suites will be skipped"
# The Wayland saver and its tests on a headless sway (weston: a compositor
# without a layer shell).
install libwayland-dev wayland-protocols sway swayidle grim wtype weston
# KWin's virtual backend: the fractional-scale path, which sway 1.7 lacks.
install kwin-wayland || echo "setup: kwin-wayland could not be installed: the KWin suite will be skipped"

source "$(dirname "$0")/test-env.sh"
orbilux_detect_i686
if [ "$ORBILUX_I686_WINE" = 1 ]; then
  echo "setup: all packages present; Wine's 32-bit half runs here"
else
  echo "setup: $ORBILUX_I686_WHY: i686 Wine tests will be replaced by a qemu smoke run"
  install qemu-user-static
fi
