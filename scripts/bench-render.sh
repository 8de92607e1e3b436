#!/usr/bin/env bash
# Measures orbilux-render's GIF output beside its PNG output for the same
# run, alternating, ROUNDS times each, and keeps each one's lowest figures (other
# work on the machine only ever adds to them):
#   wall s   elapsed time;  cpu s   user plus system time;
#   peak MB  the largest resident set (GNU time's %M);  file KB  the output.
#
#   scripts/bench-render.sh [BUILD_DIR] [ROUNDS] [SIZE] [TICKS]
#
# BUILD_DIR a native build (default build/native), ROUNDS default 3, SIZE the
# square's side (default 4096), TICKS default 400. Target: the GIF run at
# most 1.5 times the PNG run's peak memory and 4 times its time (wall and
# cpu); the script fails when it misses.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/native} rounds=${2:-3} size=${3:-4096} ticks=${4:-400}
render=$build/render/orbilux-render
[ -x "$render" ] || { echo "bench-render: no $render (bash scripts/build.sh native)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "bench-render: GNU time is missing (apt-get install time)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

declare -A wall cpu peak bytes
for ((round = 0; round < rounds; round++)); do
  for kind in png gif; do
    /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$render" --seed 1 --width "$size" --height "$size" \
      --ticks "$ticks" "--$kind" "$work/out.$kind" >/dev/null || { echo "bench-render: the $kind run failed" >&2; exit 1; }
    read -r e u s m <"$work/time"
    c=$(awk -v u="$u" -v s="$s" 'BEGIN { printf "%.2f", u + s }')
    low() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
    wall[$kind]=$(low "${wall[$kind]:-}" "$e") cpu[$kind]=$(low "${cpu[$kind]:-}" "$c")
    peak[$kind]=$(low "${peak[$kind]:-}" "$m") bytes[$kind]=$(stat -c %s "$work/out.$kind")
  done
done

echo "orbilux-render --seed 1 --width $size --height $size --ticks $ticks, lowest of $rounds rounds"
printf '%-5s %8s %8s %8s %9s\n' output "wall s" "cpu s" "peak MB" "file KB"
for kind in png gif; do
  printf '%-5s %8s %8s %8.1f %9.1f\n' "$kind" "${wall[$kind]}" "${cpu[$kind]}" "$(awk -v m="${peak[$kind]}" \
    'BEGIN { print m / 1024 }')" "$(awk -v b="${bytes[$kind]}" 'BEGIN { print b / 1024 }')"
done
verdict=$(awk -v wp="${wall[png]}" -v wg="${wall[gif]}" -v cp="${cpu[png]}" -v cg="${cpu[gif]}" \
  -v mp="${peak[png]}" -v mg="${peak[gif]}" 'BEGIN {
    printf "gif/png: wall %.2fx, cpu %.2fx, peak memory %.2fx (targets 4x, 4x, 1.5x)\n", wg / wp, cg / cp, mg / mp
    exit !(wg <= 4 * wp && cg <= 4 * cp && mg <= 1.5 * mp) }')
status=$?
echo "$verdict"
[ $status = 0 ] && echo "met" || echo "missed"
exit $status
