#!/usr/bin/env bash
# Usage: run-in-own-prefix.sh NAME PROGRAM [ARGS...]
# Runs a Windows test program under Wine in a fresh prefix NAME (cloned from
# the template of scripts/test-env.sh) with a wineserver of its own, which is
# ended afterwards, so registry changes and the saver-running state never
# reach other suites. Uses $DISPLAY when set, else starts an Xvfb display.
set -u
name=$1; shift
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/test-env.sh"
orbilux_make_template || exit 1
own_display=
if [ -z "${DISPLAY:-}" ]; then
  unset ORBILUX_XVFB_PID
  orbilux_start_display || exit 1
  own_display=$ORBILUX_XVFB_PID
fi
export WINEPREFIX=$ORBILUX_WINE_DIR/$name
orbilux_new_prefix "$WINEPREFIX"
# The stand-in MPR.DLL beside the saver is used only when native comes first.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;mpr=n,b"
orbilux_start_wineserver
wine "$@"
status=$?
wineserver -k
[ -n "$own_display" ] && kill "$own_display"
rm -rf "$WINEPREFIX"
exit $status
