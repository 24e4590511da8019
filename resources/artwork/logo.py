"""Product name and vendor mark at the left of the faceplate."""

import math

from . import paint

NAME_LEFT = 20.0


def _name(ctx):
    paint.set_font(ctx, 27.0, bold=True)
    paint.engraved_text(ctx, "QM07", NAME_LEFT, 44.0, paint.LEGEND, align=0.0, spacing=0.5)
    ctx.set_source_rgb(*paint.ACCENT)
    ctx.rectangle(NAME_LEFT, 50.0, 84.0, 2.5)
    ctx.fill()
    paint.set_font(ctx, 14.0, family=paint.SERIF, italic=True)
    paint.engraved_text(ctx, "Compressor", NAME_LEFT, 69.0, paint.LEGEND, align=0.0, spacing=0.2)


def _vendor(ctx):
    """Our mark: a ring holding three bars that shorten, a level being held down."""
    cx, cy = 36.0, 158.0
    ctx.new_path()
    ctx.arc(cx, cy, 11.0, 0, 2 * math.pi)
    ctx.set_source_rgb(*paint.ACCENT)
    ctx.set_line_width(2.0)
    ctx.stroke()
    ctx.set_source_rgb(*paint.LEGEND)
    for i, half in enumerate((6.5, 5.0, 3.5)):
        ctx.rectangle(cx - half, cy - 5.5 + 4.5 * i, 2 * half, 2.4)
        ctx.fill()
    paint.set_font(ctx, 13.0, bold=True)
    paint.engraved_text(ctx, "Tarvel", cx, cy + 31.0, paint.LEGEND, spacing=0.8)


def draw(ctx):
    _name(ctx)
    _vendor(ctx)
