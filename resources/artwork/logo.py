"""Product name and vendor mark at the left of the faceplate."""

import math

from . import paint

NAME_LEFT = 20.0


def _name(ctx):
    paint.set_font(ctx, 31.0, bold=True)
    paint.engraved_text(ctx, "QM07", NAME_LEFT, 46.0, paint.LEGEND, align=0.0, spacing=1.0)
    ctx.set_source_rgb(*paint.ACCENT)
    ctx.rectangle(NAME_LEFT, 53.0, 98.0, 2.5)
    ctx.fill()
    paint.set_font(ctx, 15.0, family=paint.SERIF, italic=True)
    paint.engraved_text(ctx, "Compressor", NAME_LEFT, 74.0, paint.LEGEND, align=0.0, spacing=0.3)


def _vendor(ctx):
    """Our mark: a ring holding three bars that shorten, a level being held down."""
    cx, cy = 26.0, 186.0
    ctx.new_path()
    ctx.arc(cx, cy, 10.0, 0, 2 * math.pi)
    ctx.set_source_rgb(*paint.ACCENT)
    ctx.set_line_width(2.0)
    ctx.stroke()
    ctx.set_source_rgb(*paint.LEGEND)
    for i, half in enumerate((6.0, 4.5, 3.0)):
        ctx.rectangle(cx - half, cy - 5.0 + 4.0 * i, 2 * half, 2.2)
        ctx.fill()
    paint.set_font(ctx, 12.5, bold=True)
    paint.engraved_text(ctx, "Tarvel", cx + 15.0, cy + 4.5, paint.LEGEND, align=0.0, spacing=0.6)


def draw(ctx):
    _name(ctx)
    _vendor(ctx)
