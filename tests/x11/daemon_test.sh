#!/usr/bin/env bash
# orbilux under the real XScreenSaver daemon, as an ordinary user (the daemon
# starts no hack as root) on an Xvfb display of the test's own, with a
# ~/.xscreensaver that names it: activating shows its figure on the screen
# (many lit pixels of many colours), deactivating ends it within a second,
# and nothing is left running.
# The second is the daemon's: it gives a hack that long between SIGTERM and
# SIGKILL. strace times the hack alone, from the signal's delivery to its
# exit; orbilux needs a few milliseconds of it, so a busy machine has almost
# the whole second as margin before the check fails.
# A run killed before its clean-up (ctest's SIGKILL skips the EXIT trap)
# leaves its user orbilux-t<PID> and that user's folder: the next run removes
# those whose PID is gone (no real account is named so).
# Usage: daemon_test.sh BUILD_DIR   (exit 77: no daemon, user or display here)
set -u
build=$1
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
skip() { echo "$*: skipped"; exit 77; }
for p in xscreensaver xscreensaver-command Xvfb xwd convert strace; do
  command -v "$p" >/dev/null || skip "no $p here (scripts/setup.sh installs it)"
done
if [ "$(id -u)" -eq 0 ]; then
  for left in $(getent passwd | cut -d: -f1 | grep -x 'orbilux-t[0-9]\+'); do
    kill -0 "${left#orbilux-t}" 2>/dev/null && continue
    folder=$(getent passwd "$left" | cut -d: -f6)
    for pid in $(pgrep -u "$left"); do kill -KILL "$pid" 2>/dev/null; done
    userdel "$left" 2>/dev/null && echo "removed $left, left by a killed run"
    case $folder in /tmp/tmp.*/home) rm -rf "${folder%/home}" ;; esac
  done
fi
tmp=$(mktemp -d)
chmod 755 "$tmp"
user= xvfb= d=
# The user's processes on this display: the daemon, its helpers, the hack.
ours() {
  local pid
  for pid in $(pgrep -u "$owner"); do
    { tr '\0' '\n' <"/proc/$pid/environ" | grep -qx "DISPLAY=:$d" && echo "$pid $(cat "/proc/$pid/comm")"; } 2>/dev/null
  done
}
cleanup() {
  if [ -n "$user" ]; then
    for pid in $(pgrep -u "$user"); do kill -KILL "$pid" 2>/dev/null; done
    userdel "$user" 2>/dev/null
  elif [ -n "$d" ]; then
    for pid in $(ours | cut -d' ' -f1); do kill -KILL "$pid" 2>/dev/null; done
  fi
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

# The user: a new one when we are root, else ourselves.
home=$tmp/home
mkdir -p "$home"
if [ "$(id -u)" -eq 0 ]; then
  user=orbilux-t$$
  useradd -M -N -d "$home" -s /bin/sh "$user" 2>"$tmp/err" || skip "cannot make a user: $(cat "$tmp/err")"
  chown "$user" "$home"
  as_user() { runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$home" DISPLAY="$DISPLAY" "$@"; }
  owner=$user
else
  as_user() { env -i PATH=/usr/bin:/bin HOME="$home" DISPLAY="$DISPLAY" "$@"; }
  owner=$(id -un)
fi
# The hack where the user may run it, at 1000 ticks a second to fill the screen soon.
install -m 755 "$build/x11/orbilux" "$tmp/orbilux"
cat >"$home/.xscreensaver" <<CONFIG
mode: one
selected: 0
timeout: 1:00:00
lock: False
fade: False
unfade: False
splash: False
programs: "Orbilux" $tmp/orbilux --root -images-per-sec 1000 \n
CONFIG
chown "$owner" "$home/.xscreensaver"

fifo=$tmp/fifo; mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r -t 20 d <"$fifo"
[ -n "${d:-}" ] || skip "Xvfb did not start"
export DISPLAY=:$d

# waitfor TENTHS COMMAND...: true once COMMAND succeeds, polling every 0.1 s.
waitfor() {
  local n=$1; shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done
  return 1
}
# The daemon; started once more if the first one ends without answering.
for attempt in 1 2; do
  as_user xscreensaver -no-splash >"$tmp/daemon.log" 2>&1 &
  daemon=$!
  waitfor 300 as_user xscreensaver-command -time >/dev/null 2>&1 && break
  kill -0 "$daemon" 2>/dev/null && state=running || { wait "$daemon"; state="ended with status $?"; }
  [ "$attempt" = 2 ] && skip "the daemon did not answer (it $state): $(tail -n 3 "$tmp/daemon.log")"
  for pid in $(ours | cut -d' ' -f1); do kill -KILL "$pid" 2>/dev/null; done
  wait "$daemon" 2>/dev/null
done

hack() { pgrep -u "$owner" -f "^$tmp/orbilux " >/dev/null; }
# Pixels and colours on the screen, read back, that mix red, green and blue
# as the figure's do (the daemon's own messages are shades of one colour).
lit() {
  xwd -root -silent >"$tmp/screen.xwd" 2>/dev/null || return 1
  convert "$tmp/screen.xwd" -format %c histogram:info:- 2>/dev/null | tr '(),:' '    ' |
    awk '$2 > 0 && $3 > 0 && $4 > 0 { n += $1; c++ } END { print n + 0, c + 0 }'
}
many() { set -- $(lit); [ "${1:-0}" -ge 300 ] && [ "${2:-0}" -ge 30 ]; }

as_user xscreensaver-command -activate >/dev/null 2>&1
check "activation starts orbilux (log: $(tail -n 2 "$tmp/daemon.log"))" waitfor 200 hack
check "the screen shows the figure: lit pixels and colours $(lit)" waitfor 200 many

# The hack's own end: strace notes the signal's delivery and the exit.
pid=$(pgrep -u "$owner" -f "^$tmp/orbilux " | head -n 1)
strace -p "$pid" -e trace=none -ttt -o "$tmp/strace" 2>"$tmp/strace.err" &
tracer=$!
check "strace attaches to orbilux" waitfor 100 grep -q attached "$tmp/strace.err"
as_user xscreensaver-command -deactivate >/dev/null 2>&1
check "deactivation ends orbilux" waitfor 300 eval '! hack'
wait "$tracer" 2>/dev/null
ms=$(awk '/--- SIGTERM/ { t = $1 } /\+\+\+ exited/ { if (t) printf "%d", ($1 - t) * 1000 }' "$tmp/strace")
echo "orbilux ended ${ms:-?} ms after its SIGTERM"
check "orbilux ends within 1 s of SIGTERM (${ms:-?} ms; trace: $(tr '\n' ' ' <"$tmp/strace"))" \
  test -n "$ms" -a "${ms:-1000}" -lt 1000

as_user xscreensaver-command -exit >/dev/null 2>&1
check "nothing left running: $(ours)" waitfor 50 eval '[ -z "$(ours)" ]'
summary
