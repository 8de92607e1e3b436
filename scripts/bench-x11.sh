#!/usr/bin/env bash
# Measures the X11 saver beside the XScreenSaver hacks that draw similar
# figures, each on the root window of an Xvfb display of the script's own at
# 1024 x 768, one after another, ticking every 20 ms.
#
#   scripts/bench-x11.sh [BUILD_DIR] [SECONDS] [ROUNDS]
#
# BUILD_DIR is a native build (default build/native); SECONDS the length of
# each run (default 20); ROUNDS (default 2) how often each run is repeated,
# keeping the lowest CPU figures, as other work on the machine only ever adds
# to them. For each case:
#   CPU %      the program's CPU time over the run, per cent of one core
#              (all its threads' run time from /proc/PID/task/*/schedstat,
#              in nanoseconds: /proc/PID/stat counts 10 ms ticks, too coarse
#              for programs this light), and the X server's over the same time;
#   peak RSS   the program's VmHWM;
#   ticks/s    timed sleeps per second in a second, shorter run under strace
#              (one per frame for the hacks, one per tick or pause for orbilux).
# Target: orbilux at its defaults below the lightest hack in CPU and peak RSS.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/native}" && pwd) || exit 2
seconds=${2:-20}
rounds=${3:-2}
for n in "$seconds" "$rounds"; do
  case $n in ''|*[!0-9]*|0) echo "bench-x11: SECONDS and ROUNDS must be positive whole numbers" >&2; exit 2 ;; esac
done
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
# CPU time in microseconds so far, all threads.
cpu_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d\n", t / 1000 }'; }

# One case: NAME COMMAND...
measure() {
  local name=$1; shift
  local x0 x1 p1 hwm=0 h pid sleeps strace_seconds round best_p=-1 best_x=-1
  for round in $(seq "$rounds"); do
    x0=$(cpu_us $xvfb)
    "$@" >/dev/null 2>&1 &
    pid=$!
    sleep "$seconds"
    p1=$(cpu_us $pid)
    x1=$(cpu_us $xvfb)
    h=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
    kill -TERM $pid; wait $pid 2>/dev/null
    [ "$best_p" -lt 0 ] || [ "$p1" -lt "$best_p" ] && best_p=$p1
    [ "$best_x" -lt 0 ] || [ $((x1 - x0)) -lt "$best_x" ] && best_x=$((x1 - x0))
    [ "$h" -gt "$hwm" ] && hwm=$h
  done

  strace_seconds=$(( seconds < 10 ? seconds : 10 ))
  timeout -s TERM "$strace_seconds" strace -f -qq -o "$work/trace" \
    -e trace=poll,ppoll,select,pselect6,nanosleep,clock_nanosleep "$@" >/dev/null 2>&1
  sleeps=$(grep -cE 'pselect6\(0,|nanosleep\(|poll\(\[.*\], 2, [0-9]+\) = 0 \(Timeout\)' "$work/trace")

  awk -v n="$name" -v p="$best_p" -v x="$best_x" -v s="$seconds" -v h="$hwm" \
      -v z="$sleeps" -v t="$strace_seconds" 'BEGIN {
    printf "%-28s %8.3f %9.3f %10.1f %9.1f\n", n, p / 1e4 / s, x / 1e4 / s, h / 1024, z / t }'
}

printf "%-28s %8s %9s %10s %9s\n" "case (${seconds} s x $rounds, -root)" "CPU %" "X CPU %" "RSS MiB" "ticks/s"
measure "orbilux (defaults)" "$saver" -root
measure "orbilux 8 % circles" "$saver" -root -object-size 8 -shape circle -images-per-sec 50
measure "orbilux joined lines" "$saver" -root -object-size 0 -join-dots -images-per-sec 50
measure "helix" "$hacks/helix" --root --subdelay 20000
measure "epicycle" "$hacks/epicycle" --root --delay 20000
measure "xspirograph" "$hacks/xspirograph" --root --subdelay 20000
