#!/usr/bin/env bash
# Runs one page suite (web_test.mjs), or says why it cannot and counts as
# skipped (77): no node, or no native renderer to compare with (the native
# build, with Xlib for the X11 saver, comes first).
# Usage: run_web_test.sh SUITE ENGINE PAGE_DIR RENDER SAVER
set -u
suite=$1 engine=$2 page=$3 render=$4 saver=$5
if ! command -v node >/dev/null; then
  echo "SKIP: no node to drive the browser"; exit 77
fi
if [ ! -x "$render" ]; then
  echo "SKIP: no native renderer at $render (build the native preset first)"; exit 77
fi
if [ "$suite" = downloads ] && [ ! -x "$saver" ]; then
  echo "SKIP: no X11 saver at $saver (the native build without Xlib headers has none)"; exit 77
fi
exec node "$(dirname "$0")/web_test.mjs" "$suite" "$engine" "$page" "$render" "$saver"
