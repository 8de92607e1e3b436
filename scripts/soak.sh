#!/usr/bin/env bash
# The soak run (not part of the tests): the full-screen saver under Wine at
# 1000 images per second for SECONDS (default 1800), then the native renderer
# for 1,000,000 figures under AddressSanitizer and UndefinedBehaviorSanitizer.
#
# Wine part: the i686 saver, or the x86_64 one where 32-bit programs cannot
# run (scripts/test-env.sh decides), on Windows 98 emulation with a password
# in use so that the PASSWORD.CPL stand-in counts the window's ticks and
# accepts the closing key. Every 10 s a watcher program prints the saver's
# GDI and USER object counts and handle count; this script adds its private
# memory (Private_Clean + Private_Dirty of /proc/PID/smaps_rollup) and RssAnon.
# Pass: each of these grows by at most its noise allowance from the first
# sample after the first figure to the last; figures (ticks / 360) within
# 50-110 % of those that 10 ms timer ticks (Wine's shortest) and the 1 s
# pause give; the saver ends on a key press.
# Native part: orbilux-render (build/asan) for 360,000,000 ticks in four runs
# of different seeds and settings (its --ticks limit is 100,000,000).
# Usage: scripts/soak.sh [SECONDS]   (ORBILUX_SOAK_NATIVE=0 skips the native part)   Last line: "soak: passed" or "soak: FAILED".
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-1800}
case $seconds in ''|*[!0-9]*|0) echo "soak: SECONDS must be a positive whole number" >&2; exit 2 ;; esac
interval=10
failed=0
fail() { echo "soak: FAIL: $*"; failed=1; }

source scripts/test-env.sh
orbilux_choose_wine
config=i686; [ "$ORBILUX_I686_WINE" = 1 ] || config=x86_64
echo "== build $config and asan"
{ cmake --preset "$config" && cmake --build --preset "$config" --target orbilux_scr orbilux_soak_watcher \
    orbilux_standin_password && cmake --preset asan && cmake --build --preset asan --target orbilux-render; } \
  >/dev/null || { echo "soak: build failed" >&2; exit 1; }
build=build/$config

orbilux_env_start || exit 1
work=$(mktemp -d)
trap 'orbilux_env_stop; rm -rf "$work"' EXIT
cp "$build/host/orbilux.scr" "$build/tests/win32/standins/PASSWORD.CPL" \
   "$build/bench/saver/orbilux_soak_watcher.exe" "$work/"
reg() { wine reg add "$@" /f >/dev/null 2>&1 || fail "reg add $*"; }
reg 'HKCU\software\plorvex\orbx_ss\Settings' /v ImagesPerSec /t REG_DWORD /d 1000
reg 'HKCU\Software\Wine\AppDefaults\orbilux.scr' /v Version /t REG_SZ /d win98
reg 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_DWORD /d 1

# The Unix process of the saver: a process of this prefix whose command line names it.
saver_pid() {
  local p
  for p in /proc/[0-9]*; do
    { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    { tr '\0' ' ' <"$p/cmdline"; } 2>/dev/null | grep -qi 'orbilux\.scr' && { echo "${p#/proc/}"; return; }
  done
}

echo "== Wine: $config saver at 1000 images/s for $seconds s, a sample every $interval s"
(cd "$work" && exec wine orbilux.scr /s >/dev/null 2>&1) &
launcher=$!
pid=
for _ in $(seq 100); do pid=$(saver_pid); [ -n "$pid" ] && break; sleep 0.2; done
[ -n "$pid" ] || { fail "the saver did not start"; exit 1; }
echo "saver: Unix process $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline")"
samples=$work/samples
printf '%8s %8s %8s %8s %8s %10s %10s\n' seconds gdi user handles ticks "private_kB" "rssanon_kB"
(cd "$work" && wine orbilux_soak_watcher.exe "$seconds" "$interval" 2>&1) | tr -d '\r' | while read -r at gdi user handles ticks; do
  case $at in ''|*[!0-9]*) echo "watcher: $at $gdi $user $handles $ticks"; continue ;; esac
  private=$(awk '/^Private_(Clean|Dirty):/ {s += $2} END {print s + 0}' "/proc/$pid/smaps_rollup" 2>/dev/null)
  anon=$(awk '/^RssAnon:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
  printf '%8s %8s %8s %8s %8s %10s %10s\n' "$at" "$gdi" "$user" "$handles" "$ticks" "${private:--1}" "${anon:--1}" |
    tee -a "$samples"
done

xdotool key space
for _ in $(seq 50); do kill -0 "$launcher" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$launcher" 2>/dev/null; then fail "the saver did not end on a key press"; else echo "the saver ended on a key press"; fi

# Flat: from the first sample with a whole figure drawn to the last, each
# column grows by at most its allowance (kB for memory, objects for counts).
[ -s "$samples" ] || fail "no samples"
awk -v seconds="$seconds" '
  { n++; at[n] = $1; for (c = 2; c <= 7; c++) v[n, c] = $c }
  END {
    split("gdi user handles ticks private_kB rssanon_kB", name, " ")
    split("1 0 2 0 1024 1024", allow, " ")  # the pen of a tick may be live at a sample
    first = 0
    for (i = 1; i <= n; i++) if (v[i, 5] >= 360) { first = i; break }
    if (!first) { print "soak: FAIL: no whole figure drawn"; exit 1 }
    bad = 0
    for (c = 2; c <= 7; c++) {
      if (c == 5) continue
      growth = v[n, c] - v[first, c]
      printf "%s: %d at %d s, %d at %d s: %+d (allowed %d)\n", name[c - 1], v[first, c], at[first], v[n, c], at[n], growth, allow[c - 1]
      if (v[first, c] < 0) printf "  (not available here)\n"
      else if (growth > allow[c - 1]) { print "soak: FAIL: " name[c - 1] " grows"; bad = 1 }
    }
    figures = v[n, 5] / 360; expected = at[n] / (3.6 + 1.0)
    printf "figures: %.1f (%d ticks) in %d s; about %.1f at 10 ms ticks and a 1 s pause\n", figures, v[n, 5], at[n], expected
    if (figures < 0.5 * expected || figures > 1.1 * expected) { print "soak: FAIL: figure count off"; bad = 1 }
    exit bad
  }' "$samples" || failed=1

if [ "${ORBILUX_SOAK_NATIVE:-1}" = 0 ]; then
  echo "== native part skipped (ORBILUX_SOAK_NATIVE=0)"
else
echo "== native: orbilux-render (asan) for 1,000,000 figures"
render=build/asan/render/orbilux-render
run_native() {
  local out
  # The trace goes nowhere: the engine is what runs here. Only complaints count.
  out=$("$render" "$@" --trace /dev/null 2>&1 >/dev/null) || { fail "orbilux-render $*: $out"; return; }
  [ -z "$out" ] || { fail "orbilux-render $* reported: $out"; return; }
  echo "ok: $*"
}
run_native --seed 1 --ticks 100000000
run_native --seed 2 --ticks 100000000 --setting RadiusFactor=0 --setting JoinTheDots=1
run_native --seed 3 --ticks 100000000 --setting RadiusFactor=500 --setting ObjectShape=0x1fe \
  --setting ObjectRotation=14 --setting ZoomOption=0x3fe
run_native --seed 4 --ticks 60000000 --width 16384 --height 16384 --setting RadiusFactor=0xffffffff \
  --setting ObjectShape=0xffffffff --setting ZoomOption=0xffffffff --setting ColourOption=0x80000000
fi

[ "$failed" -eq 0 ] && echo "soak: passed" || echo "soak: FAILED"
exit "$failed"
