#!/usr/bin/env bash
# Sets up, builds and runs every test: the native suite (also under
# AddressSanitizer and UndefinedBehaviorSanitizer), and the i686 and x86_64
# builds' suites under Wine on an Xvfb display of their own.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
start=$(date +%s)

bash scripts/setup.sh || exit 1
ORBILUX_SKIP_SETUP=1 bash scripts/build.sh native asan i686 x86_64 || { echo "0 passed, 1 failed: build"; exit 1; }

source scripts/test-env.sh
orbilux_env_start || { echo "0 passed, 1 failed: test display or Wine prefix"; exit 1; }
trap orbilux_env_stop EXIT

total_passed=0 total_failed=0
for config in native asan i686 x86_64; do
  echo "== test $config"
  log=$(mktemp)
  (cd "build/$config" && ctest -j2 --output-on-failure --timeout 300) 2>&1 | tee "$log"
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$summary" ]; then
    total_failed=$((total_failed + 1))
    echo "test: no result from $config"
  else
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    count=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    total_failed=$((total_failed + failed))
    total_passed=$((total_passed + count - failed))
  fi
  rm -f "$log"
done

echo "== all tests took $(( $(date +%s) - start )) s"
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
