#!/usr/bin/env bash
# Builds the browser page (the web preset) and serves it on this machine
# only, printing its address; Ctrl-C stops the server. The release files in
# dist/ (bash scripts/package.sh), when there, are served beside the page as
# /dist/, where its installer and package links point.
# Usage: scripts/web.sh [PORT]   (default 8080)
# Set ORBILUX_SKIP_SETUP=1 to skip the package check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8080}
case $port in
  '' | *[!0-9]*) echo "web: PORT must be a number from 1 to 65535, got '$port'" >&2; exit 2 ;;
esac
if [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
  echo "web: PORT must be a number from 1 to 65535, got '$port'" >&2; exit 2
fi
bash "$root/scripts/build.sh" web
page=$root/build/web/web/page
if [ -d "$root/dist" ]; then
  ln -sfn "$root/dist" "$page/dist"
  echo "web: dist/ is served beside the page: $(cd "$root/dist" && ls -- *.exe *.deb 2>/dev/null | tr '\n' ' ')"
else
  rm -f "$page/dist"
  echo "web: no dist/ (bash scripts/package.sh makes it): the page's installer and package links lead nowhere"
fi
echo "web: serving http://127.0.0.1:$port/ (Ctrl-C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$page"
