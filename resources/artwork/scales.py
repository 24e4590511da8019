"""Printed knob scales, captions and switch legends of the faceplate, placed from the shared travel."""

import math

import cairo

from . import layout, paint

CAPTION_SIZE = 11.0
UNIT_SIZE = 10.5
LEVER_LABEL_SIZE = 11.0
TICK_WIDTH = 1.8
LABEL_GAP = 2.5

TOP_CAPTIONS = {"thresh": "THRESH", "ratio": "RATIO", "gain": "GAIN"}
UNITS = {"attack": "m/sec", "release": "sec", "knee_db": "dB", "knee_pct": "%"}
GROUPS = (("ENVELOPE", "attack", "release"), ("KNEE", "knee_db", "knee_pct"))


def label_centre(ctx, text, origin, radius, angle):
    """Centre for a label whose ink box keeps `radius` clear of `origin` in the direction `angle`."""
    ext = ctx.text_extents(text)
    a = math.radians(angle)
    reach = abs(math.cos(a)) * ext.width / 2.0 + abs(math.sin(a)) * ext.height / 2.0
    return layout.polar(origin, radius + reach, angle)


def _knob_scale(ctx, ctl):
    g = layout.KNOB_GEOMETRY[ctl.image.frame_size[0]]
    centre = ctl.centre
    marks = layout.SCALES[ctl.name]
    ctx.set_source_rgb(*paint.LEGEND)
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)
    ctx.set_line_width(TICK_WIDTH)
    for value, _ in marks:
        angle = layout.knob_angle(value)
        ctx.move_to(*layout.polar(centre, g.tick_inner, angle))
        ctx.line_to(*layout.polar(centre, g.tick_outer, angle))
        ctx.stroke()
    if not g.label_size:
        return
    for value, label in marks:
        # The infinity sign is drawn small in this face; bring it up to the digits' height.
        size = g.label_size * (1.6 if label == "\u221e" else 1.0)
        paint.set_font(ctx, size, bold=True, family=paint.SANS_CONDENSED)
        angle = layout.knob_angle(value)
        x, y = label_centre(ctx, label, centre, g.tick_outer + LABEL_GAP, angle)
        paint.centred_text(ctx, label, x, y, paint.LEGEND)


def _top_caption(ctx, ctl, text):
    cx = ctl.centre[0]
    paint.set_font(ctx, CAPTION_SIZE, bold=True)
    paint.engraved_text(ctx, text, cx, ctl.rect[3] + 12.5, paint.LEGEND, spacing=1.2)


def _unit(ctx, ctl, text):
    paint.set_font(ctx, UNIT_SIZE, family=paint.SANS)
    paint.engraved_text(ctx, text, ctl.centre[0], ctl.rect[3] + 7.5, paint.LEGEND_DIM)


def _group(ctx, text, first, second):
    """Caption under a pair of knobs with a bracket that reaches up towards both."""
    a, b = layout.control(first), layout.control(second)
    left, right = a.centre[0], b.centre[0]
    y = 208.5
    paint.set_font(ctx, CAPTION_SIZE, bold=True)
    width = paint.text_width(ctx, text, 1.2)
    mid = (left + right) / 2.0
    paint.engraved_text(ctx, text, mid, y + 4.0, paint.LEGEND, spacing=1.2)
    ctx.set_source_rgb(*paint.LEGEND_DIM)
    ctx.set_line_width(1.0)
    for x0, x1 in ((left, mid - width / 2 - 6), (mid + width / 2 + 6, right)):
        ctx.move_to(x0, y - 4)
        ctx.line_to(x0, y)
        ctx.line_to(x1, y)
        ctx.stroke()


def _lever_legend(ctx, ctl, caption):
    left, top = ctl.rect[0], ctl.rect[1]
    pivot = (left + layout.LEVER_PIVOT[0], top + layout.LEVER_PIVOT[1])
    paint.set_font(ctx, LEVER_LABEL_SIZE, bold=True)
    for position, label in enumerate(layout.LEVER_LABELS[ctl.name]):
        x, y = layout.polar(pivot, layout.LEVER_LABEL_RADIUS, layout.lever_angle(position))
        paint.centred_text(ctx, label, x, y, paint.LEGEND)
    paint.set_font(ctx, CAPTION_SIZE, bold=True)
    paint.engraved_text(ctx, caption, pivot[0], top - 14.0, paint.LEGEND, spacing=1.2)


def _lever_nut(ctx, ctl):
    """Mounting nut and washer the lever stands in; the lever itself is in its strip."""
    cx = ctl.rect[0] + layout.LEVER_PIVOT[0]
    cy = ctl.rect[1] + layout.LEVER_PIVOT[1]
    washer = cairo.RadialGradient(cx - 3, cy - 3, 1, cx, cy, 10)
    washer.add_color_stop_rgb(0, 0.75, 0.75, 0.77)
    washer.add_color_stop_rgb(1, 0.32, 0.32, 0.34)
    ctx.arc(cx + 0.8, cy + 1.2, 10, 0, 2 * math.pi)
    ctx.set_source_rgba(0, 0, 0, 0.5)
    ctx.fill()
    ctx.arc(cx, cy, 9.5, 0, 2 * math.pi)
    ctx.set_source(washer)
    ctx.fill()
    for i in range(6):
        x, y = layout.polar((cx, cy), 6.8, 30.0 + 60.0 * i)
        (ctx.move_to if i == 0 else ctx.line_to)(x, y)
    ctx.close_path()
    nut = cairo.LinearGradient(cx - 6, cy - 6, cx + 6, cy + 6)
    nut.add_color_stop_rgb(0, 0.88, 0.88, 0.90)
    nut.add_color_stop_rgb(1, 0.38, 0.38, 0.40)
    ctx.set_source(nut)
    ctx.fill_preserve()
    ctx.set_source_rgba(0, 0, 0, 0.45)
    ctx.set_line_width(0.8)
    ctx.stroke()
    ctx.arc(cx, cy, 3.2, 0, 2 * math.pi)
    ctx.set_source_rgb(0.08, 0.08, 0.09)
    ctx.fill()


def draw(ctx):
    for ctl in layout.CONTROLS:
        if ctl.kind == "knob":
            _knob_scale(ctx, ctl)
    for name, text in TOP_CAPTIONS.items():
        _top_caption(ctx, layout.control(name), text)
    for name, text in UNITS.items():
        _unit(ctx, layout.control(name), text)
    for group in GROUPS:
        _group(ctx, *group)
    dry = layout.control("wet_dry")
    paint.set_font(ctx, CAPTION_SIZE, bold=True)
    paint.engraved_text(ctx, "DRY", dry.centre[0], dry.rect[3] + 15.0, paint.LEGEND, spacing=1.2)
    _lever_nut(ctx, layout.control("sc_mode"))
    _lever_nut(ctx, layout.control("push"))
    _lever_legend(ctx, layout.control("sc_mode"), "MODE")
    _lever_legend(ctx, layout.control("push"), "PUSH")
