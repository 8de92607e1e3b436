#!/usr/bin/env bash
# Takes a picture of the settings dialog at its default settings, on a test
# display and Wine prefix of its own, then closes it with Escape and expects
# exit code 0.
#   scripts/dialog-screenshot.sh [BUILD_DIR] [OUTPUT.png]
#   (default build/i686 and BUILD_DIR/artefacts/config-dialog.png)
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/i686}
app=$build/host/orbilux.scr out=${2:-$build/artefacts/config-dialog.png}
shot=$out.tmp.png previous=
[ -f "$app" ] || { echo "dialog-screenshot: no $app (run scripts/build.sh first)" >&2; exit 1; }
source "$root/scripts/test-env.sh"
unset ORBILUX_XVFB_PID DISPLAY
orbilux_make_template && orbilux_start_display || exit 1
export WINEPREFIX=$ORBILUX_WINE_DIR/screenshot
orbilux_new_prefix "$WINEPREFIX"
orbilux_start_wineserver
trap 'orbilux_env_stop; rm -rf "$WINEPREFIX"' EXIT
mkdir -p "$(dirname "$out")" && rm -f "$out"
wine "$app" &
pid=$!
fail() { echo "dialog-screenshot: $*" >&2; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }
window=$(timeout 60 xdotool search --sync --onlyvisible --name 'Orbilux Setup - Version 1.9' | head -n 1)
[ -n "$window" ] || fail "the dialog did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y, WIDTH, HEIGHT
# Painting is done once two pictures in a row agree and show more than a plain face.
for _ in $(seq 1 100); do
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot" 2>/dev/null || fail "import failed"
  sum=$(md5sum <"$shot")
  [ "$(convert "$shot" -format %k info:)" -ge 4 ] && [ "$sum" = "$previous" ] && break
  previous=$sum && sleep 0.1
done
[ "$sum" = "$previous" ] && import -window root "$out" && rm -f "$shot" || fail "no settled picture"
xdotool key Escape
for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Escape did not close the dialog"
wait "$pid" || { echo "dialog-screenshot: Escape gave exit code $?, not 0" >&2; exit 1; }
echo "dialog-screenshot: $out"
