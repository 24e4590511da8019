#!/usr/bin/env bash
# Regenerates the toolkit's and the editor's golden images on purpose, after a deliberate change of the
# images or of drawing.
# Review the new files with `git diff --stat tests/golden` and look at them before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/goldens
cmake --preset native -B "$build" >/dev/null
cmake --build "$build" --target toolkit_render_test editor_render_test editorrender
QM07_UPDATE_GOLDENS=1 "$build/tests/vstgui/toolkit_render_test"
QM07_UPDATE_GOLDENS=1 "$build/tests/editor/editor_render_test"
QM07_UPDATE_GOLDENS=1 QM07_EDITORRENDER="$build/tools/editorrender/editorrender" \
  /usr/bin/python3 tests/host/test_editor_goldens.py
git status --short tests/golden
