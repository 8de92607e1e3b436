#!/usr/bin/env bash
# Builds Orbilux through the CMake presets (CMakePresets.json): native
# (engine, renderer, tests, benchmark), asan, i686 Windows (the product) and
# x86_64 Windows, and the WebAssembly page (web), each into build/<name>.
# Usage: scripts/build.sh [native|asan|i686|x86_64|web|all]...   (default: all)
# Set ORBILUX_SKIP_SETUP=1 to skip the package check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ "${ORBILUX_SKIP_SETUP:-0}" = 1 ] || bash scripts/setup.sh

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(all)
[ "${targets[0]}" = all ] && targets=(native asan i686 x86_64)

for t in "${targets[@]}"; do
  case $t in
    native|asan|i686|x86_64|web) ;;
    *) echo "build: unknown configuration '$t' (native, asan, i686, x86_64, web or all)" >&2; exit 2 ;;
  esac
  echo "== build $t"
  cmake --preset "$t" >/dev/null
  cmake --build --preset "$t"
done
