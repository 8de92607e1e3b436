#!/usr/bin/env bash
# Measures what the full-screen saver costs under Wine, beside a floor: a
# trivial program that sets one pixel per 20 ms timer tick.
#
#   scripts/bench-saver.sh [BUILD_DIR] [SECONDS] [ROUNDS]
#
# BUILD_DIR is a Windows build with the tests (default build/i686); SECONDS
# is the length of each run (default 20); ROUNDS (default 2) is how often
# each measured run is repeated, keeping the lowest CPU figures, as other
# work on the machine only ever adds to them. On an Xvfb display, prefix and
# wineserver of the script's own, each case runs
#   measured: CPU seconds of the program and of all Wine processes over the
#             run, and the program's peak memory (VmHWM);
#   counted:  the saver again, on Wine's Windows 98 emulation with a password
#             in use, so that the PASSWORD.CPL stand-in can count the ticks the
#             window handled (the floor counts its own ticks).
# The cases: the floor, the saver at the default settings, the saver at 1000
# images per second. Last, the size of the stripped orbilux.scr.
# Targets: saver CPU (all Wine processes) at most 1.25 x the floor's at the
# default settings; stripped .scr under 80 KB.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/i686}" && pwd) || exit 2
seconds=${2:-20}
rounds=${3:-2}
for n in "$seconds" "$rounds"; do
  case $n in ''|*[!0-9]*|0) echo "bench-saver: SECONDS and ROUNDS must be positive whole numbers" >&2; exit 2 ;; esac
done

cmake --build "$build" --target orbilux_scr orbilux_one_pixel_ticker orbilux_standin_password >/dev/null || exit 1
scr=$build/host/orbilux.scr
ticker=$build/bench/saver/orbilux_one_pixel_ticker.exe
standin=$build/tests/win32/standins/PASSWORD.CPL
for f in "$scr" "$ticker" "$standin"; do
  [ -f "$f" ] || { echo "bench-saver: missing $f" >&2; exit 1; }
done

source "$root/scripts/test-env.sh"
orbilux_choose_wine
orbilux_make_template || exit 1
unset ORBILUX_XVFB_PID DISPLAY
orbilux_start_display || exit 1
export WINEPREFIX=$ORBILUX_WINE_DIR/bench-saver
orbilux_new_prefix "$WINEPREFIX"
wineserver -p
work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null
  kill "$ORBILUX_XVFB_PID" 2>/dev/null
  rm -rf "$work" "$WINEPREFIX"
}
trap cleanup EXIT
clk=$(getconf CLK_TCK)

# Processes of this prefix (the wineserver and every Wine process it serves).
prefix_pids() {
  local p
  for p in /proc/[0-9]*; do
    { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "${p#/proc/}"
  done
}
# utime + stime of the given processes, in clock ticks.
cpu_ticks() {
  local total=0 p fields
  for p in "$@"; do
    fields=$(sed 's/.*) //' "/proc/$p/stat" 2>/dev/null) || continue
    set -- $fields
    total=$((total + ${12} + ${13}))
  done
  echo $total
}
# The Unix process of the Windows program whose command line names $1.
program_pid() {
  local p
  for p in $(prefix_pids); do
    { tr '\0' ' ' <"/proc/$p/cmdline"; } 2>/dev/null | grep -qi -- "$1" && { echo "$p"; return; }
  done
}
reg() { wine reg "$@" >/dev/null 2>&1; }

# run_case NAME EXE ARGS: runs EXE for $seconds and sets cpu_program,
# cpu_wine (seconds) and peak_kb.
run_case() {
  local name=$1 exe=$2 args=$3 pid= i wine_pids before_p before_w after_p after_w
  cp "$exe" "$work/$name"
  (cd "$work" && wine "$name" $args >"$work/$name.out" 2>/dev/null) &
  local launcher=$!
  for i in $(seq 100); do pid=$(program_pid "$name"); [ -n "$pid" ] && break; sleep 0.1; done
  [ -n "$pid" ] || { echo "bench-saver: $name did not start" >&2; exit 1; }
  sleep 1 # let start-up settle
  wine_pids=$(prefix_pids)
  before_p=$(cpu_ticks "$pid"); before_w=$(cpu_ticks $wine_pids)
  sleep "$seconds"
  after_p=$(cpu_ticks "$pid"); after_w=$(cpu_ticks $wine_pids)
  peak_kb=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  xdotool key space
  wait "$launcher"
  cpu_program=$(awk -v a="$before_p" -v b="$after_p" -v c="$clk" 'BEGIN {printf "%.2f", (b - a) / c}')
  cpu_wine=$(awk -v a="$before_w" -v b="$after_w" -v c="$clk" 'BEGIN {printf "%.2f", (b - a) / c}')
}

# measure NAME EXE ARGS: run_case $rounds times; keeps the lowest CPU figures
# and the highest peak memory.
measure() {
  local r best_p= best_w= best_peak=0
  for r in $(seq "$rounds"); do
    run_case "$@"
    best_p=$(awk -v a="${best_p:-$cpu_program}" -v b="$cpu_program" 'BEGIN {print (b < a ? b : a)}')
    best_w=$(awk -v a="${best_w:-$cpu_wine}" -v b="$cpu_wine" 'BEGIN {print (b < a ? b : a)}')
    [ "$peak_kb" -gt "$best_peak" ] && best_peak=$peak_kb
  done
  cpu_program=$best_p cpu_wine=$best_w peak_kb=$best_peak
}

# ticks_per_second FILE: "ticks first last" -> ticks per second between the
# first and the last tick.
ticks_per_second() {
  awk '{ if ($3 > $2) printf "%.1f", ($1 - 1) * 1000 / ($3 - $2); else print "n/a" }' "$1"
}

settings='HKCU\software\plorvex\orbx_ss\Settings'
report() { printf '%-26s %8s %10s %10s %10s\n' "$@"; }
echo "bench-saver: $seconds s per run, best of $rounds, $(nproc) cores, $(wine --version)"
report case "cpu(prog)" "cpu(wine)" "ticks/s" "VmHWM(KB)"

measure ticker.exe "$ticker" ""
floor_wine=$cpu_wine
report "floor (1 pixel / 20 ms)" "$cpu_program" "$cpu_wine" "$(ticks_per_second "$work/ticker.exe.out")" "$peak_kb"

for ips in default 1000; do
  if [ "$ips" = default ]; then reg delete "$settings" /f; else reg add "$settings" /v ImagesPerSec /t REG_DWORD /d "$ips" /f; fi
  reg delete 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /f
  reg delete 'HKCU\Software\Wine\AppDefaults\orbilux.scr' /f
  measure orbilux.scr "$scr" /s
  measured_program=$cpu_program measured_wine=$cpu_wine measured_peak=$peak_kb
  [ "$ips" = default ] && saver_wine=$cpu_wine

  # The counted run: the stand-in accepts the close and leaves its tick
  # count beside itself when the saver frees it.
  reg add 'HKCU\Software\Wine\AppDefaults\orbilux.scr' /v Version /t REG_SZ /d win98 /f
  reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_DWORD /d 1 /f
  cp "$standin" "$work/PASSWORD.CPL"
  rm -f "$work/PASSWORD.CPL.ticks"
  run_case orbilux.scr "$scr" /s
  rm -f "$work/PASSWORD.CPL"
  rate=n/a
  [ -f "$work/PASSWORD.CPL.ticks" ] && rate=$(ticks_per_second "$work/PASSWORD.CPL.ticks")
  report "saver ($ips images/s)" "$measured_program" "$measured_wine" "$rate" "$measured_peak"
done

stripped=$work/orbilux-stripped.scr
case $(file -b "$scr") in
  *x86-64*) strip=x86_64-w64-mingw32-strip ;;
  *) strip=i686-w64-mingw32-strip ;;
esac
$strip -o "$stripped" "$scr"
size=$(stat -c %s "$stripped")
echo
awk -v s="$saver_wine" -v f="$floor_wine" 'BEGIN {
  r = f > 0 ? s / f : 0
  printf "saver/floor CPU (all Wine processes, default settings): %.2f x (target <= 1.25): %s\n", r, (f > 0 && r <= 1.25) ? "met" : "NOT met" }'
echo "stripped orbilux.scr: $size bytes (target < 81920): $([ "$size" -lt 81920 ] && echo met || echo NOT met)"
