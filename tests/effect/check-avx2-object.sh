#!/usr/bin/env bash
# The AVX2 kernels' object may export its table of kernels and nothing else: an exported (or weak) copy of
# an inline function compiled for AVX2 could be the copy the linker keeps for callers on any CPU.
# Usage: check-avx2-object.sh NM OBJECT
set -euo pipefail
nm=$1 object=$2
exported=$("$nm" -g --defined-only "$object" | awk '{print $NF}')
if [ "$exported" != "_ZN4qm0712kAvx2KernelsE" ]; then
  echo "the AVX2 object exports more than its table:"
  echo "$exported"
  exit 1
fi
echo "the AVX2 object exports only its table"
