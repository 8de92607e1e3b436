#!/bin/sh
# The saver's weight: orbilux.scr stripped must stay within LIMIT bytes, and
# it must link no C++ string or stream library, no printf formatter (what only
# the other hosts need). Prints the stripped size of this build's saver and,
# when the sibling build's saver is there, the other's beside it.
# Usage: saver_weight.sh STRIP NM SCR LIMIT [OTHER_STRIP OTHER_SCR]
set -u
strip=$1 nm=$2 scr=$3 limit=$4 other_strip=${5:-} other_scr=${6:-}
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT

stripped_size() {
    "$1" -o "$tmp/s.scr" "$2" && wc -c <"$tmp/s.scr" | tr -d ' '
}

size=$(stripped_size "$strip" "$scr") || { echo "saver_weight: cannot strip $scr"; exit 1; }
line="orbilux.scr stripped: $size bytes ($(basename "$(dirname "$(dirname "$scr")")"))"
if [ -n "$other_scr" ] && [ -f "$other_scr" ] && command -v "$other_strip" >/dev/null; then
    other=$(stripped_size "$other_strip" "$other_scr") &&
        line="$line, $other bytes ($(basename "$(dirname "$(dirname "$other_scr")")"))"
fi
echo "$line; limit $limit bytes"

status=0
if [ "$size" -gt "$limit" ]; then
    echo "saver_weight: $size bytes is over the limit of $limit"
    status=1
fi
# Symbols of the C++ string and stream classes, and mingw's printf formatter.
linked=$("$nm" -C "$scr" | grep -E 'std::(__cxx11::)?basic_(string|[io]stream|ios|streambuf|stringbuf)|std::ios_base|std::locale|__mingw_pformat' | head -5)
if [ -n "$linked" ]; then
    echo "saver_weight: the saver links what only other hosts need:"
    echo "$linked"
    status=1
fi
exit $status
