#!/usr/bin/env bash
# lilv's lv2info reads the bundle as hosts will: 2 audio inputs, 2 audio outputs, 10 control inputs, one
# control output, and the X11 UI. Usage: lv2info.sh BUNDLE
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ln -s "$(readlink -f "$1")" "$scratch/"
info=$(LV2_PATH=$scratch lv2info urn:tarvel:qm07-compressor)
# One word a port: its kind and direction, in whatever order lv2info lists the types.
ports=$(awk '/^\tPort [0-9]+:/ { if (kind) print kind "-" way; kind = way = "" }
             /#AudioPort/ { kind = "audio" } /#ControlPort/ { kind = "control" }
             /#InputPort/ { way = "in" } /#OutputPort/ { way = "out" }
             END { if (kind) print kind "-" way }' <<<"$info" | sort | uniq -c | awk '{ print $2 "=" $1 }' | paste -sd' ')
expected="audio-in=2 audio-out=2 control-in=10 control-out=1"
[ "$ports" = "$expected" ] || { echo "ports: $ports (expected $expected)"; exit 1; }
grep -q 'ui#X11UI' <<<"$info" || { echo "no X11 UI"; exit 1; }
echo "lv2info: $ports, X11 UI"
