#!/usr/bin/env bash
# orbilux-render --gif, read back with ImageMagick: frame count, size, endless
# loop, total length, and the last frame equal to --png of the same run.
# Usage: gif_test.sh RENDER
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
render=$1
source "$(dirname "${BASH_SOURCE[0]}")/workdir.sh"
workdir render-gif
cd "$work" || exit 1

# ticks, every, frames, settings: a frame per N ticks, one at each figure's
# closing pause (tick 359), and the last tick's unless that pause ends the run.
while read -r ticks every frames settings; do
  what="--ticks $ticks --gif-every $every $settings"
  # shellcheck disable=SC2086
  "$render" --seed 11 --width 160 --height 120 --ticks "$ticks" --gif-every "$every" $settings \
    --gif a.gif --png a.png --trace t.txt >/dev/null || { check "$what runs" false; continue; }
  length=$(( (ticks * $(sed -n 's/^timer on //p' t.txt | head -n 1) + $(grep -c '^sleep ' t.txt) * 1000) / 10 ))
  [ "$length" = 0 ] && length=1  # a frame lasts a hundredth at least
  check "$what: $frames frames of 160 x 120" test "$(identify -format '%W %H\n' a.gif | sort | uniq -c | xargs)" \
    = "$frames 160 120"
  check "$what: loops without end" grep -qx ' *Iterations: 0' <(identify -verbose 'a.gif[0]')
  check "$what: lasts the run" test "$(identify -format '%T\n' a.gif | awk '{s += $1} END {print s}')" -eq "$length"
  convert a.gif -coalesce -delete 0--2 last.png
  check "$what: the last frame is the picture" test "$(compare -metric AE last.png a.png null: 2>&1)" = 0
  # shellcheck disable=SC2086
  "$render" --seed 11 --width 160 --height 120 --ticks "$ticks" $settings --png alone.png >/dev/null
  check "$what: the picture drawn for the GIF is the one drawn alone" cmp -s a.png alone.png
done <<'ROWS'
370 1 371 --setting=RadiusFactor=0
360 7 52 --setting=RadiusFactor=0 --setting=JoinTheDots=1
365 10 38 --setting=ObjectShape=2
0 1 1
725 254 5 --setting=ObjectShape=0x1FE --setting=ZoomOption=0x3FE --setting=ObjectRotation=14
ROWS

# Each frame covers exactly the box of the pixels that changed since the one
# before (one transparent pixel when none did), across a figure's erase.
"$render" --seed 12 --width 160 --height 120 --ticks 380 --gif-every 20 --setting=ObjectShape=0x1FE \
  --setting=ObjectRotation=14 --gif a.gif >/dev/null
identify -format '%wx%h%X%Y\n' a.gif >frames.txt
convert a.gif -coalesce f%03d.png
check "the first frame is the whole picture: $(head -n 1 frames.txt)" test "$(head -n 1 frames.txt)" = 160x120+0+0
i=1
for frame in $(tail -n +2 frames.txt); do
  box=$(convert "$(printf f%03d.png $((i - 1)))" "$(printf f%03d.png $i)" -compose difference -composite \
    -format '%@' info: 2>/dev/null)
  [ "$box" = 0x0+160+120 ] && box=1x1+0+0
  check "frame $i covers $frame, the change $box" test "$frame" = "$box"
  i=$((i + 1))
done
check "frames taken: $i" test "$i" -eq 20

"$render" --gif "$work/no/such/dir/a.gif" 2>/dev/null
check "an unwritable --gif fails with status 1" test $? -eq 1

summary
