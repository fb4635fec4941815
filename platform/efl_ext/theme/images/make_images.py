#!/usr/bin/env python3
"""Regenerates the extension's theme images (standard library only).

Shapes are white, or black for the screen mask, so that the theme tints them
with colour classes. Arcs are drawn on a 360 x 360 canvas around its centre
and cut to the box around them; the theme places the boxes on that canvas
and rotates the thumb about its middle.
Edges are anti-aliased by 4 x 4 supersampling.
"""
import math
import os
import struct
import zlib

SS = 4


def coverage(pixel, x, y):
    """The share of pixel (x, y) of the shape's canvas that the shape covers, 0 to 255."""
    cov = 0.0
    for sy in range(SS):
        for sx in range(SS):
            cov += pixel(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS)
    return int(round(255 * cov / (SS * SS)))


def write_rgba(path, w, h, rgba):
    """A w x h PNG whose pixel (x, y) is the four bytes rgba(x, y)."""
    rows = []
    for y in range(h):
        row = bytearray([0])
        for x in range(w):
            row += rgba(x, y)
        rows.append(bytes(row))
    raw = zlib.compress(b"".join(rows), 9)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", raw))
        f.write(chunk(b"IEND", b""))


def write_png(path, w, h, pixel, x0=0, y0=0):
    """The w x h box at (x0, y0) of the shape's canvas."""
    write_rgba(path, w, h, lambda x, y: bytes(pixel.rgb) + bytes([coverage(pixel, x0 + x, y0 + y)]))


class Shape:
    def __init__(self, fn, rgb=(255, 255, 255)):
        self.fn = fn
        self.rgb = rgb

    def __call__(self, x, y):
        return 1.0 if self.fn(x, y) else 0.0


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) <= width / 2


def arc(cx, cy, r, width, a0, a1):
    """Angles in degrees, 0 at 3 o'clock, growing clockwise; round caps."""
    caps = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))) for a in (a0, a1)]

    def inside(x, y):
        ang = math.degrees(math.atan2(y - cy, x - cx))
        if a0 <= ang <= a1 and abs(math.hypot(x - cx, y - cy) - r) <= width / 2:
            return True
        return any((x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2 for px, py in caps)

    return inside


def main():
    os.chdir(os.path.dirname(os.path.abspath(__file__)))
    write_png("circle_mask.png", 360, 360, Shape(lambda x, y: not disc(180, 180, 180)(x, y), (0, 0, 0)))
    # Only the box around each arc: the canvas draws every pixel of an image, and the thumb is
    # drawn rotated each frame the list scrolls. scroller.edc places the boxes.
    write_png("arc_track.png", 34, 180, Shape(arc(180, 180, 170, 7, -30, 30)), 322, 90)
    write_png("arc_thumb.png", 12, 48, Shape(arc(180, 180, 170, 7, -6, 6)), 344, 156)
    write_png("cue.png", 36, 96, Shape(lambda x, y: ((x - 36) / 30) ** 2 + ((y - 48) / 44) ** 2 <= 1))
    write_png("dot.png", 12, 12, Shape(disc(6, 6, 5)))
    write_png("item_bg.png", 76, 76, Shape(disc(38, 38, 37)))
    write_png("item_ring.png", 92, 92, Shape(ring(46, 46, 43, 4)))


if __name__ == "__main__":
    main()
