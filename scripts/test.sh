#!/usr/bin/env bash
# Sets up, builds and runs every test: the native suite (also under
# AddressSanitizer and UndefinedBehaviorSanitizer), the i686 and x86_64
# builds' suites under Wine on an Xvfb display of their own, and the
# WebAssembly page's in headless Chromium.
#
# Where Wine's 32-bit half cannot run (a kernel without 32-bit programs, or
# ORBILUX_FORCE_NO_I686_WINE=1), the x86_64 suite runs under 64-bit Wine and
# the i686 suite is reduced to a smoke run under qemu (the engine tests, with
# their floating-point rounding cases, and one renderer trace against the
# native one), or skipped where qemu cannot run; the summary says which.
# Last, scripts/package.sh makes the release artefacts from the same builds,
# and every fuzz target runs for 20 s.
# Results come from CTest's JUnit output; the last line is
#   N passed, N failed[, N skipped]
#
# Usage: scripts/test.sh [--i686]
#   --i686  only the i686 suite (or its smoke run), after building that one
#           configuration: the part that differs on machines without 32-bit
#           programs (try it with ORBILUX_FORCE_NO_I686_WINE=1 and a fresh
#           ORBILUX_WINE_DIR)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
start=$(date +%s)
only=
case ${1:-} in
  '') ;;
  --i686) only=i686 ;;
  *) echo "usage: scripts/test.sh [--i686]" >&2; exit 2 ;;
esac
builds=(native asan i686 x86_64)
[ "$only" = i686 ] && builds=(i686)

bash scripts/setup.sh || { echo "0 passed, 1 failed: setup"; exit 1; }
ORBILUX_SKIP_SETUP=1 bash scripts/build.sh "${builds[@]}" || { echo "0 passed, 1 failed: build"; exit 1; }

source scripts/test-env.sh
source scripts/qemu-i386.sh
# An emulator entry of ours left by an interrupted run is not the machine's.
[ -e "$orbilux_binfmt/$orbilux_qemu_entry" ] && echo -1 >"$orbilux_binfmt/$orbilux_qemu_entry" 2>/dev/null
cleanup() { orbilux_qemu_stop; orbilux_env_stop; }
trap cleanup EXIT
trap 'exit 130' INT TERM
orbilux_env_start || { echo "0 passed, 1 failed: test display or Wine prefix"; exit 1; }

total_passed=0 total_failed=0 total_skipped=0 skipped_why=() failed_names=()
junit_dir=$(mktemp -d)

# count_junit FILE: "passed failed skipped" of one CTest JUnit report, then
# a line for each failed test ("F NAME") and each skipped one with the last
# line of its output, which says why ("S NAME: WHY").
count_junit() {
  python3 - "$1" <<'PY'
import sys, xml.etree.ElementTree as ET
passed = failed = skipped = 0
lines = []
for case in ET.parse(sys.argv[1]).getroot().iter('testcase'):
    status = case.get('status', '')
    name = case.get('name', '?')
    if case.find('failure') is not None or case.find('error') is not None or status == 'fail':
        failed += 1
        lines.append('F ' + name)
    elif case.find('skipped') is not None or status in ('notrun', 'disabled'):
        skipped += 1
        out = (case.findtext('system-out') or '').strip().splitlines()
        lines.append('S %s: %s' % (name, out[-1] if out else 'no output'))
    else:
        passed += 1
print(passed, failed, skipped)
print('\n'.join(lines))
PY
}

# run_suite CONFIG [CTEST ARGS...]: runs one build's tests and adds up its
# results. A CTest that fails without a failed test in its report (a crash,
# no report) counts as one failure.
run_suite() {
  local config=$1; shift
  local xml=$junit_dir/$config.xml p f s status report name
  echo "== test $config"
  rm -f "$xml"
  (cd "build/$config" && ctest -j2 --output-on-failure --timeout 300 --output-junit "$xml" "$@")
  status=$?
  if [ -f "$xml" ] && report=$(count_junit "$xml") && read -r p f s <<<"$report"; then
    while read -r kind name; do
      case $kind in
        F) failed_names+=("$config $name") ;;
        S) echo "skipped: $config $name" ;;
      esac
    done < <(tail -n +2 <<<"$report")
    if [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; then
      f=1; echo "test: ctest failed in $config without a failed test"; failed_names+=("$config (ctest, no failed test)")
    fi
  else
    p=0 f=1 s=0; echo "test: no result from $config"; failed_names+=("$config (no result)")
  fi
  total_passed=$((total_passed + p)) total_failed=$((total_failed + f)) total_skipped=$((total_skipped + s))
  [ "$s" -gt 0 ] && skipped_why+=("$s $config test(s) skipped themselves (see their output)")
}

# count_tests CONFIG [CTEST ARGS...]: how many tests a build's CTest lists.
count_tests() {
  local config=$1; shift
  (cd "build/$config" && ctest --show-only=json-v1 "$@") | python3 -c 'import json, sys; print(len(json.load(sys.stdin)["tests"]))'
}

# web_test_count: how many tests the web build would have, from a
# configuration of its test list with the native compilers (nothing built).
web_test_count() {
  local dir=$root/build/web-list
  cmake -S "$root" -B "$dir" -G Ninja -DEMSCRIPTEN=1 >/dev/null 2>&1 && count_tests web-list
}

if [ "$only" != i686 ]; then
  for config in native asan x86_64; do
    run_suite "$config"
  done

  # The WebAssembly page in headless Chromium, against the native renderer.
  if command -v em++ >/dev/null 2>&1; then
    if ORBILUX_SKIP_SETUP=1 bash scripts/build.sh web; then
      run_suite web
    else
      total_failed=$((total_failed + 1)); echo "test: build web failed"
    fi
  elif web=$(web_test_count); then
    total_skipped=$((total_skipped + web)) skipped_why+=("$web web tests skipped: Emscripten (em++) is not installed")
  else
    total_skipped=$((total_skipped + 1))
    skipped_why+=("the web suite skipped: Emscripten (em++) is not installed (its tests could not be listed)")
  fi
fi

smoke='^(engine_tests|render_cli)$'
if [ "$ORBILUX_I686_WINE" = 1 ]; then
  run_suite i686
else
  all=$(count_tests i686)
  if orbilux_qemu_start; then
    # Each 32-bit process takes about 50 s under qemu: one golden trace (every
    # shape, rotation and zoom over three figures), long limits.
    ORBILUX_GOLDEN_ONLY=shapes run_suite i686 -R "$smoke" --timeout 900
    rest=$((all - $(count_tests i686 -R "$smoke")))
    orbilux_qemu_stop
    skipped_why+=("$rest i686 Wine tests skipped: $ORBILUX_I686_WHY; the i686 engine tests and one golden renderer trace ran under qemu instead")
  else
    rest=$all
    skipped_why+=("$rest i686 Wine tests skipped: $ORBILUX_I686_WHY, and no qemu smoke run either: $ORBILUX_QEMU_WHY")
  fi
  total_skipped=$((total_skipped + rest))
fi
rm -rf "$junit_dir"

# count_step NAME COMMAND...: one more result, passed when COMMAND succeeds.
count_step() {
  local name=$1; shift
  echo "== $name"
  if "$@"; then
    total_passed=$((total_passed + 1))
  else
    total_failed=$((total_failed + 1)); echo "test: $name failed"; failed_names+=("$name")
  fi
}
# The release artefacts (installer, zip, checksums) from the builds above,
# and a short fuzzing run of every target (scripts/fuzz.sh for longer ones).
if [ "$only" != i686 ]; then
  count_step package env ORBILUX_SKIP_SETUP=1 bash scripts/package.sh
  count_step fuzz bash scripts/fuzz.sh 20
fi

echo "== all tests took $(( $(date +%s) - start )) s"
summary="$total_passed passed, $total_failed failed"
if [ "$total_skipped" -gt 0 ]; then
  why=$(printf '%s; ' "${skipped_why[@]}")
  echo "skipped: ${why%; }"
  summary+=", $total_skipped skipped"
fi
# The tail of a log names what failed.
for name in "${failed_names[@]+"${failed_names[@]}"}"; do
  echo "failed: $name"
done
echo "$summary"
[ "$total_failed" -eq 0 ]
