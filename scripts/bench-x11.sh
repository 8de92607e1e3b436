#!/usr/bin/env bash
# Measures the X11 saver beside the XScreenSaver hacks that draw similar
# figures, each on the root window of an Xvfb display of the script's own at
# 1024 x 768, one after another, ticking every 20 ms.
#
#   scripts/bench-x11.sh [BUILD_DIR] [SECONDS]
#
# BUILD_DIR is a native build (default build/native); SECONDS the length of
# each run (default 20). For each case:
#   CPU %      the program's CPU time over the run, per cent of one core
#              (from /proc/PID/stat), and the X server's over the same time;
#   peak RSS   the program's VmHWM;
#   ticks/s    timed sleeps per second in a second, shorter run under strace
#              (one per frame for the hacks, one per tick or pause for orbilux).
# Target: orbilux at its defaults below the lightest hack in CPU and peak RSS.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/native}" && pwd) || exit 2
seconds=${2:-20}
case $seconds in ''|*[!0-9]*|0) echo "bench-x11: SECONDS must be a positive whole number" >&2; exit 2 ;; esac
hacks=/usr/libexec/xscreensaver
cmake --build "$build" --target orbilux >/dev/null || exit 1
saver=$build/x11/orbilux
for f in "$saver" "$hacks/helix" "$hacks/epicycle" "$hacks/xspirograph"; do
  [ -x "$f" ] || { echo "bench-x11: missing $f (scripts/setup.sh installs the hacks)" >&2; exit 1; }
done

fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r -t 20 d <"$fifo"; rm -f "$fifo"
[ -n "${d:-}" ] || { echo "bench-x11: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$d
unset XSCREENSAVER_WINDOW
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
clk=$(getconf CLK_TCK)

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }

# One case: NAME COMMAND...
measure() {
  local name=$1; shift
  local x0 x1 p0 p1 hwm pid sleeps strace_seconds
  x0=$(cpu_ticks $xvfb)
  "$@" >/dev/null 2>&1 &
  pid=$!
  sleep "$seconds"
  p1=$(cpu_ticks $pid)
  x1=$(cpu_ticks $xvfb)
  hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
  kill -TERM $pid; wait $pid 2>/dev/null

  strace_seconds=$(( seconds < 10 ? seconds : 10 ))
  timeout -s TERM "$strace_seconds" strace -f -qq -o "$work/trace" \
    -e trace=poll,ppoll,select,pselect6,nanosleep,clock_nanosleep "$@" >/dev/null 2>&1
  sleeps=$(grep -cE 'pselect6\(0,|nanosleep\(|poll\(\[.*\], 2, [0-9]+\) = 0 \(Timeout\)' "$work/trace")

  awk -v n="$name" -v p="$p1" -v x="$((x1 - x0))" -v c="$clk" -v s="$seconds" -v h="$hwm" \
      -v z="$sleeps" -v t="$strace_seconds" 'BEGIN {
    printf "%-28s %8.2f %9.2f %10.1f %9.1f\n", n, 100 * p / c / s, 100 * x / c / s, h / 1024, z / t }'
}

printf "%-28s %8s %9s %10s %9s\n" "case (${seconds} s, -root)" "CPU %" "X CPU %" "RSS MiB" "ticks/s"
measure "orbilux (defaults)" "$saver" -root
measure "orbilux 8 % circles" "$saver" -root -object-size 8 -shape circle -images-per-sec 50
measure "orbilux joined lines" "$saver" -root -object-size 0 -join-dots -images-per-sec 50
measure "helix" "$hacks/helix" --root --subdelay 20000
measure "epicycle" "$hacks/epicycle" --root --delay 20000
measure "xspirograph" "$hacks/xspirograph" --root --subdelay 20000
