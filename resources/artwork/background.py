"""The 800 x 220 faceplate: panel, logo, meter window, and every printed scale and caption."""

import cairo

from . import logo, meter_face, panel, paint, scales


def render(image):
    width, height = image.frame_size
    surface = paint.new_surface(width, height, opaque=True)
    ctx = cairo.Context(surface)
    panel.draw(ctx)
    logo.draw(ctx)
    meter_face.draw(ctx)
    scales.draw(ctx)
    return surface
