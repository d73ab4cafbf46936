#!/usr/bin/env python3
"""Draws the application icon: wiggle traces of a seismic record section, the positive lobes
filled black as on a variable-area display, with the first arrivals sloping down across them.

Writes obscut-16.png and obscut-32.png beside this script as 16-colour palette images. Only
the standard library is used; run it again after changing the picture.
"""
import math
import os
import struct
import zlib

SUPERSAMPLE = 8

PAPER = (250, 248, 240)
FRAME = (70, 82, 96)
INK = (16, 24, 32)
PICK = (200, 56, 40)

# Index 0 is transparent; the others are opaque.
PALETTE = [(0, 0, 0), PAPER, FRAME]
PALETTE += [tuple(round(p + (i - p) * k / 9) for p, i in zip(PAPER, INK)) for k in range(1, 10)]
PALETTE += [tuple(round(p + (i - p) * k / 3) for p, i in zip(PAPER, PICK)) for k in range(1, 4)]
PALETTE += [tuple(round((f + p) / 2) for f, p in zip(FRAME, PAPER))]
assert len(PALETTE) == 16


def ricker(t, width):
    a = (t / width) ** 2
    return (1 - 2 * a) * math.exp(-a)


def trace_value(y, arrival):
    """The trace at depth y (0 at the top, 1 at the bottom): an arrival and a weaker later
    one, between -1 and 1."""
    return ricker(y - arrival, 0.15) + 0.35 * ricker(y - arrival - 0.45, 0.12)


def colour_at(x, y, size, traces):
    """Colour (r, g, b, alpha) of the point (x, y) in pixels."""
    radius = size * 0.12
    inner_x = min(max(x, radius), size - radius)
    inner_y = min(max(y, radius), size - radius)
    corner_distance = math.hypot(x - inner_x, y - inner_y)
    if corner_distance > radius:
        return (0, 0, 0, 0)
    frame_width = 1.0
    edge = min(x, y, size - x, size - y)
    if corner_distance > radius - frame_width or edge < frame_width:
        return FRAME + (255,)
    margin = frame_width + size * 0.06
    v = (y - margin) / (size - 2 * margin)
    if not 0 <= v <= 1:
        return PAPER + (255,)
    spacing = (size - 2 * margin) / len(traces)
    for number, arrival in enumerate(traces):
        x0 = margin + spacing * (number + 0.5)
        amplitude = spacing * (0.75 if len(traces) > 2 else 0.6)  # lobes must not touch
        wiggle = x0 + amplitude * trace_value(v, arrival)
        stroke = 0.55 if size <= 16 else 0.6
        if abs(x - wiggle) < stroke:
            return INK + (255,)
        if wiggle > x0 and x0 <= x <= wiggle:
            return INK + (255,)
    first_slope = (traces[-1] - traces[0]) / max(1, len(traces) - 1)
    pick_v = traces[0] - 0.08 + first_slope * ((x - margin) / spacing - 0.5)
    if size > 16 and abs(v - pick_v) * (size - 2 * margin) < 0.6:
        return PICK + (255,)
    return PAPER + (255,)


def nearest(rgba):
    r, g, b, a = rgba
    if a < 128:
        return 0
    return min(range(1, len(PALETTE)),
               key=lambda i: sum((c - p) ** 2 for c, p in zip((r, g, b), PALETTE[i])))


def render(size, traces):
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            total = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = colour_at(px + (sx + 0.5) / n, py + (sy + 0.5) / n, size, traces)
                    total[0] += r * a
                    total[1] += g * a
                    total[2] += b * a
                    total[3] += a
            alpha = total[3] / (n * n)
            if total[3] == 0:
                row.append(0)
            else:
                row.append(nearest(tuple(t / total[3] for t in total[:3]) + (alpha,)))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)  # 4-bit palette
    raw = b""
    for row in rows:
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        raw += b"\x00" + packed
    palette = b"".join(bytes(c) for c in PALETTE)
    transparency = b"\x00"  # only index 0 is transparent
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette) +
            chunk(b"tRNS", transparency) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for size, traces in ((16, (0.2, 0.4)), (32, (0.16, 0.3, 0.44))):
        with open(os.path.join(folder, "obscut-%d.png" % size), "wb") as out:
            out.write(png(render(size, traces)))


if __name__ == "__main__":
    main()
