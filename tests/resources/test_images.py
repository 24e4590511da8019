"""Checks the committed editor images: sizes, frames, transparency, and where the moving parts point."""

import math
import pathlib
import sys
import unittest

import numpy as np
from PIL import Image

RESOURCES = pathlib.Path(__file__).resolve().parents[2] / "resources"
sys.path.insert(0, str(RESOURCES))
from artwork import layout  # noqa: E402

# The knob travel as the toolkit defines it, written out here rather than taken from the generator.
KNOB_START_DEG = 225.0
KNOB_SWEEP_DEG = 270.0

# (file, mode, frame width, frame height, frames) from the layout the editor is built from; only the
# faceplate is opaque.
EXPECTED = {image.id: (image.file, "RGB" if image is layout.BACKGROUND else "RGBA", *image.frame_size, image.frames)
            for image in layout.IMAGES}
BACKGROUND, KNOB_LARGE, KNOB_MEDIUM, KNOB_SMALL, NEEDLE, LEVER = (
    layout.BACKGROUND.id, layout.KNOB_LARGE.id, layout.KNOB_MEDIUM.id, layout.KNOB_SMALL.id, layout.NEEDLE.id,
    layout.LEVER.id)


def load(image_id):
    return Image.open(RESOURCES / "images" / EXPECTED[image_id][0])


def frames(image_id):
    """The strip as an array of frames, each of un-premultiplied R, G, B, A rows."""
    _, _, width, height, count = EXPECTED[image_id]
    return np.asarray(load(image_id).convert("RGBA"), dtype=np.int32).reshape(count, height, width, 4)


def angle_of(mask, centre):
    """Direction of the mask's centroid from `centre`, counter-clockwise from +x with y up."""
    ys, xs = np.nonzero(mask)
    if len(xs) == 0:
        return math.nan
    dx = xs.mean() + 0.5 - centre[0]
    dy = centre[1] - (ys.mean() + 0.5)
    return math.degrees(math.atan2(dy, dx))


def weighted_angle_of(weights, centre):
    """Direction of the weighted centroid from `centre`; weights keep thin antialiased lines unbiased."""
    ys, xs = np.mgrid[0 : weights.shape[0], 0 : weights.shape[1]] + 0.5
    total = weights.sum()
    dx = (weights * xs).sum() / total - centre[0]
    dy = centre[1] - (weights * ys).sum() / total
    return math.degrees(math.atan2(dy, dx))


def angle_difference(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0)


def pointer_mask(frame):
    r, g, b, a = (frame[..., i] for i in range(4))
    return (a > 200) & (r > 200) & (g > 170) & (r - b > 25)


class FileLayout(unittest.TestCase):
    def test_sizes_modes_and_frame_counts(self):
        for image_id, (name, mode, width, height, count) in EXPECTED.items():
            with self.subTest(name):
                image = load(image_id)
                self.assertEqual(image.format, "PNG")
                self.assertEqual(image.mode, mode)
                self.assertEqual(image.size, (width, height * count))

    def test_strips_are_transparent_where_they_draw_nothing(self):
        for image_id in (KNOB_LARGE, KNOB_MEDIUM, KNOB_SMALL, NEEDLE, LEVER):
            strip = frames(image_id)
            with self.subTest(EXPECTED[image_id][0]):
                corners = strip[:, [0, 0, -1, -1], [0, -1, 0, -1], 3]
                self.assertTrue((corners == 0).all(), "every frame's corners are clear")
                clear = (strip[..., 3] == 0).mean(axis=(1, 2))
                self.assertTrue((clear > 0.1).all())
                self.assertTrue((strip[..., 3] == 255).any(axis=(1, 2)).all(), "every frame draws something")

    def test_needle_frames_leave_the_face_visible(self):
        clear = (frames(NEEDLE)[..., 3] == 0).mean(axis=(1, 2))
        self.assertGreater(clear.min(), 0.9)


class KnobTravel(unittest.TestCase):
    def test_pointer_follows_the_travel_in_every_size(self):
        for image_id in (KNOB_LARGE, KNOB_MEDIUM, KNOB_SMALL):
            strip = frames(image_id)
            size = strip.shape[2]
            for frame in (0, 24, 48, 72, 96):
                with self.subTest(size=size, frame=frame):
                    measured = angle_of(pointer_mask(strip[frame]), (size / 2.0, size / 2.0))
                    expected = KNOB_START_DEG - KNOB_SWEEP_DEG * frame / 96.0
                    self.assertLess(angle_difference(measured, expected), 2.0, f"measured {measured:.2f}")

    def test_only_the_pointer_is_pointer_coloured(self):
        strip = frames(KNOB_LARGE)
        self.assertTrue(all(pointer_mask(strip[f]).sum() > 20 for f in (0, 48, 96)))
        self.assertFalse(pointer_mask(strip[48])[50:, :].any(), "nothing pointer-coloured below the centre")


class PrintedScales(unittest.TestCase):
    """The background's ticks lie on the travel at the values the parameter formulas give."""

    EXPECTED_VALUES = {
        "thresh": [0, 0.25, 0.5, 0.75, 1],  # +20 ... -20 dB around the -20 dB default: threshold -40 v dB
        "ratio": [0, 0.25, 0.5625, 0.765625, 1],  # slope sqrt(v), ratio 1 / (1 - slope)
        "gain": [0, 0.25, 0.5, 0.75, 1],
        "attack": [((ms - 0.03) / 29.97) ** (1 / 3) for ms in (0.03, 0.5, 4, 12, 30)],
        "release": [((ms - 50) / 1950) ** (1 / 3) for ms in (50, 80, 300, 900, 2000)],
        "knee_db": [0, 0.25, 0.5, 0.75, 1],
        "knee_pct": [0, 0.25, 0.5, 0.75, 1],
    }

    def setUp(self):
        self.face = np.asarray(load(BACKGROUND), dtype=np.int32).mean(axis=2)

    def test_mark_values_follow_the_parameter_formulas(self):
        for name, values in self.EXPECTED_VALUES.items():
            with self.subTest(name):
                printed = [v for v, _ in layout.SCALES[name]]
                np.testing.assert_allclose(printed, values, atol=1e-9)

    def test_ticks_are_printed_on_the_travel(self):
        """Each tick, measured from the pixels, points where the knob points for its value."""
        for name, values in self.EXPECTED_VALUES.items():
            ctl = layout.control(name)
            g = layout.KNOB_GEOMETRY[ctl.image.frame_size[0]]
            ys, xs = np.mgrid[0:220, 0:800] + 0.5
            cx, cy = ctl.centre
            r = np.hypot(xs - cx, ys - cy)
            a = np.degrees(np.arctan2(cy - ys, xs - cx))
            ring = (r > g.tick_inner + 1.5) & (r < g.tick_outer + 1.0)
            ink = np.clip(self.face - 90.0, 0.0, None)
            for value in values:
                expected = KNOB_START_DEG - KNOB_SWEEP_DEG * value
                with self.subTest(name=name, value=value):
                    near = ring & (np.abs((a - expected + 180.0) % 360.0 - 180.0) < 8.0)
                    self.assertGreater((near & (self.face > 150)).sum(), 2, "a light tick on the dark panel")
                    measured = weighted_angle_of(np.where(near, ink, 0.0), (cx, cy))
                    self.assertLess(angle_difference(measured, expected), 1.0)


class Needle(unittest.TestCase):
    def test_needle_angle_matches_its_reading(self):
        strip = frames(NEEDLE)
        pivot = layout.NEEDLE_PIVOT
        angles = {}
        for frame in (0, 49, 99):
            needle = strip[frame][..., 3] > 180
            angles[frame] = angle_of(needle, pivot)
            with self.subTest(frame=frame):
                expected = layout.needle_angle(frame * 20.0 / 99.0)
                self.assertLess(angle_difference(angles[frame], expected), 2.0)
        self.assertGreater(angles[0], 100.0, "0 dB at the left")
        self.assertLess(angles[99], 80.0, "20 dB at the right")
        self.assertAlmostEqual(angles[0] - 90.0, 90.0 - angles[99], delta=1.0)

    def test_face_marks_lie_under_the_needle_travel(self):
        face = np.asarray(load(BACKGROUND), dtype=np.int32).mean(axis=2)
        left, top = layout.control("meter").rect[:2]
        pivot = (left + layout.NEEDLE_PIVOT[0], top + layout.NEEDLE_PIVOT[1])
        radius = (layout.METER_ARC_RADIUS + layout.METER_TICK_OUTER[0]) / 2.0 + 1.5
        for db in (0, 4, 8, 12, 16, 20):
            with self.subTest(db=db):
                on = layout.polar(pivot, radius, layout.needle_angle(db))
                between = layout.polar(pivot, radius, layout.needle_angle(db + 0.5 if db < 20 else db - 0.5))
                self.assertLess(face[int(on[1]), int(on[0])], 100, "a dark tick on the light face")
                self.assertGreater(face[int(between[1]), int(between[0])], 150)


class Lever(unittest.TestCase):
    def test_lever_leans_left_stands_upright_and_leans_right(self):
        strip = frames(LEVER)
        pivot_x, pivot_y = layout.LEVER_PIVOT
        self.assertFalse((strip[0] == strip[1]).all())
        self.assertFalse((strip[1] == strip[2]).all())
        leans = []
        for position in range(3):
            ys, xs = np.nonzero(strip[position][: int(pivot_y) - 4, :, 3] > 200)
            leans.append(xs.mean() + 0.5 - pivot_x)
        self.assertLess(leans[0], -4.0)
        self.assertLess(abs(leans[1]), 1.0)
        self.assertGreater(leans[2], 4.0)


class Preview(unittest.TestCase):
    def test_preview_is_the_editor_at_its_defaults(self):
        """Composed here with PIL from the committed files, by the toolkit's frame rules."""
        expected = load(BACKGROUND).convert("RGBA")
        for ctl in layout.CONTROLS:
            image_id = ctl.image.id
            if ctl.kind == "knob":
                frame = int(ctl.default * 96)
            elif ctl.kind == "lever":
                frame = int(2 * ctl.default + 0.5)
            else:
                frame = int(99 * (10.0 / 20.0))
            _, _, width, height, _ = EXPECTED[image_id]
            tile = load(image_id).convert("RGBA").crop((0, frame * height, width, (frame + 1) * height))
            expected.alpha_composite(tile, (ctl.rect[0], ctl.rect[1]))
        actual = np.asarray(Image.open(RESOURCES / "preview.png").convert("RGB"), dtype=np.int32)
        difference = np.abs(actual - np.asarray(expected.convert("RGB"), dtype=np.int32))
        self.assertLessEqual(difference.max(), 3)


if __name__ == "__main__":
    unittest.main()
