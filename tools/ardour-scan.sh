#!/usr/bin/env bash
# Ardour 7's own VST scanner reads the Linux plug-in: it must find QM07 Compressor with its editor
# (has_editor="1") and its two inputs and outputs. Needs Debian's ardour package (tools/install-deps.sh).
# The scan's cache goes into a scratch home, not yours. Usage: tools/ardour-scan.sh [PLUGIN.so]
set -euo pipefail
plugin=$(readlink -f "${1:-$(dirname "$0")/../build/native/QM07Compressor.so}")
scanner=/usr/lib/ardour7/ardour-vst-scanner
[ -x "$scanner" ] || { echo "no $scanner: install Debian's ardour package"; exit 1; }
[ -f "$plugin" ] || { echo "no such plug-in: $plugin"; exit 1; }

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
output=$(HOME=$home LD_LIBRARY_PATH=/usr/lib/ardour7 "$scanner" --force --verbose "$plugin" 2>&1) || {
  echo "$output"
  echo "Ardour's scanner failed on $plugin"
  exit 1
}
info=$(grep '<VST2Info ' <<<"$output" || true)
echo "${info:-$output}"
for wanted in 'name="QM07 Compressor"' 'creator="Tarvel"' 'n_inputs="2"' 'n_outputs="2"' \
              'can_process_replace="1"' 'has_editor="1"'; do
  grep -qF "$wanted" <<<"$info" || { echo "Ardour's scanner did not report $wanted"; exit 1; }
done
echo "Ardour 7 reads $(basename "$plugin"): QM07 Compressor by Tarvel, with its editor"
