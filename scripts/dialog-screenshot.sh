#!/usr/bin/env bash
# Takes a picture of the settings dialog on the test display as a test
# artefact, then closes it with Escape and expects exit code 0.
#   screenshot.sh DIALOG_APP.exe OUTPUT.png   (needs DISPLAY and WINEPREFIX)
set -u
app=$1 out=$2 shot=$2.tmp.png previous=
mkdir -p "$(dirname "$out")" && rm -f "$out"
wine reg delete 'HKCU\Software\Plorvex' /f >/dev/null 2>&1  # the defaults, for the same picture each time
wine "$app" &
pid=$!
fail() { echo "screenshot: $*" >&2; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }
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
wait "$pid" || { echo "screenshot: Escape gave exit code $?, not 0" >&2; exit 1; }
echo "screenshot: $out"
