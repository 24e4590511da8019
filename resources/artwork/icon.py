"""The application's icon: the medium knob on a patch of the faceplate, with the accent arc of its travel."""

import math

import cairo

from . import knob, layout, paint

SIZE = 64
KNOB = 60
VALUE = 0.7


def _plate(ctx):
    r = 11.0
    ctx.new_path()
    ctx.arc(SIZE - r, r, r, -math.pi / 2, 0)
    ctx.arc(SIZE - r, SIZE - r, r, 0, math.pi / 2)
    ctx.arc(r, SIZE - r, r, math.pi / 2, math.pi)
    ctx.arc(r, r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()
    shade = cairo.LinearGradient(0, 0, SIZE, SIZE)
    shade.add_color_stop_rgb(0, *(c * 1.35 for c in paint.PANEL))
    shade.add_color_stop_rgb(1, *(c * 0.7 for c in paint.PANEL))
    ctx.set_source(shade)
    ctx.fill()


def _travel(ctx, centre, radius):
    """The arc from the knob's start to its value, drawn as the toolkit turns (counter-clockwise angles)."""
    ctx.new_path()
    start = -math.radians(layout.knob_angle(0.0))
    end = -math.radians(layout.knob_angle(VALUE))
    ctx.arc(centre, centre, radius, min(start, end), max(start, end))
    ctx.set_source_rgb(*paint.ACCENT)
    ctx.set_line_width(3.0)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.stroke()


def render():
    icon = paint.new_surface(SIZE, SIZE)
    ctx = cairo.Context(icon)
    _plate(ctx)
    centre = SIZE / 2.0
    _travel(ctx, centre, layout.KNOB_GEOMETRY[KNOB].tick_outer)
    strip = knob.render(layout.KNOB_MEDIUM)
    offset = layout.knob_frame(VALUE) * KNOB
    ctx.rectangle(2, 2, KNOB, KNOB)
    ctx.clip()
    ctx.set_source_surface(strip, 2, 2 - offset)
    ctx.paint()
    return icon
