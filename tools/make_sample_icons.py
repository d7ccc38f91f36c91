#!/usr/bin/env python3
"""Draws the icon images of sample/Icon.

Every image is drawn here from simple shapes, so the set stays coherent and
can be changed in one place: a rounded-square glyph with a gentle vertical
gradient, a faint gloss and a soft shadow, carrying one white symbol. The
PNG icons keep their alpha channel; the three BMP defaults are 24-bit and
have no alpha, so their background is the key colour magenta (the drawing
code leaves out every pixel of the colour found at (0, 0)) and their edges
are blended onto a dark slot colour instead of into the key.

Pure standard library: shapes are signed distance functions, sampled 4 x 4
per pixel along their edges; BMP and PNG are written with struct and zlib.
The output is the same byte for byte on every run.

    python3 tools/make_sample_icons.py [sample-folder]
"""

import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4
KEY = (255, 0, 255)
# The dark blue of the icon slots (settings 23 and 24 lie around it): edge
# pixels of the key-colour images are blended onto it.
MATTE = (30, 40, 64)


# ---------------------------------------------------------------- shapes
#
# A shape is a signed distance function in pixels (negative inside) and a
# bounding box (x0, y0, x1, y1) outside which it is surely empty.

class Shape:
    def __init__(self, sdf, box):
        self.sdf = sdf
        self.box = box

    def __or__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: min(a(x, y), b(x, y)), box_union(self.box, other.box))

    def __and__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: max(a(x, y), b(x, y)), box_meet(self.box, other.box))

    def __sub__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def moved(self, dx, dy):
        f = self.sdf
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: f(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))

    def grown(self, r):
        """The shape widened by r pixels (rounded outwards)."""
        f = self.sdf
        return Shape(lambda x, y: f(x, y) - r, expand(self.box, r))


def box_union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def box_meet(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def expand(box, r):
    return (box[0] - r, box[1] - r, box[2] + r, box[3] + r)


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, width):
    h = width / 2.0
    return Shape(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - h, expand((cx - r, cy - r, cx + r, cy + r), h))


def rounded_box(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return Shape(sdf, (x0, y0, x1, y1))


def box(x0, y0, x1, y1):
    return rounded_box(x0, y0, x1, y1, 0.0)


def outline(shape, width):
    """The band of the given width centred on the shape's edge."""
    f, h = shape.sdf, width / 2.0
    return Shape(lambda x, y: abs(f(x, y)) - h, expand(shape.box, h))


def segment(ax, ay, bx, by, width):
    """A stroke with round caps."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    h = width / 2.0

    def sdf(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / ll
        t = min(max(t, 0.0), 1.0)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - h
    return Shape(sdf, (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h))


def polyline(points, width):
    shape = segment(*points[0], *points[1], width)
    for a, b in zip(points[1:], points[2:]):
        shape = shape | segment(*a, *b, width)
    return shape


def polygon(points):
    """A filled polygon (exact distance, even-odd inside test)."""
    n = len(points)

    def sdf(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[i - 1]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = min(max((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0), 1.0)
            d = min(d, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -d if inside else d
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


def arc(cx, cy, r, width, start, sweep):
    """A stroke along a circle from angle start (degrees, 0 = up, clockwise)
    over sweep degrees, with round caps."""
    h = width / 2.0
    a0 = math.radians(start)
    a1 = math.radians(start + sweep)
    ends = [(cx + r * math.sin(a), cy - r * math.cos(a)) for a in (a0, a1)]

    def sdf(x, y):
        ang = math.atan2(x - cx, -(y - cy))
        rel = (ang - a0) % (2 * math.pi)
        if rel <= a1 - a0:
            return abs(math.hypot(x - cx, y - cy) - r) - h
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - h
    return Shape(sdf, expand((cx - r, cy - r, cx + r, cy + r), h))


def rotated(shape, cx, cy, degrees):
    f = shape.sdf
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    x0, y0, x1, y1 = shape.box
    corners = [(x, y) for x in (x0, x1) for y in (y0, y1)]
    moved = [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in corners]
    xs, ys = [p[0] for p in moved], [p[1] for p in moved]

    def sdf(x, y):
        dx, dy = x - cx, y - cy
        return f(cx + dx * c + dy * s, cy - dx * s + dy * c)
    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


def star(cx, cy, r_out, r_in, points=5):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.pi * i / points
        pts.append((cx + r * math.sin(a), cy - r * math.cos(a)))
    return polygon(pts)


# ---------------------------------------------------------------- paints
#
# A paint gives the straight (not premultiplied) colour at a point, as
# floats 0..1 with alpha.

def rgb(c, a=1.0):
    return (c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, a)


def solid(c, a=1.0):
    col = rgb(c, a)
    return lambda x, y: col


def mix(a, b, t):
    return tuple(p + (q - p) * t for p, q in zip(a, b))


def vertical(top, bottom, y0, y1, a=1.0):
    ct, cb = rgb(top, a), rgb(bottom, a)

    def paint(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return mix(ct, cb, t)
    return paint


def radial(inner, outer, cx, cy, r, a=1.0):
    ci, co = rgb(inner, a), rgb(outer, a)

    def paint(x, y):
        t = min(math.hypot(x - cx, y - cy) / r, 1.0)
        return mix(ci, co, t * t)
    return paint


# ---------------------------------------------------------------- canvas

class Canvas:
    """Premultiplied RGBA floats, row by row."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def _span(self, bx):
        x0, y0, x1, y1 = bx
        return (max(int(math.floor(x0)) - 1, 0), max(int(math.floor(y0)) - 1, 0),
                min(int(math.ceil(x1)) + 1, self.w), min(int(math.ceil(y1)) + 1, self.h))

    def _over(self, i, colour, cover):
        r, g, b, a = colour
        a *= cover
        if a <= 0.0:
            return
        p = self.px[i]
        k = 1.0 - a
        p[0] = r * a + p[0] * k
        p[1] = g * a + p[1] * k
        p[2] = b * a + p[2] * k
        p[3] = a + p[3] * k

    def fill(self, shape, paint, clip=None):
        """Anti-aliased fill: pixels near the edge are sampled 4 x 4."""
        n = SUPERSAMPLE
        offs = [(i + 0.5) / n for i in range(n)]
        f = shape.sdf
        g = clip.sdf if clip is not None else None
        bx = shape.box if clip is None else box_meet(shape.box, clip.box)
        x0, y0, x1, y1 = self._span(bx)
        for py in range(y0, y1):
            for px in range(x0, x1):
                cx, cy = px + 0.5, py + 0.5
                d = f(cx, cy)
                if g is not None:
                    d = max(d, g(cx, cy))
                if d >= 1.0:
                    continue
                if d <= -1.0:
                    cover = 1.0
                else:
                    hits = 0
                    for oy in offs:
                        for ox in offs:
                            sx, sy = px + ox, py + oy
                            e = f(sx, sy)
                            if g is not None:
                                e = max(e, g(sx, sy))
                            if e < 0.0:
                                hits += 1
                    cover = hits / float(n * n)
                self._over(py * self.w + px, paint(cx, cy), cover)

    def soft(self, shape, colour, blur):
        """A blurred fill: coverage falls off smoothly over blur pixels on
        both sides of the edge (used for shadows)."""
        f = shape.sdf
        x0, y0, x1, y1 = self._span(expand(shape.box, blur))
        for py in range(y0, y1):
            for px in range(x0, x1):
                d = f(px + 0.5, py + 0.5)
                t = min(max(0.5 - d / (2.0 * blur), 0.0), 1.0)
                t = t * t * (3.0 - 2.0 * t)
                if t > 0.0:
                    self._over(py * self.w + px, colour, t)

    def rgba_bytes(self):
        """Straight 8-bit RGBA, rows top-down."""
        out = bytearray()
        for r, g, b, a in self.px:
            if a <= 0.0:
                out += b"\0\0\0\0"
                continue
            out += bytes((to8(r / a), to8(g / a), to8(b / a), to8(a)))
        return out


def to8(v):
    return min(max(int(v * 255.0 + 0.5), 0), 255)


# ---------------------------------------------------------------- files

def png_bytes(w, h, rgba):
    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    stride = w * 4
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        raw += rgba[y * stride:(y + 1) * stride]
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def bmp_bytes(w, h, rgb_rows):
    """24-bit BMP, rows stored bottom-up, each padded to 4 bytes."""
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rgb_rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def keyed_rows(canvas):
    """The canvas on the key colour: pixels under 40 % cover become the key,
    the others are blended onto the matte so that no edge pixel drifts
    towards magenta."""
    m = rgb(MATTE)
    rows = []
    for y in range(canvas.h):
        row = []
        for x in range(canvas.w):
            r, g, b, a = canvas.px[y * canvas.w + x]
            if a < 0.4:
                row.append(KEY)
                continue
            k = 1.0 - a
            c = (to8(r + m[0] * k), to8(g + m[1] * k), to8(b + m[2] * k))
            # A near-key colour could be mistaken for the key after a 16-bit
            # conversion; the palette never comes close, and this proves it.
            assert not (c[0] > 200 and c[1] < 60 and c[2] > 200), (x, y, c)
            row.append(c)
        rows.append(row)
    return rows


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- the glyph

SIZE = 64
WHITE = (255, 255, 255)
# The rounded square that carries every symbol; a little above centre so
# the shadow fits underneath.
PLATE = rounded_box(5, 4, 59, 58, 13)
# Symbols sit in the plate's centre.
CX, CY = 32.0, 31.0


def glyph(top, bottom, symbol, shadow=True, extra=None):
    """One 64 x 64 icon: shadow, plate with gradient and gloss, the white
    symbol with its own faint shadow, then optional extra layers."""
    c = Canvas(SIZE, SIZE)
    if shadow:
        c.soft(PLATE.moved(0, 2.0).grown(-0.5), rgb((0, 0, 0), 0.55), 2.2)
    c.fill(PLATE, vertical(top, bottom, 4, 58))
    # Gloss: a faint light band over the upper part of the plate.
    c.fill(rounded_box(5, 4, 59, 30, 13), gloss_paint(), clip=PLATE)
    # A thin lighter rim along the top edge and a darker one along the
    # bottom give the plate some depth.
    c.fill(outline(PLATE, 1.2), vertical(lighten(top, 0.35), darken(bottom, 0.25), 4, 58, 0.6), clip=PLATE)
    c.fill(symbol.moved(0, 1.0), solid((0, 0, 0), 0.22))
    c.fill(symbol, solid(WHITE))
    for shape, paint in extra or ():
        c.fill(shape, paint)
    return c


def gloss_paint():
    top, bottom = (1.0, 1.0, 1.0, 0.20), (1.0, 1.0, 1.0, 0.0)

    def paint(x, y):
        t = min(max((y - 4) / 26.0, 0.0), 1.0)
        return mix(top, bottom, t)
    return paint


def lighten(c, t):
    return tuple(int(v + (255 - v) * t) for v in c)


def darken(c, t):
    return tuple(int(v * (1.0 - t)) for v in c)


# ---------------------------------------------------------------- symbols

def sym_home():
    roof = polygon([(32, 14.5), (50, 31), (14, 31)])
    body = box(19.5, 29, 44.5, 47)
    chimney = box(39, 17, 44, 26)
    door = rounded_box(28.5, 36, 35.5, 47.5, 1.5)
    return (roof | body | chimney) - door


def sym_notes():
    page = rounded_box(18, 14, 46, 48, 3)
    fold = polygon([(38, 13), (47, 13), (47, 22)])
    lines = (segment(23, 24, 41, 24, 2.4) | segment(23, 30, 41, 30, 2.4)
             | segment(23, 36, 41, 36, 2.4) | segment(23, 42, 34, 42, 2.4))
    return (page - fold - lines) | polygon([(38, 14), (46, 22), (38, 22)])


def sym_tools():
    # A wrench lying diagonally: handle from the lower left, open jaw upper right.
    handle = segment(19, 45, 36, 28, 7.0)
    head = circle(39.5, 24.5, 9.5)
    jaw = rotated(box(36.0, 11.0, 43.0, 25.5), 39.5, 24.5, 45)
    hole = circle(20.5, 43.5, 1.8)
    return (handle | head) - jaw - hole


def sym_web():
    r = 14.5
    sphere = circle(CX, CY, r)
    lines = (ring(CX, CY, r, 2.6)
             | (outline(ellipse(CX, CY, 6.5, r), 2.3) & sphere)
             | (segment(CX - r, CY, CX + r, CY, 2.3) & sphere)
             | (segment(CX - r, CY - 7.5, CX + r, CY - 7.5, 2.0) & sphere)
             | (segment(CX - r, CY + 7.5, CX + r, CY + 7.5, 2.0) & sphere)
             | (segment(CX, CY - r, CX, CY + r, 2.3) & sphere))
    return lines


def ellipse(cx, cy, rx, ry):
    """An approximate ellipse distance (good near the edge, which is all the
    outline needs)."""
    def sdf(x, y):
        px, py = (x - cx) / rx, (y - cy) / ry
        k = math.hypot(px, py)
        if k == 0.0:
            return -min(rx, ry)
        gx, gy = px / (rx * k), py / (ry * k)
        return (k - 1.0) / math.hypot(gx, gy) * k
    return Shape(sdf, (cx - rx, cy - ry, cx + rx, cy + ry))


def sym_games():
    body = rounded_box(14, 22, 50, 40, 9) | circle(21, 38, 7.5) | circle(43, 38, 7.5)
    pad = box(18, 29.8, 28, 33.2) | box(21.3, 26.5, 24.7, 36.5)
    buttons = circle(41, 28.5, 2.4) | circle(45.5, 33, 2.4) | circle(36.5, 33, 2.4) | circle(41, 37.5, 2.4)
    return body - pad - buttons


def sym_settings():
    teeth = None
    for i in range(8):
        tooth = rounded_box(CX - 3.6, CY - 17.0, CX + 3.6, CY - 8.0, 1.2)
        tooth = rotated(tooth, CX, CY, i * 45.0)
        teeth = tooth if teeth is None else teeth | tooth
    return (circle(CX, CY, 12.5) | teeth) - circle(CX, CY, 5.0)


def sym_recent():
    r = 13.0
    # An arc running anticlockwise back in time, with an arrow head at its start.
    loop = arc(CX, CY, r, 2.8, -60.0, 290.0)
    a = math.radians(-60.0)
    ex, ey = CX + r * math.sin(a), CY - r * math.cos(a)
    head = polygon([(ex - 6.5, ey - 3.0), (ex + 2.5, ey - 4.5), (ex - 1.0, ey + 4.5)])
    hands = segment(CX, CY, CX, CY - 8.5, 2.8) | segment(CX, CY, CX + 6.0, CY + 4.0, 2.8)
    return loop | head | hands


def sym_tasks():
    # A stack of open windows: the front one whole, two behind it peeking out.
    far = rounded_box(22, 13.5, 42, 19.5, 2.2)
    near = rounded_box(18, 18.5, 46, 26, 2.6)
    front = rounded_box(14, 25, 50, 49, 3.2)
    gap = rounded_box(11.5, 22.6, 52.5, 51, 4.5)
    gap_far = rounded_box(15.5, 16.1, 48.5, 28, 4.0)
    title = box(14, 31, 50, 33.2)
    dots = circle(18.6, 28.2, 1.3) | circle(22.6, 28.2, 1.3)
    return ((far - gap_far) | (near - gap) | front) - title - dots


def sym_terminal():
    chevron = polyline([(19, 23), (27, 30.5), (19, 38)], 3.4)
    cursor = segment(31, 40, 44, 40, 3.4)
    return chevron | cursor


def sym_files():
    back = rounded_box(14, 17, 50, 46, 3) | rounded_box(14, 15, 29, 22, 2.5)
    cut = box(29, 14, 51, 17) - rounded_box(14, 15, 29, 22, 2.5)
    flap_line = segment(14, 25.5, 50, 25.5, 2.2)
    return (back - cut) - flap_line


def sym_clock():
    face = ring(CX, CY, 14.0, 2.8)
    ticks = None
    for i in range(4):
        t = rotated(box(CX - 1.1, CY - 11.5, CX + 1.1, CY - 8.5), CX, CY, i * 90.0)
        ticks = t if ticks is None else ticks | t
    hands = segment(CX, CY, CX, CY - 8.0, 2.6) | segment(CX, CY, CX + 5.5, CY + 2.5, 2.6)
    return face | ticks | hands | circle(CX, CY, 2.2)


def sym_app():
    window = rounded_box(15, 17, 49, 46, 3.5)
    client = box(18, 25, 46, 43)
    inner = rounded_box(21.5, 28.5, 33, 39.5, 1.5) | box(36, 29, 43, 31.2) | box(36, 33.5, 43, 35.7) \
        | box(36, 38, 41, 40.2)
    dots = circle(20, 21, 1.5) | circle(24.5, 21, 1.5)
    return ((window - client) - dots) | inner


def sym_pages():
    cells = None
    for row in range(2):
        for col in range(2):
            x, y = 17.5 + col * 15.5, 16.5 + row * 15.5
            cell = rounded_box(x, y, x + 13.0, y + 13.0, 3.0)
            if row == 1 and col == 1:
                cell = outline(cell, 2.4)
            cells = cell if cells is None else cells | cell
    return cells


PAGE_ARROW = polyline([(38.5, 41.2), (42.7, 38.0), (38.5, 34.8)], 2.3) | segment(34.5, 38.0, 42.7, 38.0, 2.3)


# ---------------------------------------------------------------- the set

PNG_ICONS = [
    # name, gradient top, gradient bottom, symbol
    ("Home", (92, 160, 240), (36, 92, 190), sym_home),
    ("Notes", (255, 200, 80), (226, 134, 26), sym_notes),
    ("Tools", (128, 138, 222), (66, 74, 170), sym_tools),
    ("Web", (80, 200, 240), (22, 118, 200), sym_web),
    ("Games", (246, 110, 100), (196, 48, 70), sym_games),
    ("Settings", (156, 168, 186), (84, 96, 118), sym_settings),
    ("Recent", (172, 120, 236), (104, 60, 182), sym_recent),
    ("Tasks", (250, 160, 80), (206, 92, 40), sym_tasks),
    ("Terminal", (92, 100, 112), (38, 42, 50), sym_terminal),
    ("Files", (110, 206, 126), (36, 148, 84), sym_files),
    ("Clock", (72, 208, 196), (20, 138, 150), sym_clock),
]


def url_icon():
    badge = circle(47, 47, 10.5)
    return glyph((80, 200, 240), (22, 118, 200), sym_web_small(), shadow=False, extra=[
        (badge, solid((40, 52, 80))),
        (star(47, 47.6, 8.6, 3.7), vertical((255, 224, 96), (246, 164, 30), 39, 56)),
    ])


def sym_web_small():
    # The globe moved up and left to make room for the star.
    cx, cy, r = 28.0, 28.0, 13.0
    sphere = circle(cx, cy, r)
    return (ring(cx, cy, r, 2.5)
            | (outline(ellipse(cx, cy, 5.8, r), 2.2) & sphere)
            | (segment(cx - r, cy, cx + r, cy, 2.2) & sphere)
            | (segment(cx - r, cy - 6.8, cx + r, cy - 6.8, 1.9) & sphere)
            | (segment(cx - r, cy + 6.8, cx + r, cy + 6.8, 1.9) & sphere)
            | (segment(cx, cy - r, cx, cy + r, 2.2) & sphere))


def page_icon():
    return glyph((104, 200, 120), (34, 138, 76), sym_pages(), shadow=False,
                 extra=[(PAGE_ARROW, solid(WHITE))])


# Without an alpha channel a soft shadow could only darken the edge, so the
# key-colour images go without one.
BMP_ICONS = [
    ("IconApp0", lambda: glyph((120, 148, 196), (58, 80, 130), sym_app(), shadow=False)),
    ("IconAppURL", url_icon),
    ("IconPage0", page_icon),
]


def clock_face():
    """128 x 128: the dial under the analog clock's hands. The hands run from
    the centre to 70, 90 and 100 % of the image's half width, so the ticks
    stay inside and the face is dark enough for white hands."""
    n = 128
    cx = cy = 64.0
    c = Canvas(n, n)
    c.soft(circle(cx, cy + 1.5, 60.5), rgb((0, 0, 0), 0.6), 2.5)
    # Rim: a metallic band, light at the top and dark at the bottom.
    c.fill(circle(cx, cy, 61.0), vertical((214, 222, 236), (78, 88, 110), 3, 125))
    c.fill(circle(cx, cy, 56.5), vertical((40, 48, 66), (150, 160, 182), 8, 120))
    # Dial: deep blue, a little lighter in the middle.
    c.fill(circle(cx, cy, 55.0), radial((44, 62, 104), (14, 20, 40), cx, cy - 8, 62))
    # A faint sheen across the upper half.
    c.fill(circle(cx, cy, 55.0) & circle(cx, cy - 44, 62), solid((255, 255, 255), 0.05))
    # Minute dots, then the twelve hour ticks (longer at 12, 3, 6 and 9).
    for i in range(60):
        if i % 5 == 0:
            continue
        a = math.radians(i * 6.0)
        c.fill(circle(cx + 49.5 * math.sin(a), cy - 49.5 * math.cos(a), 0.9), solid((170, 186, 214), 0.8))
    for i in range(12):
        major = i % 3 == 0
        r0, r1, w = (36.5, 51.5, 4.4) if major else (42.0, 51.5, 2.6)
        tick = rounded_box(cx - w / 2, cy - r1, cx + w / 2, cy - r0, w / 2.5)
        tick = rotated(tick, cx, cy, i * 30.0)
        c.fill(tick.moved(0, 0.8), solid((0, 0, 0), 0.35))
        c.fill(tick, solid((236, 242, 252)) if major else solid((196, 210, 232)))
    # A small hub ring the hands start from.
    c.fill(circle(cx, cy, 4.2), solid((24, 32, 56)))
    c.fill(ring(cx, cy, 4.2, 1.4), solid((190, 200, 220)))
    return c


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "sample")
    icon_dir = os.path.join(folder, "Icon")
    for name, top, bottom, symbol in PNG_ICONS:
        c = glyph(top, bottom, symbol())
        write(os.path.join(icon_dir, name + ".png"), png_bytes(SIZE, SIZE, c.rgba_bytes()))
    for name, make in BMP_ICONS:
        c = make()
        write(os.path.join(icon_dir, name + ".bmp"), bmp_bytes(SIZE, SIZE, keyed_rows(c)))
    face = clock_face()
    write(os.path.join(icon_dir, "ClockFace.png"), png_bytes(face.w, face.h, face.rgba_bytes()))


if __name__ == "__main__":
    main()
