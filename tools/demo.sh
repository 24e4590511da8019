#!/usr/bin/env bash
# The demo: builds the plug-in for Linux and for Windows, plays a synthesized drums-and-bass loop
# through both with the same settings, prints both summaries and checks that the outputs agree.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

echo "== Building the Linux plug-in and host (preset native)"
cmake --preset native >/dev/null
cmake --build --preset native --target QM07Compressor vsthost demosynth
echo "== Building the Windows plug-in and host (preset windows)"
cmake --preset windows >/dev/null
cmake --build --preset windows --target QM07Compressor vsthost

out=build/demo
mkdir -p "$out"
build/native/tools/demosynth/demosynth "$out/demo-in.f32" "$out/demo-in.wav" --seconds 8 --rate 48000

# Push stays off: its jitter is seeded from the clock, so two runs would not be comparable.
settings=(--rate 48000 --set "Thresh=0.6" --set "Ratio=0.6" --set "Gain=0.3" --set "Attack=0.3"
          --set "Release=0.4" --set "Knee dB=0.5" --set "Knee %=0.6" --set "SC Mode=0.5" --set "Wet/Dry=0.1")

# Wine needs a display for the plug-in's window system calls; a virtual one serves when there is none.
wine_display=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  wine_display=(xvfb-run -a)
fi

echo
echo "== Linux: build/native/QM07Compressor.so"
build/native/tools/vsthost/vsthost render build/native/QM07Compressor.so "$out/demo-in.f32" \
  "$out/demo-linux.f32" "${settings[@]}"
build/native/tools/vsthost/vsthost render build/native/QM07Compressor.so "$out/demo-in.f32" \
  "$out/demo-out.wav" "${settings[@]}" >/dev/null

echo
echo "== Windows under Wine: build/windows/QM07Compressor.dll"
"${wine_display[@]}" cmake/wine-run.sh build/windows/tools/vsthost/vsthost.exe render \
  build/windows/QM07Compressor.dll "$out/demo-in.f32" "$out/demo-windows.f32" "${settings[@]}"

echo
echo "== Do the two outputs agree to float rounding?"
if build/native/tools/vsthost/vsthost compare "$out/demo-linux.f32" "$out/demo-windows.f32"; then
  echo "Yes. Listen: $out/demo-in.wav (input), $out/demo-out.wav (compressed)."
else
  echo "No: the Linux and Windows builds of the plug-in sound different."
  exit 1
fi
