#!/usr/bin/env bash
# Measures orbilux-wayland beside the floor client (bench/wayland: a black
# picture in the fewest buffers the compositor allows, one point drawn every
# 20 ms with just that point damaged), each on one output of a fresh headless
# sway (pixman renderer) of the script's own, one after the other, at each
# size.
#
#   scripts/bench-wayland.sh [SECONDS] [WIDTHxHEIGHT]
#
# SECONDS is each run's length (default 20); WIDTHxHEIGHT the output (default:
# both 1024x768 and 3840x2160). The build is build/native (ORBILUX_BUILD
# overrides). For each run, from the moment the client's picture covers the
# output:
#   CPU %    the client's and sway's CPU time over the run (all threads, from
#            /proc/PID/task/*/schedstat), per cent of one core, and their sum;
#   PSS MiB  the client's proportional set size, sway's growth over its own
#            before the client started, sampled together every 0.5 s; the
#            highest sum (PSS, not RSS: the shared buffers count once).
# Target: orbilux at its defaults at most 1.25 x the floor in CPU (sum) and
# in memory (sum), at each size. Exits 1 when it misses it. Runs as root
# (sway then runs as a user it makes) or as an ordinary user.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ORBILUX_BUILD:-$root/build/native}
seconds=${1:-20}
case $seconds in '' | *[!0-9]* | 0) echo "bench-wayland: SECONDS must be a positive whole number" >&2; exit 2 ;; esac
sizes=(1024x768 3840x2160)
if [ $# -ge 2 ]; then
  [[ $2 =~ ^[1-9][0-9]{0,4}x[1-9][0-9]{0,4}$ ]] || { echo "bench-wayland: size must be WIDTHxHEIGHT, e.g. 3840x2160" >&2; exit 2; }
  sizes=("$2")
fi
cmake --build "$build" --target orbilux-wayland orbilux-wayland-floor >/dev/null || exit 1
saver=$build/wayland/orbilux-wayland floor=$build/bench/wayland/orbilux-wayland-floor
source "$root/tests/wayland/sway-session.sh"
skip() { echo "bench-wayland: $*" >&2; exit 1; }

cpu_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d\n", t / 1000 }'; }
pss_kb() { awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0; }
# The client's picture is up: the output's first row is black, not sway's grey.
covered() {
  local width=${size%x*}
  [ "$(grim -t ppm -o HEADLESS-1 - 2>/dev/null | tail -c $((${size#*x} * width * 3)) | head -c $((width * 3)) |
       tr -d '\0' | wc -c)" = 0 ]
}

# measure NAME COMMAND...: one run; prints a row and sets cpu and mem.
measure() {
  local name=$1 sway s0 c0 c1 s1 pid base peak sum
  shift
  sway_start
  swaymsg output HEADLESS-1 mode "$size" scale 1 >/dev/null
  sway=$(pgrep -x sway -P "$sway_pid" 2>/dev/null || echo "$sway_pid")
  [ "$(cat "/proc/$sway/comm" 2>/dev/null)" = sway ] || sway=$(pgrep -n -x sway)
  within 10 covered_grey || true
  base=$(pss_kb "$sway")
  "$@" >/dev/null 2>&1 &
  pid=$!; started "$pid"
  within 30 covered || skip "$name: its picture did not show at $size"
  c0=$(cpu_us "$pid") s0=$(cpu_us "$sway") peak=0
  for _ in $(seq $((seconds * 2))); do
    sleep 0.5
    sum=$(($(pss_kb "$pid") + $(pss_kb "$sway") - base))
    [ "$sum" -gt "$peak" ] && peak=$sum
  done
  c1=$(cpu_us "$pid") s1=$(cpu_us "$sway")
  local client_pss sway_growth
  client_pss=$(pss_kb "$pid") sway_growth=$(($(pss_kb "$sway") - base))
  kill -TERM "$pid"; wait "$pid"
  sway_stop
  cpu=$(awk -v a=$((c1 - c0)) -v b=$((s1 - s0)) -v s="$seconds" 'BEGIN { printf "%.3f", (a + b) / 1e4 / s }')
  mem=$peak
  awk -v n="$name" -v a=$((c1 - c0)) -v b=$((s1 - s0)) -v s="$seconds" -v p="$client_pss" -v g="$sway_growth" \
      -v m="$peak" 'BEGIN { printf "%-22s %7.3f %7.3f %7.3f %8.2f %8.2f %8.2f\n", n, a / 1e4 / s, b / 1e4 / s,
      (a + b) / 1e4 / s, p / 1024, g / 1024, m / 1024 }'
}
# sway's own picture (grey) is up before the base is taken.
covered_grey() { grim -t ppm -o HEADLESS-1 - >/dev/null 2>&1; }

status=0
for size in "${sizes[@]}"; do
  printf "%-22s %7s %7s %7s %8s %8s %8s\n" "$size, $seconds s" "CPU %" "sway" "sum %" "PSS MiB" "sway +" "sum MiB"
  measure "orbilux-wayland" "$saver"; saver_cpu=$cpu saver_mem=$mem
  measure "floor" "$floor"; floor_cpu=$cpu floor_mem=$mem
  verdict=$(awk -v a="$saver_cpu" -v b="$floor_cpu" -v c="$saver_mem" -v d="$floor_mem" 'BEGIN {
    r1 = b > 0 ? a / b : 99; r2 = d > 0 ? c / d : 99
    printf "%s: CPU %.2f x the floor, memory %.2f x the floor (target 1.25)", (r1 <= 1.25 && r2 <= 1.25) ? "met" : "MISSED", r1, r2
  }')
  echo "$verdict"
  case $verdict in MISSED*) status=1 ;; esac
done
exit $status
