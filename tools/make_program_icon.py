#!/usr/bin/env python3
"""Draws the settings program's icon, resources/Orvane.ico.

The same rounded-square glyph as the sample's icons (make_sample_icons.py)
carrying a 2 x 2 grid of tiles, the launcher's pages of icons. It is drawn
at 64 x 64 and reduced by averaging to 32 x 32 and 16 x 16; the icon file
holds both as 32-bit images with an alpha channel. The output is the same
byte for byte on every run.

    python3 tools/make_program_icon.py [icon-file]
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_sample_icons as art  # noqa: E402


def sym_tiles():
    tiles = None
    for x, y in ((17, 16), (34, 16), (17, 33), (34, 33)):
        t = art.rounded_box(x, y, x + 13, y + 13, 3)
        tiles = t if tiles is None else tiles | t
    return tiles


def reduce(canvas, size):
    """Premultiplied box average of the 64 x 64 canvas down to size."""
    k = canvas.w // size
    out = []
    for y in range(size):
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for dy in range(k):
                for dx in range(k):
                    p = canvas.px[(y * k + dy) * canvas.w + x * k + dx]
                    for i in range(4):
                        acc[i] += p[i]
            out.append([v / (k * k) for v in acc])
    return out


def dib(px, size):
    """An icon image: BITMAPINFOHEADER (double height), BGRA rows bottom-up,
    then the AND mask (all zero: the alpha channel decides)."""
    head = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = px[y * size + x]
            if a <= 0.0:
                rows += b"\0\0\0\0"
            else:
                rows += bytes((art.to8(b / a), art.to8(g / a), art.to8(r / a), art.to8(a)))
    mask_row = ((size + 31) // 32) * 4
    return head + bytes(rows) + bytes(mask_row * size)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "Orvane.ico")
    canvas = art.glyph((86, 140, 214), (34, 64, 128), sym_tiles())
    images = [(size, dib(reduce(canvas, size), size)) for size in (32, 16)]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for _, image in images:
        data += image
    art.write(path, data)


if __name__ == "__main__":
    main()
