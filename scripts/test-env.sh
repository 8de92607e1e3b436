# Sourced by the test and run scripts: starts an Xvfb display and prepares a
# Wine prefix of the project's own, then exports DISPLAY and WINEPREFIX.
#   ORBILUX_WINE_DIR  where prefixes live (default: build/wine)
# Call orbilux_env_stop when done.

orbilux_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ORBILUX_WINE_DIR=${ORBILUX_WINE_DIR:-$orbilux_root/build/wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
unset WINEARCH

# A template prefix, made once: 64-bit (it runs the i686 programs too), no
# window-manager close delay, Wine's own fonts for the dialog.
orbilux_make_template() {
  local t=$ORBILUX_WINE_DIR/template
  [ -f "$t/.ready" ] && return 0
  rm -rf "$t"; mkdir -p "$ORBILUX_WINE_DIR"
  echo "test-env: creating Wine prefix template (about 20 s)"
  WINEPREFIX=$t wineboot -i >/dev/null 2>&1
  WINEPREFIX=$t wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  WINEPREFIX=$t wineserver -w
  mkdir -p "$t/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/* "$t/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$t/.ready"
}

# orbilux_new_prefix DIR: a fresh prefix cloned from the template (hard links,
# with the registry files copied so the template stays untouched).
orbilux_new_prefix() {
  local n=$1 t=$ORBILUX_WINE_DIR/template f
  rm -rf "$n"
  cp -al "$t" "$n"
  for f in "$t"/*.reg; do cp --remove-destination "$f" "$n/${f##*/}"; done
}

orbilux_start_display() {
  if [ -n "${ORBILUX_XVFB_PID:-}" ]; then return 0; fi
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  ORBILUX_XVFB_PID=$!
  local d; read -r -t 20 d <"$fifo"; rm -f "$fifo"
  if [ -z "$d" ]; then echo "test-env: Xvfb did not start" >&2; return 1; fi
  export DISPLAY=:$d ORBILUX_XVFB_PID
}

orbilux_env_start() {
  orbilux_make_template || return 1
  orbilux_start_display || return 1
  export WINEPREFIX=$ORBILUX_WINE_DIR/run
  orbilux_new_prefix "$WINEPREFIX"
  orbilux_start_wineserver
}

# Starts the prefix's wineserver and Wine's background services here, with
# no inherited output: a service started by the first program of a test run
# would otherwise hold that test's output pipe open and CTest would wait on it.
orbilux_start_wineserver() {
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

orbilux_env_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  [ -n "${ORBILUX_XVFB_PID:-}" ] && kill "$ORBILUX_XVFB_PID" 2>/dev/null
  unset ORBILUX_XVFB_PID
}
