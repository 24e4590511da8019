#!/usr/bin/env bash
# Runs a Windows program under Wine with a private prefix inside the build tree.
# The prefix lives next to the program's build tree so no run depends on the machine's earlier state.
set -euo pipefail
exe=$(readlink -f "$1"); shift
build_dir=${QM07_WINE_BUILD_DIR:-$(dirname "$exe")}
while [ ! -f "$build_dir/CMakeCache.txt" ] && [ "$build_dir" != / ]; do build_dir=$(dirname "$build_dir"); done
[ "$build_dir" = / ] && build_dir=$(dirname "$exe")
export WINEPREFIX="$build_dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.ready" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
      touch "$WINEPREFIX/.ready"
    fi
  ) 9>"$build_dir/.wineprefix.lock"
fi
# A server that lingers between test programs: one that is shutting down as the next program connects
# resets that program's connection ("wine client error: recvmsg").
wineserver -p30 >/dev/null 2>&1 || true
exec wine "$exe" "$@"
