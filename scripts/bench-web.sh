#!/usr/bin/env bash
# Measures the browser page beside a floor page that only draws one pixel
# per tick at the same rate on a canvas of the same size, one after the
# other, each in a headless Chromium of its own.
#
#   scripts/bench-web.sh [SECONDS] [WIDTH] [HEIGHT] [ROUNDS] [LOADS]   (default 20, 1920 x 1080, 2, 20)
#
# Each page runs ROUNDS times, alternating; the lowest CPU figure counts, as
# other work on the machine only ever adds to it.
#
# Prints, for each: CPU of all the browser's processes (per cent of one core,
# from every thread's run time in /proc/PID/task/*/schedstat) and its timer
# ticks per second; the page's first pixel (its first tick's point on the
# canvas) and the frame that shows it, after its load event, in LOADS loads
# with the cache off, and how many came within 100 ms (a negative time:
# before the load event); the machine's load
# average, since a busy machine delays everything; and the page's files
# (wasm, JavaScript, HTML, CSS) gzip-compressed.
# Targets: the page at most 1.3 x the floor's CPU; files at most 100 KB
# compressed; the first pixel within 100 ms of the load event in every load.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-20} width=${2:-1920} height=${3:-1080} rounds=${4:-2} loads=${5:-20}
for n in "$seconds" "$width" "$height" "$rounds" "$loads"; do
  case $n in ''|*[!0-9]*|0) echo "bench-web: SECONDS, WIDTH, HEIGHT, ROUNDS and LOADS must be positive whole numbers" >&2; exit 2 ;; esac
done
ORBILUX_SKIP_SETUP=1 bash "$root/scripts/build.sh" web >/dev/null
page=$root/build/web/web/page

bytes=0
for file in "$page"/*.wasm "$page"/*.js "$page"/*.html "$page"/*.css; do
  bytes=$((bytes + $(gzip -9c "$file" | wc -c)))
done
echo "page files: $((bytes / 1024)) KB gzip-compressed (target at most 100 KB)"

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
node "$root/bench/web/bench.mjs" "$page" "$seconds" "$width" "$height" "$rounds" "$loads" | python3 -c '
import json, sys
r = json.loads(sys.stdin.read().strip().splitlines()[-1])
page, floor = r["orbilux"], r["floor"]
if "rate" not in page or "rate" not in floor:
    print("CPU: no figure: a page never ticked at 40 ticks/s or more (a throttled or busy machine)")
else:
    print("CPU: page %.1f %% at %.1f ticks/s, floor %.1f %% at %.1f ticks/s: %.2f x the floor (target at most 1.3)" %
          (page["cpu"], page["rate"], floor["cpu"], floor["rate"], page["cpu"] / floor["cpu"]))
for key, what in (("firstPixel", "first pixel on the canvas"), ("firstFrame", "the frame that shows it")):
    times = sorted(r[key])
    print("%s after the load event: %d of %d loads within 100 ms; median %.0f ms, worst %.0f ms" %
          (what, sum(1 for t in times if t <= 100), len(times), times[len(times) // 2], times[-1]))
'
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
