#!/usr/bin/env bash
# orbilux without a display: bad input gets one clear message (status 2, before
# the display is opened: nothing drawn); a settings file's bad line is named and
# the run goes on; orbilux.xml parses and every option it offers is accepted;
# cmake --install puts hack, configuration, man page and Debian's files in place.
# Usage: hack_test.sh BUILD_DIR ORBILUX_XML
set -u
build=$1 xml=$2 saver=$1/x11/orbilux
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
# No display: a line that is accepted ends with status 1 at opening it.
run() { env -u DISPLAY -u XSCREENSAVER_WINDOW XDG_CONFIG_HOME="$tmp/cfg" "$saver" "$@" >"$tmp/out" 2>"$tmp/err"; }

while IFS='|' read -r args message; do
  # shellcheck disable=SC2086
  run $args; status=$?
  check "'$args': status $status, $(cat "$tmp/err")" test "$status" = 2 -a "$(cat "$tmp/err")" = "orbilux: $message"
done <<'CASES'
-bogus|unknown option '-bogus' (try -help)
--window-id x|--window-id: expected a window id (decimal or 0x hex), got 'x' (try -help)
-window-id 0|-window-id: expected a window id (decimal or 0x hex), got '0' (try -help)
-seed|-seed: missing value (try -help)
-seed 12x|-seed: expected a number from 0 to 4294967295, got '12x' (try -help)
-geometry 0x10|-geometry: expected WxH with sizes from 1 to 16384, got '0x10' (try -help)
-object-size 501|-object-size: expected a number from 0 to 500, got '501' (try -help)
-colour pink|-colour: expected high, medium or low; got 'pink' (try -help)
-shape circle,blob|-shape: expected circle, square, triangle, four-point-star, diamond, pyramid, six-point-star, eight-point-star; got 'circle,blob' (try -help)
-RadiusFactor 1.5|-RadiusFactor: expected a 32-bit number (decimal or 0x hex), got '1.5' (try -help)
-settings /nonexistent/orbilux|cannot read settings file '/nonexistent/orbilux': No such file or directory
-settings /|cannot read settings file '/': Is a directory
CASES

mkdir -p "$tmp/cfg/orbilux" && printf 'object-size=0\nJoinTheDots 1\n' >"$tmp/cfg/orbilux/settings"
run -seed 1; status=$?
check "settings file: status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = \
  "orbilux: $tmp/cfg/orbilux/settings:2: expected NAME=VALUE, got 'JoinTheDots 1'
orbilux: cannot open display"
rm "$tmp/cfg/orbilux/settings"

run -help; check "-help: status $?" test $? = 0
check "-help lists -window-id" grep -q -- "-window-id ID" "$tmp/out"

# Every argument the configuration file offers, at its slider's ends.
python3 - "$xml" >"$tmp/lines" <<'PY' || fail "$xml does not parse"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "screensaver" and root.get("name") == "orbilux"
for e in root.iter():
    for a in filter(None, (e.get("arg"), e.get("arg-set"), e.get("arg-unset"))):
        print("\n".join(a.replace("%", e.get(k)) for k in ("low", "high", "default")) if "%" in a else a)
PY
check "more than 20 options in $xml" test "$(wc -l <"$tmp/lines")" -gt 20
while read -r line; do
  # shellcheck disable=SC2086
  run $line; status=$?
  check "'$line' from $xml: status $status: $(cat "$tmp/err")" test "$status" = 1
done <"$tmp/lines"

expected=$(printf '/usr/%s\n' libexec/xscreensaver/orbilux share/doc/orbilux/changelog.gz share/doc/orbilux/copyright \
  share/lintian/overrides/orbilux share/man/man6/orbilux.6.gz share/xscreensaver/config/orbilux.xml)
DESTDIR=$tmp/root cmake --install "$build" >/dev/null || fail "cmake --install"
installed=$(cd "$tmp/root" && find . -type f | sed 's/^\.//' | sort)
check "cmake --install gave: $installed" test "$installed" = "$expected" -a -x "$tmp/root/usr/libexec/xscreensaver/orbilux"
summary
