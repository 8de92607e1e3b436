#!/usr/bin/env bash
# Renders the gallery into docs/gallery/: one animated GIF per way of drawing
# (pixels, joined lines, each shape, each rotation, each zoom level) and an
# index page. Each file stays under 200 KB.
# Usage: scripts/gallery.sh   (builds build/native's orbilux-render if needed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
render=build/native/render/orbilux-render
if [ ! -f build/native/build.ninja ]; then
  cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build build/native --target orbilux-render >/dev/null
out=docs/gallery
mkdir -p "$out"
rm -f "$out"/*.gif

# name | title | seed | settings. One figure each (360 ticks), a frame per
# two ticks; no rotation or zoom unless the row is about them.
rows=(
  "pixels|Pixels|3|RadiusFactor=0"
  "joined-lines|Joined lines|5|RadiusFactor=0 JoinTheDots=1"
  "circle|Circles|7|ObjectShape=2"
  "square|Squares|8|ObjectShape=4"
  "triangle|Triangles|9|ObjectShape=8"
  "four-point-star|Four-point stars|10|ObjectShape=16"
  "diamond|Diamonds|11|ObjectShape=32"
  "pyramid|Pyramids|12|ObjectShape=64"
  "six-point-star|Six-point stars|13|ObjectShape=128"
  "eight-point-star|Eight-point stars|14|ObjectShape=256"
  "no-rotation|Squares, not turning|15|ObjectShape=4 ObjectRotation=2"
  "clockwise|Squares turning clockwise|15|ObjectShape=4 ObjectRotation=4"
  "anticlockwise|Squares turning anticlockwise|15|ObjectShape=4 ObjectRotation=8"
  "zoom-low|Triangles, low zoom|16|ObjectShape=8 ZoomOption=290"
  "zoom-medium|Triangles, medium zoom|16|ObjectShape=8 ZoomOption=292"
  "zoom-high|Triangles, high zoom|16|ObjectShape=8 ZoomOption=296"
  "zoom-very-high|Triangles, very high zoom|16|ObjectShape=8 ZoomOption=304"
)

index=$out/index.md
{
  echo "# Orbilux gallery"
  echo
  echo "Each picture is one figure as the saver draws it at 50 images a second,"
  echo "rendered by \`scripts/gallery.sh\` with \`orbilux-render --gif\` (320 × 240)."
  echo "The same figures run live in a browser in [live.html](live.html), which"
  echo "\`scripts/web.sh\` serves at \`/gallery/\`."
  echo
  echo "| | | |"
  echo "|---|---|---|"
} >"$index"
line="|"
cells=0
for row in "${rows[@]}"; do
  IFS='|' read -r name title seed settings <<<"$row"
  args=(--seed "$seed" --width 320 --height 240 --ticks 360 --gif-every 2 --gif "$out/$name.gif")
  # Only the rows about shapes turn or zoom.
  case $settings in *ObjectRotation*) ;; *) args+=(--setting ObjectRotation=2) ;; esac
  case $settings in *ZoomOption*) ;; *) args+=(--setting ZoomOption=0) ;; esac
  for s in $settings; do args+=(--setting "$s"); done
  "$render" "${args[@]}" >/dev/null
  size=$(stat -c %s "$out/$name.gif")
  if [ "$size" -ge 204800 ]; then
    echo "gallery: $name.gif is $size bytes, over 200 KB" >&2
    exit 1
  fi
  echo "gallery: $name.gif $size bytes"
  line="$line ![$title]($name.gif)<br>$title |"
  cells=$((cells + 1))
  if [ $((cells % 3)) -eq 0 ]; then echo "$line" >>"$index"; line="|"; fi
done
if [ "$line" != "|" ]; then
  while [ $((cells % 3)) -ne 0 ]; do line="$line |"; cells=$((cells + 1)); done
  echo "$line" >>"$index"
fi
