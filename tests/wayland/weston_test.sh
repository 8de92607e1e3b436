#!/usr/bin/env bash
# orbilux-wayland where the compositor has no layer shell (weston's headless
# backend, as GNOME): one line on standard error and status 1, at once (the
# test allows 5 s); and with no compositor at all, the same.
# Usage: weston_test.sh BUILD_DIR   (exit 77: no weston here)
set -u
saver=$1/wayland/orbilux-wayland
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
source "$(dirname "${BASH_SOURCE[0]}")/sway-session.sh"
command -v weston >/dev/null || skip "no weston here (scripts/setup.sh installs it)"
own_runtime wayland-w

# run_saver: the saver's status, message and time in $status, $err, $took.
run_saver() {
  local start=$SECONDS
  timeout 5 "$saver" -seed 1 2>"$RT/err"; status=$?
  took=$((SECONDS - start)) err=$(cat "$RT/err")
}

run_saver
check "no compositor: status $status, '$err'" test "$status" = 1 -a \
  "$err" = "orbilux-wayland: cannot connect to the Wayland display 'wayland-w'"

weston --backend=headless-backend.so --no-config --socket=wayland-w >"$RT/weston.log" 2>&1 &
compositor_pid=$!
within 20 test -S "$RT/wayland-w" || skip "weston did not start: $(tail -2 "$RT/weston.log")"
run_saver
check "no layer shell: status $status, '$err'" test "$status" = 1 -a \
  "$err" = "orbilux-wayland: this compositor has no layer shell (zwlr_layer_shell_v1): nothing can be shown on it"
check "no layer shell: at once (took $took s)" test "$took" -le 5
summary
