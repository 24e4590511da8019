#!/usr/bin/env bash
# The AVX2 kernels' object may export no code: an exported (or weak) copy of an inline function compiled
# for AVX2 could be the copy the linker keeps for callers on any CPU. Its table of kernels is data.
# Usage: check-avx2-object.sh NM OBJECT
set -euo pipefail
nm=$1 object=$2
code=$("$nm" -g --defined-only "$object" | awk '$2 ~ /^[TWiu]$/ {print $3}')
if [ -n "$code" ]; then
  echo "the AVX2 object exports code:"
  echo "$code"
  exit 1
fi
"$nm" -g --defined-only "$object" | grep -q '_ZN4qm0712kAvx2KernelsE$' || { echo "no table of kernels"; exit 1; }
echo "the AVX2 object exports its table of kernels and no code"
