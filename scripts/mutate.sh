#!/usr/bin/env bash
# Mutation run: puts one small fault at a time into a scratch copy of the
# tree, rebuilds the native configuration incrementally and runs its tests.
# A fault the tests notice is KILLED, one they miss SURVIVED; a fault that
# does not compile is INVALID, one whose text is no longer in its file (or
# is there more than once) is NOT FOUND. Neither of those counts. A run that
# ends by a time limit is a TIMEOUT, and a failing test that fails again on
# the unmutated tree is FLAKY: both are reported apart from the kills.
#
# Usage: scripts/mutate.sh [-l LIST] [-k TEXT]... [-r REV]
#   -l LIST   the mutant list (default scripts/mutants.txt)
#   -k TEXT   only the mutants whose list line contains TEXT (repeatable: a
#             line must contain every TEXT given)
#   -r REV    run against the tree of commit REV (its tests, say) instead of
#             the working tree
# List lines: FILE @@ ORIGINAL @@ REPLACEMENT @@ DESCRIPTION; '#' starts a
# comment. ORIGINAL must occur exactly once in FILE.
# Scratch tree and build: build/mutate; results also in build/mutate/results.txt.
# ORBILUX_MUTATE_TIMEOUT: seconds per test run (default 120).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/scripts/mutants.txt
filters=()
rev=""
while getopts "l:k:r:h" opt; do
  case $opt in
    l) list=$OPTARG ;;
    k) filters+=("$OPTARG") ;;
    r) rev=$OPTARG ;;
    *) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
  esac
done
[ -f "$list" ] || { echo "mutate: no mutant list '$list'" >&2; exit 2; }
work=$root/build/mutate
src=$work/src
bld=$work/build
limit=${ORBILUX_MUTATE_TIMEOUT:-120}
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
mkdir -p "$src" "$bld"
cp "$list" "$work/mutants.txt"  # the list may be edited while this runs
from=$root
if [ -n "$rev" ]; then
  from=$work/rev
  rm -rf "$from" && mkdir -p "$from"
  git -C "$root" archive "$rev" | tar -x -C "$from" || { echo "mutate: no commit '$rev'" >&2; exit 2; }
fi

# Copies the tree's files (tracked and new, not ignored) into the scratch
# tree, touching only what differs so that the build stays incremental.
sync_tree() {
  if [ -n "$rev" ]; then
    (cd "$from" && find . -type f | sed 's|^\./||') | sort >"$work/files"
  else
    (cd "$root" && git ls-files -co --exclude-standard) | sort >"$work/files"
  fi
  while read -r f; do
    [ -f "$from/$f" ] || continue
    if ! cmp -s "$from/$f" "$src/$f"; then
      mkdir -p "$src/$(dirname "$f")"
      cp "$from/$f" "$src/$f"
    fi
  done <"$work/files"
  (cd "$src" && find . -type f | sed 's|^\./||' | sort) >"$work/have"
  comm -23 "$work/have" "$work/files" | while read -r f; do rm -f "$src/$f"; done
}

build() { cmake --build "$bld" >"$work/build.log" 2>&1; }

# Runs every test of the native build (or those matching $1); the first
# failure ends the run.
run_tests() {
  rm -f "$bld/Testing/Temporary/LastTestsFailed.log"
  timeout "$limit" ctest --test-dir "$bld" --stop-on-failure --timeout "$limit" ${1:+-R "$1"} >"$work/test.log" 2>&1
}

# The first failed test of the last run, or nothing when none was recorded
# (the whole run was stopped).
failed_test() {
  local log=$bld/Testing/Temporary/LastTestsFailed.log
  [ -s "$log" ] && cut -d: -f2 "$log" | head -1
}

# Whether the last run ended by a time limit: CTest's own for one test, or
# the limit on the whole run (no failed test recorded).
timed_out() {
  grep -q '\*\*\*Timeout' "$work/test.log" || [ -z "$(failed_test)" ]
}

# Sets result for a failed run of the mutant, with the file still mutated:
# restores the file and runs the failed test again on the unmutated tree.
judge_failure() {
  local test
  test=$(failed_test)
  if timed_out; then
    result="TIMEOUT${test:+ in $test}"; timeouts=$((timeouts + 1)); restore; return
  fi
  restore
  if ! build; then
    result="FLAKY ($test: the unmutated tree no longer builds)"; flaky=$((flaky + 1))
  elif run_tests "^${test}\$"; then
    result="KILLED by $test"; killed=$((killed + 1))
  else
    result="FLAKY ($test fails unmutated too)"; flaky=$((flaky + 1))
  fi
}

# Replaces ORIGINAL by REPLACEMENT in FILE; status 3 when ORIGINAL is not
# there, 4 when it is there more than once.
apply() {
  python3 - "$1" "$2" "$3" <<'EOF'
import sys
path, old, new = sys.argv[1:4]
try:
    text = open(path).read()
except OSError:
    sys.exit(3)
count = text.count(old)
if count != 1:
    sys.exit(3 if count == 0 else 4)
open(path, "w").write(text.replace(old, new))
EOF
}

current=""
restore() { [ -n "$current" ] && cp "$work/original" "$src/$current"; current=""; }
trap restore EXIT
trap 'restore; exit 130' INT TERM

sync_tree
echo "== configure and build the unchanged tree in build/mutate"
cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; exit 1; }
build || { tail -20 "$work/build.log"; echo "mutate: the unchanged tree does not build"; exit 1; }
run_tests || { tail -20 "$work/test.log"; echo "mutate: the unchanged tree fails its tests"; exit 1; }

killed=0 survived=0 invalid=0 missing=0 timeouts=0 flaky=0 number=0
: >"$work/results.txt"
while IFS= read -r line; do
  case $line in ''|'#'*) continue ;; esac
  keep=1
  for f in "${filters[@]+"${filters[@]}"}"; do
    case $line in *"$f"*) ;; *) keep=0 ;; esac
  done
  number=$((number + 1))
  [ "$keep" = 1 ] || continue
  rest=$line
  file=${rest%% @@ *}; rest=${rest#* @@ }
  original=${rest%% @@ *}; rest=${rest#* @@ }
  replacement=${rest%% @@ *}; description=${rest#* @@ }
  label=$(printf '%3d %s: %s' "$number" "$file" "$description")

  [ -f "$src/$file" ] && cp "$src/$file" "$work/original"
  apply "$src/$file" "$original" "$replacement"
  case $? in
    0) current=$file ;;
    4) result="NOT FOUND (more than once)"; missing=$((missing + 1)) ;;
    *) result="NOT FOUND"; missing=$((missing + 1)) ;;
  esac
  if [ -n "$current" ]; then
    if ! build; then
      result="INVALID (does not compile)"; invalid=$((invalid + 1))
    elif run_tests; then
      result="SURVIVED"; survived=$((survived + 1))
    else
      judge_failure
    fi
    restore
  fi
  printf '%-28s %s\n' "$result" "$label" | tee -a "$work/results.txt"
done <"$work/mutants.txt"

build >/dev/null 2>&1  # leave the scratch build matching the tree
summary="killed $killed of $((killed + survived))"
[ $((timeouts + flaky)) -eq 0 ] || summary+=", $timeouts timed out, $flaky flaky (neither counted)"
[ $((invalid + missing)) -eq 0 ] || summary+=" ($invalid invalid, $missing not found)"
echo "$summary" | tee -a "$work/results.txt"
