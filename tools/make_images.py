#!/usr/bin/env python3
"""Draw Zelkor's bitmap and icon resources.

    python3 tools/make_images.py

writes into resources/images/:

    wizard.bmp   120 x 225, 24-bit   side picture of the wizard pages
    checks.bmp   128 x 16,  24-bit   eight 16 x 16 check-box states, teal = transparent
    regtree.bmp  80 x 16,   24-bit   Registry page tree: key, open key, string value, DWORD
                                     value, modified mark (an overlay); teal = transparent
    zelkor.ico   32 x 32 + 16 x 16   application icon (also the View Log button)
    print.ico    32 x 32 + 16 x 16   printer
    fax.ico      32 x 32 + 16 x 16   fax machine
    mail.ico     32 x 32 + 16 x 16   envelope
    warning.ico  32 x 32 + 16 x 16   warning triangle of the System Editor page
    refresh.ico  32 x 32 + 16 x 16   circular arrow of the sample pages' look-again button

Only the standard library is used and nothing random is involved, so the
output is the same byte for byte on every run.  The pictures are drawn with a
small supersampling rasteriser (polygons, even-odd fill, straight-alpha
"over" compositing) and written out with hand-built BMP/ICO headers.
"""

import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "resources", "images")


# --------------------------------------------------------------------------
# Colour helpers
# --------------------------------------------------------------------------

def rgba(c):
    """(r, g, b) or (r, g, b, a) with a in 0..1 -> 4-tuple."""
    if len(c) == 3:
        return (c[0], c[1], c[2], 1.0)
    return c


def mix(c0, c1, t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    a = rgba(c0)
    b = rgba(c1)
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


def ramp(stops, t):
    """Piecewise-linear colour ramp; stops = [(pos, colour), ...]."""
    if t <= stops[0][0]:
        return rgba(stops[0][1])
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return rgba(stops[-1][1])


def linear(x0, y0, x1, y1, stops):
    """Shader: linear gradient from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    dd = dx * dx + dy * dy
    if not isinstance(stops, list):
        raise TypeError("stops must be a list")

    def shade(x, y):
        return ramp(stops, ((x - x0) * dx + (y - y0) * dy) / dd)
    return shade


def radial(cx, cy, r, stops):
    def shade(x, y):
        return ramp(stops, math.hypot(x - cx, y - cy) / r)
    return shade


# --------------------------------------------------------------------------
# Shapes (all coordinates in output pixels; (0, 0) is the top-left corner
# of the top-left pixel, pixel centres sit on .5)
# --------------------------------------------------------------------------

def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def ellipse(cx, cy, rx, ry=None, n=None, a0=0.0, a1=2 * math.pi):
    if ry is None:
        ry = rx
    if n is None:
        n = max(24, int(max(rx, ry) * 6))
    pts = []
    for i in range(n):
        a = a0 + (a1 - a0) * i / n
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def rrect(x0, y0, x1, y1, r, n=6):
    """Rounded rectangle."""
    if r <= 0:
        return rect(x0, y0, x1, y1)
    pts = []
    corners = [(x1 - r, y0 + r, -math.pi / 2), (x1 - r, y1 - r, 0.0),
               (x0 + r, y1 - r, math.pi / 2), (x0 + r, y0 + r, math.pi)]
    for cx, cy, a in corners:
        for i in range(n + 1):
            t = a + (math.pi / 2) * i / n
            pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
    return pts


def offset(pts, dx, dy):
    return [(x + dx, y + dy) for x, y in pts]


def bezier(p0, p1, p2, p3, n=24):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


def stroke_parts(points, width, closed=False, cap=True):
    """Contours that together cover a polyline of the given width
    (segments as quads, round joins/caps as circles).  Meant to be OR-ed."""
    h = width / 2.0
    parts = []
    pts = list(points)
    if closed:
        pts = pts + [pts[0]]
    for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
        dx, dy = xb - xa, yb - ya
        ln = math.hypot(dx, dy)
        if ln == 0:
            continue
        nx, ny = -dy / ln * h, dx / ln * h
        parts.append([(xa + nx, ya + ny), (xb + nx, yb + ny), (xb - nx, yb - ny), (xa - nx, ya - ny)])
    joints = pts[1:-1] if not closed else pts[:-1]
    if cap and not closed:
        joints = [pts[0]] + joints + [pts[-1]]
    for x, y in joints:
        parts.append(ellipse(x, y, h, n=max(12, int(h * 10))))
    return parts


# --------------------------------------------------------------------------
# Supersampling canvas
# --------------------------------------------------------------------------

class Mask:
    def __init__(self, cv):
        self.cv = cv
        self.bits = bytearray(cv.W * cv.H)
        self.x0, self.y0, self.x1, self.y1 = cv.W, cv.H, 0, 0

    def _scan(self, contours, value):
        cv = self.cv
        ss = cv.ss
        W, H = cv.W, cv.H
        edges = []
        ylo, yhi = 1e9, -1e9
        for c in contours:
            n = len(c)
            for i in range(n):
                xa, ya = c[i]
                xb, yb = c[(i + 1) % n]
                if ya == yb:
                    continue
                xa, ya, xb, yb = xa * ss, ya * ss, xb * ss, yb * ss
                if ya > yb:
                    xa, ya, xb, yb = xb, yb, xa, ya
                edges.append((ya, yb, xa, (xb - xa) / (yb - ya)))
                ylo = min(ylo, ya)
                yhi = max(yhi, yb)
        if not edges:
            return
        r0 = max(0, int(math.floor(ylo)))
        r1 = min(H, int(math.ceil(yhi)) + 1)
        bits = self.bits
        on = b"\x01" if value else b"\x00"
        for j in range(r0, r1):
            sy = j + 0.5
            xs = sorted(xa + (sy - ya) * k for ya, yb, xa, k in edges if ya <= sy < yb)
            row = j * W
            for a, b in zip(xs[0::2], xs[1::2]):
                ia = max(0, int(math.ceil(a - 0.5)))
                ib = min(W, int(math.ceil(b - 0.5)))
                if ib <= ia:
                    continue
                bits[row + ia:row + ib] = on * (ib - ia)
                if value:
                    self.x0 = min(self.x0, ia)
                    self.x1 = max(self.x1, ib)
                    self.y0 = min(self.y0, j)
                    self.y1 = max(self.y1, j + 1)

    def add(self, *contours):
        """OR in the even-odd fill of the given contours (one shape)."""
        self._scan(contours, 1)
        return self

    def union(self, parts):
        """OR in several shapes, each a single contour."""
        for p in parts:
            self._scan([p], 1)
        return self

    def sub(self, *contours):
        self._scan(contours, 0)
        return self

    def intersect(self, other):
        b, o = self.bits, other.bits
        for i in range(len(b)):
            if b[i] and not o[i]:
                b[i] = 0
        return self


class Canvas:
    def __init__(self, w, h, ss=4, bg=None):
        self.w, self.h, self.ss = w, h, ss
        self.W, self.H = w * ss, h * ss
        n = self.W * self.H
        if bg is None:
            self.r = [0.0] * n
            self.g = [0.0] * n
            self.b = [0.0] * n
            self.a = [0.0] * n
        else:
            self.r = [float(bg[0])] * n
            self.g = [float(bg[1])] * n
            self.b = [float(bg[2])] * n
            self.a = [1.0] * n

    def mask(self):
        return Mask(self)

    def paint(self, m, colour, opacity=1.0):
        """Composite colour (a tuple or a shader f(x, y)) over the mask."""
        W = self.W
        inv = 1.0 / self.ss
        bits = m.bits
        R, G, B, A = self.r, self.g, self.b, self.a
        fn = callable(colour)
        if not fn:
            cr, cg, cb, ca = rgba(colour)
        for j in range(m.y0, m.y1):
            row = j * W
            fy = (j + 0.5) * inv
            for i in range(row + m.x0, row + m.x1):
                if not bits[i]:
                    continue
                if fn:
                    cr, cg, cb, ca = rgba(colour((i - row + 0.5) * inv, fy))
                a = ca * opacity
                if a <= 0.0:
                    continue
                if a > 1.0:
                    a = 1.0
                k = 1.0 - a
                R[i] = cr * a + R[i] * k
                G[i] = cg * a + G[i] * k
                B[i] = cb * a + B[i] * k
                A[i] = a + A[i] * k

    # convenience wrappers -------------------------------------------------
    def fill(self, contours, colour, opacity=1.0):
        if contours and isinstance(contours[0], tuple):
            contours = [contours]
        self.paint(self.mask().add(*contours), colour, opacity)

    def stroke(self, points, width, colour, opacity=1.0, closed=False, cap=True):
        self.paint(self.mask().union(stroke_parts(points, width, closed, cap)), colour, opacity)

    def shade_rect(self, x0, y0, x1, y1, shader, opacity=1.0):
        self.fill(rect(x0, y0, x1, y1), shader, opacity)

    def magnify(self, cx, cy, radius, factor):
        """Replace the disc with a magnified copy of what is under it."""
        ss = self.ss
        W = self.W
        m = self.mask().add(ellipse(cx, cy, radius, n=128))
        R, G, B, A = self.r[:], self.g[:], self.b[:], self.a[:]
        scx, scy = cx * ss, cy * ss
        for j in range(m.y0, m.y1):
            row = j * W
            for i in range(row + m.x0, row + m.x1):
                if not m.bits[i]:
                    continue
                x = i - row
                sx = int(scx + (x + 0.5 - scx) / factor)
                sy = int(scy + (j + 0.5 - scy) / factor)
                s = sy * W + sx
                self.r[i], self.g[i], self.b[i], self.a[i] = R[s], G[s], B[s], A[s]

    def pixels(self):
        """Downsample -> list of rows (top-down) of (r, g, b, a) ints."""
        ss, W = self.ss, self.W
        n = float(ss * ss)
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                sr = sg = sb = sa = 0.0
                for j in range(y * ss, y * ss + ss):
                    base = j * W + x * ss
                    for i in range(base, base + ss):
                        sr += self.r[i]
                        sg += self.g[i]
                        sb += self.b[i]
                        sa += self.a[i]
                if sa <= 1e-6:
                    row.append((0, 0, 0, 0))
                    continue
                row.append((clamp8(sr / sa), clamp8(sg / sa), clamp8(sb / sa), clamp8(sa / n * 255.0)))
            rows.append(row)
        return rows


def clamp8(v):
    v = int(round(v))
    return 0 if v < 0 else 255 if v > 255 else v


# --------------------------------------------------------------------------
# File writers
# --------------------------------------------------------------------------

def bmp24(rows):
    """rows: top-down list of rows of (r, g, b[, a]) -> 24-bit BMP bytes."""
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for p in row:
            line += bytes((p[2], p[1], p[0]))
        line += b"\x00" * (stride - len(line))
        data += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return head + info + bytes(data)


def ico(images):
    """images: list of top-down RGBA row lists -> .ico bytes (32-bit + AND mask)."""
    blobs = []
    for rows in images:
        h = len(rows)
        w = len(rows[0])
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a)) if a else b"\x00\x00\x00\x00"
        and_stride = ((w + 31) // 32) * 4
        andm = bytearray()
        for row in reversed(rows):
            line = bytearray(and_stride)
            for x, p in enumerate(row):
                if p[3] == 0:
                    line[x >> 3] |= 0x80 >> (x & 7)
            andm += line
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
        blobs.append((w, h, info + bytes(xor) + bytes(andm)))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    pos = 6 + 16 * len(blobs)
    for w, h, blob in blobs:
        out += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 0, 0, 1, 32, len(blob), pos)
        pos += len(blob)
    for _, _, blob in blobs:
        out += blob
    return out


def write(name, data):
    path = os.path.join(OUT_DIR, name)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (os.path.relpath(path, ROOT), len(data)))


# --------------------------------------------------------------------------
# Check-box states (pixel exact, classic 3-D look)
# --------------------------------------------------------------------------

TEAL = (0, 128, 128)
WHITE = (255, 255, 255)
FACE = (192, 192, 192)
SHADOW = (128, 128, 128)
BLACK = (0, 0, 0)

# 7 x 7 tick, drawn inside the 9 x 9 interior at (1, 1)
TICK = [
    "......#",
    ".....##",
    "#...###",
    "##.###.",
    "#####..",
    ".###...",
    "..#....",
]


def check_cell(state):
    cell = [[TEAL] * 16 for _ in range(16)]
    if state == 0:
        return cell
    ox, oy = 1, 1            # 13 x 13 box; (16 - 13) / 2 rounded down
    pressed = state in (4, 5, 6)
    disabled = state == 7
    outer_tl = SHADOW
    inner_tl = SHADOW if disabled else BLACK
    inner_br = FACE
    outer_br = WHITE
    # top/left first, bottom/right last, so the bottom-left and top-right
    # corners take the lighter colour as DrawEdge does
    for i in range(13):
        cell[oy][ox + i] = outer_tl          # top
        cell[oy + i][ox] = outer_tl          # left
    for i in range(1, 12):
        cell[oy + 1][ox + i] = inner_tl
        cell[oy + i][ox + 1] = inner_tl
    for i in range(1, 12):
        cell[oy + 11][ox + i] = inner_br
        cell[oy + i][ox + 11] = inner_br
    for i in range(13):
        cell[oy + 12][ox + i] = outer_br     # bottom
        cell[oy + i][ox + 12] = outer_br     # right
    interior = FACE if (pressed or disabled) else WHITE
    for y in range(2, 11):
        for x in range(2, 11):
            cell[oy + y][ox + x] = interior
    mark = None
    if state in (2, 5):
        mark = BLACK
    elif state in (3, 6):
        mark = SHADOW
    if mark is not None:
        for ty, line in enumerate(TICK):
            for tx, ch in enumerate(line):
                if ch == "#":
                    cell[oy + 3 + ty][ox + 3 + tx] = mark
    return cell


def draw_checks():
    cells = [check_cell(s) for s in range(8)]
    rows = []
    for y in range(16):
        row = []
        for c in cells:
            row.extend(c[y])
        rows.append(row)
    return rows


# --------------------------------------------------------------------------
# Registry page tree images (pixel exact): key, open key, string value, DWORD
# value, and the modified mark drawn over an item's image
# --------------------------------------------------------------------------

TREE_PALETTE = {
    ".": TEAL, "k": BLACK, "w": WHITE, "s": SHADOW, "f": FACE,
    "y": (255, 224, 96), "o": (200, 152, 32), "r": (192, 0, 0), "b": (0, 64, 192),
    "m": (224, 32, 32),
}

TREE_IMAGES = [
    [  # key: a closed folder
        "................",
        "................",
        "..ooooo.........",
        ".oyyyyyo........",
        ".oyyyyyyoooooo..",
        ".oyyyyyyyyyyyyo.",
        ".oyyyyyyyyyyyyok",
        ".oyyyyyyyyyyyyok",
        ".oyyyyyyyyyyyyok",
        ".oyyyyyyyyyyyyok",
        ".oyyyyyyyyyyyyok",
        ".oyyyyyyyyyyyyok",
        ".oooooooooooooook",
        "..kkkkkkkkkkkkkk",
        "................",
        "................",
    ],
    [  # open key: the folder opened
        "................",
        "................",
        "..ooooo.........",
        ".oyyyyyo........",
        ".oyyyyyyoooooo..",
        ".oyyyooooooooooo",
        ".oyyoyyyyyyyyyyo",
        ".oyoyyyyyyyyyyo.",
        ".oyoyyyyyyyyyyo.",
        ".ooyyyyyyyyyyo..",
        ".ooyyyyyyyyyyo..",
        ".ooooooooooooo..",
        "................",
        "................",
        "................",
        "................",
    ],
    [  # string value: "ab" on a sheet
        "................",
        ".sssssssssssss..",
        ".swwwwwwwwwwwsk.",
        ".swwwwwwwwwwwsk.",
        ".swwwwwwrwwwwsk.",
        ".swwwwwwrwwwwsk.",
        ".swrrrwwrrrwwsk.",
        ".swwwwrwrwwrwsk.",
        ".swrrrrwrwwrwsk.",
        ".swrwwrwrwwrwsk.",
        ".swwrrrwrrrwwsk.",
        ".swwwwwwwwwwwsk.",
        ".swwwwwwwwwwwsk.",
        ".sssssssssssssk.",
        "..kkkkkkkkkkkkk.",
        "................",
    ],
    [  # DWORD value: "01" on a sheet
        "................",
        ".sssssssssssss..",
        ".swwwwwwwwwwwsk.",
        ".swwwwwwwwwwwsk.",
        ".swwbbwwwwbwwsk.",
        ".swbwwbwwbbwwsk.",
        ".swbwwbwwwbwwsk.",
        ".swbwwbwwwbwwsk.",
        ".swbwwbwwwbwwsk.",
        ".swbwwbwwwbwwsk.",
        ".swwbbwwwbbbwsk.",
        ".swwwwwwwwwwwsk.",
        ".swwwwwwwwwwwsk.",
        ".sssssssssssssk.",
        "..kkkkkkkkkkkkk.",
        "................",
    ],
    [  # modified: a red disc in the lower left, over the item's own image, seen at a glance
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "..kkkkk.........",
        ".kmmmmmk........",
        "kmmmmmmmk.......",
        "kmmmmmmmk.......",
        "kmmmmmmmk.......",
        "kmmmmmmmk.......",
        "kmmmmmmmk.......",
        ".kmmmmmk........",
        "..kkkkk.........",
        "................",
    ],
]


def draw_registry_tree():
    return [[TREE_PALETTE[ch] for image in TREE_IMAGES for ch in image[y]] for y in range(16)]


# --------------------------------------------------------------------------
# Wizard side picture, 120 x 225
# --------------------------------------------------------------------------

def ecg(x0, x1, base, amp, beats=2):
    """Heartbeat trace from x0 to x1 around y = base."""
    pts = []
    span = (x1 - x0) / beats
    shape = [(0.00, 0.00), (0.18, 0.00), (0.24, -0.10), (0.30, 0.00), (0.36, 0.00),
             (0.40, 0.18), (0.46, -1.00), (0.52, 0.45), (0.57, 0.00), (0.66, 0.00),
             (0.74, -0.20), (0.82, 0.00), (1.00, 0.00)]
    for b in range(beats):
        for i, (t, v) in enumerate(shape):
            if b and i == 0:
                continue
            pts.append((x0 + span * (b + t), base + v * amp))
    return pts


def draw_wizard():
    W, H = 120, 225
    cv = Canvas(W, H, ss=4, bg=(0, 0, 0))

    # backdrop: deep blue at the top to teal at the bottom, lit from behind
    sky = [(0.0, (9, 20, 66)), (0.45, (16, 58, 122)), (0.80, (8, 104, 128)), (1.0, (6, 120, 124))]

    def backdrop(x, y):
        t = y / H + (x / W - 0.5) * 0.10
        r, g, b, _ = ramp(sky, t)
        d = math.hypot((x - 56) / 80.0, (y - 112) / 95.0)
        glow = max(0.0, 1.0 - d) ** 2 * 0.55
        r += (90 - r) * glow
        g += (170 - g) * glow
        b += (215 - b) * glow
        v = math.hypot((x - 60) / 95.0, (y - 112) / 150.0)
        dark = max(0.0, v - 0.55) * 0.6
        return (r * (1 - dark), g * (1 - dark), b * (1 - dark))
    cv.shade_rect(0, 0, W, H, backdrop)

    # faint circuit traces
    trace = (150, 225, 235, 0.20)
    pad = (170, 240, 245, 0.38)
    traces = [
        [(-1, 16.5), (20, 16.5), (28, 8.5), (50, 8.5)],
        [(-1, 26.5), (12, 26.5), (22, 36.5), (40, 36.5)],
        [(121, 12.5), (98, 12.5), (90, 20.5), (72, 20.5)],
        [(121, 28.5), (106, 28.5), (99.5, 35), (99.5, 44)],
        [(60.5, -1), (60.5, 4), (66, 9.5), (80, 9.5)],
        [(-1, 200.5), (16, 200.5), (25, 209.5), (46, 209.5)],
        [(121, 203.5), (104, 203.5), (97, 210.5), (76, 210.5)],
        [(34.5, 226), (34.5, 219), (40, 213.5)],
        [(88.5, 226), (88.5, 220), (84, 215.5)],
        [(5.5, 60), (5.5, 80), (10.5, 85)],
        [(114.5, 176), (114.5, 190), (109.5, 195)],
    ]
    for t in traces:
        cv.stroke(t, 1.0, trace, cap=False)
        ex, ey = t[-1]
        if 0 < ex < W and 0 < ey < H:
            cv.fill(ellipse(ex, ey, 1.8), pad)
            cv.fill(ellipse(ex, ey, 0.7), (20, 60, 100, 0.6))
    # a soft heartbeat line across the top, the program's motif
    top = ecg(-2, 122, 52, 14, beats=2)
    cv.stroke(top, 3.2, (120, 230, 255, 0.10))
    cv.stroke(top, 1.1, (170, 245, 255, 0.45))

    # floor shadow under the equipment
    def floor(x, y):
        d = math.hypot((x - 62) / 58.0, (y - 187) / 10.0)
        return (0, 10, 30, max(0.0, 1.0 - d) ** 1.5 * 0.55)
    cv.shade_rect(0, 170, W, 205, floor)

    outline = (28, 34, 52)
    depth = (6, -6)

    def box(front, top_col, side_col, front_col, dx=depth[0], dy=depth[1]):
        x0, y0, x1, y1 = front
        cv.fill([(x0, y0), (x1, y0), (x1 + dx, y0 + dy), (x0 + dx, y0 + dy)], top_col)
        cv.fill([(x1, y0), (x1 + dx, y0 + dy), (x1 + dx, y1 + dy), (x1, y1)], side_col)
        cv.fill(rect(x0, y0, x1, y1), front_col)
        edge = [(x0, y1), (x0, y0), (x0 + dx, y0 + dy), (x1 + dx, y0 + dy), (x1 + dx, y1 + dy), (x1, y1)]
        cv.stroke(edge, 1.0, outline, closed=True, cap=False)
        cv.stroke([(x0, y0), (x1, y0), (x1, y1)], 0.7, outline, cap=False)
        cv.stroke([(x1, y0), (x1 + dx, y0 + dy)], 0.7, outline, cap=False)

    # ---- tower, behind and to the right
    tx0, ty0, tx1, ty1 = 80, 62, 106, 166
    box((tx0, ty0, tx1, ty1),
        linear(0, 56, 0, 62, [(0, (236, 238, 242)), (1, (214, 218, 226))]),
        linear(106, 0, 112, 0, [(0, (150, 156, 170)), (1, (118, 124, 140))]),
        linear(tx0, ty0, tx1, ty1, [(0, (228, 230, 236)), (1, (176, 182, 194))]))
    for y in (68, 77):                               # 5.25" bays
        cv.fill(rect(84, y, 102, y + 6), (196, 200, 210))
        cv.stroke([(84, y + 6), (84, y), (102, y)], 0.6, (140, 146, 160), cap=False)
        cv.stroke([(102, y), (102, y + 6), (84, y + 6)], 0.6, (246, 247, 250), cap=False)
        cv.fill(rect(87, y + 2.6, 99, y + 3.4), (90, 96, 110))
    cv.fill(rect(88, 88, 102, 92), (190, 194, 204))  # 3.5" bay
    cv.fill(rect(90, 89.6, 100, 90.4), (70, 76, 90))
    for i in range(6):                               # vents
        y = 138 + i * 3
        cv.fill(rect(92, y, 103, y + 1.2), (150, 156, 170))
    cv.fill(ellipse(97, 158, 2.6), radial(96.2, 157.2, 2.8, [(0, (250, 250, 252)), (1, (150, 156, 170))]))
    cv.stroke(ellipse(97, 158, 2.6), 0.5, (90, 96, 110), closed=True)
    cv.fill(ellipse(88, 158, 1.3), (60, 230, 90))
    cv.fill(ellipse(88, 158, 3.0), (90, 255, 120, 0.25))

    # ---- monitor
    mx0, my0, mx1, my1 = 6, 72, 88, 136
    md = (5, -5)
    # stand first (behind the body)
    cv.fill([(38, 134), (56, 134), (58, 144), (36, 144)],
            linear(36, 0, 58, 0, [(0, (120, 126, 140)), (0.5, (180, 186, 198)), (1, (110, 116, 132))]))
    cv.fill(rrect(22, 142, 72, 150, 3),
            linear(0, 142, 0, 150, [(0, (222, 226, 234)), (0.5, (190, 196, 208)), (1, (130, 136, 150))]))
    cv.stroke(rrect(22, 142, 72, 150, 3), 0.8, outline, closed=True)
    # case depth
    cv.fill([(mx0 + 3, my0), (mx1 - 3, my0), (mx1 - 3 + md[0], my0 + md[1]), (mx0 + 3 + md[0], my0 + md[1])],
            (220, 224, 232))
    cv.fill([(mx1, my0 + 3), (mx1 + md[0], my0 + 3 + md[1]), (mx1 + md[0], my1 - 3 + md[1]), (mx1, my1 - 3)],
            linear(mx1, 0, mx1 + 5, 0, [(0, (150, 156, 172)), (1, (112, 118, 136))]))
    cv.stroke([(mx0 + 3, my0), (mx0 + 3 + md[0], my0 + md[1]), (mx1 - 3 + md[0], my0 + md[1]),
               (mx1 + md[0], my0 + md[1] + 3), (mx1 + md[0], my1 + md[1] - 3), (mx1, my1 - 3)],
              1.0, outline)
    # bezel
    bez = rrect(mx0, my0, mx1, my1, 4)
    cv.fill(bez, outline)
    cv.fill(rrect(mx0 + 1, my0 + 1, mx1 - 1, my1 - 1, 3),
            linear(0, my0, 0, my1, [(0, (240, 242, 246)), (0.55, (214, 218, 226)), (1, (168, 174, 188))]))
    cv.stroke([(mx0 + 2.5, my1 - 4), (mx0 + 2.5, my0 + 4), (mx0 + 4, my0 + 2.5), (mx1 - 4, my0 + 2.5)],
              0.8, (255, 255, 255, 0.8))
    # screen recess and glass
    sx0, sy0, sx1, sy1 = 13, 78, 81, 126
    cv.fill(rrect(sx0 - 2, sy0 - 2, sx1 + 2, sy1 + 2, 2.5),
            linear(0, sy0 - 2, 0, sy1 + 2, [(0, (110, 116, 130)), (1, (236, 238, 242))]))
    cv.fill(rrect(sx0, sy0, sx1, sy1, 2),
            radial(44, 96, 48, [(0, (14, 64, 72)), (0.7, (6, 34, 44)), (1, (2, 16, 24))]))
    scr = cv.mask().add(rrect(sx0, sy0, sx1, sy1, 2))
    grid = cv.mask()
    for gx in range(sx0 + 5, sx1, 7):
        grid.add(rect(gx, sy0, gx + 0.5, sy1))
    for gy in range(sy0 + 3, sy1, 7):
        grid.add(rect(sx0, gy, sx1, gy + 0.5))
    grid.intersect(scr)
    cv.paint(grid, (40, 160, 120, 0.35))
    beat = ecg(sx0 + 1, sx1 - 1, 104, 17, beats=2)
    cv.paint(cv.mask().union(stroke_parts(beat, 5.0)).intersect(scr), (60, 255, 140, 0.16))
    cv.paint(cv.mask().union(stroke_parts(beat, 2.6)).intersect(scr), (80, 255, 150, 0.35))
    cv.paint(cv.mask().union(stroke_parts(beat, 1.2)).intersect(scr), (200, 255, 210))
    cv.fill(ellipse(beat[-1][0] - 1.5, 104, 2.2), (220, 255, 230, 0.9))
    glare = cv.mask().add([(sx0, sy0), (sx0 + 34, sy0), (sx0 + 12, sy1), (sx0, sy1)]).intersect(scr)
    cv.paint(glare, linear(sx0, sy0, sx0 + 20, sy0 + 30, [(0, (255, 255, 255, 0.16)), (1, (255, 255, 255, 0.02))]))
    # controls on the bezel
    cv.fill(ellipse(78, 131, 1.4), (70, 235, 100))
    cv.fill(ellipse(78, 131, 3.0), (90, 255, 120, 0.22))
    for x in (60, 65, 70):
        cv.fill(rrect(x, 130, x + 3.5, 132.2, 1), (150, 156, 170))

    # ---- modem on the desk, front left
    ox0, oy0, ox1, oy1 = 8, 172, 60, 183
    box((ox0, oy0, ox1, oy1),
        linear(0, 164, 0, 172, [(0, (60, 66, 84)), (1, (84, 92, 112))]),
        linear(60, 0, 68, 0, [(0, (46, 52, 68)), (1, (30, 34, 48))]),
        linear(0, oy0, 0, oy1, [(0, (96, 104, 124)), (1, (56, 62, 80))]), dx=8, dy=-8)
    cv.stroke([(ox0 + 1, oy0 + 1.2), (ox1 - 1, oy0 + 1.2)], 0.6, (150, 160, 185, 0.7), cap=False)
    leds = [(60, 255, 100), (60, 255, 100), (255, 190, 40), (60, 255, 100), (70, 90, 80), (255, 80, 60)]
    for i, col in enumerate(leds):
        x = 14 + i * 6
        cv.fill(ellipse(x, 178, 3.2), col + (0.22,))
        cv.fill(rrect(x - 1.6, 177, x + 1.6, 179, 0.8), col)
    # a phone lead from the modem to the tower
    lead = bezier((66, 168), (76, 160), (86, 176), (100, 166))
    cv.stroke(lead, 1.6, outline)
    cv.stroke(lead, 0.6, (90, 96, 116))

    # ---- magnifying glass over the modem
    lx, ly, lr = 33, 177, 15.0
    ang = math.radians(48)
    ux, uy = math.cos(ang), math.sin(ang)
    h0 = (lx + ux * (lr + 2.5), ly + uy * (lr + 2.5))
    h1 = (lx + ux * (lr + 7.5), ly + uy * (lr + 7.5))
    h2 = (lx + ux * (lr + 27), ly + uy * (lr + 27))
    # shadow
    sh = cv.mask()
    sh.add(ellipse(lx + 4, ly + 6, lr + 3.5, n=96))
    sh.union(stroke_parts([(h0[0] + 4, h0[1] + 6), (h2[0] + 4, h2[1] + 6)], 7.0))
    cv.paint(sh, (0, 8, 24, 0.30))
    cv.magnify(lx, ly, lr, 1.8)
    cv.fill(ellipse(lx, ly, lr, n=128),
            radial(lx - 5, ly - 6, lr * 1.6, [(0, (200, 240, 255, 0.10)), (1, (120, 190, 230, 0.28))]))
    # rim: metal ring
    ring = [ellipse(lx, ly, lr + 3.2, n=128), ellipse(lx, ly, lr, n=128)]
    cv.fill(ring, linear(lx - lr, ly - lr, lx + lr, ly + lr,
                         [(0, (250, 252, 255)), (0.45, (170, 178, 196)), (0.7, (110, 118, 138)), (1, (200, 206, 220))]))
    cv.stroke(ellipse(lx, ly, lr + 3.2, n=128), 0.8, outline, closed=True)
    cv.stroke(ellipse(lx, ly, lr, n=128), 0.7, outline, closed=True)
    # glass highlight
    cv.stroke(ellipse(lx, ly, lr - 3.5, n=64, a0=math.radians(195), a1=math.radians(255)), 1.8,
              (255, 255, 255, 0.75))
    cv.fill(ellipse(lx - 5.5, ly - 8.5, 1.4), (255, 255, 255, 0.8))
    # ferrule and handle
    nx, ny = -uy, ux
    fer = [(h0[0] + nx * 2.6, h0[1] + ny * 2.6), (h1[0] + nx * 2.6, h1[1] + ny * 2.6),
           (h1[0] - nx * 2.6, h1[1] - ny * 2.6), (h0[0] - nx * 2.6, h0[1] - ny * 2.6)]
    cv.fill(fer, linear(h0[0] + nx * 2.6, h0[1] + ny * 2.6, h0[0] - nx * 2.6, h0[1] - ny * 2.6,
                        [(0, (240, 244, 250)), (0.5, (170, 178, 196)), (1, (100, 108, 128))]))
    cv.stroke(fer, 0.7, outline, closed=True, cap=False)
    handle = cv.mask().union(stroke_parts([h1, h2], 7.0))
    cv.paint(handle, outline)
    handle_in = cv.mask().union(stroke_parts([h1, h2], 5.6))
    cv.paint(handle_in, linear(h1[0] + nx * 3, h1[1] + ny * 3, h1[0] - nx * 3, h1[1] - ny * 3,
                               [(0, (190, 70, 60)), (0.35, (150, 36, 32)), (1, (70, 14, 16))]))
    cv.stroke([(h1[0] + nx * 1.3 + ux, h1[1] + ny * 1.3 + uy), (h2[0] + nx * 1.3 - ux * 2, h2[1] + ny * 1.3 - uy * 2)],
              0.9, (255, 190, 180, 0.55))
    return cv.pixels()


# --------------------------------------------------------------------------
# Icons
# --------------------------------------------------------------------------

ICON_OUTLINE = (32, 36, 48)


def monitor_icon(size):
    cv = Canvas(size, size, ss=8)
    o = ICON_OUTLINE
    if size == 32:
        # stand
        cv.fill(rect(12, 22, 20, 26), o)
        cv.fill(rect(13, 22, 19, 26), linear(13, 0, 19, 0, [(0, (130, 136, 150)), (0.5, (200, 204, 214)), (1, (120, 126, 140))]))
        cv.fill(rrect(7, 25, 25, 29, 1.5), o)
        cv.fill(rrect(8, 26, 24, 28, 1), linear(0, 26, 0, 28, [(0, (230, 232, 238)), (1, (160, 166, 180))]))
        # body
        cv.fill(rrect(1, 3, 31, 24, 2.5), o)
        cv.fill(rrect(2, 4, 30, 23, 1.5), linear(0, 4, 0, 23, [(0, (244, 246, 250)), (1, (178, 184, 198))]))
        cv.fill(rect(4, 6, 28, 20), (104, 110, 126))
        cv.fill(rect(5, 7, 28, 20), (232, 236, 242))
        cv.fill(rect(5, 7, 27, 19), radial(14, 11, 18, [(0, (16, 86, 96)), (1, (4, 34, 44))]))
        scr = cv.mask().add(rect(5, 7, 27, 19))
        beat = [(5, 13.5), (9.5, 13.5), (11, 11.5), (12.5, 13.5), (13.5, 13.5), (15.5, 8), (17.5, 17.5),
                (19, 12.5), (20, 13.5), (22, 13.5), (23.5, 12), (25, 13.5), (27, 13.5)]
        cv.paint(cv.mask().union(stroke_parts(beat, 3.0)).intersect(scr), (80, 255, 140, 0.22))
        cv.paint(cv.mask().union(stroke_parts(beat, 1.5)).intersect(scr), (170, 255, 190))
        cv.fill(rect(26, 21, 28, 22), (60, 220, 90))
    else:
        cv.fill(rect(6, 12, 10, 14), o)
        cv.fill(rect(7, 12, 9, 14), (170, 176, 190))
        cv.fill(rect(3, 13, 13, 16), o)
        cv.fill(rect(4, 14, 12, 15), (200, 204, 214))
        cv.fill(rrect(0, 1, 16, 13, 1.2), o)
        cv.fill(rect(1, 2, 15, 12), linear(0, 2, 0, 12, [(0, (240, 242, 248)), (1, (180, 186, 200))]))
        cv.fill(rect(2, 3, 14, 11), (96, 102, 118))
        cv.fill(rect(3, 4, 14, 11), (230, 234, 240))
        cv.fill(rect(3, 4, 13, 10), (8, 50, 60))
        # heartbeat drawn pixel by pixel: (column, first row, last row)
        for x, y0, y1 in ((3, 7, 7), (4, 7, 7), (5, 6, 6), (6, 7, 7), (7, 5, 6), (8, 4, 4),
                          (9, 5, 9), (10, 8, 8), (11, 7, 7), (12, 7, 7)):
            cv.fill(rect(x, y0, x + 1, y1 + 1), (150, 255, 170))
    return cv


def magnifier(cv, cx, cy, r, ring, handle_len, handle_w, glass=True):
    o = ICON_OUTLINE
    ang = math.radians(45)
    ux, uy = math.cos(ang), math.sin(ang)
    a = (cx + ux * (r + ring * 0.5), cy + uy * (r + ring * 0.5))
    b = (cx + ux * (r + handle_len), cy + uy * (r + handle_len))
    cv.paint(cv.mask().union(stroke_parts([a, b], handle_w + 1.2)), o)
    cv.paint(cv.mask().union(stroke_parts([a, b], handle_w)),
             linear(a[0] + handle_w, a[1] - handle_w, a[0] - handle_w, a[1] + handle_w,
                    [(0.2, (210, 80, 64)), (0.5, (150, 34, 30)), (0.8, (80, 16, 16))]))
    if glass:
        cv.fill(ellipse(cx, cy, r, n=64), radial(cx - r * 0.4, cy - r * 0.4, r * 1.6,
                                                 [(0, (230, 248, 255, 0.55)), (1, (120, 190, 230, 0.55))]))
    cv.fill([ellipse(cx, cy, r + ring + 0.6, n=64), ellipse(cx, cy, r - 0.6, n=64)], o)
    cv.fill([ellipse(cx, cy, r + ring, n=64), ellipse(cx, cy, r, n=64)],
            linear(cx - r, cy - r, cx + r, cy + r, [(0, (250, 252, 255)), (0.5, (170, 178, 196)), (1, (110, 118, 138))]))
    if glass and r >= 4:
        cv.stroke(ellipse(cx, cy, r - 1.6, n=32, a0=math.radians(200), a1=math.radians(250)), 1.0,
                  (255, 255, 255, 0.9))


def draw_zelkor_icon(size):
    cv = monitor_icon(size)
    if size == 32:
        magnifier(cv, 22.5, 21.5, 5.0, 1.6, 6.5, 2.6)
    return cv.pixels()


def paper_lines(cv, x0, x1, ys, colour=(150, 156, 170), w=0.9):
    for i, y in enumerate(ys):
        e = x1 - (3 if i % 3 == 2 else 0)
        cv.fill(rect(x0, y, e, y + w), colour)


def draw_printer_icon(size):
    cv = Canvas(size, size, ss=8)
    o = ICON_OUTLINE
    body = linear(0, 12, 0, 24, [(0, (236, 238, 244)), (1, (170, 176, 190))])
    if size == 32:
        # paper in the feeder at the back
        cv.fill(rect(8, 1, 24, 13), o)
        cv.fill(rect(9, 2, 23, 13), (255, 255, 255))
        paper_lines(cv, 11, 21, [4, 6, 8, 10])
        # body: top, then front
        cv.fill(rrect(1, 11, 31, 26, 2), o)
        cv.fill([(3, 12), (29, 12), (30, 16), (2, 16)], linear(0, 12, 0, 16, [(0, (248, 249, 252)), (1, (214, 218, 228))]))
        cv.fill(rect(2, 16, 30, 25), body)
        cv.fill(rect(2, 15.5, 30, 16.3), (140, 146, 162))
        cv.fill(rect(7, 12.5, 25, 14), (60, 66, 84))        # feed slot
        cv.fill(rect(25, 18, 28, 19), (90, 250, 120))
        cv.fill(rect(25, 19, 28, 20), (30, 150, 60))
        cv.fill(rect(5, 21, 27, 23), (60, 66, 84))          # output slot
        # printed sheet coming out at the front
        cv.fill([(6, 22), (26, 22), (28, 31), (4, 31)], o)
        cv.fill([(7, 22), (25, 22), (26.8, 30), (5.2, 30)], linear(0, 22, 0, 30, [(0, (236, 238, 244)), (1, (255, 255, 255))]))
        for i, y in enumerate((24, 26, 28)):
            sh = (y - 22) * 0.2
            cv.fill(rect(8.5 - sh, y, 23.5 + sh - (4 if i == 2 else 0), y + 0.9), (140, 146, 162))
    else:
        cv.fill(rect(4, 0, 12, 7), o)
        cv.fill(rect(5, 1, 11, 7), (255, 255, 255))
        paper_lines(cv, 6, 10, [2, 4], w=1)
        cv.fill(rect(0, 6, 16, 13), o)
        cv.fill(rect(1, 7, 15, 12), linear(0, 7, 0, 12, [(0, (240, 242, 248)), (1, (176, 182, 196))]))
        cv.fill(rect(3, 7, 13, 8), (70, 76, 94))
        cv.fill(rect(12, 9, 14, 10), (50, 210, 80))
        cv.fill(rect(2, 11, 14, 12), (70, 76, 94))
        cv.fill(rect(3, 11, 13, 16), o)
        cv.fill(rect(4, 12, 12, 15), (255, 255, 255))
        cv.fill(rect(5, 13, 11, 14), (150, 156, 170))
    return cv.pixels()


def draw_fax_icon(size):
    cv = Canvas(size, size, ss=8)
    o = ICON_OUTLINE
    hs_fill = linear(0, 0, 13, 0, [(0, (120, 128, 150)), (0.3, (84, 90, 112)), (1, (44, 48, 64))])
    if size == 32:
        # sheet going into the top
        cv.fill([(14, 1), (29, 1), (28, 14), (13, 14)], o)
        cv.fill([(15, 2), (28, 2), (27, 14), (14, 14)], (255, 255, 255))
        for i, y in enumerate((4, 6, 8, 10)):
            sh = (y - 2) / 12.0
            cv.fill(rect(16.5 - sh, y, 26 - sh - (3 if i == 3 else 0), y + 1), (150, 156, 170))
        # body
        cv.fill([(3, 12), (30, 12), (31, 15), (31, 31), (1, 31), (1, 15)], o)
        cv.fill([(4, 13), (29, 13), (30, 15), (2, 15)],
                linear(0, 13, 0, 15, [(0, (250, 251, 253)), (1, (220, 224, 232))]))
        cv.fill(rect(2, 15, 30, 30), linear(0, 15, 0, 30, [(0, (234, 236, 242)), (1, (168, 174, 188))]))
        cv.fill(rect(13, 13, 29, 14), (60, 66, 84))          # paper slot
        # display
        cv.fill(rect(16, 16, 29, 19), (70, 76, 94))
        cv.fill(rect(17, 17, 29, 19), (240, 242, 246))
        cv.fill(rect(17, 17, 28, 18), (150, 214, 150))
        # keypad, 3 x 3 keys
        for r in range(3):
            for c in range(3):
                x, y = 17 + c * 4, 20 + r * 3
                cv.fill(rect(x, y, x + 3, y + 2), (96, 102, 120))
                cv.fill(rect(x, y, x + 2, y + 1), (255, 255, 255))
        # cradle with the handset lying in it
        cv.fill(rect(2, 15, 14, 30), linear(0, 15, 0, 30, [(0, (150, 156, 172)), (1, (118, 124, 140))]))
        cv.fill(rect(14, 15, 15, 30), (100, 106, 122))
        cv.fill(rrect(1, 6, 14, 14, 2.5), o)                 # earpiece
        cv.fill(rrect(1, 23, 14, 31, 2.5), o)                # mouthpiece
        cv.fill(rect(1, 12, 9, 25), o)                       # grip
        hs = cv.mask()
        hs.add(rrect(2, 7, 13, 13, 1.8))
        hs.add(rrect(2, 24, 13, 30, 1.8))
        hs.add(rect(2, 12, 8, 25))
        cv.paint(hs, hs_fill)
        cv.fill(rect(3, 8, 4, 29), (170, 178, 200))
        cv.fill(rect(4, 8, 12, 9), (140, 148, 170))
        for x in (6, 8, 10):                                 # holes in the mouthpiece
            cv.fill(rect(x, 27, x + 1, 28), (30, 34, 46))
    else:
        cv.fill(rect(7, 0, 15, 7), o)
        cv.fill(rect(8, 1, 14, 7), (255, 255, 255))
        cv.fill(rect(9, 2, 13, 3), (150, 156, 170))
        cv.fill(rect(9, 4, 12, 5), (150, 156, 170))
        cv.fill(rect(0, 6, 16, 16), o)
        cv.fill(rect(1, 7, 15, 15), linear(0, 7, 0, 15, [(0, (240, 242, 248)), (1, (172, 178, 192))]))
        cv.fill(rect(7, 7, 15, 8), (70, 76, 94))
        cv.fill(rect(9, 9, 14, 10), (120, 200, 120))
        for r in range(2):
            for c in range(3):
                cv.fill(rect(9 + c * 2, 11 + r * 2, 10 + c * 2, 12 + r * 2), (70, 76, 94))
        cv.fill(rect(1, 7, 7, 15), (136, 142, 158))
        cv.fill(rect(0, 3, 7, 8), o)                         # earpiece
        cv.fill(rect(0, 11, 7, 16), o)                       # mouthpiece
        cv.fill(rect(0, 7, 4, 12), o)                        # grip
        cv.fill(rect(1, 4, 6, 7), hs_fill)
        cv.fill(rect(1, 7, 3, 12), hs_fill)
        cv.fill(rect(1, 12, 6, 15), hs_fill)
        cv.fill(rect(1, 4, 2, 15), (160, 168, 190))
    return cv.pixels()


def draw_mail_icon(size):
    cv = Canvas(size, size, ss=8)
    k = size / 32.0
    o = ICON_OUTLINE
    top, bottom = 7 * k, 26 * k
    cv.fill(rect(1 * k, top - 1 * k, 31 * k, bottom + 1 * k), o)
    cv.fill(rect(2 * k, top, 30 * k, bottom), linear(0, top, 0, bottom, [(0, (255, 255, 255)), (1, (214, 218, 228))]))
    # the flap's folds meeting in the middle, and the sides' folds from the bottom corners
    cv.stroke([(2 * k, top), (16 * k, 17 * k), (30 * k, top)], 1.4 * k + 0.3, (120, 128, 150))
    cv.stroke([(2 * k, bottom), (12.5 * k, 14.5 * k)], 1.0 * k + 0.2, (170, 176, 190))
    cv.stroke([(30 * k, bottom), (19.5 * k, 14.5 * k)], 1.0 * k + 0.2, (170, 176, 190))
    return cv.pixels()


def draw_warning_icon(size):
    cv = Canvas(size, size, ss=8)
    k = size / 32.0
    triangle = [(16 * k, 2.5 * k), (30 * k, 28 * k), (2 * k, 28 * k)]
    cv.stroke(triangle, 3.0 * k + 0.5, ICON_OUTLINE, closed=True)
    cv.fill(triangle, linear(0, 4 * k, 0, 28 * k, [(0, (255, 238, 112)), (1, (238, 180, 16))]))
    cv.fill(rrect(14.5 * k, 10 * k, 17.5 * k, 20.5 * k, 1.2 * k), ICON_OUTLINE)
    cv.fill(ellipse(16 * k, 24 * k, 1.8 * k, n=24), ICON_OUTLINE)
    return cv.pixels()


def draw_refresh_icon(size):
    cv = Canvas(size, size, ss=8)
    k = size / 32.0
    green = (28, 110, 44)
    r, width = 10.5 * k, 3.6 * k + 0.4
    start, end = math.radians(-60), math.radians(240)
    arc = ellipse(16 * k, 16.5 * k, r, n=40, a0=start, a1=end)
    cv.stroke(arc, width, green)
    # The head points along the arc's travel at its end, clockwise.
    tip_x, tip_y = 16 * k + r * math.cos(end), 16.5 * k + r * math.sin(end)
    along = (-math.sin(end), math.cos(end))
    across = (math.cos(end), math.sin(end))
    head = [(tip_x + 6.5 * k * along[0], tip_y + 6.5 * k * along[1]),
            (tip_x + 5 * k * across[0], tip_y + 5 * k * across[1]),
            (tip_x - 5 * k * across[0], tip_y - 5 * k * across[1])]
    cv.fill(head, green)
    return cv.pixels()


# --------------------------------------------------------------------------

def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    write("wizard.bmp", bmp24(draw_wizard()))
    write("checks.bmp", bmp24(draw_checks()))
    write("regtree.bmp", bmp24(draw_registry_tree()))
    write("zelkor.ico", ico([draw_zelkor_icon(32), draw_zelkor_icon(16)]))
    write("print.ico", ico([draw_printer_icon(32), draw_printer_icon(16)]))
    write("fax.ico", ico([draw_fax_icon(32), draw_fax_icon(16)]))
    write("mail.ico", ico([draw_mail_icon(32), draw_mail_icon(16)]))
    write("warning.ico", ico([draw_warning_icon(32), draw_warning_icon(16)]))
    write("refresh.ico", ico([draw_refresh_icon(32), draw_refresh_icon(16)]))


if __name__ == "__main__":
    main()
