#!/usr/bin/env bash
# The Debian package as cpack builds it: the files it holds, its dependency on
# Xlib, and Debian's own checker, lintian: no error, no warning, and none of
# the hints that the hardening flags or the strip would have prevented.
# Usage: package_test.sh BUILD_DIR   (exit 77: no lintian here)
set -u
build=$1
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
command -v lintian >/dev/null || { echo "lintian is not installed (scripts/setup.sh installs it): skipped"; exit 77; }

(cd "$tmp" && cpack -G DEB -B "$tmp/pkg" --config "$build/CPackConfig.cmake" >/dev/null) || fail "cpack"
deb=$(ls "$tmp"/pkg/*.deb 2>/dev/null | head -n 1)
expected=$(printf '/usr/%s\n' bin/orbilux-render libexec/xscreensaver/orbilux share/doc/orbilux/changelog.gz \
  share/doc/orbilux/copyright share/lintian/overrides/orbilux share/man/man1/orbilux-render.1.gz \
  share/man/man6/orbilux.6.gz share/xscreensaver/config/orbilux.xml)
# The Wayland saver, where the build made it.
[ -x "$build/wayland/orbilux-wayland" ] &&
  expected=$(printf '%s\n' "$expected" /usr/bin/orbilux-wayland /usr/share/man/man6/orbilux-wayland.6.gz | sort)
packaged=$(dpkg-deb -c "$deb" 2>/dev/null | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)
check "the package holds: $packaged" test "$packaged" = "$expected"
dpkg-deb -f "$deb" Depends 2>/dev/null | grep -q libx11 || fail "the package does not depend on libx11"
[ -x "$build/wayland/orbilux-wayland" ] && ! dpkg-deb -f "$deb" Depends 2>/dev/null | grep -q libwayland-client &&
  fail "the package does not depend on libwayland-client"

# Overrides count (each with its reason in the package); info-level hints are
# shown so that a lost hardening flag or strip fails too.
lintian --fail-on error,warning --display-info "$deb" >"$tmp/lintian" 2>"$tmp/lintian.err"
status=$?
grep -E '^[EW]:|hardening-|unneeded-section' "$tmp/lintian" >"$tmp/bad"
check "lintian status $status: $(cat "$tmp/bad" "$tmp/lintian.err" | grep -v 'root privileges')" \
  test "$status" = 0 -a ! -s "$tmp/bad"
summary
