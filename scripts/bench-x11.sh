#!/usr/bin/env bash
# Measures the X11 saver beside the XScreenSaver hacks that draw similar
# figures, each on the root window of a fresh Xvfb display of the script's
# own (so that no run inherits another's server memory), one after another,
# ticking every 20 ms.
#
#   scripts/bench-x11.sh [BUILD_DIR] [SECONDS] [ROUNDS] [WIDTHxHEIGHT]
#
# BUILD_DIR is a native build (default build/native); SECONDS the length of
# each run (default 20); ROUNDS (default 2) how often each run is repeated,
# keeping the lowest figures, as other work on the machine only ever adds to
# them; WIDTHxHEIGHT the screen (default 1024x768). For each case:
#   CPU %      the program's CPU time over the run, per cent of one core
#              (all its threads' run time from /proc/PID/task/*/schedstat,
#              in nanoseconds: /proc/PID/stat counts 10 ms ticks, too coarse
#              for programs this light), and the X server's over the same time;
#   RSS        the program's peak (VmHWM); the X server's growth: what it
#              allocates for the program (pixmaps and other resources), its
#              anonymous memory (RssAnon + RssShmem) sampled every 0.2 s
#              during the run, highest, less the same before the program
#              started; the sum of the two; and for reference the server's
#              whole VmRSS growth, which adds the pages of its own code that
#              the program's requests are the first to run on a fresh server
#              (file-backed and shared, resident anyway on a desktop's server);
#   ticks/s    timed sleeps per second in a second, shorter run under strace
#              (one per frame for the hacks, one per tick or pause for orbilux).
# Target: orbilux at its defaults below the lightest hack in CPU (program
# plus server) and in memory (program plus server growth), at every size.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/native}" && pwd) || exit 2
seconds=${2:-20}
rounds=${3:-2}
size=${4:-1024x768}
for n in "$seconds" "$rounds"; do
  case $n in ''|*[!0-9]*|0) echo "bench-x11: SECONDS and ROUNDS must be positive whole numbers" >&2; exit 2 ;; esac
done
[[ $size =~ ^[1-9][0-9]{0,4}x[1-9][0-9]{0,4}$ ]] || { echo "bench-x11: size must be WIDTHxHEIGHT, e.g. 3840x2160" >&2; exit 2; }
hacks=/usr/libexec/xscreensaver
cmake --build "$build" --target orbilux >/dev/null || exit 1
saver=$build/x11/orbilux
for f in "$saver" "$hacks/helix" "$hacks/epicycle" "$hacks/xspirograph"; do
  [ -x "$f" ] || { echo "bench-x11: missing $f (scripts/setup.sh installs the hacks)" >&2; exit 1; }
done
work=$(mktemp -d)
xvfb=
stop_xvfb() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null; xvfb=; }
trap 'stop_xvfb; rm -rf "$work"' EXIT
unset XSCREENSAVER_WINDOW
# The figures measured are the options below: no settings file of the user's.
export XDG_CONFIG_HOME=$work/config

# Starts a fresh Xvfb of the chosen size and exports its DISPLAY.
start_xvfb() {
  local fifo=$work/fifo d=
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb=$!
  read -r -t 20 d <"$fifo"; rm -f "$fifo"
  [ -n "$d" ] || { echo "bench-x11: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$d
  # The server touches its screen while it paints the root window: let it settle.
  xdpyinfo >/dev/null 2>&1 || true
}
# CPU time in microseconds so far, all threads.
cpu_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d\n", t / 1000 }'; }
rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }
anon_kb() { awk '/^Rss(Anon|Shmem)/ { t += $2 } END { print t }' "/proc/$1/status"; }

# One case: NAME COMMAND...
measure() {
  local name=$1; shift
  local x0 x1 p1 h pid sleeps strace_seconds round r0 r peak grow a0 a apeak agrow
  local best_p=-1 best_x=-1 best_h=-1 best_g=-1 best_a=-1
  for round in $(seq "$rounds"); do
    start_xvfb
    r0=$(rss_kb $xvfb)
    a0=$(anon_kb $xvfb)
    x0=$(cpu_us $xvfb)
    "$@" >/dev/null 2>&1 &
    pid=$!
    peak=$r0 apeak=$a0
    for _ in $(seq $((seconds * 5))); do
      sleep 0.2
      r=$(rss_kb $xvfb); [ "$r" -gt "$peak" ] && peak=$r
      a=$(anon_kb $xvfb); [ "$a" -gt "$apeak" ] && apeak=$a
    done
    p1=$(cpu_us $pid)
    x1=$(cpu_us $xvfb)
    h=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
    kill -TERM $pid; wait $pid 2>/dev/null
    stop_xvfb
    grow=$((peak - r0)) agrow=$((apeak - a0))
    [ "$best_p" -lt 0 ] || [ "$p1" -lt "$best_p" ] && best_p=$p1
    [ "$best_x" -lt 0 ] || [ $((x1 - x0)) -lt "$best_x" ] && best_x=$((x1 - x0))
    [ "$best_h" -lt 0 ] || [ "$h" -lt "$best_h" ] && best_h=$h
    [ "$best_g" -lt 0 ] || [ "$grow" -lt "$best_g" ] && best_g=$grow
    [ "$best_a" -lt 0 ] || [ "$agrow" -lt "$best_a" ] && best_a=$agrow
  done

  start_xvfb
  strace_seconds=$(( seconds < 10 ? seconds : 10 ))
  timeout -s TERM "$strace_seconds" strace -f -qq -o "$work/trace" \
    -e trace=poll,ppoll,select,pselect6,nanosleep,clock_nanosleep "$@" >/dev/null 2>&1
  stop_xvfb
  sleeps=$(grep -cE 'pselect6\(0,|nanosleep\(|poll\(\[.*\], 2, [0-9]+\) = 0 \(Timeout\)' "$work/trace")

  awk -v n="$name" -v p="$best_p" -v x="$best_x" -v s="$seconds" -v h="$best_h" -v g="$best_g" \
      -v a="$best_a" -v z="$sleeps" -v t="$strace_seconds" 'BEGIN {
    printf "%-22s %6.3f %6.3f %6.3f %7.2f %7.2f %7.2f %7.2f %7.1f\n", n, p / 1e4 / s, x / 1e4 / s,
           (p + x) / 1e4 / s, h / 1024, a / 1024, (h + a) / 1024, g / 1024, z / t }' | tee -a "$work/table"
}

printf "%-22s %6s %6s %6s %7s %7s %7s %7s %7s\n" "$size, ${seconds} s x $rounds" "CPU %" "X CPU" "sum %" \
  "RSS MiB" "X anon" "sum MiB" "X RSS" "ticks/s"
measure "orbilux (defaults)" "$saver" -root
measure "orbilux 8 % circles" "$saver" -root -object-size 8 -shape circle -images-per-sec 50
measure "orbilux joined lines" "$saver" -root -object-size 0 -join-dots -images-per-sec 50
measure "helix" "$hacks/helix" --root --subdelay 20000
measure "epicycle" "$hacks/epicycle" --root --delay 20000
measure "xspirograph" "$hacks/xspirograph" --root --subdelay 20000
# The verdict: orbilux at its defaults against the lightest hack in each sum.
awk '{ cpu[NR] = $(NF-5); mem[NR] = $(NF-2) }
  END {
    c = cpu[4]; m = mem[4]
    for (i = 5; i <= 6; i++) { if (cpu[i] < c) c = cpu[i]; if (mem[i] < m) m = mem[i] }
    printf "orbilux (defaults): CPU %.3f %% against %.3f %%, memory %.1f MiB against %.1f MiB: %s\n",
           cpu[1], c, mem[1], m, (cpu[1] < c && mem[1] < m) ? "below both" : "NOT below both"
  }' "$work/table"
