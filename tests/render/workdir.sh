# Sourced by the renderer's shell tests: `workdir NAME` makes a working folder
# orbilux-NAME-PID-XXXXXX in the temporary folder, removed on exit, and first
# removes those that processes no longer running left behind (ctest ends a
# test that runs over its time with SIGKILL, which runs no trap).
workdir() {
  local tmp=${TMPDIR:-/tmp} dir pid
  for dir in "$tmp/orbilux-$1-"*; do
    pid=${dir#"$tmp/orbilux-$1-"}; pid=${pid%%-*}
    [ -d "$dir" ] && [[ $pid =~ ^[0-9]+$ ]] && ! kill -0 "$pid" 2>/dev/null && rm -rf "$dir"
  done
  work=$(mktemp -d "$tmp/orbilux-$1-$$-XXXXXX") || exit 1
  trap 'rm -rf "$work"' EXIT
}
