#!/usr/bin/env bash
# The main job: sets up, builds, and runs the saver full screen under Wine on
# the X display in DISPLAY (any key, click or mouse movement ends it). With no
# display it says so and renders figures to PNG files instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
ORBILUX_SKIP_SETUP=1 bash scripts/build.sh native i686

render() {
  mkdir -p out
  local r=build/native/render/orbilux-render
  "$r" --seed 1 --png out/figure-circles.png
  "$r" --seed 2 --setting RadiusFactor=0 --png out/figure-pixels.png
  "$r" --seed 3 --setting RadiusFactor=0 --setting JoinTheDots=1 --png out/figure-joined.png
  "$r" --seed 4 --setting RadiusFactor=3 --setting ObjectShape=510 --setting ObjectRotation=14 \
       --setting ZoomOption=0x3fe --png out/figure-shapes.png
  echo "Figures rendered to $root/out/"
}

has_display() { [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; }

if ! has_display; then
  echo "No X display (DISPLAY is '${DISPLAY:-}'): rendering figures to PNG files instead."
  render
  exit 0
fi

# A Wine prefix of the saver's own, so its settings stay apart from ~/.wine.
export WINEPREFIX=$root/build/wine/saver WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
echo "Starting orbilux.scr /s on $DISPLAY: any key, click or mouse movement ends it."
wine build/i686/host/orbilux.scr /s
