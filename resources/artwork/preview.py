"""The editor as it first opens: each control's default frame laid over the background at its rectangle."""

import cairo

from . import layout, paint

PREVIEW_METER_DB = 10.0


def frame_index(ctl):
    if ctl.kind == "knob":
        return layout.knob_frame(ctl.default)
    if ctl.kind == "lever":
        return layout.lever_position(ctl.default)
    return layout.needle_frame(PREVIEW_METER_DB)


def compose(surfaces):
    """`surfaces` maps each image to its rendered surface."""
    width, height = layout.EDITOR_SIZE
    preview = paint.new_surface(width, height, opaque=True)
    ctx = cairo.Context(preview)
    ctx.set_source_surface(surfaces[layout.BACKGROUND])
    ctx.paint()
    for ctl in layout.CONTROLS:
        left, top, right, bottom = ctl.rect
        offset = frame_index(ctl) * ctl.image.frame_size[1]
        ctx.save()
        ctx.rectangle(left, top, right - left, bottom - top)
        ctx.clip()
        ctx.set_source_surface(surfaces[ctl.image], left, top - offset)
        ctx.paint()
        ctx.restore()
    return preview
