#!/usr/bin/env bash
# Renders through the LV2 plug-in (lv2render, our lilv host) equal the VST build's (vsthost render) bit for
# bit, the LV2 side given the port values in real units that stand for the VST side's normalized values, and
# the LV2 side given each factory preset (read by lilv from the bundle) while the VST side gets the stored
# values its ports become.
# Usage: render.sh BUNDLE LV2RENDER QM07_LV2_TTL VSTHOST VST_PLUGIN DEMOSYNTH
set -euo pipefail
bundle=$(readlink -f "$1") lv2render=$2 ttltool=$3 vsthost=$4 vst=$5 demosynth=$6
uri=urn:tarvel:qm07-compressor
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/lv2" && ln -s "$bundle" "$work/lv2/"
export LV2_PATH=$work/lv2
failures=0

same_bits() { # RATE BLOCK LABEL, with vst_args and lv2_args: the renders agree, and differ from the input
  local in=$work/in-$1.f32
  [ -f "$in" ] || "$demosynth" "$in" --seconds 2 --rate "$1" >/dev/null
  "$vsthost" render "$vst" "$in" "$work/vst.f32" --rate "$1" --block "$2" "${vst_args[@]}" >/dev/null
  "$lv2render" "$uri" "$in" "$work/lv2.f32" --rate "$1" --block "$2" "${lv2_args[@]}" >/dev/null
  if "$vsthost" compare "$work/vst.f32" "$work/lv2.f32" --ulps 0 --rate "$1" >/dev/null &&
    ! "$vsthost" compare "$in" "$work/lv2.f32" --rate "$1" >/dev/null; then
    echo "same bits at $1 Hz, blocks of $2: $3"
  else
    echo "FAILED at $1 Hz, blocks of $2: $3 (VST ${vst_args[*]}; LV2 ${lv2_args[*]})"
    failures=$((failures + 1))
  fi
}

# rate | block | normalized settings, ';' between them (Push stays off: its jitter is seeded from the clock).
cases=(
  "48000|512|"
  "48000|512|Thresh=0.6;Ratio=0.6;Gain=0.3;Attack=0.3;Release=0.4;Knee dB=0.5;Knee %=0.6;SC Mode=0.5;Wet/Dry=0.1"
  "44100|64|Thresh=0.8;Ratio=1;Attack=0.05;Release=0.125;SC Mode=1;Knee dB=1;Knee %=1"
  "96000|1000|Thresh=0.35;Ratio=0.9;Gain=1;Attack=1;Release=1;SC Mode=0.5;Wet/Dry=0.75"
)
for row in "${cases[@]}"; do
  IFS='|' read -r rate block settings <<<"$row"
  IFS=';' read -ra list <<<"$settings"
  vst_args=() lv2_args=()
  for setting in "${list[@]}"; do vst_args+=(--set "$setting"); done
  while read -r port; do lv2_args+=(--set "$port"); done < <("$ttltool" ports "${list[@]}")
  same_bits "$rate" "$block" "${settings:-defaults}"
done

# Push's jitter is seeded from the clock, so a preset with Push on is compared with Push off on both sides.
for preset in bus-glue vocal-levelling drum-smash de-essing-sc-a; do
  vst_args=() lv2_args=(--preset "$uri#$preset")
  while read -r setting; do vst_args+=(--set "$setting"); done < <("$ttltool" preset "$preset")
  if ! printf '%s\n' "${vst_args[@]}" | grep -qx 'Push=0'; then vst_args+=(--set Push=0) lv2_args+=(--set push=0); fi
  same_bits 48000 512 "the preset $preset"
done

# lv2render gives the options a host knows (rate, block lengths), which plug-ins made with DPF require.
if LV2_PATH=/usr/lib/lv2 "$lv2render" urn:zamaudio:ZamCompX2 "$work/in-48000.f32" "$work/zam.f32" --time |
  grep -q '^run: .* ns per frame'; then
  echo "lv2render runs urn:zamaudio:ZamCompX2, which requires the options feature, and times it"
else
  echo "FAILED: lv2render cannot run urn:zamaudio:ZamCompX2 (zam-plugins) or time it"
  failures=$((failures + 1))
fi
exit "$failures"
