"""The faceplate itself: brushed anodised metal, edge bevels, corner screws and a section rule."""

import math

import cairo
import numpy as np

from . import layout, paint

SCREWS = ((11, 11), (789, 11), (11, 209), (789, 209))
SECTION_RULE_X = 553.5


def _brushed(width, height):
    """Horizontal grain: seeded noise smeared along x, so every run draws the same plate."""
    rng = np.random.default_rng(7)
    noise = rng.normal(0.0, 1.0, (height, width + 80))
    kernel = np.ones(41) / 41.0
    grain = np.array([np.convolve(row, kernel, mode="valid") for row in noise])[:, :width]
    grain = grain / grain.std() * 0.012
    y = (np.arange(height) + 0.5)[:, None] / height
    shade = 1.0 + 0.10 * (0.5 - y)  # light from above
    rgba = np.empty((height, width, 4))
    for i, channel in enumerate(paint.PANEL):
        rgba[..., i] = channel * shade + grain
    rgba[..., 3] = 1.0
    return paint.surface_from_array(np.clip(rgba, 0, 1))


def _bevel(ctx, width, height):
    ctx.set_line_width(1.0)
    for offset, alpha in ((0.5, 0.20), (1.5, 0.07)):
        ctx.set_source_rgba(1, 1, 1, alpha)
        ctx.move_to(offset, height - offset)
        ctx.line_to(offset, offset)
        ctx.line_to(width - offset, offset)
        ctx.stroke()
    for offset, alpha in ((0.5, 0.6), (1.5, 0.25)):
        ctx.set_source_rgba(0, 0, 0, alpha)
        ctx.move_to(offset, height - offset)
        ctx.line_to(width - offset, height - offset)
        ctx.line_to(width - offset, offset)
        ctx.stroke()


def _screw(ctx, x, y, turn):
    ctx.arc(x, y, 5.6, 0, 2 * math.pi)
    ctx.set_source_rgba(0, 0, 0, 0.55)
    ctx.fill()
    head = cairo.RadialGradient(x - 1.8, y - 1.8, 0.5, x, y, 5)
    head.add_color_stop_rgb(0, 0.86, 0.86, 0.88)
    head.add_color_stop_rgb(1, 0.36, 0.36, 0.38)
    ctx.arc(x, y, 4.6, 0, 2 * math.pi)
    ctx.set_source(head)
    ctx.fill()
    # Hex socket, turned differently on each screw as a fitter would leave them.
    for i in range(6):
        px, py = layout.polar((x, y), 2.0, turn + 60.0 * i)
        (ctx.move_to if i == 0 else ctx.line_to)(px, py)
    ctx.close_path()
    ctx.set_source_rgb(0.07, 0.07, 0.08)
    ctx.fill()


def _section_rule(ctx, height):
    ctx.set_line_width(1.0)
    ctx.set_source_rgba(0, 0, 0, 0.55)
    ctx.move_to(SECTION_RULE_X, 8)
    ctx.line_to(SECTION_RULE_X, height - 8)
    ctx.stroke()
    ctx.set_source_rgba(1, 1, 1, 0.09)
    ctx.move_to(SECTION_RULE_X + 1, 8)
    ctx.line_to(SECTION_RULE_X + 1, height - 8)
    ctx.stroke()


def draw(ctx):
    width, height = layout.EDITOR_SIZE
    ctx.set_source_surface(_brushed(width, height))
    ctx.paint()
    _bevel(ctx, width, height)
    for i, (x, y) in enumerate(SCREWS):
        _screw(ctx, x, y, 17.0 + 23.0 * i)
    _section_rule(ctx, height)
