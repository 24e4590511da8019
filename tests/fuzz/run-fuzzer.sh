#!/usr/bin/env bash
# Replays a fuzz target's kept regression inputs, then fuzzes it for a bounded time from its seed corpus.
# Usage: run-fuzzer.sh FUZZER SEEDS REGRESSIONS WORKDIR SECONDS
# New inputs go to WORKDIR, never into the committed seeds; a crash input is kept in WORKDIR/artifacts.
set -uo pipefail
fuzzer=$1 seeds=$2 regressions=$3 work=$4 seconds=$5
name=$(basename "$fuzzer")
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"

kept=("$regressions"/*)
if [ -e "${kept[0]}" ]; then
  if ! "$fuzzer" "${kept[@]}" >"$work/regressions.log" 2>&1; then
    tail -n 40 "$work/regressions.log"
    echo "$name: a kept regression input fails again"
    exit 1
  fi
  echo "$name: ${#kept[@]} regression inputs pass"
fi

"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" >"$work/fuzz.log" 2>&1
status=$?
grep -E '^INFO: Seed|^INFO: Loaded .* PC tables|^#[0-9]+[[:space:]]+(INITED|DONE)|^Done ' "$work/fuzz.log"
if [ $status -ne 0 ]; then
  tail -n 60 "$work/fuzz.log"
  echo "$name: FAILED; the input is in $work/artifacts/ — add it to $regressions to keep it as a regression case"
  exit 1
fi
