"""Drawing helpers shared by the images: palette, fonts, text placement, soft shadows, PNG output."""

import math

import cairo
import numpy as np

# One light for everything: from the upper left, as a toolkit angle (counter-clockwise from +x).
LIGHT_DEG = 135.0

PANEL = (0.165, 0.172, 0.184)
LEGEND = (0.925, 0.898, 0.827)
LEGEND_DIM = (0.70, 0.68, 0.62)
ACCENT = (0.86, 0.42, 0.13)
INK = (0.08, 0.07, 0.06)

SANS = "DejaVu Sans"
SANS_CONDENSED = "DejaVu Sans Condensed"
SERIF = "DejaVu Serif"


def font_options():
    options = cairo.FontOptions()
    options.set_antialias(cairo.ANTIALIAS_GRAY)
    options.set_hint_style(cairo.HINT_STYLE_SLIGHT)
    options.set_hint_metrics(cairo.HINT_METRICS_OFF)
    return options


def set_font(ctx, size, bold=False, family=SANS, italic=False):
    slant = cairo.FONT_SLANT_ITALIC if italic else cairo.FONT_SLANT_NORMAL
    weight = cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL
    ctx.select_font_face(family, slant, weight)
    ctx.set_font_size(size)
    ctx.set_font_options(font_options())


def text_width(ctx, text, spacing=0.0):
    return sum(ctx.text_extents(ch).x_advance for ch in text) + spacing * (len(text) - 1)


def show_text(ctx, text, x, y, colour, align=0.5, spacing=0.0):
    """Draws `text` with its baseline at y; align 0 puts x at the left edge, 0.5 at the centre, 1 at the right."""
    left = x - align * text_width(ctx, text, spacing)
    ctx.set_source_rgb(*colour)
    for ch in text:
        ctx.move_to(left, y)
        ctx.show_text(ch)
        left += ctx.text_extents(ch).x_advance + spacing


def centred_text(ctx, text, x, y, colour):
    """Draws `text` with the centre of its ink box at (x, y)."""
    ext = ctx.text_extents(text)
    ctx.move_to(x - ext.x_bearing - ext.width / 2.0, y - ext.y_bearing - ext.height / 2.0)
    ctx.set_source_rgb(*colour)
    ctx.show_text(text)


def engraved_text(ctx, text, x, y, colour, align=0.5, spacing=0.0):
    """Screen-printed legend with a faint lift so it reads on the brushed panel."""
    show_text(ctx, text, x + 0.6, y + 0.8, (0.05, 0.05, 0.06), align, spacing)
    show_text(ctx, text, x, y, colour, align, spacing)


def new_surface(width, height, opaque=False):
    return cairo.ImageSurface(cairo.FORMAT_RGB24 if opaque else cairo.FORMAT_ARGB32, width, height)


def pixels(surface):
    """Writable view of a surface's premultiplied B, G, R, A bytes as an array of rows."""
    surface.flush()
    h, w = surface.get_height(), surface.get_width()
    return np.ndarray((h, w, 4), np.uint8, surface.get_data(), strides=(surface.get_stride(), 4, 1))


def surface_from_array(rgba):
    """ARGB32 surface from a float array of premultiplied R, G, B, A rows in 0 ... 1."""
    h, w = rgba.shape[:2]
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    bgra = np.clip(np.rint(rgba[..., [2, 1, 0, 3]] * 255.0), 0, 255).astype(np.uint8)
    pixels(surface)[:] = bgra
    surface.mark_dirty()
    return surface


def gaussian_blur(plane, sigma):
    radius = max(1, int(math.ceil(3.0 * sigma)))
    x = np.arange(-radius, radius + 1, dtype=np.float64)
    kernel = np.exp(-0.5 * (x / sigma) ** 2)
    kernel /= kernel.sum()
    padded = np.pad(plane, radius)
    rows = np.apply_along_axis(lambda r: np.convolve(r, kernel, mode="valid"), 1, padded)
    return np.apply_along_axis(lambda c: np.convolve(c, kernel, mode="valid"), 0, rows)


def soft_shadow(width, height, draw_shape, sigma, opacity, offset):
    """Blurred dark copy of a shape drawn by `draw_shape(ctx)`, as a surface to paint under it."""
    mask = new_surface(width, height)
    ctx = cairo.Context(mask)
    ctx.translate(*offset)
    draw_shape(ctx)
    ctx.set_source_rgb(0, 0, 0)
    ctx.fill()
    alpha = pixels(mask)[..., 3].astype(np.float64) / 255.0
    alpha = gaussian_blur(alpha, sigma) * opacity
    rgba = np.zeros((height, width, 4))
    rgba[..., 3] = alpha
    return surface_from_array(rgba)


def write_png(surface, path):
    surface.write_to_png(str(path))
