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
# The product is the i686 saver; where Wine's 32-bit half cannot run, the
# x86_64 one runs under 64-bit Wine instead.
source scripts/test-env.sh
orbilux_choose_wine
saver=build/i686/host/orbilux.scr
export WINEPREFIX=$root/build/wine/saver
if [ "$ORBILUX_I686_WINE" != 1 ]; then
  echo "The i686 saver cannot run here ($ORBILUX_I686_WHY): running the x86_64 one under 64-bit Wine."
  ORBILUX_SKIP_SETUP=1 bash scripts/build.sh x86_64
  saver=build/x86_64/host/orbilux.scr
  export WINEPREFIX=$root/build/wine/saver64
fi
export WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
echo "Starting $saver /s on $DISPLAY: any key, click or mouse movement ends it."
wine "$saver" /s
