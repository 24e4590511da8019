#!/usr/bin/env bash
# A host we did not write reads the built .clap: Qtractor's plug-in scanner takes one line "CLAP:PATH" on
# standard input and answers "CLAP|name|audio in:out|MIDI in:out|parameters in:out|flags|path|index|id".
set -euo pipefail
scanner=$1
plugin=$2
[ -x "$scanner" ] || { echo "no Qtractor scanner at '$scanner' (tools/install-deps.sh installs qtractor)"; exit 1; }

line=$(echo "CLAP:$plugin" | env -u DISPLAY "$scanner")
echo "$line"
IFS='|' read -r format name audio midi controls flags path _ <<<"$line"

status=0
expect() {
  if [ "$2" != "$3" ]; then
    echo "$1: expected '$3', read '$2'"
    status=1
  fi
}
expect format "$format" CLAP
expect name "$name" "QM07 Compressor"
expect "audio inputs:outputs" "$audio" 2:2
expect "MIDI inputs:outputs" "$midi" 0:0
expect "parameters in:out" "$controls" 10:0
expect path "$path" "$plugin"
case ",$flags," in
  *,GUI,*) ;;
  *) echo "flags '$flags' name no editor (GUI)"; status=1 ;;
esac
exit $status
