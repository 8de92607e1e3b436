# A headless sway for the Wayland tests, sourced by them. sway refuses to run
# as root, so as root it runs as an ordinary user made here (named
# orbwl-PID), on a runtime folder of its own (/tmp/orbwl-PID.XXXX); clients
# run as root on its socket. Leftovers of a run that was killed (users,
# their processes, folders with the orbwl- prefix and a process id that no
# longer runs) go at the start of the next.
# After sway_start: RT, WAYLAND_DISPLAY and SWAYSOCK are exported, and
# sway_stop (also run on exit) ends everything and removes user and folder.
# A test that cannot have sway here exits 77 (skipped) with the reason.
sway_user= sway_pid= RT= started=()
skip() { echo "$*: skipped"; exit 77; }

# kill_user USER: ends every process of a user the tests made, one by one by
# id, and removes the user (one with processes cannot be removed).
kill_user() {
  local pid
  for _ in $(seq 50); do
    pgrep -u "$1" >/dev/null || break
    for pid in $(pgrep -u "$1"); do kill -KILL "$pid" 2>/dev/null; done
    sleep 0.1
  done
  userdel "$1" 2>/dev/null
}

# Leftovers of runs that are over: a name carries its run's process id, and
# the runs still going (ctest runs several at once) keep theirs.
sway_clean_prefix() {
  local user dir pid
  for user in $(getent passwd | cut -d: -f1 | grep '^orbwl-[0-9]*$'); do
    pid=${user#orbwl-}
    [ -d "/proc/$pid" ] || kill_user "$user"
  done
  for dir in /tmp/orbwl-*; do
    pid=${dir#/tmp/orbwl-} pid=${pid%%.*}
    [ -d "$dir" ] && [ ! -d "/proc/$pid" ] && rm -rf "$dir"
  done
}

# started PID: a process of the test's (a saver, swayidle), ended by sway_stop.
started() { started+=("$1"); }

sway_stop() {
  local pid
  for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  started=()
  [ -n "$sway_pid" ] && kill -TERM "$sway_pid" 2>/dev/null && waitfor 30 eval '! kill -0 "$sway_pid" 2>/dev/null'
  if [ -n "$sway_user" ]; then
    kill_user "$sway_user"
  elif [ -n "$sway_pid" ]; then
    kill -KILL "$sway_pid" 2>/dev/null
  fi
  [ -n "$sway_pid" ] && wait "$sway_pid" 2>/dev/null
  [ -n "$RT" ] && rm -rf "$RT"
  sway_user= sway_pid= RT=
}

# waitfor TENTHS COMMAND...: true once COMMAND succeeds, trying every 0.1 s.
waitfor() {
  local n=$1; shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# within SECONDS COMMAND...: true once COMMAND succeeds, trying again and again.
within() {
  # Microseconds, so that a limit of one second is one whole second.
  local end=$((${EPOCHREALTIME//[.,]/} + $1 * 1000000)); shift
  while :; do
    "$@" && return 0
    [ "${EPOCHREALTIME//[.,]/}" -lt "$end" ] || return 1
    sleep 0.05
  done
}

# own_runtime: for a test that runs another compositor itself, a runtime
# folder of its own in $RT, exported with WAYLAND_DISPLAY=NAME (the socket
# the compositor is to make); the compositor whose process id the test puts
# in $compositor_pid is ended, and the folder removed, on exit.
compositor_pid=
own_runtime() {
  trap 'own_runtime_stop' EXIT
  trap 'exit 130' INT TERM
  [ "$(id -u)" -eq 0 ] && sway_clean_prefix
  RT=$(mktemp -d "/tmp/orbwl-$$.XXXX")
  chmod 700 "$RT"
  export XDG_RUNTIME_DIR=$RT WAYLAND_DISPLAY=$1
}
own_runtime_stop() {
  [ -n "$compositor_pid" ] && kill -KILL "$compositor_pid" 2>/dev/null && wait "$compositor_pid" 2>/dev/null
  [ -n "$RT" ] && rm -rf "$RT"
}

sway_ready() { [ -S "$RT/wayland-1" ] && ls "$RT"/sway-ipc.*.sock >/dev/null 2>&1; }

# sway_start: a fresh headless sway with HEADLESS-1, no Xwayland, no swaybg.
sway_start() {
  for p in sway swaymsg grim; do
    command -v "$p" >/dev/null || skip "no $p here (scripts/setup.sh installs it)"
  done
  trap 'sway_stop' EXIT
  trap 'exit 130' INT TERM
  local runas=()
  if [ "$(id -u)" -eq 0 ]; then
    sway_clean_prefix
    sway_user=orbwl-$$
    useradd -M -N -s /bin/sh "$sway_user" 2>/dev/null || skip "cannot make a user for sway"
    runas=(setpriv --reuid="$sway_user" --regid="$(id -g "$sway_user")" --init-groups)
  fi
  RT=$(mktemp -d "/tmp/orbwl-$$.XXXX")
  chmod 711 "$RT"
  [ -n "$sway_user" ] && chown "$sway_user" "$RT"
  printf 'xwayland disable\nswaybg_command -\n' >"$RT/sway.conf"
  chmod 644 "$RT/sway.conf"
  (cd / && exec "${runas[@]}" env -i HOME="$RT" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$RT" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$RT/sway.conf") >"$RT/sway.log" 2>&1 &
  sway_pid=$!
  if ! waitfor 200 sway_ready; then
    local log; log=$(tail -3 "$RT/sway.log")
    sway_stop
    skip "sway did not start: $log"
  fi
  export XDG_RUNTIME_DIR=$RT WAYLAND_DISPLAY=wayland-1
  SWAYSOCK=$(ls "$RT"/sway-ipc.*.sock)
  export SWAYSOCK
  waitfor 100 swaymsg -t get_outputs >/dev/null 2>&1 || skip "sway does not answer"
}

# screen FILE OUTPUT BYTES: the last BYTES of the output's picture as PPM
# (its RGB bytes, when BYTES is width x height x 3) into FILE.
screen() { grim -t ppm -o "$2" - 2>/dev/null | tail -c "$3" >"$1"; }
