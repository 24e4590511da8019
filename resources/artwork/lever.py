"""Lever film strip: a chrome bat-handle toggle leaning left, upright and right over the printed nut."""

import math

import cairo

from . import layout, paint

BASE_HALF_WIDTH = 2.2
TIP_HALF_WIDTH = 2.9
BALL_RADIUS = 3.9


def _lever_path(ctx, angle):
    pivot = layout.LEVER_PIVOT
    tip = layout.polar(pivot, layout.LEVER_LENGTH, angle)
    normal = layout.polar((0.0, 0.0), 1.0, angle - 90.0)
    ctx.move_to(pivot[0] + normal[0] * BASE_HALF_WIDTH, pivot[1] + normal[1] * BASE_HALF_WIDTH)
    ctx.line_to(tip[0] + normal[0] * TIP_HALF_WIDTH, tip[1] + normal[1] * TIP_HALF_WIDTH)
    ctx.line_to(tip[0] - normal[0] * TIP_HALF_WIDTH, tip[1] - normal[1] * TIP_HALF_WIDTH)
    ctx.line_to(pivot[0] - normal[0] * BASE_HALF_WIDTH, pivot[1] - normal[1] * BASE_HALF_WIDTH)
    ctx.close_path()
    ctx.new_sub_path()
    ctx.arc(tip[0], tip[1], BALL_RADIUS, 0, 2 * math.pi)


def _chrome(angle):
    """Shading across the shaft: bright on the side that faces the light, a dark core line, a soft rim."""
    pivot = layout.LEVER_PIVOT
    lit_side = layout.polar(pivot, TIP_HALF_WIDTH + 1, angle + 90.0)
    dark_side = layout.polar(pivot, TIP_HALF_WIDTH + 1, angle - 90.0)
    if math.cos(math.radians(angle + 90.0 - paint.LIGHT_DEG)) < 0:
        lit_side, dark_side = dark_side, lit_side
    gradient = cairo.LinearGradient(*lit_side, *dark_side)
    for offset, grey in ((0.0, 0.55), (0.25, 0.97), (0.45, 0.80), (0.62, 0.30), (0.85, 0.55), (1.0, 0.35)):
        gradient.add_color_stop_rgb(offset, grey, grey, grey * 1.03)
    return gradient


def draw_frame(ctx, position, shadow):
    ctx.set_source_surface(shadow)
    ctx.paint()
    angle = layout.lever_angle(position)
    _lever_path(ctx, angle)
    ctx.set_source(_chrome(angle))
    ctx.fill_preserve()
    ctx.set_source_rgba(0, 0, 0, 0.35)
    ctx.set_line_width(0.6)
    ctx.stroke()
    tip = layout.polar(layout.LEVER_PIVOT, layout.LEVER_LENGTH, angle)
    glint = cairo.RadialGradient(tip[0] - 1.1, tip[1] - 1.2, 0.2, tip[0], tip[1], BALL_RADIUS)
    glint.add_color_stop_rgba(0.0, 1, 1, 1, 0.95)
    glint.add_color_stop_rgba(1.0, 1, 1, 1, 0.0)
    ctx.arc(tip[0], tip[1], BALL_RADIUS, 0, 2 * math.pi)
    ctx.set_source(glint)
    ctx.fill()


def render(image):
    width, height = image.frame_size
    strip = paint.new_surface(width, height * image.frames)
    ctx = cairo.Context(strip)
    for position in range(image.frames):
        angle = layout.lever_angle(position)
        shadow = paint.soft_shadow(width, height, lambda c: _lever_path(c, angle), sigma=1.3, opacity=0.6,
                                   offset=(1.5, 2.5))
        ctx.save()
        ctx.translate(0, position * height)
        ctx.rectangle(0, 0, width, height)
        ctx.clip()
        draw_frame(ctx, position, shadow)
        ctx.restore()
    return strip
