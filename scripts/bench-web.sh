#!/usr/bin/env bash
# Measures the browser page beside a floor page that only draws one pixel
# per tick at the same rate on a canvas of the same size, one after the
# other, each in a headless Chromium of its own.
#
#   scripts/bench-web.sh [SECONDS] [WIDTH] [HEIGHT] [ROUNDS]   (default 20, 1920 x 1080, 2)
#
# Each page runs ROUNDS times, alternating; the lowest CPU figure counts, as
# other work on the machine only ever adds to it.
#
# Prints, for each: CPU of all the browser's processes (per cent of one core,
# from every thread's run time in /proc/PID/task/*/schedstat) and its timer
# ticks per second; for the page
# also the time from its load event to its first pixel; and the page's
# files (wasm, JavaScript, HTML, CSS) gzip-compressed.
# Targets: the page at most 1.3 x the floor's CPU; files at most 100 KB
# compressed; the first pixel within 100 ms of the load event.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-20} width=${2:-1920} height=${3:-1080} rounds=${4:-2}
for n in "$seconds" "$width" "$height" "$rounds"; do
  case $n in ''|*[!0-9]*|0) echo "bench-web: SECONDS, WIDTH, HEIGHT and ROUNDS must be positive whole numbers" >&2; exit 2 ;; esac
done
ORBILUX_SKIP_SETUP=1 bash "$root/scripts/build.sh" web >/dev/null
page=$root/build/web/web/page

bytes=0
for file in "$page"/*.wasm "$page"/*.js "$page"/*.html "$page"/*.css; do
  bytes=$((bytes + $(gzip -9c "$file" | wc -c)))
done
echo "page files: $((bytes / 1024)) KB gzip-compressed (target at most 100 KB)"

node "$root/bench/web/bench.mjs" "$page" "$seconds" "$width" "$height" "$rounds" | python3 -c '
import json, sys
r = json.loads(sys.stdin.read().strip().splitlines()[-1])
page, floor = r["orbilux"], r["floor"]
if "rate" not in page or "rate" not in floor:
    sys.exit("bench-web: a page never ticked at its rate (throttled?)")
print("CPU: page %.1f %% at %.1f ticks/s, floor %.1f %% at %.1f ticks/s: %.2f x the floor (target at most 1.3)" %
      (page["cpu"], page["rate"], floor["cpu"], floor["rate"], page["cpu"] / floor["cpu"]))
first = page.get("firstPixel")
print("first pixel: %s after the load event (target within 100 ms)" %
      ("none" if first is None else "%.0f ms" % first))
'
