# Counting for the shell tests: `check WHAT COMMAND...` runs the command and
# counts a pass, or prints "FAIL: WHAT"; `fail TEXT` counts a failure found
# another way; `summary` prints the counts and fails if anything failed.
passed=0 failed=0
check() {
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else fail "$what"; fi
}
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
summary() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }
