#!/usr/bin/env bash
# Makes the README's picture: a screenshot of the real editor window, the DLL in our host under Wine on
# a virtual display, while a steady loud tone holds the needle. Usage: tools/screenshot.sh [OUT.jpg]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/screenshot-common.sh
out=${1:-resources/screenshot.jpg}
on_virtual_display "$out" windows vsthost QM07Compressor

log=$(mktemp)
trap 'rm -f "$log"' EXIT
cmake/wine-run.sh build/windows/tools/vsthost/vsthost.exe edit build/windows/QM07Compressor.dll \
  --signal tone --seconds 5 >"$log" 2>&1 &
host=$!
for _ in $(seq 150); do grep -q '^editor ' "$log" && break; sleep 0.2; done
# Windows programs end their lines with CR LF.
read -r size x y < <(tr -d '\r' <"$log" |
  sed -nE 's/^editor ([0-9]+x[0-9]+) at (-?[0-9]+),(-?[0-9]+)$/\1 \2 \3/p') || true
[ -n "${size:-}" ] || { cat "$log"; echo "the editor did not open"; exit 1; }
sleep 2 # the needle settles on the tone
grab "${size}+${x}+${y}" "$out"
wait "$host"
