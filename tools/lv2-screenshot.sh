#!/usr/bin/env bash
# Makes the README's picture of the LV2 UI in a host's window: jalv.gtk3 (menu bar included) with a factory
# preset, on a virtual display and a dummy JACK server of its own, while the demo signal holds the needle.
# Usage: tools/lv2-screenshot.sh [OUT.jpg]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-resources/lv2.jpg}

if [ "${QM07_SCREENSHOT_DISPLAY:-}" != 1 ]; then
  tools/install-deps.sh
  cmake --preset native >/dev/null
  cmake --build --preset native --target qm07_lv2 qm07_jack_playrec demosynth
  QM07_SCREENSHOT_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$out"
fi

build=build/native
scratch=$(mktemp -d)
mkdir "$scratch/lv2" "$scratch/home"
ln -s "$(readlink -f "$build/qm07-compressor.lv2")" "$scratch/lv2/"
export LV2_PATH=$scratch/lv2 HOME=$scratch/home JACK_DEFAULT_SERVER=qm07-lv2-screenshot-$$
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait; rm -rf "$scratch"' EXIT
jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do jack_lsp >/dev/null 2>&1 && break; sleep 0.1; done
jalv.gtk3 -x --jack-name qm07 -p urn:tarvel:qm07-compressor#drum-smash urn:tarvel:qm07-compressor \
  >/dev/null 2>&1 &
pids+=($!)
window=$(xdotool search --sync --name '^QM07 Compressor')
"$build/tools/demosynth/demosynth" "$scratch/in.f32" --seconds 8 --rate 48000 >/dev/null
"$build/tests/standalone/qm07_jack_playrec" "$scratch/in.f32" "$scratch/out.f32" qm07:in_l,qm07:in_r \
  qm07:out_l,qm07:out_r >/dev/null &
pids+=($!)
sleep 3 # the needle swings with the loop
# Without a window manager the window sits at the screen's origin: jalv's menu bar above the panel.
geometry=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
import -window root -crop "$geometry+0+0" +repage -strip -quality 90 -sampling-factor 4:4:4 "$out"
echo "wrote $out ($geometry, $(stat -c %s "$out") bytes)"
