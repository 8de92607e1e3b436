#!/usr/bin/env bash
# cmake --install and the Debian package put the hack, its XScreenSaver
# configuration and its man page where XScreenSaver and man look.
# Usage: install_test.sh BUILD_DIR
set -u
build=$1
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
expected="/usr/libexec/xscreensaver/orbilux
/usr/share/man/man6/orbilux.6
/usr/share/xscreensaver/config/orbilux.xml"
failed=0

DESTDIR=$tmp/root cmake --install "$build" >/dev/null || { echo "FAIL: cmake --install"; failed=1; }
installed=$(cd "$tmp/root" && find . -type f | sed 's/^\.//' | sort)
[ "$installed" = "$expected" ] || { echo "FAIL: cmake --install gave: $installed"; failed=1; }
[ -x "$tmp/root/usr/libexec/xscreensaver/orbilux" ] || { echo "FAIL: the hack is not executable"; failed=1; }

(cd "$tmp" && cpack -B "$tmp/pkg" --config "$build/CPackConfig.cmake" >/dev/null) || { echo "FAIL: cpack"; failed=1; }
deb=$(ls "$tmp"/pkg/*.deb 2>/dev/null | head -n 1)
packaged=$(dpkg-deb -c "$deb" 2>/dev/null | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)
[ "$packaged" = "$expected" ] || { echo "FAIL: the package holds: $packaged"; failed=1; }
dpkg-deb -f "$deb" Depends 2>/dev/null | grep -q libx11 || { echo "FAIL: the package does not depend on libx11"; failed=1; }

[ "$failed" = 0 ] && echo "install: all passed"
exit "$failed"
