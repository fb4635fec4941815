#!/usr/bin/env python3
"""Draws the theme's basic shapes as white-on-transparent PNGs.

The theme tints them through colour classes, so one anti-aliased shape serves
every colour. Run it from this folder after changing a shape; its output is
committed so that the build needs nothing but edje_cc.
"""
import math
import struct
import zlib

SUPERSAMPLE = 4


def write_png(path, width, height, coverage):
    """coverage(x, y) -> 0..1 for the point (x, y) in pixel units."""
    rows = bytearray()
    step = 1.0 / SUPERSAMPLE
    for y in range(height):
        rows.append(0)
        for x in range(width):
            total = 0.0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    total += coverage(x + (sx + 0.5) * step, y + (sy + 0.5) * step)
            alpha = round(255 * total / (SUPERSAMPLE * SUPERSAMPLE))
            rows += bytes((255, 255, 255, alpha))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def disc(cx, cy, r):
    return lambda x, y: 1.0 if (x - cx) ** 2 + (y - cy) ** 2 <= r * r else 0.0


def ring(cx, cy, outer, inner):
    def cov(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        return 1.0 if inner * inner <= d <= outer * outer else 0.0
    return cov


def arc(cx, cy, outer, inner, sweep_degrees):
    """A ring segment starting at 12 o'clock, clockwise, with round ends."""
    mid = (outer + inner) / 2
    cap = (outer - inner) / 2
    end = math.radians(sweep_degrees)
    ends = [(cx, cy - mid), (cx + mid * math.sin(end), cy - mid * math.cos(end))]

    def cov(x, y):
        for ex, ey in ends:
            if (x - ex) ** 2 + (y - ey) ** 2 <= cap * cap:
                return 1.0
        d = (x - cx) ** 2 + (y - cy) ** 2
        if not inner * inner <= d <= outer * outer:
            return 0.0
        angle = math.atan2(x - cx, -(y - cy)) % (2 * math.pi)
        # Fade the tail so that the spinning arc reads as motion.
        return max(0.15, 1.0 - angle / end * 0.85) if angle <= end else 0.0
    return cov


def watch(size):
    """A round watch face with two straps, for the composer's device switch."""
    c = size / 2
    face = ring(c, c, size * 0.30, size * 0.22)
    hands = lambda x, y: 1.0 if (abs(x - c) <= size * 0.025 and c - size * 0.14 <= y <= c) or \
        (abs(y - c) <= size * 0.025 and c <= x <= c + size * 0.10) else 0.0
    strap = lambda x, y: 1.0 if abs(x - c) <= size * 0.16 and \
        (size * 0.06 <= y <= size * 0.22 or size * 0.78 <= y <= size * 0.94) else 0.0
    return lambda x, y: max(face(x, y), hands(x, y), strap(x, y))


def main():
    # Round buttons, badges and check boxes (stretched with a border when
    # wider than tall, which gives a pill).
    write_png("circle.png", 64, 64, disc(32, 32, 32))
    write_png("circle_line.png", 64, 64, ring(32, 32, 32, 28))
    # The popup's round background, drawn at full size for a crisp edge.
    write_png("circle_360.png", 360, 360, disc(180, 180, 180))
    # Everything outside the watch's circle, for the screen's round frame.
    outside = disc(180, 180, 180)
    write_png("round_frame.png", 360, 360, lambda x, y: 1.0 - outside(x, y))
    # The bottom button: the part of the screen's circle below its chord.
    write_png("bottom_button.png", 360, 84, lambda x, y: outside(x, y + 276))
    # The spinner of the progress styles.
    write_png("spinner_arc.png", 96, 96, arc(48, 48, 46, 38, 300))
    write_png("watch.png", 96, 96, watch(96))


if __name__ == "__main__":
    main()
