#!/usr/bin/env bash
# Measures orbilux-wayland beside the floor client (bench/wayland: a black
# picture in the fewest buffers the compositor allows, one point drawn every
# 20 ms with just that point damaged), side by side: both at once, each on
# the one output of a fresh headless sway (pixman renderer) of its own.
#
#   scripts/bench-wayland.sh [SECONDS] [WIDTHxHEIGHT]
#
# SECONDS is the time measured (default 20); WIDTHxHEIGHT the output
# (default: both 1024x768 and 3840x2160). The build is build/native
# (ORBILUX_BUILD overrides).
#
# Each sway and its client share one CPU, the other pair the other CPU, and
# halfway through they change places: on a virtual machine a wake-up across
# CPUs costs more than the work itself, and the two CPUs are not alike.
# Measured from the moment both pictures cover their outputs:
#   CPU %    the client's and sway's CPU time (all threads, from
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

cpu_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d\n", t / 1000 }'; }
pss_kb() { awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0; }

# --pair SIZE SECONDS DIR NAME COMMAND...: one client on a sway of its own, on
# the CPUs it was given. Writes DIR/NAME.ready once its picture shows, starts
# measuring at DIR/go, and writes its figures (microseconds, KiB) to DIR/NAME.
pair() {
  local size=$1 seconds=$2 dir=$3 name=$4 sway pid base c0 s0 c1 s1 peak sum
  shift 4
  source "$root/tests/wayland/sway-session.sh"
  skip() { echo "$name: $*" >"$dir/$name.failed"; exit 1; }
  # The client's picture is up: the output's first row is black, not sway's grey.
  covered() {
    local width=${size%x*}
    [ "$(grim -t ppm -o HEADLESS-1 - 2>/dev/null | tail -c $((${size#*x} * width * 3)) | head -c $((width * 3)) |
         tr -d '\0' | wc -c)" = 0 ]
  }
  sway_start
  swaymsg output HEADLESS-1 mode "$size" scale 1 >/dev/null
  # shellcheck disable=SC2154 # sway_start sets it
  sway=$(pgrep -x sway -P "$sway_pid" 2>/dev/null || echo "$sway_pid")
  [ "$(cat "/proc/$sway/comm" 2>/dev/null)" = sway ] || sway=$(pgrep -n -x sway)
  within 10 grim -t ppm -o HEADLESS-1 - >/dev/null 2>&1 || true
  base=$(pss_kb "$sway")
  "$@" >/dev/null 2>&1 &
  pid=$!; started "$pid"
  within 30 covered || skip "its picture did not show at $size"
  touch "$dir/$name.ready"
  while [ ! -e "$dir/go" ]; do sleep 0.05; done
  c0=$(cpu_us "$pid") s0=$(cpu_us "$sway") peak=0
  for _ in $(seq $((seconds * 2))); do
    sleep 0.5
    sum=$(($(pss_kb "$pid") + $(pss_kb "$sway") - base))
    [ "$sum" -gt "$peak" ] && peak=$sum
  done
  c1=$(cpu_us "$pid") s1=$(cpu_us "$sway")
  echo "$((c1 - c0)) $((s1 - s0)) $(pss_kb "$pid") $(($(pss_kb "$sway") - base)) $peak" >"$dir/$name"
  kill -TERM "$pid"; wait "$pid"
}
if [ "${1:-}" = --pair ]; then
  shift
  pair "$@"
  exit 0
fi

seconds=${1:-20}
case $seconds in '' | *[!0-9]* | 0 | 1) echo "bench-wayland: SECONDS must be a whole number from 2" >&2; exit 2 ;; esac
sizes=(1024x768 3840x2160)
if [ $# -ge 2 ]; then
  [[ $2 =~ ^[1-9][0-9]{0,4}x[1-9][0-9]{0,4}$ ]] || { echo "bench-wayland: size must be WIDTHxHEIGHT, e.g. 3840x2160" >&2; exit 2; }
  sizes=("$2")
fi
for p in sway swaymsg grim taskset; do
  command -v "$p" >/dev/null || { echo "bench-wayland: no $p here (scripts/setup.sh installs it)" >&2; exit 1; }
done
cmake --build "$build" --target orbilux-wayland orbilux-wayland-floor >/dev/null || exit 1
saver=$build/wayland/orbilux-wayland floor=$build/bench/wayland/orbilux-wayland-floor
# The CPUs this may use ("0-3" or "0,2"): the first and the last.
read -ra cpus < <(taskset -c -p $$ | sed 's/.*: //' | tr ',' ' ')
first=${cpus[0]%%-*} second=${cpus[-1]##*-}
dir=$(mktemp -d /tmp/bench-wayland.XXXX)
trap 'rm -rf "$dir"' EXIT

# round SIZE SECONDS CPU_SAVER CPU_FLOOR: both at once; their figures in
# $dir/saver and $dir/floor.
round() {
  rm -f "$dir"/saver* "$dir"/floor* "$dir"/go
  taskset -c "$3" bash "$0" --pair "$1" "$2" "$dir" saver "$saver" & local a=$!
  taskset -c "$4" bash "$0" --pair "$1" "$2" "$dir" floor "$floor" & local b=$!
  while [ ! -e "$dir/saver.ready" ] || [ ! -e "$dir/floor.ready" ]; do
    if ls "$dir"/*.failed >/dev/null 2>&1 || ! kill -0 "$a" "$b" 2>/dev/null; then
      sleep 0.5; cat "$dir"/*.failed >&2 2>/dev/null; kill "$a" "$b" 2>/dev/null; wait
      echo "bench-wayland: a client did not start at $1" >&2; exit 1
    fi
    sleep 0.05
  done
  touch "$dir/go"
  wait "$a" "$b"
  [ -s "$dir/saver" ] && [ -s "$dir/floor" ] || { echo "bench-wayland: a run at $1 ended early" >&2; exit 1; }
}

status=0
for size in "${sizes[@]}"; do
  round "$size" $((seconds / 2)) "$first" "$second"; cp "$dir/saver" "$dir/first-saver"; cp "$dir/floor" "$dir/first-floor"
  round "$size" $((seconds - seconds / 2)) "$second" "$first"
  cat "$dir/first-saver" "$dir/saver" >"$dir/all-saver"; cat "$dir/first-floor" "$dir/floor" >"$dir/all-floor"
  printf "%-22s %7s %7s %7s %8s %8s %8s\n" "$size, $seconds s" "CPU %" "sway" "sum %" "PSS MiB" "sway +" "sum MiB"
  # Per client: CPU over both rounds, memory the larger round's.
  row() {
    awk -v n="$1" -v s="$seconds" '{ a += $1; b += $2; if ($5 > m) { m = $5; p = $3; g = $4 } }
      END { printf "%-22s %7.3f %7.3f %7.3f %8.2f %8.2f %8.2f\n", n, a / 1e4 / s, b / 1e4 / s, (a + b) / 1e4 / s,
            p / 1024, g / 1024, m / 1024 }' "$2"
  }
  row orbilux-wayland "$dir/all-saver"
  row floor "$dir/all-floor"
  verdict=$(cat "$dir/all-saver" "$dir/all-floor" | awk -v n="$(wc -l <"$dir/all-saver")" '
    NR <= n { a += $1 + $2; if ($5 > c) c = $5; next } { b += $1 + $2; if ($5 > d) d = $5 }
    END { r1 = b > 0 ? a / b : 99; r2 = d > 0 ? c / d : 99
          printf "%s: CPU %.2f x the floor, memory %.2f x the floor (target 1.25)", (r1 <= 1.25 && r2 <= 1.25) ? "met" : "MISSED", r1, r2 }')
  echo "$verdict"
  case $verdict in MISSED*) status=1 ;; esac
done
exit $status
