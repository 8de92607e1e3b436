#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest, in the prefix and display that
# scripts/test-env.sh prepared. Exit status: the program's, modulo 256.
set -u
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winedbg.exe=d"}
if [ -z "${WINEPREFIX:-}" ]; then
  echo "wine-run: WINEPREFIX is not set; run the tests through scripts/test.sh" >&2
  exit 2
fi
exec wine "$@"
