#!/usr/bin/env bash
# The CLAP build against the VST build through vsthost, bit for bit. Settings go to VST as normalized
# values and to CLAP as the plain values that stand for them (qm07-host-values), or as one state file to
# both. Push stays off: its noise is seeded per instance from the clock.
#   renders:    the same output at several settings, rates, block sizes, in both precisions
#   automation: changes inside blocks land on their frames: CLAP value events against VST calls split
#               there, and one frame off differs
#   state:      a state saved by the VST build loads into the CLAP build and back byte for byte, and
#               renders the same
# Usage: crossformat.sh renders|automation|state WORKDIR DEMOSYNTH VSTHOST HOSTVALUES VST CLAP [RUNNER...]
set -uo pipefail
property=$1 work=$2 demosynth=$3 vsthost=$4 values=$5 vst=$6 clap=$7
shift 7
run=("$@")
mkdir -p "$work"
failures=0

host() { "${run[@]}" "$vsthost" "$@" >"$work/last.log" 2>&1 || { cat "$work/last.log"; return 1; }; }
input() { [ -f "$work/in-$1.f32" ] || "${run[@]}" "$demosynth" "$work/in-$1.f32" --seconds 1 --rate "$1" >/dev/null; }

# verdict WANT(same|differ) DESCRIPTION A B
verdict() {
  local outcome=differ
  cmp -s "$3" "$4" && outcome=same
  if [ "$outcome" = "$1" ]; then
    echo "ok: $2"
  else
    echo "FAILED: $2 ($3 and $4 are not $1)"
    failures=$((failures + 1))
  fi
}

# pair WANT NAME RATE BLOCK PRECISION SETTING...: both builds at the same settings, their outputs WANT. A
# SETTING is NAME=NORMALIZED from the start, FRAME:NAME=NORMALIZED from a frame, or VSTFRAME/CLAPFRAME:...
# from a different frame in each.
pair() {
  local want=$1 name=$2 rate=$3 block=$4 precision=$5
  shift 5
  local common=(--rate "$rate" --block "$block") vst_args=() clap_args=() plains=() line when i=0
  [ "$precision" = double ] && common+=(--double)
  while IFS= read -r line; do plains+=("$line"); done < <("${run[@]}" "$values" "${@#*:}" | tr -d '\r')
  for setting in "$@"; do
    if [[ $setting == *:* ]]; then
      when=${setting%%:*}
      vst_args+=(--at "${when%/*}:${setting#*:}") clap_args+=(--at "${when#*/}:${plains[i]}")
    else
      vst_args+=(--set "$setting") clap_args+=(--set "${plains[i]}")
    fi
    i=$((i + 1))
  done
  input "$rate"
  host render "$vst" "$work/in-$rate.f32" "$work/$name.vst.f32" "${common[@]}" "${vst_args[@]}" &&
    host render "$clap" "$work/in-$rate.f32" "$work/$name.clap.f32" "${common[@]}" "${clap_args[@]}" ||
    { failures=$((failures + 1)); return; }
  verdict "$want" "$name: $rate Hz, blocks of $block, $precision, ${*:-defaults}" "$work/$name.vst.f32" \
    "$work/$name.clap.f32"
}

renders() {
  pair same defaults 48000 512 single
  pair same squash 44100 7 double Thresh=0.8 Ratio=0.9 Attack=0.1 "Knee dB=0.2" Release=0.3
  pair same limit 96000 4096 single Ratio=1 "SC Mode=1" Gain=0.3 Release=0.9 Thresh=0.7
  pair same blend 44100 1 single "Wet/Dry=0.4" "Knee %=0.6" Thresh=0.65 Attack=0.9
  pair same sidechain 48000 333 double "SC Mode=0.5" "Knee %=0.35" "Wet/Dry=0.25" Thresh=0.55 Gain=0.1
}

automation() {
  local later=("1000:Ratio=1" "3333:Gain=0.5" "20000:SC Mode=1" "20001:Thresh=0.6")
  pair same exact 48000 512 single 1000:Thresh=0.9 "${later[@]}"
  pair same exact-double 48000 100 double 1000:Thresh=0.9 "${later[@]}"
  pair differ late 48000 512 single 1000/1001:Thresh=0.9 "${later[@]}"
  pair differ early 48000 512 single 1000/999:Thresh=0.9 "${later[@]}"
}

state() {
  input 44100
  local in="$work/in-44100.f32"
  host render "$vst" "$in" "$work/saved.vst.f32" --rate 44100 --set Thresh=0.85 --set Ratio=0.6 \
    --set "SC Mode=0.5" --set "Wet/Dry=0.1" --save-state "$work/vst.state" &&
    host render "$clap" "$in" "$work/loaded.clap.f32" --rate 44100 --state "$work/vst.state" \
      --save-state "$work/clap.state" &&
    host render "$vst" "$in" "$work/back.vst.f32" --rate 44100 --state "$work/clap.state" \
      --save-state "$work/back.state" ||
    failures=$((failures + 1))
  verdict same "the VST state saved again by the CLAP build" "$work/vst.state" "$work/clap.state"
  verdict same "and back through the VST build" "$work/vst.state" "$work/back.state"
  verdict same "the CLAP build renders the VST state as the VST build did" "$work/saved.vst.f32" \
    "$work/loaded.clap.f32"
}

case $property in
renders | automation | state) "$property" ;;
*)
  echo "unknown property $property"
  exit 2
  ;;
esac
[ "$failures" -eq 0 ] && echo "the CLAP and the VST build agree: $property"
exit "$failures"
