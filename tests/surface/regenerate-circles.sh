#!/usr/bin/env bash
# Rewrites tests/data/gdi/circles.txt with the circles GDI draws under Wine
# (tests/surface/GdiCircles.cpp from the i686 build, or x86_64 where Wine's
# 32-bit half cannot run). Check the difference before committing it.
# Usage: tests/surface/regenerate-circles.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
source scripts/test-env.sh
trap 'set +e; orbilux_env_stop' EXIT
orbilux_env_start
config=i686
[ "$ORBILUX_I686_WINE" = 1 ] || config=x86_64
cmake --preset "$config" >/dev/null
cmake --build "build/$config" --target gdi_circles
wine "build/$config/tests/surface/gdi_circles.exe" | tr -d '\r' >tests/data/gdi/circles.txt
echo "regenerate-circles: $(wc -l <tests/data/gdi/circles.txt) lines from $config GDI"
