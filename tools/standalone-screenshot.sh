#!/usr/bin/env bash
# Makes the README's picture of the JACK application: its window on a virtual display, on a dummy JACK
# server of its own, while the demo signal holds the needle. Usage: tools/standalone-screenshot.sh [OUT.jpg]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/screenshot-common.sh
out=${1:-resources/standalone.jpg}
on_virtual_display "$out" native qm07-compressor qm07_jack_playrec demosynth

build=build/native
with_dummy_jack "qm07-screenshot-$$"
"$build/standalone/qm07-compressor" --state "$scratch/state" --set Thresh=-30 --set ratio=4 --set gain=6 \
  --set attack=3 --set release=250 2>/dev/null &
pids+=($!)
xdotool search --sync --name '^QM07 Compressor$' >/dev/null
play_demo "$build" "QM07 Compressor:in_1,QM07 Compressor:in_2" "QM07 Compressor:out_1,QM07 Compressor:out_2"
# Without a window manager the window sits at the screen's origin.
grab 800x220+0+0 "$out"
