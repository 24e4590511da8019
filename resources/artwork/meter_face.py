"""The needle meter's window: bezel, backlit face, dB scale from the needle's own travel, and shroud."""

import math

import cairo

from . import layout, paint, scales

FACE = (0.965, 0.915, 0.765)
FACE_EDGE = (0.80, 0.70, 0.50)
SCALE = (0.10, 0.08, 0.06)
HOT = (0.72, 0.12, 0.08)
BEZEL = 8.0


def _rounded(ctx, left, top, right, bottom, radius):
    ctx.new_sub_path()
    ctx.arc(right - radius, top + radius, radius, -math.pi / 2, 0)
    ctx.arc(right - radius, bottom - radius, radius, 0, math.pi / 2)
    ctx.arc(left + radius, bottom - radius, radius, math.pi / 2, math.pi)
    ctx.arc(left + radius, top + radius, radius, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def _bezel(ctx, left, top, right, bottom):
    outer = (left - BEZEL, top - BEZEL, right + BEZEL, bottom + BEZEL)
    _rounded(ctx, outer[0] + 1.5, outer[1] + 2.5, outer[2] + 1.5, outer[3] + 2.5, 6)
    ctx.set_source_rgba(0, 0, 0, 0.45)
    ctx.fill()
    _rounded(ctx, *outer, 6)
    frame = cairo.LinearGradient(outer[0], outer[1], outer[0] + 30, outer[3] + 30)
    frame.add_color_stop_rgb(0, 0.30, 0.31, 0.33)
    frame.add_color_stop_rgb(1, 0.07, 0.07, 0.08)
    ctx.set_source(frame)
    ctx.fill()
    _rounded(ctx, outer[0] + 0.5, outer[1] + 0.5, outer[2] - 0.5, outer[3] - 0.5, 5.5)
    ctx.set_source_rgba(1, 1, 1, 0.12)
    ctx.set_line_width(1.0)
    ctx.stroke()
    # Recessed lip round the glass: dark above and left, catching light below and right.
    _rounded(ctx, left - 1.5, top - 1.5, right + 1.5, bottom + 1.5, 3)
    lip = cairo.LinearGradient(left, top, right, bottom)
    lip.add_color_stop_rgb(0, 0.0, 0.0, 0.0)
    lip.add_color_stop_rgb(1, 0.42, 0.42, 0.44)
    ctx.set_source(lip)
    ctx.fill()


def _face(ctx, left, top, right, bottom):
    ctx.rectangle(left, top, right - left, bottom - top)
    glow = cairo.RadialGradient(left + layout.NEEDLE_PIVOT[0], top + 60, 10, left + 90, top + 60, 120)
    glow.add_color_stop_rgb(0, *FACE)
    glow.add_color_stop_rgb(1, *FACE_EDGE)
    ctx.set_source(glow)
    ctx.fill()
    # Inner shadow of the bezel falling on the face.
    for i in range(4):
        ctx.rectangle(left + 0.5 + i, top + 0.5 + i, right - left - 1 - 2 * i, bottom - top - 1 - 2 * i)
        ctx.set_source_rgba(0.2, 0.1, 0.0, 0.16 - 0.04 * i)
        ctx.set_line_width(1.0)
        ctx.stroke()


def _arc(ctx, pivot, radius, db0, db1):
    ctx.new_sub_path()
    ctx.arc(pivot[0], pivot[1], radius, math.radians(-layout.needle_angle(db0)),
            math.radians(-layout.needle_angle(db1)))


def _scale(ctx, pivot):
    ctx.set_source_rgb(*SCALE)
    ctx.set_line_width(1.1)
    _arc(ctx, pivot, layout.METER_ARC_RADIUS, 0, layout.NEEDLE_FULL_SCALE_DB)
    ctx.stroke()
    ctx.set_source_rgb(*HOT)
    ctx.set_line_width(3.0)
    _arc(ctx, pivot, layout.METER_ARC_RADIUS + 1.9, 12, layout.NEEDLE_FULL_SCALE_DB)
    ctx.stroke()
    ctx.set_source_rgb(*SCALE)
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)
    for db in range(0, int(layout.NEEDLE_FULL_SCALE_DB) + 1):
        major = db in layout.METER_MARKS_DB
        angle = layout.needle_angle(db)
        ctx.set_line_width(1.4 if major else 0.9)
        ctx.move_to(*layout.polar(pivot, layout.METER_ARC_RADIUS, angle))
        ctx.line_to(*layout.polar(pivot, layout.METER_TICK_OUTER[0 if major else 1], angle))
        ctx.stroke()
    paint.set_font(ctx, 11.5, bold=True, family=paint.SANS_CONDENSED)
    for db in layout.METER_MARKS_DB:
        radius = layout.METER_TICK_OUTER[0] + layout.METER_LABEL_GAP
        x, y = scales.label_centre(ctx, str(db), pivot, radius, layout.needle_angle(db))
        paint.centred_text(ctx, str(db), x, y, SCALE)


def _shroud(ctx, left, bottom, pivot):
    ctx.save()
    ctx.rectangle(left, pivot[1] - 60, 180, bottom - (pivot[1] - 60))
    ctx.clip()
    ctx.arc(pivot[0] + 1, pivot[1] + 2, layout.METER_SHROUD_RADIUS + 1.5, 0, 2 * math.pi)
    ctx.set_source_rgba(0.2, 0.1, 0, 0.35)
    ctx.fill()
    ctx.arc(pivot[0], pivot[1], layout.METER_SHROUD_RADIUS, 0, 2 * math.pi)
    shroud = cairo.LinearGradient(pivot[0], pivot[1] - layout.METER_SHROUD_RADIUS, pivot[0], bottom)
    shroud.add_color_stop_rgb(0, 0.26, 0.26, 0.27)
    shroud.add_color_stop_rgb(1, 0.06, 0.06, 0.07)
    ctx.set_source(shroud)
    ctx.fill()
    ctx.restore()


def draw(ctx):
    ctl = layout.control("meter")
    left, top, right, bottom = ctl.rect
    pivot = (left + layout.NEEDLE_PIVOT[0], top + layout.NEEDLE_PIVOT[1])
    _bezel(ctx, left, top, right, bottom)
    ctx.save()
    ctx.rectangle(left, top, right - left, bottom - top)
    ctx.clip()
    _face(ctx, left, top, right, bottom)
    _scale(ctx, pivot)
    # Narrow enough that the needle at rest passes clear of it.
    paint.set_font(ctx, 9.5, bold=True)
    paint.show_text(ctx, "dB COMPRESSION", pivot[0], top + 66.5, SCALE)
    _shroud(ctx, left, bottom, pivot)
    ctx.restore()
