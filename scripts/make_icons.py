#!/usr/bin/env python3
"""Writes data/icons/NxN/tarsel.png: data/tarsel.svg drawn at the hicolor sizes.

The picture is a handful of rounded rectangles, a dot and two arcs, so it is drawn here from
the same geometry (on the SVG's 128-unit grid) with 4x4 samples per pixel, and no drawing
package is needed. Change both files together.
"""
import math
import os
import struct
import sys
import zlib

SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
SAMPLES = 4
ORANGE = (0xF2, 0x9B, 0x1D)
WHITE = (0xFF, 0xFF, 0xFF)


def in_rounded_rect(x, y, left, top, width, height, radius):
    # Distance from the rectangle shrunk by the radius, compared with the radius.
    dx = max(left + radius - x, 0.0, x - (left + width - radius))
    dy = max(top + radius - y, 0.0, y - (top + height - radius))
    return dx * dx + dy * dy <= radius * radius


def on_arc(x, y, cx, cy, radius, half_width):
    # A quarter circle from straight above the centre to its right, with round caps.
    dx, dy = x - cx, y - cy
    if dx >= 0 and dy <= 0:
        return abs(math.hypot(dx, dy) - radius) <= half_width
    return min(math.hypot(x - cx, y - (cy - radius)),
               math.hypot(x - (cx + radius), y - cy)) <= half_width


def face_colour(y):
    t = min(max((y - 6) / 116, 0.0), 1.0)
    top, bottom = (0x3F, 0x7F, 0xBF), (0x1F, 0x4F, 0x8F)
    return tuple(a + (b - a) * t for a, b in zip(top, bottom))


# (test, colour or colour function, opacity), painted in order.
SHAPES = [
    (lambda x, y: in_rounded_rect(x, y, 6, 6, 116, 116, 22), face_colour, 1.0),
    (lambda x, y: in_rounded_rect(x, y, 22, 24, 26, 80, 5), WHITE, 0.92),
    (lambda x, y: in_rounded_rect(x, y, 54, 24, 26, 80, 5), WHITE, 0.75),
    (lambda x, y: in_rounded_rect(x, y, 86, 24, 20, 80, 5), WHITE, 0.55),
    (lambda x, y: math.hypot(x - 35, y - 92) <= 5, ORANGE, 1.0),
    (lambda x, y: on_arc(x, y, 30, 92, 24, 3), ORANGE, 1.0),
    (lambda x, y: on_arc(x, y, 30, 92, 42, 3), ORANGE, 1.0),
]


def sample_colour(x, y):
    """Premultiplied RGBA of one sample point, in 128-unit coordinates."""
    red = green = blue = alpha = 0.0
    for inside, colour, opacity in SHAPES:
        if not inside(x, y):
            continue
        rgb = colour(y) if callable(colour) else colour
        keep = 1.0 - opacity
        red, green, blue = (c * keep + v * opacity for c, v in zip((red, green, blue), rgb))
        alpha = alpha * keep + opacity
    return red, green, blue, alpha


def pixel(size, px, py):
    scale = 128 / size
    total = [0.0, 0.0, 0.0, 0.0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES) * scale
            y = (py + (sy + 0.5) / SAMPLES) * scale
            for i, value in enumerate(sample_colour(x, y)):
                total[i] += value
    count = SAMPLES * SAMPLES
    alpha = total[3] / count
    if alpha == 0:
        return bytes(4)
    rgb = [round(min(255.0, channel / count / alpha)) for channel in total[:3]]
    return bytes(rgb + [round(alpha * 255)])


def png(size):
    rows = b"".join(b"\0" + b"".join(pixel(size, x, y) for x in range(size)) for y in range(size))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


def main():
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    for size in SIZES:
        folder = os.path.join(top, "data", "icons", f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "tarsel.png"), "wb") as out:
            out.write(png(size))
    return 0


if __name__ == "__main__":
    sys.exit(main())
