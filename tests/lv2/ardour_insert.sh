#!/usr/bin/env bash
# Ardour 7 (Debian's ardour, headless through ardour7-lua) inserts the plug-in by URI into a new session and
# sees its ten controls in order; a Thresh set in dB reads back in dB. Usage: ardour_insert.sh BUNDLE
set -euo pipefail
bundle=$(readlink -f "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/lv2" "$scratch/home" && ln -s "$bundle" "$scratch/lv2/"
output=$(HOME=$scratch/home LV2_PATH=$scratch/lv2:/usr/lib/lv2 QM07_SESSION=$scratch/session \
  ardour7-lua "$(dirname "$0")/ardour_insert.lua" 2>&1) || true
wanted=("name=QM07 Compressor inputs=10 labels=Thresh,Ratio,Gain,Attack,Release,Knee dB,Knee %,SC Mode,Push,Wet/Dry"
        "thresh=-30.0")
for line in "${wanted[@]}"; do
  grep -qxF "$line" <<<"$output" || { echo "$output" | tail -20; echo "FAILED: Ardour did not report: $line"; exit 1; }
done
echo "Ardour 7 inserts the plug-in by URI with its ten controls; Thresh set to -30 dB reads -30 dB"
