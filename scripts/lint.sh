#!/usr/bin/env bash
# The project's habits, checked: the C and C++ files formatted as
# .clang-format says, and the product's sources clean under .clang-tidy.
#   scripts/lint.sh format              every tracked .c, .cpp and .h file
#   scripts/lint.sh tidy [BUILD_DIR]    the product's sources in BUILD_DIR's
#                                       compile_commands.json (default build/native)
# Files whose first line says "Written by ...: do not edit" come from a
# generator, which checks them itself, and are left out. Exits 1 on any
# violation, naming each file.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

written_by_hand() {
  local file
  while read -r file; do
    head -n 1 "$file" | grep -q '^// Written by .*do not edit' || echo "$file"
  done
}

case ${1:-} in
format)
  files=$(git ls-files '*.c' '*.cpp' '*.h' | written_by_hand)
  # shellcheck disable=SC2086
  if ! clang-format --dry-run -Werror $files; then
    echo "lint: formatting differs from .clang-format; run clang-format -i on the files above"
    exit 1
  fi
  echo "lint: $(echo "$files" | wc -l) files formatted as .clang-format says"
  ;;
tidy)
  build=${2:-build/native}
  if [ ! -f "$build/compile_commands.json" ]; then
    echo "lint: no $build/compile_commands.json; build it first (scripts/build.sh native)"
    exit 1
  fi
  # The product: every source but the tests', the benchmarks' and the fuzz
  # targets', and nothing generated into the build tree.
  files=$(python3 -c '
import json, os, sys
root = os.getcwd() + "/"
for entry in json.load(open(sys.argv[1])):
    f = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    if f.startswith(root) and not f.startswith(root + "build") and \
            f[len(root):].split("/")[0] not in ("tests", "bench", "fuzz", "testkit"):
        print(f[len(root):])' "$build/compile_commands.json" | sort -u | written_by_hand)
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  # The compilers' own warnings are the builds' business (-Werror there):
  # clang's differ (its -Wconversion takes in sign changes), so -w.
  # shellcheck disable=SC2086
  run-clang-tidy -quiet -j 2 -extra-arg=-w -p "$build" $files 2>&1 | sed 's/\x1b\[[0-9;]*m//g' >"$log"
  status=${PIPESTATUS[0]}
  if grep -E -A3 ': (warning|error):' "$log"; then
    echo "lint: clang-tidy found the faults above (checks in .clang-tidy)"
    exit 1
  fi
  if [ $status -ne 0 ]; then
    tail -20 "$log"
    echo "lint: clang-tidy failed"
    exit 1
  fi
  echo "lint: $(echo "$files" | wc -l) product sources clean under .clang-tidy"
  ;;
*)
  echo "usage: scripts/lint.sh format | tidy [BUILD_DIR]" >&2
  exit 2
  ;;
esac
