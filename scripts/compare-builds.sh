#!/usr/bin/env bash
# Runs the same random renderer runs on every build present (native, i686 and
# x86_64 under Wine, and the WebAssembly renderer under node when built) and
# counts the runs whose whole trace differs from the native build's.
# Usage: scripts/compare-builds.sh [RUNS] [TICKS]   (default 40 runs of 1800)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-40} ticks=${2:-1800}
cd "$root"
source scripts/test-env.sh
orbilux_env_start >/dev/null || exit 1
trap orbilux_env_stop EXIT
work=$(mktemp -d)

# digests BUILD COMMAND...: one trace digest a run, into $work/BUILD.
digests() {
  local build=$1; shift
  bash tests/render/random_runs.sh 100 $((99 + runs)) "$ticks" | while read -r args; do
    (cd "$work" && "$@" $args --trace "$build.trace" >/dev/null 2>&1) || echo "failed: $args" >&2
    sha256sum <"$work/$build.trace" | cut -c1-64
  done >"$work/$build"
}

digests native "$root/build/native/render/orbilux-render"
for build in i686 x86_64; do
  exe=build/$build/render/orbilux-render.exe
  [ -f "$exe" ] || continue
  [ "$build" = i686 ] && [ "$ORBILUX_I686_WINE" != 1 ] && { echo "$build: skipped: $ORBILUX_I686_WHY"; continue; }
  digests "$build" wine "$root/$exe"
done
[ -f build/web/render/orbilux-render.js ] && digests web node "$root/build/web/render/orbilux-render.js"
for build in i686 x86_64 web; do
  [ -f "$work/$build" ] || continue
  echo "$build: $(paste -d' ' "$work/native" "$work/$build" | awk '$1 != $2' | wc -l) of $runs runs differ from native"
done
rm -rf "$work"
