#!/usr/bin/env bash
# The demo's path through our command-line tools: synthesize, render in both precisions and with odd
# blocks, and compare. Usage: render-cli.sh WORKDIR DEMOSYNTH VSTHOST PLUGIN [RUNNER...]
set -euo pipefail
work=$1 demosynth=$2 vsthost=$3 plugin=$4
shift 4
run=("$@")
mkdir -p "$work"
settings=(--rate 44100 --set "Thresh=0.7" --set "ratio=0.8" --set "SC Mode=0.9" --set "9=0.05")

"${run[@]}" "$demosynth" "$work/in.f32" --seconds 1 --rate 44100
"${run[@]}" "$vsthost" render "$plugin" "$work/in.f32" "$work/single.f32" "${settings[@]}"
"${run[@]}" "$vsthost" render "$plugin" "$work/in.f32" "$work/double.f32" "${settings[@]}" --double --block 7
"${run[@]}" "$vsthost" compare "$work/single.f32" "$work/double.f32" --ulps 1

if "${run[@]}" "$vsthost" compare "$work/in.f32" "$work/single.f32" >/dev/null; then
  echo "the rendered signal equals the input: the plug-in did nothing"
  exit 1
fi
if "${run[@]}" "$vsthost" render "$plugin" "$work/in.f32" "$work/bad.f32" --set "No Such=1" 2>/dev/null; then
  echo "an unknown parameter name was accepted"
  exit 1
fi
echo "render, double render and comparison agree"
