"""Knob film strips: a knurled black skirt around a spun-aluminium cap with a cream pointer."""

import math

import cairo
import numpy as np

from . import layout, paint

POINTER = (0.97, 0.91, 0.76)
SKIRT_LIGHT = 0.25
SKIRT_DARK = 0.055


def _light_gradient(centre, radius, light, dark):
    """Linear gradient across a disc, lit from the panel's light direction."""
    x0, y0 = layout.polar(centre, radius, paint.LIGHT_DEG)
    x1, y1 = layout.polar(centre, radius, paint.LIGHT_DEG + 180.0)
    gradient = cairo.LinearGradient(x0, y0, x1, y1)
    gradient.add_color_stop_rgba(0.0, *light)
    gradient.add_color_stop_rgba(1.0, *dark)
    return gradient


def _cap_texture(size, radius):
    """Spun aluminium: concentric tool marks and the two-lobed sheen of a radial finish, fixed to the light."""
    c = size / 2.0
    y, x = np.mgrid[0:size, 0:size] + 0.5
    dx, dy = x - c, c - y
    r = np.hypot(dx, dy)
    theta = np.degrees(np.arctan2(dy, dx))
    rng = np.random.default_rng(size)
    rings = rng.normal(0.0, 0.018, int(radius * 4) + 8)
    sheen = 0.13 * np.cos(np.radians(2.0 * (theta - paint.LIGHT_DEG)))
    tilt = 0.07 * np.cos(np.radians(theta - paint.LIGHT_DEG)) * np.clip(r / radius, 0, 1)
    b = 0.70 + sheen + tilt + rings[np.minimum((r * 4).astype(int), len(rings) - 1)]
    rgba = np.empty((size, size, 4))
    rgba[..., 0] = b * 0.985
    rgba[..., 1] = b * 0.99
    rgba[..., 2] = b
    rgba[..., 3] = 1.0
    return paint.surface_from_array(np.clip(rgba, 0, 1))


def _disc(ctx, centre, radius):
    ctx.new_sub_path()
    ctx.arc(centre[0], centre[1], radius, 0, 2 * math.pi)


def _knurl(ctx, centre, radius, angle, count):
    """Grip ridges that turn with the knob; each ridge catches the fixed light by where it points."""
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)
    ctx.set_line_width(max(0.8, radius * 0.055))
    for i in range(count):
        a = angle + i * 360.0 / count
        lit = 0.5 + 0.5 * math.cos(math.radians(a - paint.LIGHT_DEG))
        ctx.move_to(*layout.polar(centre, radius * 0.84, a))
        ctx.line_to(*layout.polar(centre, radius * 0.985, a))
        ctx.set_source_rgba(1, 1, 1, 0.05 + 0.22 * lit)
        ctx.stroke()


def _pointer(ctx, centre, radius, angle):
    width = max(1.6, radius * 0.11)
    start = layout.polar(centre, radius * 0.20, angle)
    end = layout.polar(centre, radius * 0.93, angle)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.move_to(*start)
    ctx.line_to(*end)
    ctx.set_source_rgba(*paint.INK, 0.9)
    ctx.set_line_width(width + 1.6)
    ctx.stroke_preserve()
    ctx.set_source_rgb(*POINTER)
    ctx.set_line_width(width)
    ctx.stroke()


def draw_frame(ctx, size, value, cap, shadow):
    g = layout.KNOB_GEOMETRY[size]
    centre = (size / 2.0, size / 2.0)
    radius = g.radius
    angle = layout.knob_angle(value)

    ctx.set_source_surface(shadow)
    ctx.paint()

    _disc(ctx, centre, radius)
    ctx.set_source(_light_gradient(centre, radius, (SKIRT_LIGHT,) * 3 + (1,), (SKIRT_DARK,) * 3 + (1,)))
    ctx.fill()
    _knurl(ctx, centre, radius, angle, 36 if size >= 60 else 28)

    cap_radius = radius * 0.68
    _disc(ctx, centre, cap_radius + 1.2)
    ctx.set_source_rgba(0, 0, 0, 0.55)
    ctx.fill()
    ctx.save()
    _disc(ctx, centre, cap_radius)
    ctx.clip()
    ctx.set_source_surface(cap)
    ctx.paint()
    ctx.restore()
    _disc(ctx, centre, cap_radius - 0.5)
    ctx.set_source(_light_gradient(centre, cap_radius, (1, 1, 1, 0.75), (0, 0, 0, 0.45)))
    ctx.set_line_width(1.0)
    ctx.stroke()

    _disc(ctx, centre, radius - 0.5)
    ctx.set_source(_light_gradient(centre, radius, (1, 1, 1, 0.35), (0, 0, 0, 0.6)))
    ctx.set_line_width(1.0)
    ctx.stroke()

    _pointer(ctx, centre, radius, angle)


def render(image):
    size = image.frame_size[0]
    g = layout.KNOB_GEOMETRY[size]
    centre = (size / 2.0, size / 2.0)
    shadow = paint.soft_shadow(
        size, size, lambda ctx: _disc(ctx, centre, g.radius), sigma=size / 40.0, opacity=0.75,
        offset=(size / 60.0, size / 32.0))
    cap = _cap_texture(size, g.radius * 0.68)
    strip = paint.new_surface(size, size * image.frames)
    ctx = cairo.Context(strip)
    for frame in range(image.frames):
        ctx.save()
        ctx.translate(0, frame * size)
        ctx.rectangle(0, 0, size, size)
        ctx.clip()
        draw_frame(ctx, size, layout.knob_frame_value(frame), cap, shadow)
        ctx.restore()
    return strip
