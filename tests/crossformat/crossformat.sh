#!/usr/bin/env bash
# The CLAP build against the VST build through vsthost, bit for bit. Settings go to VST as normalized
# values and to CLAP as the plain values that stand for them (qm07-host-values), or as one state file to
# both. Push stays off: its noise is seeded per instance from the clock.
#   renders:    the same output at several settings, rates, block sizes, in both precisions, and from a
#               state file
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
# The plain values, one NAME=VALUE a line, for normalized NAME=VALUE settings.
plain() { "${run[@]}" "$values" values "$@" | tr -d '\r'; }

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

# render_pair NAME RATE BLOCK PRECISION SETTINGS...: both builds at the same settings.
render_pair() {
  local name=$1 rate=$2 block=$3 precision=$4
  shift 4
  local common=(--rate "$rate" --block "$block") vst_set=() clap_set=() line
  [ "$precision" = double ] && common+=(--double)
  for setting in "$@"; do vst_set+=(--set "$setting"); done
  while IFS= read -r line; do clap_set+=(--set "$line"); done < <(plain "$@")
  input "$rate"
  host render "$vst" "$work/in-$rate.f32" "$work/$name.vst.f32" "${common[@]}" "${vst_set[@]}" &&
    host render "$clap" "$work/in-$rate.f32" "$work/$name.clap.f32" "${common[@]}" "${clap_set[@]}" ||
    { failures=$((failures + 1)); return; }
  verdict same "$name: $rate Hz, blocks of $block, $precision, ${*:-defaults}" "$work/$name.vst.f32" \
    "$work/$name.clap.f32"
}

renders() {
  render_pair defaults 48000 512 single
  render_pair squash 44100 7 double Thresh=0.8 Ratio=0.9 Attack=0.1 "Knee dB=0.2" Release=0.3
  render_pair limit 96000 4096 single Ratio=1 "SC Mode=1" Gain=0.3 Release=0.9 Thresh=0.7
  render_pair blend 44100 1 single "Wet/Dry=0.4" "Knee %=0.6" Thresh=0.65 Attack=0.9
  render_pair sidechain 48000 333 double "SC Mode=0.5" "Knee %=0.35" "Wet/Dry=0.25" Thresh=0.55 Gain=0.1
  local settings=(Thresh=0.75 Ratio=0.7 "Knee dB=0.8" "SC Mode=1" Release=0.15)
  "${run[@]}" "$values" state "$work/settings.state" "${settings[@]}"
  input 48000
  host render "$vst" "$work/in-48000.f32" "$work/state.vst.f32" --rate 48000 --state "$work/settings.state" &&
    host render "$clap" "$work/in-48000.f32" "$work/state.clap.f32" --rate 48000 --state "$work/settings.state" ||
    failures=$((failures + 1))
  verdict same "one state file given to both" "$work/state.vst.f32" "$work/state.clap.f32"
  verdict differ "the state file is not the defaults" "$work/state.vst.f32" "$work/defaults.vst.f32"
}

# automate NAME FRAME-SHIFT PRECISION BLOCK: the changes below, the first one moved by FRAME-SHIFT for CLAP.
automate() {
  local name=$1 shift_by=$2 precision=$3 block=$4
  local changes=("1000:Thresh=0.9" "1000:Ratio=1" "3333:Gain=0.5" "20000:SC Mode=1" "20001:Thresh=0.6")
  local vst_at=() clap_at=() frame setting line i=0
  for change in "${changes[@]}"; do vst_at+=(--at "$change"); done
  for change in "${changes[@]}"; do
    frame=${change%%:*} setting=${change#*:}
    [ $i -eq 0 ] && frame=$((frame + shift_by))
    line=$(plain "$setting")
    clap_at+=(--at "$frame:$line")
    i=$((i + 1))
  done
  local common=(--rate 48000 --block "$block")
  [ "$precision" = double ] && common+=(--double)
  input 48000
  host render "$vst" "$work/in-48000.f32" "$work/$name.vst.f32" "${common[@]}" "${vst_at[@]}" &&
    host render "$clap" "$work/in-48000.f32" "$work/$name.clap.f32" "${common[@]}" "${clap_at[@]}" ||
    failures=$((failures + 1))
}

automation() {
  automate exact 0 single 512
  verdict same "changes at frames 1000, 3333, 20000 and 20001 inside blocks of 512" "$work/exact.vst.f32" \
    "$work/exact.clap.f32"
  automate exact-double 0 double 100
  verdict same "the same inside blocks of 100, double precision" "$work/exact-double.vst.f32" \
    "$work/exact-double.clap.f32"
  automate late 1 single 512
  verdict differ "the first change one frame late" "$work/late.vst.f32" "$work/late.clap.f32"
  automate early -1 single 512
  verdict differ "the first change one frame early" "$work/early.vst.f32" "$work/early.clap.f32"
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
  [ "$(stat -c %s "$work/vst.state")" = 40 ] || { echo "FAILED: the VST state is not 40 bytes"; failures=$((failures + 1)); }
  verdict same "the VST state saved again by the CLAP build" "$work/vst.state" "$work/clap.state"
  verdict same "and back through the VST build" "$work/vst.state" "$work/back.state"
  verdict same "the CLAP build renders the VST state as the VST build did" "$work/saved.vst.f32" \
    "$work/loaded.clap.f32"
  verdict same "the VST build renders it back the same" "$work/saved.vst.f32" "$work/back.vst.f32"
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
