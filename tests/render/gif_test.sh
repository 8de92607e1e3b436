#!/usr/bin/env bash
# orbilux-render --gif, read back with ImageMagick: frame count, size, endless
# loop, total length, and the last frame equal to --png of the same run.
# Usage: gif_test.sh RENDER
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
render=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# ticks, every, frames, settings: a frame per N ticks, one at each figure's
# closing pause (tick 359), and the last tick's unless that pause ends the run.
while read -r ticks every frames settings; do
  what="--ticks $ticks --gif-every $every $settings"
  # shellcheck disable=SC2086
  "$render" --seed 11 --width 160 --height 120 --ticks "$ticks" --gif-every "$every" $settings \
    --gif a.gif --png a.png --trace t.txt >/dev/null || { check "$what runs" false; continue; }
  length=$(( (ticks * $(sed -n 's/^timer on //p' t.txt | head -n 1) + $(grep -c '^sleep ' t.txt) * 1000) / 10 ))
  check "$what: $frames frames of 160 x 120" test "$(identify -format '%W %H\n' a.gif | sort | uniq -c | xargs)" \
    = "$frames 160 120"
  check "$what: loops without end" grep -qx ' *Iterations: 0' <(identify -verbose 'a.gif[0]')
  check "$what: lasts the run" test "$(identify -format '%T\n' a.gif | awk '{s += $1} END {print s}')" -eq "$length"
  convert a.gif -coalesce -delete 0--2 last.png
  check "$what: the last frame is the picture" test "$(compare -metric AE last.png a.png null: 2>&1)" = 0
done <<'ROWS'
370 1 371 --setting=RadiusFactor=0
360 7 52 --setting=RadiusFactor=0 --setting=JoinTheDots=1
365 10 38 --setting=ObjectShape=2
ROWS

"$render" --gif "$work/no/such/dir/a.gif"
check "an unwritable --gif fails with status 1" test $? -eq 1

summary
