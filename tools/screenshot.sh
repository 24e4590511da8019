#!/usr/bin/env bash
# Makes the README's picture: a screenshot of the real editor window, the DLL in our host under Wine on
# a virtual display, while a steady loud tone holds the needle. Usage: tools/screenshot.sh [OUT.jpg]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-resources/screenshot.jpg}

if [ "${QM07_SCREENSHOT_DISPLAY:-}" != 1 ]; then
  tools/install-deps.sh
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target vsthost QM07Compressor
  QM07_SCREENSHOT_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$out"
fi

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
# The faceplate's fine brushed texture makes a lossless file four times larger than a JPEG that looks the
# same; full chroma keeps the coloured marks sharp.
import -window root -crop "${size}+${x}+${y}" +repage -strip -quality 90 -sampling-factor 4:4:4 "$out"
wait "$host"
echo "wrote $out ($(stat -c %s "$out") bytes)"
