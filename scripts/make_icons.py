#!/usr/bin/env python3
"""Draws the program icon and writes it as resources/ostrivan.ico.

The icon is the tool in miniature: a dark-blue dial with a ring of twelve ticks,
the one at twelve o'clock lit white, as the clock dial pattern lights one tick
per frame. The file holds eight images in the standard .ico layout (a DIB with
its AND mask per image): 32 and 16 pixels at 4 bits per pixel, and 48, 32 and
16 pixels at 8 and at 32 bits per pixel. Pure Python; the output is committed
and the build only embeds it. Run after changing the drawing:

    python3 scripts/make_icons.py
"""

import math
import os
import struct

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

NAVY = (0, 64, 128)  # the dial face
RIM = (70, 130, 200)  # a lighter edge so the dial stands out on dark backgrounds
TICK = (120, 160, 205)  # unlit ticks
WHITE = (255, 255, 255)  # the lit tick

TICKS = 12
SUPERSAMPLE = 4

# (size, bits per pixel), in the order the directory lists them.
IMAGES = [(32, 4), (16, 4), (48, 8), (32, 8), (16, 8), (48, 32), (32, 32), (16, 32)]


def sample(size, x, y):
    """The colour at point (x, y) of a size-pixel icon, or None outside the dial."""
    c = size / 2.0
    dx, dy = x - c, y - c
    radius = c - 0.7  # a hair inside the square, so the mask has no lone pixels at the four flat edges
    dist = math.hypot(dx, dy)
    if dist > radius:
        return None
    rim = max(1.0, size / 24.0)
    width = 2.0  # the quarter ticks then cover whole pixels
    lit_half_width = max(1, round(size / 24))  # whole pixels either side of the centre: a crisp white
    # Twelve ticks blur into noise at 16 pixels; the quarter ticks alone still read as a dial.
    ticks = TICKS if size >= 32 else 4
    # Tick ends on whole pixels from the centre (itself on a pixel corner), so the lit tick is pure white.
    outer = math.floor(radius - rim)
    lit_inner = round(0.40 * radius)
    inner = round((0.62 if size >= 32 else 0.5) * radius)
    for k in range(ticks):
        a = 2 * math.pi * k / ticks  # clockwise from twelve o'clock; image y grows downwards
        ux, uy = math.sin(a), -math.cos(a)
        along = dx * ux + dy * uy
        across = abs(dx * uy - dy * ux)
        if k == 0:
            if lit_inner <= along <= outer and across <= lit_half_width:
                return WHITE
        elif inner <= along <= outer and across <= width / 2:
            return TICK
    if dist > radius - rim:
        return RIM
    return NAVY


def render(size):
    """Rows of (r, g, b, alpha 0..255) pixels, top row first, with supersampled edges."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    colour = sample(size, px + (sx + 0.5) / n, py + (sy + 0.5) / n)
                    if colour is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += colour[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                rgb = tuple(int(round(v / hits)) for v in acc)
                row.append(rgb + (int(round(255 * hits / (n * n))),))
        rows.append(row)
    return rows


def blend(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def ramp(a, b, steps):
    return [blend(a, b, i / (steps - 1)) for i in range(steps)]


def palette(bits):
    if bits == 4:
        colours = [(0, 0, 0), NAVY, RIM, TICK, WHITE] + ramp(NAVY, WHITE, 5)[1:-1] + ramp(NAVY, TICK, 4)[1:-1] \
            + ramp(NAVY, RIM, 3)[1:-1] + ramp(TICK, WHITE, 3)[1:-1]
    else:
        colours = [(0, 0, 0)] + ramp(NAVY, WHITE, 64) + ramp(NAVY, TICK, 48) + ramp(NAVY, RIM, 32) \
            + ramp(TICK, WHITE, 32) + ramp(RIM, WHITE, 24) + ramp(RIM, TICK, 16)
    unique = []
    for c in colours:
        if c not in unique:
            unique.append(c)
    count = 1 << bits
    assert len(unique) <= count, (bits, len(unique))
    return unique + [(0, 0, 0)] * (count - len(unique))


def nearest(colours, rgb):
    return min(range(len(colours)), key=lambda i: sum((colours[i][k] - rgb[k]) ** 2 for k in range(3)))


def row_bytes(bits, width):
    return ((width * bits + 31) // 32) * 4


def dib(size, bits):
    """BITMAPINFOHEADER, palette, XOR image and AND mask, rows bottom-up as in every .ico."""
    pixels = render(size)
    # Paletted images have only the mask for transparency: a pixel is shown when at least half covered.
    opaque = [[p[3] > 0 if bits == 32 else p[3] >= 128 for p in row] for row in pixels]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         (row_bytes(bits, size) + row_bytes(1, size)) * size, 0, 0, 0, 0)
    colour_table = b""
    xor = b""
    if bits == 32:
        for row in reversed(pixels):
            xor += b"".join(struct.pack("BBBB", b, g, r, a) for r, g, b, a in row)
    else:
        colours = palette(bits)
        colour_table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in colours)
        for y in reversed(range(size)):
            indices = [nearest(colours, p[:3]) if opaque[y][x] else 0 for x, p in enumerate(pixels[y])]
            line = bytearray(row_bytes(bits, size))
            for x, index in enumerate(indices):
                if bits == 8:
                    line[x] = index
                else:
                    line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            xor += bytes(line)
    mask = b""
    for y in reversed(range(size)):
        line = bytearray(row_bytes(1, size))
        for x in range(size):
            if not opaque[y][x]:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + colour_table + xor + mask


def ico(images):
    blobs = [dib(size, bits) for size, bits in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bits), blob in zip(images, blobs):
        colour_count = 1 << bits if bits < 8 else 0
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


if __name__ == "__main__":
    data = ico(IMAGES)
    with open(os.path.join(RESOURCES, "ostrivan.ico"), "wb") as f:
        f.write(data)
    print("ostrivan.ico: %d bytes" % len(data))
