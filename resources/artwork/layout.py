"""Geometry shared by the printed scales of the background and the moving parts of the strips."""

import math
from dataclasses import dataclass

EDITOR_SIZE = (800, 220)
KNOB_FRAMES = 97
NEEDLE_FRAMES = 100
LEVER_FRAMES = 3
NEEDLE_FULL_SCALE_DB = 20.0


@dataclass(frozen=True)
class Image:
    id: int
    file: str
    frame_size: tuple  # width, height of one frame
    frames: int


BACKGROUND = Image(101, "101-background.png", EDITOR_SIZE, 1)
KNOB_LARGE = Image(102, "102-knob-80.png", (80, 80), KNOB_FRAMES)
KNOB_MEDIUM = Image(103, "103-knob-60.png", (60, 60), KNOB_FRAMES)
KNOB_SMALL = Image(104, "104-knob-40.png", (40, 40), KNOB_FRAMES)
NEEDLE = Image(105, "105-needle.png", (180, 80), NEEDLE_FRAMES)
LEVER = Image(106, "106-lever.png", (40, 40), LEVER_FRAMES)
IMAGES = (BACKGROUND, KNOB_LARGE, KNOB_MEDIUM, KNOB_SMALL, NEEDLE, LEVER)


@dataclass(frozen=True)
class Control:
    name: str
    kind: str  # "knob", "lever" or "meter"
    rect: tuple  # left, top, right, bottom; right and bottom exclusive
    image: Image
    default: float

    @property
    def centre(self):
        left, top, right, bottom = self.rect
        return ((left + right) / 2.0, (top + bottom) / 2.0)


CONTROLS = (
    Control("thresh", "knob", (135, 20, 215, 100), KNOB_LARGE, 0.5),
    Control("ratio", "knob", (265, 20, 345, 100), KNOB_LARGE, 0.5),
    Control("gain", "knob", (395, 20, 475, 100), KNOB_LARGE, 0.0),
    Control("attack", "knob", (80, 130, 140, 190), KNOB_MEDIUM, 0.375),
    Control("release", "knob", (210, 130, 270, 190), KNOB_MEDIUM, 0.5),
    Control("knee_db", "knob", (340, 130, 400, 190), KNOB_MEDIUM, 0.375),
    Control("knee_pct", "knob", (470, 130, 530, 190), KNOB_MEDIUM, 0.0),
    Control("wet_dry", "knob", (640, 140, 680, 180), KNOB_SMALL, 0.0),
    Control("meter", "meter", (570, 20, 750, 100), NEEDLE, 0.0),
    Control("sc_mode", "lever", (580, 150, 620, 190), LEVER, 0.0),
    Control("push", "lever", (700, 150, 740, 190), LEVER, 0.0),
)


def control(name):
    return next(c for c in CONTROLS if c.name == name)


# Knob travel: angles in degrees counter-clockwise from +x with y up, as the toolkit measures them.
KNOB_START_DEG = 225.0
KNOB_RANGE_DEG = -270.0


def knob_angle(value):
    return KNOB_START_DEG + KNOB_RANGE_DEG * value


def knob_frame_value(frame):
    return frame / (KNOB_FRAMES - 1)


def knob_frame(value):
    """Frame the toolkit shows for a value in 0 ... 1."""
    return min(KNOB_FRAMES - 1, int(value * (KNOB_FRAMES - 1)))


def polar(centre, radius, angle_deg):
    """Point at `radius` from `centre` in the direction `angle_deg`, in pixel coordinates (y down)."""
    a = math.radians(angle_deg)
    return (centre[0] + radius * math.cos(a), centre[1] - radius * math.sin(a))


def _attack_value(ms):
    return ((ms - 0.03) / 29.97) ** (1.0 / 3.0)


def _release_value(seconds):
    return ((seconds * 1000.0 - 50.0) / 1950.0) ** (1.0 / 3.0)


def _ratio_value(ratio):
    slope = 1.0 - 1.0 / ratio if ratio != math.inf else 1.0
    return slope * slope


# Printed scales: (knob value, label); the Thresh labels read dB from the -20 dB default at the top.
SCALES = {
    "thresh": [(v, t) for v, t in zip((0, 0.25, 0.5, 0.75, 1), ("+20", "+10", "0", "\u221210", "\u221220"))],
    "ratio": [(_ratio_value(r), t) for r, t in ((1, "1:1"), (2, "2:1"), (4, "4:1"), (8, "8:1"), (math.inf, "\u221e"))],
    "gain": [(db / 24.0, t) for db, t in ((0, "0"), (6, "6"), (12, "12"), (18, "18"), (24, "+24"))],
    "attack": [(_attack_value(ms), t) for ms, t in ((0.03, ".03"), (0.5, ".5"), (4, "4"), (12, "12"), (30, "30"))],
    "release": [(_release_value(s), t) for s, t in ((0.05, ".05"), (0.08, ".08"), (0.3, ".3"), (0.9, ".9"), (2, "2"))],
    "knee_db": [(db / 24.0, str(db)) for db in (0, 6, 12, 18, 24)],
    "knee_pct": [(p / 100.0, str(p)) for p in (0, 25, 50, 75, 100)],
    "wet_dry": [(v, "") for v in (0, 0.25, 0.5, 0.75, 1)],
}

# Needle: it pivots below the meter window; angles as for the knobs, in meter-local pixels.
NEEDLE_PIVOT = (90.0, 118.0)
NEEDLE_HALF_SWEEP_DEG = 44.0
NEEDLE_ROOT_RADIUS = 47.0  # emerges from the shroud printed on the face
NEEDLE_TIP_RADIUS = 97.0
METER_SHROUD_RADIUS = 48.0
METER_ARC_RADIUS = 86.0
METER_TICK_OUTER = (94.0, 90.5)  # major, minor
METER_LABEL_GAP = 2.5  # between a major tick and its number
METER_MARKS_DB = (0, 4, 8, 12, 16, 20)


def needle_angle(db):
    return 90.0 + NEEDLE_HALF_SWEEP_DEG - 2.0 * NEEDLE_HALF_SWEEP_DEG * db / NEEDLE_FULL_SCALE_DB


def needle_frame_db(frame):
    return frame * NEEDLE_FULL_SCALE_DB / (NEEDLE_FRAMES - 1)


def needle_frame(db):
    """Frame the meter shows for a reading in dB."""
    r = min(max(db, 0.0), NEEDLE_FULL_SCALE_DB)
    return int((NEEDLE_FRAMES - 1) * (r / NEEDLE_FULL_SCALE_DB))


# Lever: positions 0, 1, 2 lean left, stand upright, lean right; angles from the vertical, clockwise.
LEVER_PIVOT = (20.0, 28.0)
LEVER_LEAN_DEG = (-38.0, 0.0, 38.0)
LEVER_LENGTH = 19.0
LEVER_LABEL_RADIUS = 30.0
LEVER_LABELS = {"sc_mode": ("F", "A", "B"), "push": ("0", "I", "II")}


def lever_angle(position):
    """Lever direction as a toolkit angle (counter-clockwise from +x)."""
    return 90.0 - LEVER_LEAN_DEG[position]


def lever_position(value):
    """Position the toolkit shows for a three-position value."""
    return int((LEVER_FRAMES - 1) * value + 0.5)


@dataclass(frozen=True)
class KnobGeometry:
    radius: float  # body of the knob in the strip
    tick_inner: float  # printed ticks, outside the body
    tick_outer: float
    label_radius: float  # centre of the printed numbers
    label_size: float  # font size of the printed numbers


KNOB_GEOMETRY = {
    80: KnobGeometry(radius=27.0, tick_inner=31.0, tick_outer=36.5, label_radius=46.0, label_size=12.0),
    60: KnobGeometry(radius=20.5, tick_inner=23.5, tick_outer=28.0, label_radius=36.5, label_size=11.5),
    40: KnobGeometry(radius=14.0, tick_inner=16.5, tick_outer=19.0, label_radius=0.0, label_size=0.0),
}
