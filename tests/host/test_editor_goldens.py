"""The committed pictures of editor states are what editorrender draws today, and editorrender draws the
defaults exactly as the editor's own render test does. QM07_UPDATE_GOLDENS=1 (set only by
tests/update-goldens.sh) writes editorrender's pictures instead."""

import os
import pathlib
import tempfile
import unittest

import editor_screens

EDITORRENDER = os.environ["QM07_EDITORRENDER"]


class Goldens(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def check(self, name, path):
        editor_screens.render(EDITORRENDER, name, path)
        actual = editor_screens.load(path)
        expected = editor_screens.load(editor_screens.golden(name))
        if editor_screens.largest_difference(actual, expected) != 0:
            editor_screens.save_mismatch(actual, expected, name)
            self.fail(f"{name}: editorrender draws something else; see {name}-*.png, "
                      "regenerate with tests/update-goldens.sh if that is intended")

    def test_every_state_matches_its_golden(self):
        updating = os.environ.get("QM07_UPDATE_GOLDENS") == "1"
        for name in editor_screens.STATES:
            with self.subTest(name):
                golden = editor_screens.golden(name)
                self.check(name, golden if updating else pathlib.Path(self.folder.name) / f"{name}.png")

    def test_defaults_as_the_editor_render_test_draws_them(self):
        self.check(editor_screens.DEFAULTS, pathlib.Path(self.folder.name) / "defaults.png")


if __name__ == "__main__":
    unittest.main()
