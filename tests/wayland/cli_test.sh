#!/usr/bin/env bash
# orbilux-wayland's command line, without a compositor: bad input gets one
# clear message and status 2 before any connection; -help shows the options
# and ends with 0; every option it shows is accepted (then the missing
# compositor ends the run with 1); a settings file's bad lines are named and
# the run goes on.
# Usage: cli_test.sh BUILD_DIR
set -u
saver=$1/wayland/orbilux-wayland
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
run() { env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$tmp/run" XDG_CONFIG_HOME="$tmp/cfg" "$saver" "$@" >"$tmp/out" 2>"$tmp/err"; }
mkdir -p "$tmp/run"
nocompositor="orbilux-wayland: cannot connect to a Wayland display (WAYLAND_DISPLAY is not set)"

while IFS='|' read -r args message; do
  # shellcheck disable=SC2086
  run $args; status=$?
  check "'$args': status $status, $(cat "$tmp/err")" test "$status" = 2 -a "$(cat "$tmp/err")" = "orbilux-wayland: $message"
done <<'CASES'
-bogus|unknown option '-bogus' (try -help)
background|unknown option 'background' (try -help)
-background=1|-background: takes no value (try -help)
-root|unknown option '-root' (try -help)
-window-id 0x2a|unknown option '-window-id' (try -help)
-seed|-seed: missing value (try -help)
-seed 4294967296|-seed: expected a number from 0 to 4294967295, got '4294967296' (try -help)
--max-ticks=-1|--max-ticks: expected a number from 0 to 4294967295, got '-1' (try -help)
-object-size 501|-object-size: expected a number from 0 to 500, got '501' (try -help)
-RadiusFactor 1.5|-RadiusFactor: expected a 32-bit number (decimal or 0x hex), got '1.5' (try -help)
-settings /nonexistent/orbilux|cannot read settings file '/nonexistent/orbilux': No such file or directory
CASES

run -help; status=$?
check "-help: status $status" test "$status" = 0
for option in background seed max-ticks settings object-size join-dots shape rotation colour zoom RadiusFactor ZoomOption; do
  check "-help shows -$option" grep -q -- "-$option\b" "$tmp/out"
done

touch "$tmp/empty"
for args in "" "-background" "--seed=7 -max-ticks 0" "-settings $tmp/empty" "-object-size 0 -join-dots -shape square,diamond" \
  "-no-rotation=none -colour low --zoom=very-high,start-small" "-RadiusFactor 0 -ObjectShape 510"; do
  # shellcheck disable=SC2086
  run $args; status=$?
  check "'$args': status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = "$nocompositor"
done

mkdir -p "$tmp/cfg/orbilux" && printf 'object-size=0\nJoinTheDots 1\nzoom=low\n' >"$tmp/cfg/orbilux/settings"
run -seed 1; status=$?
check "settings file: status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = \
  "orbilux-wayland: $tmp/cfg/orbilux/settings:2: expected NAME=VALUE, got 'JoinTheDots 1'
$nocompositor"
rm "$tmp/cfg/orbilux/settings"
run -ImagesPerSec 0; status=$?
check "a replaced stored value is named: status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(head -n 1 "$tmp/err")" = \
  "orbilux-wayland: the saver's load rules replaced: ImagesPerSec=0 was replaced by 50"
summary
