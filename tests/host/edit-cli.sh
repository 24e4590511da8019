#!/usr/bin/env bash
# vsthost edit from the command line with a plug-in we did not write: it opens the editor in an X11
# window on a display of its own, idles it, applies a host setting from the audio thread and closes
# cleanly; without a display or with bad arguments it fails with a reason. Usage: edit-cli.sh VSTHOST PLUGIN
set -uo pipefail
vsthost=$1 plugin=$2
failures=0

# expect CODE PATTERN COMMAND...: the command exits with CODE and its output matches every line of PATTERN.
expect() {
  local code=$1 pattern=$2; shift 2
  local output status
  output=$("$@" 2>&1); status=$?
  local missing=
  while IFS= read -r line; do
    grep -Eq -- "$line" <<<"$output" || missing+=" '$line'"
  done <<<"$pattern"
  if [ "$status" -ne "$code" ] || [ -n "$missing" ]; then
    echo "FAILED: $* exited with $status (wanted $code), missing:$missing"
    echo "$output"
    failures=$((failures + 1))
  fi
}

expect 0 $'^editor [0-9]+x[0-9]+ at -?[0-9]+,-?[0-9]+$\n^host set 4 0.300000$\n^idle [1-9][0-9]* passes' \
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  "$vsthost" edit "$plugin" --seconds 1 --signal tone --at 0.2:Threshold=0.3
expect 1 'cannot open the X display' env -u DISPLAY "$vsthost" edit "$plugin" --seconds 1
expect 1 'want SECONDS:NAME=VALUE' "$vsthost" edit "$plugin" --at Threshold=0.3
expect 2 'unknown --signal' "$vsthost" edit "$plugin" --signal loud

[ "$failures" -eq 0 ] && echo "vsthost edit behaves with $plugin"
exit "$failures"
