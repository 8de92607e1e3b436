# Sourced by the test and run scripts: finds out whether Wine's 32-bit half
# runs here, starts an Xvfb display and prepares a Wine prefix of the
# project's own, then exports DISPLAY and WINEPREFIX.
#   ORBILUX_WINE_DIR             where prefixes live (default: build/wine)
#   ORBILUX_FORCE_NO_I686_WINE=1 behave as on a machine without 32-bit programs
# Call orbilux_env_stop when done.

orbilux_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ORBILUX_WINE_DIR=${ORBILUX_WINE_DIR:-$orbilux_root/build/wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
unset WINEARCH

# Sets ORBILUX_I686_WINE to 1 when 32-bit Linux programs, and so Wine's 32-bit
# half, run natively here; else 0, with the reason in ORBILUX_I686_WHY. A
# qemu binfmt entry makes them "run" at about 50 s each, which is not native.
orbilux_detect_i686() {
  ORBILUX_I686_WINE=0
  if [ "${ORBILUX_FORCE_NO_I686_WINE:-0}" = 1 ]; then
    ORBILUX_I686_WHY="ORBILUX_FORCE_NO_I686_WINE=1 asks for the path without 32-bit programs"
  elif [ ! -x /usr/lib/wine/wine ]; then
    ORBILUX_I686_WHY="Wine's 32-bit half (wine32:i386) is not installed"
  elif compgen -G '/proc/sys/fs/binfmt_misc/*i386*' >/dev/null; then
    ORBILUX_I686_WHY="32-bit programs run here only through a binfmt emulator entry"
  elif ! timeout 20 /usr/lib/wine/wine --version >/dev/null 2>&1; then
    ORBILUX_I686_WHY="this kernel cannot run 32-bit Linux programs (no IA32 emulation)"
  else
    ORBILUX_I686_WINE=1 ORBILUX_I686_WHY=
  fi
}

# Where the 32-bit half cannot run, every Debian wrapper (wine, wineboot,
# winepath) would still pick it first: put a wine and a wine-stable that call
# the 64-bit loader first on PATH. The tests see ORBILUX_NO_I686_WINE=1.
orbilux_use_wine64() {
  local bin=$ORBILUX_WINE_DIR/bin64 name
  mkdir -p "$bin"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/$name"
    chmod +x "$bin/$name"
  done
  case ":$PATH:" in *":$bin:"*) ;; *) export PATH=$bin:$PATH ;; esac
  export WINELOADER=/usr/lib/wine/wine64 ORBILUX_NO_I686_WINE=1
}

# A template prefix, made once per kind: 64-bit (with the 32-bit half it runs
# the i686 programs too), no window-manager close delay, Wine's own fonts for
# the dialog. A prefix made without the 32-bit half is kept apart.
orbilux_make_template() {
  local t=$ORBILUX_TEMPLATE
  [ -f "$t/.ready" ] && return 0
  rm -rf "$t"; mkdir -p "$ORBILUX_WINE_DIR"
  echo "test-env: creating Wine prefix template (about 20 s)"
  WINEPREFIX=$t wineboot -i </dev/null >/dev/null 2>&1
  WINEPREFIX=$t wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  WINEPREFIX=$t wineserver -w
  if [ ! -f "$t/system.reg" ] || [ ! -f "$t/user.reg" ]; then
    echo "test-env: Wine did not create a prefix in $t" >&2
    WINEPREFIX=$t wineserver -k 2>/dev/null
    return 1
  fi
  mkdir -p "$t/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/* "$t/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$t/.ready"
}

# orbilux_new_prefix DIR: a fresh prefix cloned from the template (hard links,
# with the registry files copied so the template stays untouched).
orbilux_new_prefix() {
  local n=$1 t=$ORBILUX_TEMPLATE f
  rm -rf "$n"
  cp -al "$t" "$n" || return 1
  for f in "$t"/*.reg; do cp --remove-destination "$f" "$n/${f##*/}" || return 1; done
}

orbilux_start_display() {
  if [ -n "${ORBILUX_XVFB_PID:-}" ]; then return 0; fi
  local fifo d=; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  ORBILUX_XVFB_PID=$!
  read -r -t 20 d <"$fifo"; rm -f "$fifo"
  if [ -z "$d" ]; then
    echo "test-env: Xvfb did not start" >&2
    kill "$ORBILUX_XVFB_PID" 2>/dev/null; unset ORBILUX_XVFB_PID
    return 1
  fi
  export DISPLAY=:$d ORBILUX_XVFB_PID
}

# Chooses the Wine side (see orbilux_detect_i686) and sets ORBILUX_TEMPLATE.
orbilux_choose_wine() {
  orbilux_detect_i686
  if [ "$ORBILUX_I686_WINE" = 1 ]; then
    ORBILUX_TEMPLATE=$ORBILUX_WINE_DIR/template
  else
    orbilux_use_wine64
    ORBILUX_TEMPLATE=$ORBILUX_WINE_DIR/template64
  fi
  export ORBILUX_I686_WINE ORBILUX_TEMPLATE
}

# Display, prefix and wineserver; on any failure, nothing is left running.
orbilux_env_start() {
  orbilux_choose_wine
  if orbilux_make_template && orbilux_start_display; then
    export WINEPREFIX=$ORBILUX_WINE_DIR/run
    if orbilux_new_prefix "$WINEPREFIX" && orbilux_start_wineserver; then
      return 0
    fi
    echo "test-env: the test prefix $WINEPREFIX does not start" >&2
  fi
  orbilux_env_stop
  return 1
}

# Starts the prefix's wineserver and Wine's background services here, with
# no inherited output: a service started by the first program of a test run
# would otherwise hold that test's output pipe open and CTest would wait on it.
orbilux_start_wineserver() {
  wineserver -p || return 1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

orbilux_env_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  [ -n "${ORBILUX_TEMPLATE:-}" ] && WINEPREFIX=$ORBILUX_TEMPLATE wineserver -k 2>/dev/null
  if [ -n "${ORBILUX_XVFB_PID:-}" ]; then
    kill "$ORBILUX_XVFB_PID" 2>/dev/null
    wait "$ORBILUX_XVFB_PID" 2>/dev/null
  fi
  unset ORBILUX_XVFB_PID
  return 0
}
