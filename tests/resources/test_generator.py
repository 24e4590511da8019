"""The artwork generator draws the same bytes every run, and the committed images are what it draws."""

import filecmp
import pathlib
import subprocess
import sys
import tempfile
import unittest

RESOURCES = pathlib.Path(__file__).resolve().parents[2] / "resources"
GENERATOR = RESOURCES / "artwork" / "generate.py"
sys.path.insert(0, str(RESOURCES))
from artwork import layout  # noqa: E402

OUTPUTS = [f"images/{image.file}" for image in layout.IMAGES] + ["preview.png", "icon/qm07-compressor.png"]


def generate(folder):
    subprocess.run([sys.executable, str(GENERATOR), "--images", str(folder / "images"),
                    "--preview", str(folder / "preview.png"), "--icon", str(folder / "icon/qm07-compressor.png")],
                   check=True)


class Generator(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory()
        cls.runs = [pathlib.Path(cls.temp.name) / name for name in ("first", "second")]
        for run in cls.runs:
            generate(run)

    @classmethod
    def tearDownClass(cls):
        cls.temp.cleanup()

    def test_two_runs_give_identical_bytes(self):
        for name in OUTPUTS:
            with self.subTest(name):
                self.assertTrue(filecmp.cmp(self.runs[0] / name, self.runs[1] / name, shallow=False))

    def test_committed_images_are_up_to_date(self):
        for name in OUTPUTS:
            with self.subTest(name):
                self.assertTrue(filecmp.cmp(self.runs[0] / name, RESOURCES / name, shallow=False),
                                "regenerate with: /usr/bin/python3 resources/artwork/generate.py")


if __name__ == "__main__":
    unittest.main()
