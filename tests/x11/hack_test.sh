#!/usr/bin/env bash
# orbilux without a display: bad input gets one clear message (status 2, before
# the display is opened: nothing drawn); every option -help shows is accepted,
# with one dash or two, and every setting among them in the settings file; a
# settings file's bad line is named, escaped, and the run goes on; a settings
# file that is no regular file or too large is refused at once (status 2 when
# named, the defaults at the default path), a byte-order mark is skipped,
# under XScreenSaver the default file is not read; values the load rules
# replace are named; orbilux.xml
# parses and every option it offers is accepted; cmake --install puts hack,
# configuration, man page and Debian's files in place.
# Usage: hack_test.sh BUILD_DIR ORBILUX_XML
set -u
build=$1 xml=$2 saver=$1/x11/orbilux
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
# Every run has a home of its own: the tester's settings file would count.
mkdir -p "$tmp/home"
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/cfg
# No display: a line that is accepted ends with status 1 at opening it.
run() { env -u DISPLAY -u XSCREENSAVER_WINDOW XDG_CONFIG_HOME="$tmp/cfg" "$saver" "$@" >"$tmp/out" 2>"$tmp/err"; }

while IFS='|' read -r args message; do
  # shellcheck disable=SC2086
  run $args; status=$?
  check "'$args': status $status, $(cat "$tmp/err")" test "$status" = 2 -a "$(cat "$tmp/err")" = "orbilux: $message"
done <<'CASES'
-bogus|unknown option '-bogus' (try -help)
root|unknown option 'root' (try -help)
-root=1|-root: takes no value (try -help)
-no-colour low|unknown option '-no-colour' (try -help)
--join-dots=2|--join-dots: expected a number from 0 to 1, got '2' (try -help)
-images-per-sec 0|-images-per-sec: expected a number from 1 to 1000, got '0' (try -help)
--zoom=|--zoom: expected low, medium, high, very-high, one-phase, two-phase, four-phase, start-small, start-large; got '' (try -help)
-window-id 0x12345x|-window-id: expected a window id (decimal or 0x hex), got '0x12345x' (try -help)
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
-settings /|cannot read settings file '/': a directory, not a file
CASES

nodisplay="orbilux: cannot open display: DISPLAY is not set"
mkdir -p "$tmp/cfg/orbilux" && printf 'object-size=0\nJoinTheDots 1\n\0\377=1\nzoom=low\001\n' >"$tmp/cfg/orbilux/settings"
run -seed 1; status=$?
check "settings file: status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = \
  "orbilux: $tmp/cfg/orbilux/settings:2: expected NAME=VALUE, got 'JoinTheDots 1'
orbilux: $tmp/cfg/orbilux/settings:3: unknown setting '\x00\xff'
orbilux: $tmp/cfg/orbilux/settings:4: zoom: expected low, medium, high, very-high, one-phase, two-phase, four-phase, start-small, start-large; got 'low\x01'
$nodisplay"
rm "$tmp/cfg/orbilux/settings"
DISPLAY=:99999 "$saver" >/dev/null 2>"$tmp/err"
check "a display that cannot be opened is named: $(cat "$tmp/err")" test "$(cat "$tmp/err")" = "orbilux: cannot open display ':99999'"
# With the test display, a window that is not there is named as it was typed.
skipped=()
env -u XSCREENSAVER_WINDOW XDG_CONFIG_HOME="$tmp/cfg" "$saver" -window-id 0x12345 >/dev/null 2>"$tmp/err"; status=$?
if grep -q "cannot open display" "$tmp/err"; then
  skipped+=("no window: no display here ($(cat "$tmp/err"))")
else
  check "no window: status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = "orbilux: no window '0x12345'"
fi

run -help; check "-help: status $?" test $? = 0
# Every option the help shows, with a value where it takes one (after an
# object size of 0, where joining the dots counts): on the command line with
# one dash and a separate value, and with two and '='; the settings
# among them as file lines NAME=VALUE (a flag with 1 or 0). A name missing
# here, or here and not in the help, fails.
touch "$tmp/empty"
options='root window window-id=0x2a geometry=10x10 seed=1 max-ticks=1 settings='$tmp/empty'
object-size=500 images-per-sec=1 join-dots no-join-dots shape=square,pyramid no-shape=circle rotation=clockwise
no-rotation=none colour=low color=medium zoom=very-high,start-small no-zoom=low RadiusFactor=600
ImagesPerSec=7 JoinTheDots=1 ObjectShape=510 ObjectRotation=0x0E ColourOption=-1 ZoomOption=0x3FE'
shown=$(sed -n 's/^  \(-[^ ,]*\( [A-Z]*\)\?\(, -[^ ,]*\( [A-Z]*\)\?\)\?\).*/\1/p; s/.*(also \(-[a-z]*\)).*/\1/p' "$tmp/out" |
  tr ',' '\n' | sed 's/^ *-\([^ ]*\).*/\1/' | grep -vx 'h\|help' | sort)
check "-help shows: $(echo $shown)" test "$shown" = "$(tr ' ' '\n' <<<"$options" | sed 's/=.*//' | grep . | sort)"
for option in $options; do
  name=${option%%=*} value=${option#*=}
  [ "$name" = "$option" ] && set -- "-$name" || set -- "-$name" "$value"
  for args in "$*" "-$option"; do
    # shellcheck disable=SC2086
    run -object-size 0 $args; status=$?
    check "'$args': status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = "$nodisplay"
  done
  case $name in root | window | window-id | geometry | seed | max-ticks | settings) continue ;; esac
  [ "$name" = "$option" ] && value=1
  echo "$name=$value" >>"$tmp/every"
  [ "$name" = "$option" ] && echo "$name=0" >>"$tmp/every"
done
cp "$tmp/every" "$tmp/cfg/orbilux/settings"
run; status=$?
check "settings file of every setting: status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = \
  "orbilux: the saver's load rules replaced: JoinTheDots=1 was replaced by 0
$nodisplay"
rm "$tmp/cfg/orbilux/settings"

# Stored values the load rules replace are named, as the page names them;
# friendly options cannot be out of range.
run -ImagesPerSec 5000 -RadiusFactor 29; status=$?
check "a replaced value is named: $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = \
  "orbilux: the saver's load rules replaced: ImagesPerSec=5000 was replaced by 50
$nodisplay"

# Settings files that cannot be used: named, status 2 before the display, at
# once (a FIFO with no writer must not block); at the default path, the
# reason and the defaults. A byte-order mark is no part of the first name.
mkfifo "$tmp/fifo"
head -c $((1024 * 1024 + 1)) /dev/zero | tr '\0' '#' >"$tmp/big"
printf '\357\273\277object-size=12\n' >"$tmp/bom"
for file in fifo big; do
  why=$([ $file = fifo ] && echo "not a regular file" || echo "larger than 1024 KiB")
  timeout 10 env -u DISPLAY "$saver" -settings "$tmp/$file" >/dev/null 2>"$tmp/err"; status=$?
  check "-settings $file: status $status, $(cat "$tmp/err")" test "$status" = 2 -a "$(cat "$tmp/err")" = \
    "orbilux: cannot read settings file '$tmp/$file': $why"
  ln -sf "$tmp/$file" "$tmp/cfg/orbilux/settings"
  timeout 10 env -u DISPLAY -u XSCREENSAVER_WINDOW XDG_CONFIG_HOME="$tmp/cfg" "$saver" >/dev/null 2>"$tmp/err"; status=$?
  check "$file at the default path: status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = \
    "orbilux: cannot read settings file '$tmp/cfg/orbilux/settings': $why; drawing with the default settings
$nodisplay"
  rm "$tmp/cfg/orbilux/settings"
done
run -settings "$tmp/bom"; status=$?
check "a byte-order mark is skipped: status $status, $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = "$nodisplay"

# Under XScreenSaver its settings window decides: the default file is not
# read (not even a FIFO), and it says so; a named one is.
ln -s "$tmp/fifo" "$tmp/cfg/orbilux/settings"
timeout 10 env -u DISPLAY XSCREENSAVER_WINDOW=0x2a XDG_CONFIG_HOME="$tmp/cfg" "$saver" >/dev/null 2>"$tmp/err"; status=$?
check "under XScreenSaver the default file is not read: status $status, $(cat "$tmp/err")" test "$status" = 1 -a \
  "$(cat "$tmp/err")" = "orbilux: under XScreenSaver its settings window decides; '$tmp/cfg/orbilux/settings' is not read
$nodisplay"
rm "$tmp/cfg/orbilux/settings"
timeout 10 env -u DISPLAY XSCREENSAVER_WINDOW=0x2a "$saver" -settings "$tmp/big" >/dev/null 2>"$tmp/err"; status=$?
check "under XScreenSaver a named file is read: status $status" test "$status" = 2

# Every argument the configuration file offers, at its numbers' ends and
# defaults (at object size 0, where joining the dots counts).
python3 - "$xml" >"$tmp/lines" <<'PY' || fail "$xml does not parse"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "screensaver" and root.get("name") == "orbilux"
# A typed number (a string element) at the ends and the default its label names.
import re
for e in root.iter():
    for a in filter(None, (e.get("arg"), e.get("arg-set"), e.get("arg-unset"))):
        if e.tag == "string":
            values = re.search(r"\((\d+) to (\d+); empty: (\d+)\)", e.get("_label")).groups()
        else:
            values = [e.get(k) for k in ("low", "high", "default")]
        print("\n".join(a.replace("%", v) for v in values) if "%" in a else a)
PY
check "more than 20 options in $xml" test "$(wc -l <"$tmp/lines")" -gt 20
while read -r line; do
  # shellcheck disable=SC2086
  run -object-size 0 $line; status=$?
  check "'$line' from $xml: status $status: $(cat "$tmp/err")" test "$status" = 1 -a "$(cat "$tmp/err")" = "$nodisplay"
done <"$tmp/lines"

expected=$(printf '/usr/%s\n' bin/orbilux-render libexec/xscreensaver/orbilux share/doc/orbilux/changelog.gz \
  share/doc/orbilux/copyright share/lintian/overrides/orbilux share/man/man1/orbilux-render.1.gz \
  share/man/man6/orbilux.6.gz share/xscreensaver/config/orbilux.xml)
# The Wayland saver, where the build made it.
[ -x "$build/wayland/orbilux-wayland" ] &&
  expected=$(printf '%s\n' "$expected" /usr/bin/orbilux-wayland /usr/share/man/man6/orbilux-wayland.6.gz | sort)
DESTDIR=$tmp/root cmake --install "$build" >/dev/null || fail "cmake --install"
installed=$(cd "$tmp/root" && find . -type f | sed 's/^\.//' | sort)
check "cmake --install gave: $installed" test "$installed" = "$expected" -a -x "$tmp/root/usr/libexec/xscreensaver/orbilux"
for s in "${skipped[@]}"; do echo "SKIP: $s"; done
echo "${#skipped[@]} skipped"
summary
