#!/usr/bin/env python3
"""Writes the small images whose exact pixels the Win32 bitmap tests check."""
import struct
import sys
import zlib
from pathlib import Path


def png(path, width, height, channels, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    colour_type = {3: 2, 4: 6}[channels]
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                           chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def bmp(path, rows):
    """24-bit bottom-up BMP; `rows` top-down lists of (r, g, b)."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    Path(path).write_bytes(header + info + pixels)


def main(out_dir):
    out = Path(out_dir)
    out.mkdir(parents=True, exist_ok=True)
    # Row 0 and row 1 differ so that a wrong row order shows.
    png(out / "alpha.png", 4, 2, 4, [
        [(255, 0, 0, 128), (0, 255, 0, 255), (0, 0, 255, 0), (200, 100, 50, 64)],
        [(10, 20, 30, 255), (255, 255, 255, 1), (90, 180, 240, 200), (0, 0, 0, 128)],
    ])
    png(out / "opaque.png", 3, 2, 3, [
        [(255, 0, 0), (0, 255, 0), (0, 0, 255)],
        [(1, 2, 3), (128, 64, 32), (250, 251, 252)],
    ])
    bmp(out / "keyed.bmp", [
        [(255, 255, 255), (255, 0, 0), (255, 255, 255), (0, 0, 255)],
        [(0, 255, 0), (255, 255, 255), (254, 255, 255), (255, 255, 255)],
    ])


if __name__ == "__main__":
    main(sys.argv[1])
