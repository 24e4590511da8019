"""Needle film strip: a slim black pointer rising from under the face's shroud, with its shadow on the face."""

import cairo

from . import layout, paint

SHADOW_OFFSET = (1.2, 1.6)


def _needle_path(ctx, angle):
    root = layout.polar(layout.NEEDLE_PIVOT, layout.NEEDLE_ROOT_RADIUS, angle)
    tip = layout.polar(layout.NEEDLE_PIVOT, layout.NEEDLE_TIP_RADIUS, angle)
    # A taper: wide where it leaves the shroud, fine at the scale.
    normal = layout.polar((0.0, 0.0), 1.0, angle - 90.0)
    ctx.move_to(root[0] + normal[0] * 1.3, root[1] + normal[1] * 1.3)
    ctx.line_to(tip[0] + normal[0] * 0.45, tip[1] + normal[1] * 0.45)
    ctx.line_to(tip[0] - normal[0] * 0.45, tip[1] - normal[1] * 0.45)
    ctx.line_to(root[0] - normal[0] * 1.3, root[1] - normal[1] * 1.3)
    ctx.close_path()


def draw_frame(ctx, db):
    angle = layout.needle_angle(db)
    ctx.save()
    ctx.translate(*SHADOW_OFFSET)
    _needle_path(ctx, angle)
    ctx.set_source_rgba(0.25, 0.15, 0.0, 0.22)
    ctx.fill()
    ctx.restore()
    _needle_path(ctx, angle)
    ctx.set_source_rgb(0.06, 0.05, 0.05)
    ctx.fill()


def render(image):
    width, height = image.frame_size
    strip = paint.new_surface(width, height * image.frames)
    ctx = cairo.Context(strip)
    for frame in range(image.frames):
        ctx.save()
        ctx.translate(0, frame * height)
        ctx.rectangle(0, 0, width, height)
        ctx.clip()
        draw_frame(ctx, layout.needle_frame_db(frame))
        ctx.restore()
    return strip
