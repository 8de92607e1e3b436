#!/usr/bin/env bash
# Builds the browser page (the web preset) and serves it on this machine
# only, printing its address; Ctrl-C stops the server.
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
echo "web: serving http://127.0.0.1:$port/ (Ctrl-C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build/web/web/page"
