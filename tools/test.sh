#!/usr/bin/env bash
# Builds every flavour and runs every test: native, Windows under Wine on a virtual display,
# the sanitizer builds (AddressSanitizer with UndefinedBehaviorSanitizer, ThreadSanitizer), and the
# fuzz targets (clang, libFuzzer), each fuzzed for a bounded time.
set -uo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh || exit 1

werror=${QM07_WERROR:-OFF}
failed=()
for preset in native windows asan tsan fuzz; do
  echo "== build $preset"
  if ! cmake --preset "$preset" -DQM07_WERROR="$werror"; then
    failed+=("configure:$preset")
  elif ! cmake --build --preset "$preset"; then
    failed+=("build:$preset")
  fi
done

run_tests() {
  local preset=$1; shift
  echo "== test $preset"
  "$@" ctest --preset "$preset" -j2 || failed+=("test:$preset")
}
run_tests native
run_tests windows xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
run_tests asan
run_tests tsan
run_tests fuzz

if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All flavours built and all tests passed."
