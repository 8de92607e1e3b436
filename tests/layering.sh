#!/bin/sh
# Fails when a folder includes one above or beside it (bottom to top: base;
# curves, settings; shapes; animation; resources, raster, hostrules; render,
# host, posix; x11, which draws through raster; web, wayland), or when portable code
# includes a Win32 header or a Windows room, or when the engine calls one of
# the C library's elementary functions (their last bits differ between
# platforms).
# Platform code is host/, resources/, render/, posix/, x11/, wayland/ and every win32/
# subfolder; everything else is portable, and nothing portable includes a
# win32/ subfolder. tests/ and bench/ share code only through testkit/.
# Usage: layering.sh [source root]
cd "${1:-$(dirname "$0")/..}" || exit 2
layer() {
    case $1 in
    base) echo 0 ;; curves | settings) echo 1 ;; shapes) echo 2 ;; animation) echo 3 ;;
    resources | raster | hostrules) echo 4 ;; render | host | posix) echo 5 ;; x11) echo 6 ;; web | wayland) echo 7 ;;
    esac
}
platform() {
    case $1 in
    */win32/* | render/* | host/* | posix/* | x11/* | wayland/* | resources/*) return 0 ;;
    *) return 1 ;;
    esac
}
win32='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](win[a-z0-9_]*|mmsystem|commctrl|commdlg|shellapi|shlobj|objbase|ole2|imm|tchar|scrnsave|regstr)\.h[>"]'
room='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z0-9_]+/)*win32/'
status=0
for file in $(find base curves settings shapes animation raster hostrules render host posix x11 web wayland resources -type f \
                   \( -name '*.h' -o -name '*.cpp' -o -name '*.c' -o -name '*.rc' \) 2>/dev/null); do
    folder=${file%%/*} own=$(layer "${file%%/*}")
    for used in $(sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z0-9_]*\)/.*|\1|p' "$file" | sort -u); do
        level=$(layer "$used")
        [ -n "$level" ] && [ "$used" != "$folder" ] && [ "$level" -ge "$own" ] &&
            echo "$file: includes $used/, which is not below $folder/" && status=1
    done
    if ! platform "$file"; then
        grep -Eiq "$win32" "$file" && echo "$file: portable, but includes a Win32 header" && status=1
        grep -Eq "$room" "$file" && echo "$file: portable, but includes a Windows room (win32/)" && status=1
    fi
done
libm='std::(sin|cos|tan|exp|expm1|log|pow|cbrt|atan2?|hypot)[[:space:]]*\(|[^a-zA-Z_:.](sin|cos|tan|exp|log|pow|cbrt)[[:space:]]*\('
for file in $(find base curves settings shapes animation hostrules -name '*.cpp' -o -name '*.h'); do
    case $file in */win32/*) continue ;; esac
    grep -Eq "$libm" "$file" && echo "$file: calls the C library's elementary functions" && status=1
done
# The tests and the benchmarks share what they share through testkit/; neither
# includes, imports or adds an include path into the other, and testkit/
# reaches into neither.
for file in $(find tests bench testkit -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.mjs' -o -name '*.js' \
                   -o -name CMakeLists.txt \) -not -path 'tests/data/*' 2>/dev/null); do
    case $file in
    tests/*) other=bench ;; bench/*) other=tests ;; *) other='tests|bench' ;;
    esac
    grep -Eq "(#[[:space:]]*include[[:space:]]*\"|from[[:space:]]+'([.][.]/)*|PROJECT_SOURCE_DIR\}/)($other)/" "$file" &&
        echo "$file: reaches into $(echo "$other" | sed 's/|/ or /')/; shared code belongs in testkit/" && status=1
done
exit $status
