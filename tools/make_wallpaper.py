#!/usr/bin/env python3
"""Draws sample/Wallpaper.png, the Today screen's wallpaper for the emulator.

A calm, dark picture that light captions read well on: a night-blue to deep
teal gradient, three soft ribbons of light sweeping across, a few faint
out-of-focus discs and a gentle darkening towards the corners. 480 x 640;
the emulator scales it to cover a landscape screen.

Pure standard library (zlib for PNG); a small hash replaces random numbers,
so the output is the same byte for byte on every run.

    python3 tools/make_wallpaper.py [sample-folder]
"""

import math
import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 480, 640

# Gradient stops from top to bottom (position, colour).
GRADIENT = [
    (0.00, (9, 17, 36)),
    (0.45, (14, 32, 60)),
    (1.00, (10, 44, 58)),
]

# Ribbons: a sine curve across the picture, its glow width and colour.
# (centre y, amplitude, wavelength, phase, width, strength, colour)
RIBBONS = [
    (250, 46, 620, 0.4, 34, 0.16, (90, 150, 220)),
    (300, 60, 760, 2.1, 58, 0.10, (70, 190, 200)),
    (470, 38, 540, 4.0, 26, 0.12, (120, 140, 230)),
]

# Out-of-focus discs: (x, y, radius, strength).
DISCS = [
    (392, 132, 54, 0.06), (70, 212, 30, 0.05), (330, 402, 38, 0.05),
    (118, 522, 64, 0.04), (420, 578, 24, 0.06), (214, 92, 18, 0.05),
]
DISC_COLOUR = (150, 190, 240)


def gradient(t):
    for (t0, c0), (t1, c1) in zip(GRADIENT, GRADIENT[1:]):
        if t <= t1:
            f = (t - t0) / (t1 - t0)
            f = f * f * (3 - 2 * f)  # smooth at the stops
            return [a + (b - a) * f for a, b in zip(c0, c1)]
    return list(GRADIENT[-1][1])


def hash_noise(x, y):
    """A repeatable value in [-0.5, 0.5) for dithering."""
    h = (x * 374761393 + y * 668265263) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFF) / 65536.0 - 0.5


def over(pixel, colour, alpha):
    return [p + (c - p) * alpha for p, c in zip(pixel, colour)]


def draw():
    # Ribbon centre lines per column, computed once.
    curves = [[cy + amp * math.sin(2 * math.pi * x / wave + phase) + 0.12 * (x - WIDTH / 2)
               for x in range(WIDTH)]
              for cy, amp, wave, phase, _, _, _ in RIBBONS]
    rows = []
    for y in range(HEIGHT):
        row = bytearray()
        base = gradient(y / (HEIGHT - 1))
        for x in range(WIDTH):
            pixel = list(base)
            for (_, _, _, _, width, strength, colour), curve in zip(RIBBONS, curves):
                d = (y - curve[x]) / width
                if d * d < 9:
                    pixel = over(pixel, colour, strength * math.exp(-d * d))
            for cx, cy, r, strength in DISCS:
                d = math.hypot(x - cx, y - cy) / r
                if d < 1.3:
                    edge = min(1.0, max(0.0, (1.3 - d) / 0.3))
                    pixel = over(pixel, DISC_COLOUR, strength * edge)
            # Darker towards the corners, so the middle holds the light.
            dx, dy = (x - WIDTH / 2) / WIDTH, (y - HEIGHT / 2) / HEIGHT
            shade = 1.0 - 0.55 * (dx * dx + dy * dy)
            noise = hash_noise(x, y)
            row.extend(max(0, min(255, int(c * shade + 0.5 + noise))) for c in pixel)
        rows.append(bytes(row))
    return rows


def png(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\x00" + r for r in rows)
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)  # 8-bit RGB
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "sample")
    path = os.path.join(folder, "Wallpaper.png")
    with open(path, "wb") as f:
        f.write(png(draw()))
    print(path)


if __name__ == "__main__":
    main()
