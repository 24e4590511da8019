#!/usr/bin/env bash
# lv2bench (lilv-utils) on our LV2 plug-in beside the stereo compressors of Debian's LV2 packages in one run:
# each plug-in processes the same frames in the same blocks, three rounds interleaved, best round kept;
# plug-ins that are not installed, or need a feature lv2bench does not offer, are named and skipped. lv2bench feeds silence with every control at its default.
# Usage: tools/lv2-bench.sh [BUNDLE] [FRAMES] [BLOCK]
set -euo pipefail
bundle=$(readlink -f "${1:-$(dirname "$0")/../build/native/qm07-compressor.lv2}")
frames=${2:-4800000} block=${3:-512}
ours=urn:tarvel:qm07-compressor
others=(
  "urn:ardour:a-comp#stereo"                        # ardour
  "urn:zamaudio:ZamCompX2"                          # zam-plugins
  "http://gareus.org/oss/lv2/darc#stereo"           # x42-plugins
  "http://lsp-plug.in/plugins/lv2/compressor_stereo" # lsp-plugins-lv2
)
path=$(mktemp -d)
trap 'rm -rf "$path"' EXIT
ln -s "$bundle" "$path/"
export LV2_PATH=$path:/usr/lib/lv2
installed=$(lv2ls)

declare -A best missing
for round in 1 2 3; do
  for uri in "$ours" "${others[@]}"; do
    grep -qxF "$uri" <<<"$installed" || { missing[$uri]="not installed"; continue; }
    seconds=$(lv2bench -b "$block" -n "$frames" "$uri" 2>&1 | awk -v uri="$uri" '$2 == uri { print $1 }')
    [ -n "$seconds" ] || { missing[$uri]="lv2bench cannot run it: $(lv2bench -n 1 "$uri" 2>&1 | tail -1)"; continue; }
    if [ -z "${best[$uri]:-}" ] || awk -v a="$seconds" -v b="${best[$uri]}" 'BEGIN { exit !(a < b) }'; then
      best[$uri]=$seconds
    fi
  done
done
[ -n "${best[$ours]:-}" ] || { echo "lv2bench could not run $ours from $bundle"; exit 1; }
echo "lv2bench -b $block -n $frames, best of 3 rounds (48 kHz frames of silence, controls at their defaults)"
printf '%-52s %10s %12s %10s\n' plug-in seconds ns/frame "÷ ours"
for uri in "$ours" "${others[@]}"; do
  [ -n "${best[$uri]:-}" ] || { printf '%-52s %s\n' "$uri" "${missing[$uri]}"; continue; }
  awk -v uri="$uri" -v s="${best[$uri]}" -v o="${best[$ours]}" -v n="$frames" \
    'BEGIN { printf "%-52s %10.4f %12.2f %10.2f\n", uri, s, s * 1e9 / n, s / o }'
done
