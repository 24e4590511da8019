#!/usr/bin/env bash
# Makes the README's picture of the LV2 UI in a host's window: jalv.gtk3 (menu bar included) with a factory
# preset, on a virtual display and a dummy JACK server of its own, while the demo signal holds the needle.
# Usage: tools/lv2-screenshot.sh [OUT.jpg]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/screenshot-common.sh
out=${1:-resources/lv2.jpg}
on_virtual_display "$out" native qm07_lv2 qm07_jack_playrec demosynth

build=build/native
with_dummy_jack "qm07-lv2-screenshot-$$"
mkdir "$scratch/lv2" "$scratch/home"
ln -s "$(readlink -f "$build/qm07-compressor.lv2")" "$scratch/lv2/"
export LV2_PATH=$scratch/lv2 HOME=$scratch/home
jalv.gtk3 -x --jack-name qm07 -p urn:tarvel:qm07-compressor#drum-smash urn:tarvel:qm07-compressor \
  >/dev/null 2>&1 &
pids+=($!)
window=$(xdotool search --sync --name '^QM07 Compressor')
play_demo "$build" qm07:in_l,qm07:in_r qm07:out_l,qm07:out_r
# Without a window manager the window sits at the screen's origin: jalv's menu bar above the panel.
geometry=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
grab "$geometry+0+0" "$out"
