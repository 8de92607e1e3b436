#!/usr/bin/env bash
# orbilux-render's command line: bad arguments end with one line on standard
# error, exit status 2 and no file written; good ones write what they promise.
# Usage: cli_test.sh RENDER [RUNNER]   (RUNNER: e.g. the Wine wrapper)
set -u
render=$1
runner=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
passed=0 failed=0

run() { $runner "$render" "$@"; }

expect_refused() {
  local out err status
  run "$@" --trace t.txt >out.txt 2>err.txt
  status=$?
  err=$(tr -d '\r' <err.txt)
  if [ "$status" -ne 2 ] || [ "$(printf '%s\n' "$err" | grep -c .)" -ne 1 ] || [ -e t.txt ] || [ -e g.gif ] ||
     [ -s out.txt ]; then
    echo "FAIL: '$*' gave status $status, stderr '$err'$( [ -e t.txt ] || [ -e g.gif ] && echo ', and wrote a file')"
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
  rm -f t.txt g.gif
}

expect_refused --bogus
expect_refused --seed
expect_refused --seed -1
expect_refused --seed 4294967296
expect_refused --seed 12x
expect_refused --seed ""
expect_refused --seed 0x
expect_refused --width 0
expect_refused --width 16385
expect_refused --height 0
expect_refused --height " 5"
expect_refused --ticks 100000001
expect_refused --setting Radius=5
expect_refused --setting radiusfactor=5
expect_refused --setting RadiusFactor
expect_refused --setting RadiusFactor=
expect_refused --setting RadiusFactor=0x100000000
expect_refused --setting ZoomOption=-2147483649
expect_refused --png
expect_refused --trace
expect_refused --gif
expect_refused --gif=
expect_refused --gif-every 2
expect_refused --gif g.gif --gif-every 0
expect_refused --gif g.gif --gif-every 255
expect_refused --gif g.gif --gif-every 3x
expect_refused --gif-every -1 --gif g.gif

# Accepted forms, with the values they stand for visible in the trace.
check() {
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else echo "FAIL: $what"; failed=$((failed + 1)); fi
}
run --seed 7 --width=16384 --height 1 --ticks 0 --trace t.txt
check "16384 x 1 fills its whole client area" grep -qx 'fill 0 0 16384 1' t.txt
run --seed 0xFFFFFFFF --ticks 1 --setting ImagesPerSec=0x19 --setting ColourOption=-1 --trace t.txt
check "hex ImagesPerSec 25 gives 40 ms" grep -qx 'timer on 40' t.txt
run --seed 3 --ticks 2 --setting RadiusFactor=0 --trace - >stdout.txt
check "trace to standard output" grep -qx 'tick 1' stdout.txt
check "the trace has no carriage returns" test "$(grep -c $'\r' stdout.txt)" -eq 0
check "a pixel per tick at size 0" test "$(grep -c '^pixel ' stdout.txt)" -eq 2
run --help >help.txt
check "--help prints the usage" grep -q 'usage: orbilux-render' help.txt

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
