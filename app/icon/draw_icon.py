#!/usr/bin/env python3
"""The application icon, drawn once here and written in every form the programs and the
desktops take: PNG files at the sizes of the desktops' icon themes, an SVG for scalable
themes, and the Windows .ico with 16 to 256 pixels.

Usage: draw_icon.py OUTPUT_DIR PNG_SIZE...

The picture: a light rounded square framed in dark blue, with two arrows, orange to the right
above and blue to the left below, data going to SICE and coming back. Coordinates are on a
32 x 32 grid; every size is rendered from them with exact coverage along each row and
sixteen rows per pixel, so small sizes stay sharp and no two sizes drift apart.
"""

import math
import os
import struct
import sys
import zlib

NAME = "transTalvorSice"
ICO_SIZES = (16, 24, 32, 48, 256)

FRAME = (40, 60, 120)
FACE = (204, 216, 230)
ORANGE = (249, 160, 40)
BLUE = (40, 90, 200)
ORANGE_ARROW = [(5, 8), (19, 8), (19, 3), (27, 11), (19, 19), (19, 14), (5, 14)]
# The same arrow turned half a turn about the centre.
BLUE_ARROW = [(32 - x, 32 - y) for x, y in ORANGE_ARROW]
CORNER = 5.5


def rounded_square(inset, radius, steps=12):
    points = []
    low, high = inset + radius, 32 - inset - radius
    for cx, cy, start in ((high, low, -90), (high, high, 0), (low, high, 90), (low, low, 180)):
        for i in range(steps + 1):
            angle = math.radians(start + 90 * i / steps)
            points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def layers(size):
    # The frame keeps at least one whole pixel, or it fades away at 16 pixels.
    frame = max(1.0, 32 / size)
    return [
        (rounded_square(0, CORNER), FRAME),
        (rounded_square(frame, CORNER - frame), FACE),
        (ORANGE_ARROW, ORANGE),
        (BLUE_ARROW, BLUE),
    ]


def coverage(polygon, size, rows=16):
    """Share of each pixel inside the polygon (even-odd), row by row."""
    scale = size / 32
    points = [(x * scale, y * scale) for x, y in polygon]
    edges = list(zip(points, points[1:] + points[:1]))
    cover = [[0.0] * size for _ in range(size)]
    for py in range(size):
        line = cover[py]
        for r in range(rows):
            y = py + (r + 0.5) / rows
            xs = sorted(x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                        for (x0, y0), (x1, y1) in edges if (y0 <= y) != (y1 <= y))
            for a, b in zip(xs[::2], xs[1::2]):
                a, b = max(a, 0.0), min(b, float(size))
                for px in range(int(a), min(int(math.ceil(b)), size)):
                    inside = min(b, px + 1) - max(a, px)
                    if inside > 0:
                        line[px] += inside / rows
    return cover


def render(size):
    """Premultiplied RGBA floats, one list per row."""
    image = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for polygon, colour in layers(size):
        cover = coverage(polygon, size)
        for y in range(size):
            for x in range(size):
                a = min(cover[y][x], 1.0)
                if a <= 0:
                    continue
                r, g, b, alpha = image[y][x]
                keep = 1 - a
                image[y][x] = (colour[0] / 255 * a + r * keep, colour[1] / 255 * a + g * keep,
                               colour[2] / 255 * a + b * keep, a + alpha * keep)
    return image


def rgba_rows(image):
    rows = []
    for line in image:
        row = bytearray()
        for r, g, b, a in line:
            if a <= 0:
                row += b"\0\0\0\0"
                continue
            row += bytes(min(255, round(c / a * 255)) for c in (r, g, b))
            row.append(min(255, round(a * 255)))
        rows.append(bytes(row))
    return rows


def png(rows, size):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bitmap(rows, size):
    """A 32-bit device-independent bitmap with its AND mask, as icons up to 48 pixels hold them."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(b for i in range(0, len(row), 4)
                            for b in (row[i + 2], row[i + 1], row[i], row[i + 3]))
                      for row in reversed(rows))
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x in range(size):
            if row[4 * x + 3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico(images):
    entries, data = b"", b""
    offset = 6 + 16 * len(images)
    for size, blob in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        data += blob
    return struct.pack("<HHH", 0, 1, len(images)) + entries + data


def svg():
    def path(points):
        return "M" + " L".join(f"{x:g},{y:g}" for x, y in points) + " Z"
    def rgb(colour):
        return "#%02x%02x%02x" % colour
    return ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
            f"  <rect x=\"0.5\" y=\"0.5\" width=\"31\" height=\"31\" rx=\"{CORNER - 0.5:g}\" "
            f"fill=\"{rgb(FACE)}\" stroke=\"{rgb(FRAME)}\"/>\n"
            f"  <path d=\"{path(ORANGE_ARROW)}\" fill=\"{rgb(ORANGE)}\"/>\n"
            f"  <path d=\"{path(BLUE_ARROW)}\" fill=\"{rgb(BLUE)}\"/>\n"
            "</svg>\n")


def main():
    out = sys.argv[1]
    png_sizes = tuple(int(size) for size in sys.argv[2:])
    os.makedirs(out, exist_ok=True)
    rows = {size: rgba_rows(render(size)) for size in sorted(set(png_sizes + ICO_SIZES))}
    for size in png_sizes:
        with open(os.path.join(out, f"{NAME}-{size}.png"), "wb") as f:
            f.write(png(rows[size], size))
    # Up to 48 pixels as bitmaps, which every Windows reads; 256 as PNG, as Windows keeps it.
    images = [(size, ico_bitmap(rows[size], size) if size <= 48 else png(rows[size], size))
              for size in ICO_SIZES]
    with open(os.path.join(out, f"{NAME}.ico"), "wb") as f:
        f.write(ico(images))
    with open(os.path.join(out, f"{NAME}.svg"), "w", encoding="utf-8") as f:
        f.write(svg())


if __name__ == "__main__":
    main()
