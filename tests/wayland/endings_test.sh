#!/usr/bin/env bash
# What ends orbilux-wayland on a headless sway, and what does not: SIGTERM
# and SIGINT end it with 0 within a second; a key ends it with 0; a virtual
# pointer moved 3 pixels from where it entered keeps it and 10 pixels end it;
# a button ends it; with -background a key does not end it; swayidle starts
# it after two idle seconds. Nothing stays running afterwards.
# Usage: endings_test.sh BUILD_DIR   (exit 77: no sway here)
set -u
build=$1 saver=$1/wayland/orbilux-wayland pointer=$1/tests/wayland/virtual-pointer
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
source "$(dirname "${BASH_SOURCE[0]}")/sway-session.sh"
for p in wtype swayidle; do command -v "$p" >/dev/null || skip "no $p here (scripts/setup.sh installs it)"; done
sway_start
mkdir -p "$RT/test/cfg"
export XDG_CONFIG_HOME=$RT/test/cfg
swaymsg output HEADLESS-1 mode 320x240 scale 1 >/dev/null
bytes=$((320 * 240 * 3))
head -c "$bytes" /dev/zero >"$RT/test/black"

# The saver covers the output: the erase's black, -max-ticks 0 keeping it
# (sway's grey before). Only the rows above the cursor count: the background
# leaves it shown, and grim's picture has it.
covered() { screen "$RT/test/shot" HEADLESS-1 "$bytes" && cmp -s -n $((320 * 3 * 80)) "$RT/test/shot" "$RT/test/black"; }
# begin OPTION...: a saver that shows its picture, in $pid.
begin() {
  "$saver" -max-ticks 0 "$@" 2>"$RT/test/err" &
  pid=$!; started "$pid"
  within 20 covered || fail "$*: the saver did not cover the output"
}
# ended SECONDS: the saver ended within that time; its status in $status.
ended() {
  within "$1" eval '! kill -0 $pid 2>/dev/null' || return 1
  wait "$pid"; status=$?
}
# expect_end WHAT SECONDS: it ended with status 0 and said nothing.
expect_end() {
  if ended "$2"; then
    check "$1: status $status, $(cat "$RT/test/err")" test "$status" = 0 -a ! -s "$RT/test/err"
  else
    fail "$1: still running after $2 s"
  fi
}

# The pointer device, there before any saver starts.
coproc POINTER { "$pointer"; }
started "$POINTER_PID"
read -r -t 20 answer <&"${POINTER[0]}"
[ "${answer:-}" = ready ] || fail "no virtual pointer"
# point COMMAND: the compositor has taken it.
point() { echo "$*" >&"${POINTER[1]}" && read -r -t 20 answer <&"${POINTER[0]}" && [ "$answer" = ok ]; }

# A signal ends it within a second. A sanitizer build's exit also scans the
# whole heap for leaks, which is not the saver's own time: it gets 5 s.
limit=1
readelf -d "$saver" 2>/dev/null | grep -q 'libasan' && limit=5
for signal in TERM INT; do
  begin
  kill -"$signal" "$pid"
  expect_end "SIG$signal" "$limit"
done

begin
wtype -s 300 x
expect_end "a key" 5

# The pointer enters where the cursor is: 3 pixels from there keep it; the
# picture still changing after the move shows that it was taken in.
"$saver" -ImagesPerSec 1000 2>"$RT/test/err" &
pid=$!; started "$pid"
changed() { screen "$RT/test/b" HEADLESS-1 "$bytes" && ! cmp -s "$RT/test/a" "$RT/test/b"; }
screen "$RT/test/a" HEADLESS-1 "$bytes"
check "the figure draws" within 20 changed
check "a move of 3" point move 3 0
cp "$RT/test/b" "$RT/test/a"
check "drawing after a move of 3" within 10 changed
check "3 pixels keep it" kill -0 "$pid"
check "a move of 7 more" point move 7 0
expect_end "10 pixels" 5

begin
check "a click" point button
expect_end "a button" 5

# -background: the BACKGROUND layer, no keyboard; a key goes elsewhere.
begin -background
wtype -s 300 x
check "-background: a key went through" true
screen "$RT/test/a" HEADLESS-1 "$bytes"
check "-background: running after a key" kill -0 "$pid"
kill -TERM "$pid"
expect_end "-background, SIGTERM" "$limit"

# swayidle: after two idle seconds it starts the saver, in the background
# (so that swayidle can be stopped first), through a shell that keeps its
# status.
swayidle -w timeout 2 "($saver -max-ticks 0 & echo \$! >$RT/test/idle.pid; wait \$!; echo \$? >$RT/test/idle.status) &" \
  2>"$RT/test/swayidle.log" &
idle=$!; started "$idle"
check "swayidle starts it" within 20 test -s "$RT/test/idle.pid"
if [ -s "$RT/test/idle.pid" ]; then
  pid=$(cat "$RT/test/idle.pid"); started "$pid"
  check "swayidle's saver covers the output" within 20 covered
  kill -TERM "$idle"; wait "$idle" 2>/dev/null
  kill -TERM "$pid"
  check "swayidle's saver ends on SIGTERM" within 2 test -s "$RT/test/idle.status"
  check "with status 0" test "$(cat "$RT/test/idle.status" 2>/dev/null)" = 0
fi
summary
