#!/usr/bin/env bash
# orbilux's command line and settings file without a display: bad input gets
# one clear message (status 2 for the command line), and every option that
# orbilux.xml offers is accepted.
# Usage: cli_test.sh ORBILUX ORBILUX_XML
set -u
saver=$1 xml=$2
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# No display: a line that is accepted ends with status 1 at opening it.
run() { env -u DISPLAY -u XSCREENSAVER_WINDOW XDG_CONFIG_HOME="$tmp/none" "$saver" "$@" >"$tmp/out" 2>"$tmp/err"; }

# Refused command lines: status 2, one line naming the problem.
while IFS='|' read -r args message; do
  # shellcheck disable=SC2086
  run $args; status=$?
  [ "$status" = 2 ] || fail "'$args': status $status, expected 2"
  [ "$(wc -l <"$tmp/err")" = 1 ] && grep -qF -- "$message" "$tmp/err" || fail "'$args': $(cat "$tmp/err")"
done <<'CASES'
-bogus|unknown option '-bogus'
-seed 12x|-seed: expected a number
--window-id|--window-id: missing value
-settings /|cannot read settings file '/': Is a directory
CASES

# A settings file: each bad line named once; the run goes on.
mkdir -p "$tmp/cfg/orbilux"
printf 'object-size=0\nJoinTheDots 1\nImagesPerSec=fast\n' >"$tmp/cfg/orbilux/settings"
env -u DISPLAY XDG_CONFIG_HOME="$tmp/cfg" "$saver" -seed 1 2>"$tmp/err"; status=$?
[ "$status" = 1 ] || fail "settings file: status $status, expected 1 (no display)"
grep -qF "$tmp/cfg/orbilux/settings:2: expected NAME=VALUE, got 'JoinTheDots 1'" "$tmp/err" &&
  grep -qF "settings:3: ImagesPerSec: expected a 32-bit number" "$tmp/err" &&
  [ "$(wc -l <"$tmp/err")" = 3 ] || fail "settings file messages: $(cat "$tmp/err")"

run -help; [ $? = 0 ] && grep -q -- "-window-id ID" "$tmp/out" || fail "-help"

# Every argument the configuration file offers, at its slider's ends.
python3 - "$xml" >"$tmp/lines" <<'PY' || fail "$xml does not parse"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "screensaver" and root.get("name") == "orbilux"
for e in root.iter():
    for key in ("arg", "arg-set", "arg-unset"):
        if e.get(key) is None:
            continue
        if "%" in e.get(key):
            for v in (e.get("low"), e.get("high"), e.get("default")):
                print(e.get(key).replace("%", v))
        else:
            print(e.get(key))
PY
[ "$(wc -l <"$tmp/lines")" -gt 20 ] || fail "too few options in $xml"
while read -r line; do
  # shellcheck disable=SC2086
  run $line; status=$?
  [ "$status" = 1 ] || fail "'$line' from $xml: status $status: $(cat "$tmp/err")"
done <"$tmp/lines"

[ "$failed" = 0 ] && echo "cli: all passed"
exit "$failed"
