#!/usr/bin/env bash
# Our LV2 plug-in beside the stereo compressors of Debian's LV2 packages, all in one run: 30 s at 48 kHz in
# blocks of BLOCK, three rounds interleaved, the best kept, in nanoseconds per stereo frame.
#  - silence, controls at their defaults: lilv's lv2bench;
#  - silence and music (demosynth's drums and bass) with each compressor at work, threshold −20 dB and 4:1
#    where it has them: our lilv host, lv2render --time (the best of three runs in one process, as vsthost
#    bench keeps), which also gives the options some plug-ins need;
#  - the VST build on the same music and settings: vsthost bench (float).
# Plug-ins that are not installed, or that a tool cannot run, are named and skipped.
# Usage: tools/lv2-bench.sh [BUILD_DIR] [BLOCK]
set -euo pipefail
build=$(readlink -f "${1:-$(dirname "$0")/../build/native}")
block=${2:-512}
frames=1440000
ours=urn:tarvel:qm07-compressor
# URI | package | lv2render settings for threshold −20 dB and 4:1
plugins=(
  "$ours|ours|thresh=-20 ratio=4"
  "urn:ardour:a-comp#stereo|ardour|thr=-20 rat=4"
  "urn:zamaudio:ZamCompX2|zam-plugins|thr=-20 rat=4"
  "http://gareus.org/oss/lv2/darc#stereo|x42-plugins|threshold=-20 Ratio=0.75" # Ratio's range is 0..1
  "http://lsp-plug.in/plugins/lv2/compressor_stereo|lsp-plugins-lv2|al=0.1 cr=4" # al is a gain: −20 dB
)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/lv2" && ln -s "$build/qm07-compressor.lv2" "$scratch/lv2/"
export LV2_PATH=$scratch/lv2:/usr/lib/lv2
installed=$(lv2ls)
"$build/tools/demosynth/demosynth" "$scratch/music.f32" --seconds 30 --rate 48000 >/dev/null
head -c $((frames * 8)) /dev/zero >"$scratch/silence.f32"

declare -A best problem
keep() { # KEY NANOSECONDS: the smaller of the two
  if [ -z "${best[$1]:-}" ] || awk -v a="$2" -v b="${best[$1]}" 'BEGIN { exit !(a < b) }'; then best[$1]=$2; fi
}
lv2benchTime() { # URI → ns per frame, or nothing
  lv2bench -b "$block" -n "$frames" "$1" 2>/dev/null |
    awk -v uri="$1" -v n="$frames" '$2 == uri { printf "%.3f", $1 * 1e9 / n }'
}
lv2renderTime() { # URI FILE SETTINGS → ns per frame, or nothing
  local sets=() setting
  for setting in $3; do sets+=(--set "$setting"); done
  "$build/tools/lv2render/lv2render" "$1" "$2" "$scratch/out.f32" --block "$block" "${sets[@]}" --time \
    2>/dev/null | awk '$1 == "run:" { print $4 }'
}

for round in 1 2 3; do
  for row in "${plugins[@]}"; do
    IFS='|' read -r uri package settings <<<"$row"
    grep -qxF "$uri" <<<"$installed" || { problem[$uri]="not installed (Debian package $package)"; continue; }
    ns=$(lv2benchTime "$uri")
    if [ -n "$ns" ]; then keep "$uri|lv2bench" "$ns"; else
      problem[$uri]="lv2bench: $(lv2bench -n 1 "$uri" 2>&1 | tail -1)"; fi
    for signal in silence music; do
      ns=$(lv2renderTime "$uri" "$scratch/$signal.f32" "$settings")
      [ -z "$ns" ] || keep "$uri|$signal" "$ns"
    done
  done
  ns=$("$build/tools/vsthost/vsthost" bench "$build/QM07Compressor.so" --block "$block" --set Thresh=0.5 \
    --set Ratio=0.5625 | awk '$1 == "float:" { print $2 }')
  keep "vst|music" "$ns"
done
[ -n "${best[$ours|music]:-}" ] || { echo "lv2render could not run $ours from $build"; exit 1; }

cell() { # KEY COLUMN → "ns (÷ ours)" or "-"
  [ -n "${best[$1|$2]:-}" ] || { printf '%-17s' -; return; }
  awk -v a="${best[$1|$2]}" -v o="${best[$ours|$2]:-0}" \
    'BEGIN { if (o > 0) printf "%7.2f (%5.2f×) ", a, a / o; else printf "%7.2f          ", a }'
}
echo "ns per stereo frame (÷ ours in the same column), 48 kHz, blocks of $block, best of 3 interleaved rounds"
printf '%-50s %-17s %-17s %-17s\n' "" "silence, defaults" "silence, at work" "music, at work" \
  "" "(lv2bench)" "(lv2render)" "(lv2render)"
for row in "${plugins[@]}"; do
  IFS='|' read -r uri _ _ <<<"$row"
  printf '%-50s %s %s %s\n' "$uri" "$(cell "$uri" lv2bench)" "$(cell "$uri" silence)" "$(cell "$uri" music)"
  [ -z "${problem[$uri]:-}" ] || printf '%-50s %s\n' "" "${problem[$uri]}"
done
printf '%-50s %-17s %-17s %s\n' "QM07Compressor.so (vsthost bench, float)" - - "$(cell vst music)"
