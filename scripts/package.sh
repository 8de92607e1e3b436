#!/usr/bin/env bash
# Builds the release artefacts into dist/:
#   orbilux-VERSION-setup.exe    the installer (NSIS)
#   orbilux-VERSION-windows.zip  the i686 and x86_64 savers, a read-me, the licence
#   orbilux_VERSION_ARCH.deb     the X11 saver as an XScreenSaver hack, and orbilux-render (Debian)
#   SHA256SUMS
# The version is project()'s in CMakeLists.txt. Reuses build/i686,
# build/x86_64 and build/native (configuring them when missing) and rebuilds
# only what the artefacts hold, and only when it is out of date. ORBILUX_SKIP_SETUP=1 skips the package check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ "${ORBILUX_SKIP_SETUP:-0}" = 1 ] || bash scripts/setup.sh

version=$(sed -nE 's/^project\(orbilux VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }

for t in i686 x86_64; do
  if [ ! -f "build/$t/build.ninja" ]; then
    cmake --preset "$t" >/dev/null
  fi
  cmake --build "build/$t" --target orbilux_scr
done

# The native preset applies Debian's hardening flags.
cmake --preset native >/dev/null
cmake --build build/native --target orbilux orbilux-render orbilux-wayland orbilux_package_docs orbilux_render_man \
  orbilux_wayland_man

name=orbilux-$version
deb=orbilux_${version}_$(dpkg --print-architecture).deb
stage=build/package/$name-windows
rm -rf build/package "dist/$name-setup.exe" "dist/$name-windows.zip" "dist/$deb" dist/SHA256SUMS
mkdir -p "$stage/i686" "$stage/x86_64" dist
i686-w64-mingw32-strip -o "$stage/i686/orbilux.scr" build/i686/host/orbilux.scr
x86_64-w64-mingw32-strip -o "$stage/x86_64/orbilux.scr" build/x86_64/host/orbilux.scr
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' installer/README.txt.in >"$stage/README.txt"

bash installer/build-installer.sh "dist/$name-setup.exe" "$version" \
  "$stage/i686/orbilux.scr" "$stage/x86_64/orbilux.scr"
(cd build/package && zip -q -X -r "$root/dist/$name-windows.zip" "$name-windows")
(cd build/package && cpack -G DEB -B "$root/build/package/deb" --config "$root/build/native/CPackConfig.cmake" >/dev/null)
cp "build/package/deb/$deb" dist/
(cd dist && sha256sum "$name-setup.exe" "$name-windows.zip" "$deb" >SHA256SUMS)
ls -l dist/"$name"-* "dist/$deb" dist/SHA256SUMS
