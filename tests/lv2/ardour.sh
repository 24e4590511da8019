#!/usr/bin/env bash
# Ardour 7 (Debian's ardour, headless: ardour7-lua and ardour7-export) inserts the plug-in by URI, sees its
# ten controls, and renders a session through it: noise peaking at -6 dBFS comes out untouched when fully
# dry, and held 30 dB down with Thresh at -40 dB and Ratio ∞ when fully processed. Usage: ardour.sh BUNDLE
set -euo pipefail
bundle=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/lv2" "$scratch/home" && ln -s "$bundle" "$scratch/lv2/"
# Our bundle alone: with every LV2 package Debian offers installed, ardour7-export now and then corrupts its
# heap while it loads the others (also with our plug-in taken out of the session).
export HOME=$scratch/home LV2_PATH=$scratch/lv2
# Ardour's Lua cannot make a session range; two seconds of it go into the saved session instead.
range='<Locations><Location id="1" name="session" start="a0" end="a564480000" flags="IsSessionRange"/></Locations>'

peak() {
  /usr/bin/python3 -c 'import struct, sys, numpy as np
data = open(sys.argv[1], "rb").read(); at = data.index(b"data"); size = struct.unpack("<I", data[at + 4:at + 8])[0]
samples = np.frombuffer(data[at + 8:at + 8 + size], dtype="<f4")
print(f"{20 * np.log10(max(np.abs(samples).max(), 1e-30)):.2f}" if samples.size > 48000 else "none")' "$1"
}

for dry in 100 0; do
  output=$(QM07_SESSION=$scratch/s$dry QM07_DRY=$dry ardour7-lua "$here/ardour_session.lua" 2>&1) || true
  for line in "name=QM07 Compressor inputs=10 labels=Thresh,Ratio,Gain,Attack,Release,Knee dB,Knee %,SC Mode,Push,Wet/Dry" \
              "thresh=-40.0"; do
    grep -qxF "$line" <<<"$output" || { tail -20 <<<"$output"; echo "FAILED: Ardour did not report: $line"; exit 1; }
  done
  sed -i "s|  <Locations/>|  $range|" "$scratch/s$dry/qm07.ardour"
  ardour7-export -b float -o "$scratch/out$dry.wav" "$scratch/s$dry" qm07 >/dev/null 2>&1
  peaks[$dry]=$(peak "$scratch/out$dry.wav")
done
echo "Ardour 7 inserts the plug-in by URI with its ten controls; exported peaks: ${peaks[100]} dBFS fully dry," \
     "${peaks[0]} dBFS compressed"
awk -v dry="${peaks[100]}" -v wet="${peaks[0]}" 'BEGIN { exit !(dry > -6.1 && dry < -5.9 && wet < -36) }' ||
  { echo "FAILED: the exports are not what the settings give"; exit 1; }
