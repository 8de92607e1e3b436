#!/usr/bin/env bash
# Builds the libFuzzer targets (CMake preset "fuzz", clang with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60), one
# after the other on one process. Each starts from its seed corpus in
# fuzz/corpus/<target>/ and its working corpus in fuzz/findings/<target>/corpus/,
# which keeps the new entries; failing inputs (crash-*, leak-*, timeout-*,
# oom-*) and the log land in fuzz/findings/<target>/.
# Prints one line per target; exits 1 if any target found something.
# Usage: scripts/fuzz.sh [SECONDS]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}
case $seconds in ''|*[!0-9]*) echo "fuzz: SECONDS must be a whole number, got '$seconds'" >&2; exit 2 ;; esac
start=$(date +%s)

echo "== build fuzz"
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null || { echo "fuzz: build failed" >&2; exit 1; }

failed=0
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  program=build/fuzz/fuzz/fuzz_$target
  findings=fuzz/findings/$target
  [ -x "$program" ] || { echo "$target: no program $program"; failed=1; continue; }
  mkdir -p "$findings/corpus"
  before=$(ls "$findings" | grep -E '^(crash|leak|timeout|oom)-' | sort)
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$findings/corpus" "$seeds" >"$findings/log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$findings/log" | tail -1)
  found=$(comm -13 <(echo "$before") <(ls "$findings" | grep -E '^(crash|leak|timeout|oom)-' | sort) | tr '\n' ' ')
  if [ "$status" -ne 0 ] || [ -n "$found" ]; then
    echo "$target: ${runs:-?} runs, FOUND (exit $status): ${found:-see $findings/log}"
    grep -m1 -E 'ERROR: |runtime error|fuzz check failed' "$findings/log" | sed 's/^/  /'
    failed=1
  else
    echo "$target: ${runs:-?} runs in $seconds s, nothing found"
  fi
done
echo "== fuzzing took $(( $(date +%s) - start )) s"
exit $failed
