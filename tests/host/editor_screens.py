"""The editor states the end-to-end test reaches and their reference pictures, all drawn by the software
renderer: the defaults by the editor's render test, the other states by editorrender."""

import pathlib
import subprocess

import numpy as np
from PIL import Image

GOLDEN_DIR = pathlib.Path(__file__).resolve().parents[1] / "golden"
METER = (570, 20, 750, 100)  # left, top, right, bottom: the needle, which follows the audio

DEFAULTS = "editor-defaults"
EDITED = "editor-edited"
# Normalized values by parameter name; every parameter not named stays at its default.
STATES = {
    EDITED: {"Thresh": 1.0, "Ratio": 0.6, "SC Mode": 1.0, "Gain": 0.75},
}


def golden(name):
    return GOLDEN_DIR / f"{name}.png"


def render(editorrender, name, path):
    settings = [f"{parameter}={value}" for parameter, value in STATES.get(name, {}).items()]
    subprocess.run([str(editorrender), str(path), *settings], check=True)


def load(path):
    return np.asarray(Image.open(path).convert("RGB"), dtype=np.int32)


def region(pixels, rect):
    left, top, right, bottom = rect
    return pixels[top:bottom, left:right]


def largest_difference(actual, expected, skip=None):
    """Largest difference of one channel of one pixel, optionally leaving a rectangle out."""
    if actual.shape != expected.shape:
        return 255
    difference = np.abs(actual - expected)
    if skip:
        left, top, right, bottom = skip
        difference[top:bottom, left:right] = 0
    return int(difference.max())


def save_mismatch(actual, expected, stem):
    """The picture seen and one with every differing pixel red, for whoever reads the failure."""
    Image.fromarray(actual.astype(np.uint8)).save(f"{stem}-actual.png")
    if actual.shape == expected.shape:
        marked = expected.copy()
        marked[np.abs(actual - expected).max(axis=2) > 1] = (255, 0, 0)
        Image.fromarray(marked.astype(np.uint8)).save(f"{stem}-difference.png")
