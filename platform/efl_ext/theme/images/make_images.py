#!/usr/bin/env python3
"""Regenerates the extension's theme images (standard library only).

Shapes are white, or black for the screen mask, so that the theme tints them
with colour classes. Arcs are drawn on a 360 x 360 canvas around its centre
and cut to the box around them; the theme places the boxes on that canvas
and rotates the thumb about its middle.
Edges are anti-aliased by 4 x 4 supersampling.
The screen mask's pieces are packed into an atlas; mask_pieces.edc, written
with it, gives each piece's place in it. circle_mask.png, the whole mask, is
only the tests' reference.
"""
import itertools
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


# The mask's black reaches into the screen from its edge; mask.edc draws it as bands of rows y0 to y1
# of the top half, each as wide as the black reaches in it, mirrored to the other three quarters.
MASK_SIZE = 360
MASK_BANDS = [(0, 10), (10, 25), (25, 45), (45, 75), (75, 120), (120, 180)]
# Atlas widths tried: the one that packs the pieces into the fewest pixels is kept.
ATLAS_WIDTHS = range(MASK_SIZE - 20, MASK_SIZE + 21)


def band_reach(mask, y0, y1):
    """How far the black reaches into rows y0 to y1 from the left edge, its edge included."""
    e = 0
    for y in range(y0, y1):
        while e < MASK_SIZE // 2 and coverage(mask, e, y):
            e += 1
    return e


def mask_blocks(reaches, together):
    """The atlas's blocks: each the mask's columns and rows that it copies, and its pieces as
    (name, x0, y0, x1, y1 on the mask, x, y in the block).
    Stretched, the canvas smooths a piece's edge with the atlas's pixels next to it, so each piece
    is ringed with its neighbours on the mask (beyond the mask's edge, the edge's own). A band's
    four pieces are one block if together[i]: the mask is symmetric, so the column between the left
    and right pieces and the row between the top and bottom ones is the neighbour of both."""
    n = MASK_SIZE
    blocks = []
    for i, ((y0, y1), e) in enumerate(zip(MASK_BANDS, reaches)):
        boxes = [(0, y0, e, y1), (n - e, y0, n, y1), (0, n - y1, e, n - y0), (n - e, n - y1, n, n - y0)]
        pieces = [("%s%d" % (q, i),) + box for q, box in zip(("tl", "tr", "bl", "br"), boxes)]
        if together[i]:
            cols = list(range(-1, e + 1)) + list(range(n - e, n + 1))
            rows = list(range(y0 - 1, y1 + 1)) + list(range(n - y1, n - y0 + 1))
            places = [(1 + (e + 1) * (k % 2), 1 + (y1 - y0 + 1) * (k // 2)) for k in range(4)]
            blocks.append((cols, rows, [p + at for p, at in zip(pieces, places)]))
        else:
            for p in pieces:
                _, x0, py0, x1, py1 = p
                blocks.append((list(range(x0 - 1, x1 + 1)), list(range(py0 - 1, py1 + 1)), [p + (1, 1)]))
    return blocks


def pack(sizes, width):
    """Skyline packing, largest first: each w x h box goes where its bottom is highest up, then
    leftmost. Returns the boxes' origins, in the order given, and the height used."""
    skyline = [(0, width, 0)]  # runs of x, width, top free row
    origins = [None] * len(sizes)
    for k in sorted(range(len(sizes)), key=lambda k: (-sizes[k][0] * sizes[k][1], k)):
        w, h = sizes[k]
        best = None
        for x, _, _ in skyline:
            if x + w > width:
                break
            y = max(ry for rx, rw, ry in skyline if rx < x + w and rx + rw > x)
            if best is None or (y, x) < (best[1], best[0]):
                best = (x, y)
        if best is None:
            return None, None
        x, y = best
        origins[k] = best
        runs = []
        for rx, rw, ry in skyline:
            if rx < x:
                runs.append((rx, min(rw, x - rx), ry))
            if rx + rw > x + w:
                runs.append((max(rx, x + w), rx + rw - max(rx, x + w), ry))
        runs.append((x, w, y + h))
        skyline = []
        for run in sorted(runs):
            if skyline and skyline[-1][2] == run[2]:
                skyline[-1] = (skyline[-1][0], skyline[-1][1] + run[1], run[2])
            else:
                skyline.append(run)
    return origins, max(y + sizes[k][1] for k, (_, y) in enumerate(origins))


def write_mask_atlas(png, edc, mask):
    """Packs the pixels of the mask's pieces into one image and writes the pieces' places in it:
    of the ways tried (each band's pieces in a block or apart, at each width), the fewest pixels."""
    reaches = [band_reach(mask, y0, y1) for y0, y1 in MASK_BANDS]
    best = None
    for together in itertools.product((True, False), repeat=len(MASK_BANDS)):
        blocks = mask_blocks(reaches, together)
        sizes = [(len(cols), len(rows)) for cols, rows, _ in blocks]
        for width in ATLAS_WIDTHS:
            origins, height = pack(sizes, width)
            if origins and (best is None or width * height < best[0] * best[1]):
                best = (width, height, blocks, origins)
    width, height, blocks, origins = best
    on_mask = {}
    for (cols, rows, _), (bx, by) in zip(blocks, origins):
        for j, y in enumerate(rows):
            for i, x in enumerate(cols):
                on_mask[(bx + i, by + j)] = (min(max(x, 0), MASK_SIZE - 1), min(max(y, 0), MASK_SIZE - 1))
    clear = bytes(4)

    def rgba(x, y):
        if (x, y) not in on_mask:
            return clear
        return bytes(mask.rgb) + bytes([coverage(mask, *on_mask[(x, y)])])

    write_rgba(png, width, height, rgba)
    pieces = [(p[:5], (bx + p[5], by + p[6])) for (_, _, ps), (bx, by) in zip(blocks, origins) for p in ps]
    with open(edc, "w") as f:
        f.write("/* Written by images/make_images.py with images/%s; run it again rather than\n"
                " * editing. Each piece: its name, its box x0, y0, x1, y1 on the %d x %d mask and\n"
                " * where its pixels start in the atlas. */\n" % (os.path.basename(png), MASK_SIZE, MASK_SIZE))
        f.write("#define MASK_ATLAS_W %d\n#define MASK_ATLAS_H %d\n" % (width, height))
        for (name, x0, y0, x1, y1), (ax, ay) in pieces:
            f.write("MASK_PIECE(\"%s\", %d, %d, %d, %d, %d, %d)\n" % (name, x0, y0, x1, y1, ax, ay))


def main():
    os.chdir(os.path.dirname(os.path.abspath(__file__)))
    mask = Shape(lambda x, y: not disc(180, 180, 180)(x, y), (0, 0, 0))
    write_png("circle_mask.png", MASK_SIZE, MASK_SIZE, mask)
    write_mask_atlas("mask_atlas.png", "../mask_pieces.edc", mask)
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
