#!/usr/bin/env bash
# Takes a picture of the settings dialog on the test display and keeps it as a
# test artefact, then closes the dialog with Escape and expects exit code 0.
#   screenshot.sh DIALOG_APP.exe OUTPUT.png
# Needs DISPLAY and WINEPREFIX (scripts/test-env.sh).
set -u
app=$1 out=$2
caption='Orbilux Setup - Version 1.9'
mkdir -p "$(dirname "$out")"
rm -f "$out"

# The defaults, so the picture always shows the same settings.
wine reg delete 'HKCU\software\plorvex' /f >/dev/null 2>&1

wine "$app" &
pid=$!
fail() { echo "screenshot: $*" >&2; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }

window=$(timeout 60 xdotool search --sync --onlyvisible --name "$caption" | head -n 1)
[ -n "$window" ] || fail "the dialog did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"   # X, Y, WIDTH, HEIGHT

# Shoot until two pictures in a row agree and the dialog shows more than a
# plain face: it has then finished painting.
shot=$out.tmp.png previous=
for _ in $(seq 1 100); do
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot" 2>/dev/null || fail "import failed"
  colours=$(convert "$shot" -format %k info:)
  sum=$(md5sum <"$shot")
  if [ "$colours" -ge 4 ] && [ "$sum" = "$previous" ]; then break; fi
  previous=$sum
  sleep 0.1
done
[ "$sum" = "$previous" ] || fail "the dialog never settled"
import -window root "$out" || fail "import failed"
rm -f "$shot"

xdotool key Escape
for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Escape did not close the dialog"
wait "$pid"; status=$?
[ "$status" -eq 0 ] || { echo "screenshot: Escape gave exit code $status, not 0" >&2; exit 1; }
echo "screenshot: $out (${WIDTH}x${HEIGHT} dialog at $X,$Y, $colours colours)"
