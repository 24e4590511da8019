#!/usr/bin/env bash
# The demo: builds the plug-in for Linux and for Windows, plays a synthesized drums-and-bass loop
# through both with the same settings, prints both summaries and checks that the outputs agree.
set -euo pipefail
cd "$(dirname "$0")/.."

# The presets' build folders unless told otherwise, so a second tree can run the demo beside them.
native=${QM07_DEMO_NATIVE_DIR:-build/native}
windows=${QM07_DEMO_WINDOWS_DIR:-build/windows}

tools/install-deps.sh

echo "== Building the Linux plug-in and host (preset native, $native)"
cmake --preset native -B "$native" >/dev/null
cmake --build "$native" --target QM07Compressor vsthost demosynth
echo "== Building the Windows plug-in and host (preset windows, $windows)"
cmake --preset windows -B "$windows" >/dev/null
cmake --build "$windows" --target QM07Compressor vsthost

out=build/demo
mkdir -p "$out"
"$native/tools/demosynth/demosynth" "$out/demo-in.f32" "$out/demo-in.wav" --seconds 8 --rate 48000

# Push stays off: its jitter is seeded from the clock, so two runs would not be comparable.
settings=(--rate 48000 --set "Thresh=0.6" --set "Ratio=0.6" --set "Gain=0.3" --set "Attack=0.3"
          --set "Release=0.4" --set "Knee dB=0.5" --set "Knee %=0.6" --set "SC Mode=0.5" --set "Wet/Dry=0.1")

# Wine needs a display for the plug-in's window system calls; a virtual one serves when there is none.
wine_display=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  wine_display=(xvfb-run -a -s "-noreset")
fi

echo
echo "== Linux: $native/QM07Compressor.so"
"$native/tools/vsthost/vsthost" render "$native/QM07Compressor.so" "$out/demo-in.f32" \
  "$out/demo-linux.f32" "${settings[@]}"
"$native/tools/vsthost/vsthost" render "$native/QM07Compressor.so" "$out/demo-in.f32" \
  "$out/demo-linux-double.f32" "${settings[@]}" --double >/dev/null
"$native/tools/vsthost/vsthost" render "$native/QM07Compressor.so" "$out/demo-in.f32" \
  "$out/demo-out.wav" "${settings[@]}" >/dev/null

echo
echo "== Windows under Wine: $windows/QM07Compressor.dll"
# The virtual display's goodbye to Wine's lingering server is noise, not an error.
"${wine_display[@]}" cmake/wine-run.sh "$windows/tools/vsthost/vsthost.exe" render \
  "$windows/QM07Compressor.dll" "$out/demo-in.f32" "$out/demo-windows.f32" "${settings[@]}" \
  2> >(grep -v '^X connection to' >&2)
"${wine_display[@]}" cmake/wine-run.sh "$windows/tools/vsthost/vsthost.exe" render \
  "$windows/QM07Compressor.dll" "$out/demo-in.f32" "$out/demo-windows-double.f32" "${settings[@]}" \
  --double 2> >(grep -v '^X connection to' >&2) >/dev/null

echo
echo "== Are the two outputs the same, bit for bit, from both process calls?"
if "$native/tools/vsthost/vsthost" compare "$out/demo-linux.f32" "$out/demo-windows.f32" --ulps 0 &&
   "$native/tools/vsthost/vsthost" compare "$out/demo-linux-double.f32" "$out/demo-windows-double.f32" \
     --ulps 0 >/dev/null; then
  echo "Yes. Listen: $out/demo-in.wav (input), $out/demo-out.wav (compressed)."
else
  echo "No: the Linux and Windows builds of the plug-in sound different."
  exit 1
fi
