#!/usr/bin/env bash
# Builds the installer with makensis.
# Usage: build-installer.sh OUT.exe VERSION SCR32 SCR64
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1 version=$2 scr32=$3 scr64=$4
# VIProductVersion wants four numbers.
quad=$version
while [ "$(tr -cd . <<<"$quad" | wc -c)" -lt 3 ]; do quad=$quad.0; done
makensis -V2 -NOCD \
  "-DVERSION=$version" "-DVERSION_QUAD=$quad" \
  "-DSCR32=$(realpath "$scr32")" "-DSCR64=$(realpath "$scr64")" \
  "-DICON=$here/../resources/orbilux.ico" "-DLICENSE=$here/../LICENSE" "-DOUTFILE=$(realpath -m "$out")" \
  "$here/orbilux.nsi"
