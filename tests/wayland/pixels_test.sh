#!/usr/bin/env bash
# orbilux-wayland on a headless sway shows orbilux-render's pixels: on one
# output, for several seeds, sizes (an odd one too) and settings, grim's
# picture after N ticks equals the renderer's for the same seed, size and
# ticks; at output scale 2 it equals the renderer at the physical size; an
# output made while it runs gets its own figure, from the next seed.
# Usage: pixels_test.sh BUILD_DIR   (exit 77: no sway here)
set -u
build=$1 saver=$1/wayland/orbilux-wayland render=$1/render/orbilux-render
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
source "$(dirname "${BASH_SOURCE[0]}")/sway-session.sh"
command -v convert >/dev/null || skip "no convert here (scripts/setup.sh installs imagemagick)"
sway_start
mkdir -p "$RT/test/cfg"
export XDG_CONFIG_HOME=$RT/test/cfg

# expected FILE SEED WxH TICKS SETTING...: the renderer's RGB bytes.
expected() {
  local file=$1 seed=$2 size=$3 ticks=$4 args=() s
  shift 4
  for s in "$@"; do args+=(--setting "$s"); done
  "$render" --seed "$seed" --width "${size%x*}" --height "${size#*x}" --ticks "$ticks" "${args[@]}" \
    --png "$file.png" >/dev/null && convert "$file.png" -depth 8 rgb:"$file"
}
# shows FILE [OUTPUT]: the output's picture is FILE's.
shows() { screen "$RT/test/shot" "${2:-HEADLESS-1}" "$(stat -c %s "$1")" && cmp -s "$RT/test/shot" "$1"; }
# stop PID: SIGTERM ends it with status 0.
stop() { kill -TERM "$1"; wait "$1"; }

while read -r seed size scale ticks settings; do
  what="seed $seed, $size at scale $scale, $ticks ticks, $settings"
  # shellcheck disable=SC2086
  expected "$RT/test/want" "$seed" "$size" "$ticks" ${settings//-/} || { fail "$what: no reference"; continue; }
  swaymsg output HEADLESS-1 mode "$size" scale "$scale" >/dev/null
  options=()
  for s in ${settings//-/}; do options+=("-${s%%=*}" "${s#*=}"); done
  "$saver" -seed "$seed" -max-ticks "$ticks" -ImagesPerSec 1000 "${options[@]}" 2>"$RT/test/err" &
  pid=$!; started "$pid"
  # Up to 30 s (the figure pauses a second after each closed figure).
  check "$what: the picture equals the renderer's" within 30 shows "$RT/test/want"
  stop "$pid"; status=$?
  check "$what: SIGTERM ends it with 0 (got $status, $(cat "$RT/test/err"))" test "$status" = 0 -a ! -s "$RT/test/err"
done <<'CASES'
1 1024x768 1 300 -
7 640x480 1 359 -
12345 641x479 1 420 -
3 800x600 1 400 RadiusFactor=0
99 800x600 1 250 RadiusFactor=0 JoinTheDots=1
5 700x500 1 250 ObjectShape=510 ObjectRotation=14
8 700x500 1 300 ZoomOption=0x3FE
4 800x600 2 200 -
CASES

# A second output while it runs: its figure starts from the next seed.
swaymsg output HEADLESS-1 mode 640x480 scale 1 >/dev/null
"$saver" -seed 20 -max-ticks 150 -ImagesPerSec 1000 2>"$RT/test/err" &
pid=$!; started "$pid"
expected "$RT/test/want" 20 640x480 150
check "first output: seed 20" within 30 shows "$RT/test/want"
swaymsg create_output >/dev/null
second() { swaymsg -t get_outputs | grep -q '"HEADLESS-2"'; }
check "a second output is made" waitfor 100 second
size=$(swaymsg -t get_outputs -r | python3 -c 'import json,sys
o=[o for o in json.load(sys.stdin) if o["name"]=="HEADLESS-2"][0]["current_mode"]
print("%dx%d" % (o["width"], o["height"]))')
expected "$RT/test/want2" 21 "$size" 150
check "second output ($size): seed 21" within 30 shows "$RT/test/want2" HEADLESS-2
check "first output unchanged" shows "$RT/test/want"
stop "$pid"; status=$?
check "SIGTERM with two outputs: status $status, $(cat "$RT/test/err")" test "$status" = 0 -a ! -s "$RT/test/err"
summary
