#!/usr/bin/env bash
# Builds Orbilux: native (engine, renderer, tests, benchmark), i686 Windows
# (the product) and x86_64 Windows.
# Usage: scripts/build.sh [native|asan|i686|x86_64|all]...   (default: all)
# Set ORBILUX_SKIP_SETUP=1 to skip the package check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ "${ORBILUX_SKIP_SETUP:-0}" = 1 ] || bash scripts/setup.sh

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(all)
[ "${targets[0]}" = all ] && targets=(native asan i686 x86_64)

native_render=$root/build/native/render/orbilux-render
for t in "${targets[@]}"; do
  case $t in
    native) args=(-DCMAKE_BUILD_TYPE=Release) ;;
    asan)   args=(-DCMAKE_BUILD_TYPE=Debug -DORBILUX_SANITIZE=ON) ;;
    i686|x86_64)
      args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$t.cmake")
      [ -x "$native_render" ] && args+=(-DORBILUX_NATIVE_RENDER="$native_render") ;;
    *) echo "build: unknown configuration '$t' (native, asan, i686, x86_64 or all)" >&2; exit 2 ;;
  esac
  echo "== build $t"
  cmake -S . -B "build/$t" -G Ninja "${args[@]}" >/dev/null
  cmake --build "build/$t"
done
