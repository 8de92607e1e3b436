#!/usr/bin/env bash
# orbilux-wayland on KWin's virtual backend, with two outputs at scale 1.5:
# the fractional-scale path that sway 1.7 cannot take (it offers no
# wp_fractional_scale_v1). Each output's layer surface is configured at its
# logical size and drawn in buffers of its physical size shown through a
# viewport; SIGTERM ends it with 0 within a second, in either layer. grim
# cannot read KWin's screen, so what the client did is read from its own
# protocol log (WAYLAND_DEBUG).
# Usage: kwin_test.sh BUILD_DIR   (exit 77: no KWin here)
set -u
saver=$1/wayland/orbilux-wayland
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
source "$(dirname "${BASH_SOURCE[0]}")/sway-session.sh"
kwin=$(command -v kwin_wayland) || skip "no kwin_wayland here (scripts/setup.sh installs it)"
# A KWin left by a killed run runs from its folder's copy: end it with it.
for pid in $(pgrep -x kwin_wayland); do
  case $(readlink "/proc/$pid/exe") in
    /tmp/orbwl-*/kwin_wayland*)
      owner=$(readlink "/proc/$pid/exe") owner=${owner#/tmp/orbwl-} owner=${owner%%.*}
      [ -d "/proc/$owner" ] || kill -KILL "$pid" 2>/dev/null ;;
  esac
done
own_runtime wayland-k
# The packaged binary carries file capabilities that a container refuses; a
# plain copy (of the same name) runs.
cp "$kwin" "$RT/kwin_wayland"
(cd / && exec env -i HOME="$RT" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$RT" "$RT/kwin_wayland" --virtual \
  --no-lockscreen --no-global-shortcuts --no-kactivities --socket wayland-k --width 800 --height 600 \
  --output-count 2 --scale 1.5) >"$RT/kwin.log" 2>&1 &
compositor_pid=$!
within 30 test -S "$RT/wayland-k" || skip "KWin did not start: $(tail -2 "$RT/kwin.log")"

for layer in overlay background; do
  options=(-seed 5)
  [ "$layer" = background ] && options+=(-background)
  : >"$RT/log"  # there before the saver opens it, for the checks below
  WAYLAND_DEBUG=1 "$saver" "${options[@]}" 2>"$RT/log" &
  pid=$!
  # XRGB8888 (format 1) buffers of 1200 x 900, one output's physical size,
  # on two surfaces, each shown at 800 x 600.
  buffers() { [ "$(grep -c 'create_buffer(new id wl_buffer@[0-9]*, [0-9]*, 1200, 900, 4800, 1)' "$RT/log")" -ge 2 ]; }
  surfaces() { [ "$(grep -o 'wl_surface@[0-9]*\.attach(wl_buffer' "$RT/log" | sort -u | wc -l)" -ge 2 ]; }
  check "$layer: physical-size buffers" within 20 buffers
  check "$layer: both outputs drawn" within 20 surfaces
  check "$layer: configured at the logical size" test \
    "$(grep -c 'zwlr_layer_surface_v1@[0-9]*\.configure([0-9]*, 800, 600)' "$RT/log")" -ge 2
  check "$layer: shown through a viewport" grep -q 'wp_viewport@[0-9]*\.set_destination(800, 600)' "$RT/log"
  kill -TERM "$pid"
  within 1 eval '! kill -0 "$pid" 2>/dev/null'
  ended=$?
  [ "$ended" = 0 ] || kill -KILL "$pid"
  wait "$pid"; status=$?
  check "$layer: SIGTERM ends it with 0 within a second (status $status)" test "$ended" = 0 -a "$status" = 0
  check "$layer: no protocol error" eval '! grep -q "error(\|Protocol error" "$RT/log"'
done
summary
