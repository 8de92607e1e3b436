#!/usr/bin/env bash
# orbilux-render's command line: bad arguments end with one line on standard
# error, exit status 2 and no file written; good ones write what they promise,
# and whole traces for a few settings equal the stored ones, DATA/NAME.trace.gz.
# A trace that differs is kept as NAME.trace in the test's working folder.
# Usage: cli_test.sh RENDER DATA [RUNNER]   (RUNNER: e.g. the Wine wrapper)
# ORBILUX_UPDATE_GOLDEN=1 rewrites the stored traces from this renderer.
# ORBILUX_GOLDEN_ONLY=NAME compares that one trace only (a slow emulator).
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
# A check this build or machine cannot make, with the reason, in the summary.
skipped=()
skip() { echo "SKIP: $*"; skipped+=("$*"); }
render=$1 data=$2 runner=${3:-}
only=${ORBILUX_GOLDEN_ONLY:-}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$PWD
source "$(dirname "${BASH_SOURCE[0]}")/workdir.sh"
workdir render-cli
cd "$work" || exit 1

run() { $runner "$render" "$@"; }

# Argument lists that must be refused, each split into words as bash would.
refusals=(--bogus --seed '--seed -1' '--seed 4294967296' '--seed ""' '--width 0' '--width 16385' '--height 0'
  '--height " 5"' '--ticks 100000001' '--setting Radius=5' '--setting radiusfactor=5' '--setting RadiusFactor'
  '--setting RadiusFactor=' --png --trace --gif --gif= '--gif-every 2' '--gif g.gif --gif-every 0'
  '--gif g.gif --gif-every 255' '--gif g.gif --gif-every 3x' '--gif-every -1 --gif g.gif' -bogus 'seed 1' '-seed=-1'
  '-width 0' '-setting ObjectShape' '-setting=ZoomOption=0x' --help=1 '-gif-every 2' '-trace=')


if [ -z "$only" ]; then
for line in "${refusals[@]}"; do
  eval "args=($line)"
  run "${args[@]}" --trace t.txt >out.txt 2>err.txt
  status=$? err=$(tr -d '\r' <err.txt)
  check "'$line' gave status $status, stderr '$err', or wrote a file" test "$status" -eq 2 -a \
    "$(grep -c . <<<"$err")" -eq 1 -a ! -e t.txt -a ! -e g.gif -a ! -s out.txt
  rm -f t.txt g.gif
done
run --seed 3 --ticks 2 --setting RadiusFactor=0 --trace - >stdout.txt 2>err.txt
check "a good run says nothing on stderr: $(cat err.txt)" test ! -s err.txt
check "trace to standard output" grep -qx 'tick 1' stdout.txt
check "the trace has no carriage returns" test "$(grep -c $'\r' stdout.txt)" -eq 0
run --help >help.txt
check "--help prints the usage" grep -q 'usage: orbilux-render' help.txt
# Each stored value's entry, up to the next one, as one line.
entry() { tr -d '\r' <help.txt | awk -v name="$1" '/^  (--)?[A-Z]/ { n = $1; sub(/^--/, "", n); on = n == name } /^  --[a-z]/ { on = 0 } on' | tr -s ' \n' ' '; }
shapes=$(entry ObjectShape | grep -o '[a-z-]*=[0-9]*' | tr '\n' ' ')
check "--help decodes ObjectShape=510: $shapes" test "$(($(sed 's/[a-z-]*=/+/g' <<<"$shapes")))" = 510 -a \
  "$(wc -w <<<"$shapes")" = 8
for default in RadiusFactor=8 ImagesPerSec=50 ObjectRotation=2 ColourOption=10; do
  check "--help: the default of ${default%=*} is ${default#*=}: $(entry "${default%=*}")" \
    grep -q "\[${default#*=}\] *$" <<<"$(entry "${default%=*}")"
done
check "--help: RadiusFactor a percentage" grep -q '0 to 500 %' <<<"$(entry RadiusFactor)"
# One dash or two, the value apart or after '='.
run -seed 3 -ticks=2 -setting RadiusFactor=0 -trace - >one-dash.txt
check "one dash as two" cmp -s stdout.txt one-dash.txt

# A bare run shows the usage on standard error; a run with nothing to write,
# or two outputs on one file, is refused before anything is opened.
run >out.txt 2>err.txt; status=$?
check "a bare run: status $status, stdout '$(cat out.txt)', stderr $(head -n 1 err.txt)" \
  test $status -eq 2 -a ! -s out.txt -a "$(head -n 1 err.txt | tr -d '\r' | cut -c1-21)" = "usage: orbilux-render"
for line in '--seed 3 --ticks 2|nothing to write: give --trace, --png or --gif' \
  '--trace - --trace=o.txt --gif o.txt|--trace and --gif both name '"'o.txt'" \
  '--ticks 1 --trace - --gif -|--trace and --gif both name standard output'; do
  eval "args=(${line%%|*})"
  run "${args[@]}" >out.txt 2>err.txt; status=$?
  err=$(tr -d '\r' <err.txt)
  [ "${line#*|}" = "--trace and --gif both name standard output" ] && [ "$(grep -c 'no GIF output' err.txt)" = 1 ] &&
    err="orbilux-render: ${line#*|} (try --help)"  # this build has no GIF: refused for that
  check "'${line%%|*}': status $status, stderr '$err'" test $status -eq 2 -a ! -s out.txt -a ! -e o.txt -a \
    "$err" = "orbilux-render: ${line#*|} (try --help)"
done

# An output that cannot be opened fails the run (status 1) before its first
# tick: no trace line reaches standard output, and no other output is left.
# Which outputs a build has: PNG and GIF only the native one.
pictures=()
for kind in png gif; do
  run --ticks 0 --$kind "p.$kind" >/dev/null 2>err.txt && pictures+=("$kind")
  rm -f "p.$kind"
done
mkdir folder
cases=("--ticks 5 --trace folder|folder")
for kind in "${pictures[@]}"; do
  cases+=("--ticks 100000000 --trace - --$kind folder|folder" "--ticks 5 --trace t.txt --$kind no/such/x.$kind|no/such/x.$kind"
    "--ticks 5 --$kind p.$kind --trace no/such/t.txt|no/such/t.txt")
done
for line in "${cases[@]}"; do
  eval "args=(${line%%|*})"
  run "${args[@]}" >out.txt 2>err.txt; status=$?
  err=$(tr -d '\r' <err.txt) said="orbilux-render: cannot write '${line#*|}':"
  check "'${line%%|*}': status $status, stdout $(wc -c <out.txt) bytes, stderr '$err', files: $(ls)" \
    test $status -eq 1 -a ! -s out.txt -a "$(grep -c . <<<"$err")" = 1 -a ! -e t.txt -a ! -e p.png -a ! -e p.gif -a \
    "${err:0:${#said}}" = "$said"
done
[ ${#pictures[@]} = 0 ] && skip "--png and --gif to a folder: this build writes neither"
rmdir folder

# orbilux's friendly options draw what the stored values they stand for draw.
run --seed 5 --ticks 400 --width 320 --height 240 --shape square --rotation clockwise --zoom high,two-phase \
  --trace friendly.txt >/dev/null 2>err.txt
run --seed 5 --ticks 400 --width 320 --height 240 --setting ObjectShape=4 --setting ObjectRotation=4 \
  --setting ZoomOption=72 --trace stored.txt >/dev/null 2>>err.txt
check "--shape square --rotation clockwise --zoom high,two-phase is ObjectShape=4 ObjectRotation=4 ZoomOption=72: \
$(cat err.txt)" cmp -s friendly.txt stored.txt
check "... and draws squares" grep -q '^line' friendly.txt
rm -f friendly.txt stored.txt

# Each output at once on standard output ('-'), the closing line then left
# out; otherwise the closing line names every file written.
run --seed 3 --ticks 2 --trace t.txt >out.txt 2>err.txt
check "the closing line: $(cat out.txt)" test "$(tr -d '\r' <out.txt)" = \
  "orbilux-render: wrote 't.txt' (1024 x 768 after 2 ticks, seed 3)"
for kind in "${pictures[@]}"; do
  run --seed 3 --ticks 2 --width 64 --height 48 --$kind - --trace t.txt >out.txt 2>err.txt
  run --seed 3 --ticks 2 --width 64 --height 48 --$kind "p.$kind" --trace t2.txt >said.txt 2>>err.txt
  check "--$kind - writes the file's bytes, and nothing on stderr: $(cat err.txt)" cmp -s out.txt "p.$kind"
  check "--$kind: both files named: $(cat said.txt)" test "$(cat said.txt)" = \
    "orbilux-render: wrote 'p.$kind' and 't2.txt' (64 x 48 after 2 ticks, seed 3)"
  rm -f "p.$kind" t.txt t2.txt
done

# Failed writes remove their partial file; devices named as outputs stay.
if [ -n "$runner" ]; then
  skip "full disks and small memory: the limits are set for this shell's programs, not through $runner"
else
  for line in "trace t.txt --ticks 2000" "png p.png --width 2000 --height 2000 --ticks 800" \
    "gif p.gif --width 300 --height 300 --ticks 100"; do
    printf -v kind '%s' "${line%% *}"
    [ "$kind" != trace ] && [[ " ${pictures[*]} " != *" $kind "* ]] && continue
    (trap '' XFSZ; ulimit -f 4; run --$line) >out.txt 2>err.txt; status=$?
    check "--$line beyond a 4 KiB file size limit: status $status, stderr '$(cat err.txt)', files: $(ls)" \
      test $status -eq 1 -a "$(grep -c 'File too large' err.txt)" = 1 -a ! -e t.txt -a ! -e p.png -a ! -e p.gif
  done
  run --trace /dev/full --ticks 400 >out.txt 2>err.txt; status=$?
  check "--trace /dev/full: status $status, stderr '$(cat err.txt)'; the device stays" test $status -eq 1 -a \
    "$(cat err.txt)" = "orbilux-render: cannot write '/dev/full': No space left on device" -a -c /dev/full
  run --trace - --ticks 400 >/dev/full 2>err.txt; status=$?
  check "--trace - onto a full device: status $status, stderr '$(cat err.txt)'" test $status -eq 1 -a \
    "$(cat err.txt)" = "orbilux-render: cannot write standard output: No space left on device"
  # A picture too big for the memory left: a message, status 1, no file. A
  # sanitizer's shadow memory does not start under the limit at all.
  if ! (ulimit -v 400000; run --ticks 0 --width 1 --height 1 --trace t.txt) >/dev/null 2>&1; then
    skip "out of memory: this build does not start in 400 MB of address space (a sanitizer build)"
  elif [ ${#pictures[@]} = 0 ]; then
    skip "out of memory: this build draws no picture"
  else
    rm -f t.txt
    (ulimit -v 400000; run --width 16384 --height 16384 --trace t.txt --${pictures[0]} "p.${pictures[0]}") \
      >out.txt 2>err.txt; status=$?
    check "16384 x 16384 in 400 MB: status $status, stderr '$(cat err.txt)', files: $(ls)" test $status -eq 1 -a \
      "$(cat err.txt)" = "orbilux-render: out of memory for a 16384 x 16384 picture" -a ! -e t.txt -a ! -e p.png -a ! -e p.gif
  fi
  rm -f t.txt
fi
fi

golden() {
  local name=$1 stored=$data/$1.trace.gz
  [ -n "$only" ] && [ "$name" != "$only" ] && return
  shift
  if ! run "$@" --trace "$name.trace" >/dev/null 2>err.txt; then
    fail "$name: orbilux-render $*: $(cat err.txt)"; return
  fi
  [ "${ORBILUX_UPDATE_GOLDEN:-0}" = 1 ] && gzip -9n <"$name.trace" >"$stored"
  if gzip -dc "$stored" | cmp -s - "$name.trace"; then
    passed=$((passed + 1))
  else
    cp "$name.trace" "$out/$name.trace"
    fail "$name (orbilux-render $*) differs from $stored; actual trace: $out/$name.trace"
    gzip -dc "$stored" | diff - "$name.trace" | head -n 12
  fi
}

# Radii 61, 8 and 383 (every point on row 384); a figure's end and the next start.
golden circles --seed 1 --width 1024 --height 768 --ticks 362
golden small --seed 2 --width 152 --height 112 --ticks 2
golden half --seed 3 --width 1024 --height 768 --ticks 3 --setting RadiusFactor=50
golden wide --seed 0xFFFFFFFF --width=16384 --height 1 --ticks 1 --setting ImagesPerSec=0x19 --setting ColourOption=-1
golden joined --seed 77 --width 640 --height 480 --ticks 361 --setting RadiusFactor=0 --setting JoinTheDots=1
golden pixels --seed 4000000000 --width 1920 --height 1080 --ticks 361 --setting RadiusFactor=0 \
  --setting JoinTheDots=2 --setting ImagesPerSec=25 --setting ColourOption=50
golden shapes --seed 12345 --width 400 --height 300 --ticks 1081 --setting ObjectShape=0x1FE \
  --setting ObjectRotation=14 --setting ZoomOption=0x3FE --setting ColourOption=30
# A single shape and rotation, and a zoom without a level: no random draws.
golden single --seed 5 --width 160 --height 120 --ticks 362 --setting ObjectShape=16 --setting ObjectRotation=4 \
  --setting ZoomOption=0x120
# Masks with stray bits draw until they hit an enabled one, or give the
# defaults; a single zoom level is still drawn.
golden stray --seed 6 --width 160 --height 120 --ticks 722 --setting ObjectShape=0x206 --setting ObjectRotation=0x10 \
  --setting ZoomOption=8 --setting RadiusFactor=3
golden radius1 --seed 9 --width 152 --height 112 --ticks 400 --setting RadiusFactor=1 --setting ZoomOption=0x3FE \
  --setting ObjectShape=0x1FE --setting ObjectRotation=14 --setting ImagesPerSec=0
golden extreme --seed 31337 --width 3 --height 16384 --ticks 400 --setting RadiusFactor=4294967295 \
  --setting ZoomOption=0x3FE --setting ObjectShape=0x1FE --setting ObjectRotation=14 --setting ImagesPerSec=1001

# Twenty runs over every kind of drawing, a few figures each, whose traces
# every build must write alike; DATA/random.sha256 holds their digests.
if [ -z "$only" ]; then
  bash "$here/random_runs.sh" 100 119 1100 | while read -r args; do
    run $args --trace r.trace >/dev/null 2>&1
    echo "$(sha256sum <r.trace | cut -c1-64) $args"
  done >random.sha256
  [ "${ORBILUX_UPDATE_GOLDEN:-0}" = 1 ] && cp random.sha256 "$data/random.sha256"
  diff "$data/random.sha256" random.sha256 >random.diff
  check "every random run's trace equals the stored digest: $(cat random.diff)" test ! -s random.diff
fi

[ -n "$only" ] && [ $((passed + failed)) -eq 0 ] && fail "no golden trace named '$only'"
if [ ${#skipped[@]} -gt 0 ]; then
  why=$(printf '%s; ' "${skipped[@]}")
  echo "${#skipped[@]} checks skipped: ${why%; }"
fi
summary
