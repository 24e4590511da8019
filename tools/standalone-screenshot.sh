#!/usr/bin/env bash
# Makes the README's picture of the JACK application: its window on a virtual display, on a dummy JACK
# server of its own, while the demo signal holds the needle. Usage: tools/standalone-screenshot.sh [OUT.jpg]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-resources/standalone.jpg}

if [ "${QM07_SCREENSHOT_DISPLAY:-}" != 1 ]; then
  tools/install-deps.sh
  cmake --preset native >/dev/null
  cmake --build --preset native --target qm07-compressor qm07_jack_playrec demosynth
  QM07_SCREENSHOT_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$out"
fi

build=build/native
scratch=$(mktemp -d)
export JACK_DEFAULT_SERVER=qm07-screenshot-$$
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait; rm -rf "$scratch"' EXIT
jackd --no-realtime -d dummy -r 48000 -p 256 >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do jack_lsp >/dev/null 2>&1 && break; sleep 0.1; done
"$build/standalone/qm07-compressor" --state "$scratch/state" --set Thresh=-30 --set ratio=4 --set gain=6 \
  --set attack=3 --set release=250 2>/dev/null &
pids+=($!)
xdotool search --sync --name '^QM07 Compressor$' >/dev/null
"$build/tools/demosynth/demosynth" "$scratch/in.f32" --seconds 8 --rate 48000 >/dev/null
"$build/tests/standalone/qm07_jack_playrec" "$scratch/in.f32" "$scratch/out.f32" \
  "QM07 Compressor:in_1,QM07 Compressor:in_2" "QM07 Compressor:out_1,QM07 Compressor:out_2" >/dev/null &
pids+=($!)
sleep 3 # the needle swings with the loop
# Without a window manager the window sits at the screen's origin; full chroma keeps the marks sharp.
import -window root -crop 800x220+0+0 +repage -strip -quality 90 -sampling-factor 4:4:4 "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
