#!/usr/bin/env bash
# Builds the installer with makensis.
# Usage: build-installer.sh OUT.exe VERSION SCR32 SCR64
# ORBILUX_INSTALLER_TARGET=amd64-unicode builds the same installer as a 64-bit
# program, for tests on machines that cannot run 32-bit ones; what ships is
# the 32-bit ANSI one, which runs on every Windows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1 version=$2 scr32=$3 scr64=$4
# VIProductVersion wants four numbers.
quad=$version
while [ "$(tr -cd . <<<"$quad" | wc -c)" -lt 3 ]; do quad=$quad.0; done
target=()
[ -n "${ORBILUX_INSTALLER_TARGET:-}" ] && target=("-DTARGET=$ORBILUX_INSTALLER_TARGET")
makensis -V2 -NOCD "${target[@]}" \
  "-DVERSION=$version" "-DVERSION_QUAD=$quad" \
  "-DSCR32=$(realpath "$scr32")" "-DSCR64=$(realpath "$scr64")" \
  "-DICON=$here/../resources/orbilux.ico" "-DWIZARD=$here/wizard.bmp" "-DLICENSE=$here/../LICENSE" "-DOUTFILE=$(realpath -m "$out")" \
  "$here/orbilux.nsi"
