#!/usr/bin/env python3
"""Generate the small pictures used by Dravopax Vevavav.

Everything is drawn programmatically with a tiny software rasteriser
(standard library only) and written as PNG files into src/app/images/.
Run from the repository root:

    python3 tools/make_images.py

The output is deterministic: running the script again overwrites the
pictures with byte-identical files.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.normpath(os.path.join(HERE, "..", "src", "app", "images"))

SS = 4  # supersampling factor per axis for anti-aliased shapes


# ---------------------------------------------------------------------------
# PNG writer
# ---------------------------------------------------------------------------

def write_png(path, canvas):
    w, h = canvas.w, canvas.h
    raw = bytearray()
    for y in range(h):
        raw.append(0)  # filter type: none
        for x in range(w):
            r, g, b, a = canvas.get(x, y)
            raw.extend((_b(r), _b(g), _b(b), _b(a * 255.0)))

    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def _b(v):
    v = int(round(v))
    return 0 if v < 0 else 255 if v > 255 else v


# ---------------------------------------------------------------------------
# Canvas with straight (non-premultiplied) RGBA, colour 0..255, alpha 0..1
# ---------------------------------------------------------------------------

class Canvas:
    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        if fill is None:
            fill = (0, 0, 0, 0.0)
        self.px = [list(fill) for _ in range(w * h)]

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = [c[0], c[1], c[2], c[3] if len(c) > 3 else 1.0]

    def blend(self, x, y, c, a):
        """Composite colour c with coverage/alpha a over pixel (x, y)."""
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        if len(c) > 3:
            a *= c[3] if c[3] <= 1 else c[3] / 255.0
        a = min(1.0, a)
        d = self.px[y * self.w + x]
        da = d[3]
        oa = a + da * (1 - a)
        if oa <= 0:
            return
        k = da * (1 - a)
        self.px[y * self.w + x] = [
            (c[0] * a + d[0] * k) / oa,
            (c[1] * a + d[1] * k) / oa,
            (c[2] * a + d[2] * k) / oa,
            oa,
        ]

    def erase(self, x, y, a):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x][3] *= max(0.0, 1.0 - a)

    def over(self, other, dx=0, dy=0):
        """Composite another canvas over this one."""
        for y in range(other.h):
            for x in range(other.w):
                c = other.get(x, y)
                if c[3] > 0:
                    self.blend(x + dx, y + dy, c[:3], c[3])


def paint_at(paint, x, y):
    return paint(x, y) if callable(paint) else paint


# ---------------------------------------------------------------------------
# Coverage based shape filling
# ---------------------------------------------------------------------------

def fill_fn(cv, inside, paint, bbox=None, aa=True, erase=False):
    """Fill all pixels whose area is inside(x, y) (continuous coords)."""
    if bbox is None:
        x0, y0, x1, y1 = 0, 0, cv.w, cv.h
    else:
        x0 = max(0, int(math.floor(bbox[0])))
        y0 = max(0, int(math.floor(bbox[1])))
        x1 = min(cv.w, int(math.ceil(bbox[2])) + 1)
        y1 = min(cv.h, int(math.ceil(bbox[3])) + 1)
    n = SS if aa else 1
    offs = [(i + 0.5) / n for i in range(n)]
    for py in range(y0, y1):
        for px in range(x0, x1):
            hit = 0
            for oy in offs:
                for ox in offs:
                    if inside(px + ox, py + oy):
                        hit += 1
            if hit:
                cov = hit / float(n * n)
                if erase:
                    cv.erase(px, py, cov)
                else:
                    cv.blend(px, py, paint_at(paint, px + 0.5, py + 0.5), cov)


def poly_inside(pts):
    n = len(pts)

    def inside(x, y):
        c = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    c = not c
            j = i
        return c
    return inside


def bbox_of(pts):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return (min(xs), min(ys), max(xs), max(ys))


def poly(cv, pts, paint, aa=True, erase=False):
    fill_fn(cv, poly_inside(pts), paint, bbox_of(pts), aa, erase)


def rect(cv, x0, y0, x1, y1, paint, aa=True, erase=False):
    poly(cv, [(x0, y0), (x1, y0), (x1, y1), (x0, y1)], paint, aa, erase)


def circle(cv, cx, cy, r, paint, aa=True, erase=False):
    r2 = r * r
    fill_fn(cv, lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2, paint,
            (cx - r, cy - r, cx + r, cy + r), aa, erase)


def ellipse_ring(cv, cx, cy, rx, ry, w, paint, aa=True):
    def inside(x, y):
        ox = (x - cx) / (rx + w / 2.0)
        oy = (y - cy) / (ry + w / 2.0)
        if ox * ox + oy * oy > 1:
            return False
        irx, iry = rx - w / 2.0, ry - w / 2.0
        if irx <= 0 or iry <= 0:
            return True
        ix = (x - cx) / irx
        iy = (y - cy) / iry
        return ix * ix + iy * iy > 1
    m = max(rx, ry) + w
    fill_fn(cv, inside, paint, (cx - m, cy - m, cx + m, cy + m), aa)


def round_rect_inside(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def round_rect(cv, x0, y0, x1, y1, r, paint, aa=True, erase=False):
    fill_fn(cv, round_rect_inside(x0, y0, x1, y1, r), paint,
            (x0, y0, x1, y1), aa, erase)


def line(cv, xa, ya, xb, yb, w, paint, aa=True, cap=False):
    dx, dy = xb - xa, yb - ya
    ln = math.hypot(dx, dy) or 1.0
    nx, ny = -dy / ln * w / 2.0, dx / ln * w / 2.0
    ex, ey = (dx / ln * w / 2.0, dy / ln * w / 2.0) if cap else (0, 0)
    poly(cv, [(xa + nx - ex, ya + ny - ey), (xb + nx + ex, yb + ny + ey),
              (xb - nx + ex, yb - ny + ey), (xa - nx - ex, ya - ny - ey)],
         paint, aa)


def bitmap(cv, x0, y0, rows, paint):
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch not in ". ":
                cv.blend(x0 + i, y0 + j, paint_at(paint, x0 + i + .5, y0 + j + .5), 1.0)


def rotate(pts, ang_deg, cx=0.0, cy=0.0, tx=0.0, ty=0.0):
    a = math.radians(ang_deg)
    ca, sa = math.cos(a), math.sin(a)
    out = []
    for x, y in pts:
        x -= cx
        y -= cy
        out.append((x * ca - y * sa + tx, x * sa + y * ca + ty))
    return out


def lin(c0, c1, x0, y0, x1, y1):
    """Linear gradient paint from c0 at (x0,y0) to c1 at (x1,y1)."""
    dx, dy = x1 - x0, y1 - y0
    d2 = float(dx * dx + dy * dy) or 1.0

    def paint(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / d2
        t = 0.0 if t < 0 else 1.0 if t > 1 else t
        return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(3))
    return paint


def outlined(layer, colour, diag=0.4):
    """Return a new canvas: layer with a 1 px outline of `colour` around it."""
    out = Canvas(layer.w, layer.h)
    for y in range(layer.h):
        for x in range(layer.w):
            m = 0.0
            for dx, dy, wgt in ((0, 0, 1.0), (1, 0, 1.0), (-1, 0, 1.0),
                                (0, 1, 1.0), (0, -1, 1.0), (1, 1, diag),
                                (1, -1, diag), (-1, 1, diag), (-1, -1, diag)):
                xx, yy = x + dx, y + dy
                if 0 <= xx < layer.w and 0 <= yy < layer.h:
                    m = max(m, layer.get(xx, yy)[3] * wgt)
            if m > 0:
                a = max(0.0, min(1.0, (m - 0.08) * 2.6))
                if a > 0:
                    out.set(x, y, (colour[0], colour[1], colour[2], a))
    out.over(layer)
    return out


def part(cv, draw, outline):
    """Draw something on its own layer, outline it and composite it on cv."""
    layer = Canvas(cv.w, cv.h)
    draw(layer)
    cv.over(outlined(layer, outline))


# ---------------------------------------------------------------------------
# Palette
# ---------------------------------------------------------------------------

INK = (28, 30, 40)
WHITE = (255, 255, 255)


# ---------------------------------------------------------------------------
# Toolbar icons, 20 x 20
# ---------------------------------------------------------------------------

def tb_floppy():
    cv = Canvas(20, 20)
    navy = (16, 32, 72)

    def body(l):
        poly(l, [(2, 2), (15, 2), (18, 5), (18, 18), (2, 18)],
             lin((84, 136, 222), (40, 82, 170), 2, 2, 18, 18))
    part(cv, body, navy)

    def shutter(l):
        rect(l, 6, 2, 14, 8, lin((236, 238, 244), (170, 176, 190), 6, 2, 14, 8))
        rect(l, 11, 3, 13, 7, (60, 66, 84))
    part(cv, shutter, navy)

    def label(l):
        rect(l, 5, 11, 15, 18, (250, 250, 246))
        for yy in (13, 15):
            rect(l, 6.5, yy, 13.5, yy + 1, (150, 170, 205))
    part(cv, label, navy)
    return cv


def tb_gear():
    # drawn without anti-aliasing: the small teeth stay crisp at 20 px
    cv = Canvas(20, 20)
    cx = cy = 10.0
    paint = lin((236, 239, 245), (118, 126, 146), 3, 3, 17, 17)

    def draw(l):
        circle(l, cx, cy, 6.0, paint, aa=False)
        for k in range(8):
            tooth = [(-1.6, -5.0), (1.6, -5.0), (1.6, -8.5), (-1.6, -8.5)]
            poly(l, rotate(tooth, k * 45, 0, 0, cx, cy), paint, aa=False)
        circle(l, cx, cy, 2.6, None, aa=False, erase=True)
    part(cv, draw, (40, 44, 58))
    # inner ring shading around the hole
    ellipse_ring(cv, cx, cy, 3.6, 3.6, 1.0, (150, 156, 174), aa=False)
    return cv


def tb_envelope():
    cv = Canvas(20, 20)
    brown = (70, 52, 24)

    def body(l):
        rect(l, 2, 5, 18, 16, lin((255, 251, 232), (232, 218, 176), 2, 5, 18, 16))
    part(cv, body, brown)
    # lower folds
    line(cv, 2.5, 15.5, 8.5, 10.5, 1.0, (190, 168, 120))
    line(cv, 17.5, 15.5, 11.5, 10.5, 1.0, (190, 168, 120))
    # flap

    def flap(l):
        poly(l, [(2, 5), (18, 5), (10, 11.5)],
             lin((250, 240, 206), (222, 204, 150), 10, 5, 10, 11.5))
    part(cv, flap, brown)
    # seal
    circle(cv, 10, 10.2, 1.7, (196, 40, 40))
    return cv


QMARK = [
    ".####.",
    "##..##",
    "##..##",
    "...##.",
    "..##..",
    "..##..",
    "......",
    "..##..",
    "..##..",
]


def tb_help():
    cv = Canvas(20, 20)

    def draw(l):
        circle(l, 10, 10, 8.4, lin((110, 170, 240), (30, 84, 180), 4, 3, 15, 18))
    part(cv, draw, (14, 34, 86))
    # soft highlight
    fill_fn(cv, lambda x, y: (x - 8) ** 2 / 30.0 + (y - 5.5) ** 2 / 8.0 <= 1,
            (255, 255, 255, 0.18), (1, 1, 19, 10))
    bitmap(cv, 7, 6, QMARK, WHITE)
    return cv


def tb_run():
    cv = Canvas(20, 20)

    def draw(l):
        poly(l, [(5, 2.5), (17.5, 10), (5, 17.5)],
             lin((140, 232, 110), (30, 140, 40), 5, 3, 12, 17))
    part(cv, draw, (14, 60, 16))
    # highlight along the upper edge
    line(cv, 6.6, 5.0, 13.0, 8.9, 1.0, (210, 255, 190, 0.8))
    return cv


def tb_layers():
    cv = Canvas(20, 20)
    cols = [
        ((228, 120, 40), (176, 72, 20)),
        ((250, 196, 60), (214, 150, 24)),
        ((140, 206, 255), (66, 140, 224)),
    ]
    for i, yc in enumerate((13.5, 10.0, 6.5)):
        c0, c1 = cols[i]

        def draw(l, yc=yc, c0=c0, c1=c1):
            poly(l, [(10, yc - 4.5), (18, yc), (10, yc + 4.5), (2, yc)],
                 lin(c0, c1, 4, yc - 3, 16, yc + 3))
        part(cv, draw, (40, 32, 40))
    # a tiny "2" on the top layer, as the version number
    bitmap(cv, 8, 4, [
        "###",
        "..#",
        "###",
        "#..",
        "###",
    ], (20, 40, 90))
    return cv


def tb_sliders():
    cv = Canvas(20, 20)
    blue = lin((150, 210, 255), (40, 110, 210), 0, 0, 20, 20)
    for yy, kx in ((4.5, 12.5), (10.0, 6.5), (15.5, 14.0)):
        def track(l, yy=yy, kx=kx):
            rect(l, 2.5, yy - 0.6, 17.5, yy + 0.6, (186, 190, 200))
            rect(l, 2.5, yy - 0.6, kx, yy + 0.6, (70, 140, 220))
        part(cv, track, (40, 42, 52))

        def knob(l, yy=yy, kx=kx):
            round_rect(l, kx - 1.8, yy - 2.3, kx + 1.8, yy + 2.3, 0.8,
                       lin((250, 250, 252), (170, 176, 190), kx - 2, yy - 2, kx + 2, yy + 2))
        part(cv, knob, (34, 38, 52))
    return cv


def tb_hammer():
    cv = Canvas(20, 20)
    ang = 45
    tx, ty = 10.5, 9.5

    def handle(l):
        pts = rotate([(-1.4, -2.0), (1.4, -2.0), (1.5, 9.5), (-1.5, 9.5)], ang, 0, 0, tx, ty)
        poly(l, pts, lin((214, 160, 96), (140, 88, 40), tx - 3, ty - 3, tx + 3, ty + 3))
    part(cv, handle, (60, 36, 14))

    def head(l):
        pts = rotate([(-7.0, -6.4), (3.6, -6.4), (5.6, -5.4), (5.6, -1.6),
                      (3.6, -0.6), (-7.0, -0.6), (-6.0, -3.5)], ang, 0, 0, tx, ty)
        poly(l, pts, lin((230, 234, 242), (110, 118, 136), tx - 4, ty - 8, tx + 2, ty))
    part(cv, head, (34, 36, 48))
    return cv


def tb_pencil():
    cv = Canvas(20, 20)
    ang = -45
    tx, ty = 10.0, 10.0

    def R(pts):
        return rotate(pts, ang, 0, 0, tx, ty)

    def draw(l):
        # wood cone
        poly(l, R([(-9.6, 0), (-5.2, -2.6), (-5.2, 2.6)]), (238, 206, 150))
        # graphite
        poly(l, R([(-9.6, 0), (-7.8, -1.05), (-7.8, 1.05)]), (50, 50, 60))
        # yellow body with three facets
        poly(l, R([(-5.2, -2.6), (6.0, -2.6), (6.0, -0.9), (-5.2, -0.9)]), (255, 222, 80))
        poly(l, R([(-5.2, -0.9), (6.0, -0.9), (6.0, 0.9), (-5.2, 0.9)]), (246, 190, 30))
        poly(l, R([(-5.2, 0.9), (6.0, 0.9), (6.0, 2.6), (-5.2, 2.6)]), (214, 150, 10))
        # ferrule
        poly(l, R([(6.0, -2.6), (7.6, -2.6), (7.6, 2.6), (6.0, 2.6)]),
             lin((220, 224, 232), (140, 146, 160), tx, ty - 3, tx + 3, ty))
        # eraser
        poly(l, R([(7.6, -2.6), (9.4, -2.6), (9.4, 2.6), (7.6, 2.6)]), (240, 120, 140))
    part(cv, draw, (44, 34, 20))
    return cv


def tb_update():
    cv = Canvas(20, 20)

    def tray(l):
        poly(l, [(1.5, 11), (4.5, 11), (4.5, 15), (15.5, 15), (15.5, 11),
                 (18.5, 11), (18.5, 18.5), (1.5, 18.5)],
             lin((200, 206, 220), (120, 128, 148), 2, 11, 2, 18.5))
    part(cv, tray, (34, 38, 52))

    def arrow(l):
        poly(l, [(8, 1.5), (12, 1.5), (12, 7.5), (15.5, 7.5), (10, 13.5),
                 (4.5, 7.5), (8, 7.5)],
             lin((120, 224, 110), (30, 140, 50), 10, 1.5, 10, 13.5))
    part(cv, arrow, (14, 60, 20))
    return cv


# ---------------------------------------------------------------------------
# Cursor, 32 x 32, hotspot (0, 0)
# ---------------------------------------------------------------------------

def cursor():
    cv = Canvas(32, 32)
    # outer (outline) shape, tip exactly at the top-left corner
    outer = [(0, 0), (18.5, 17.0), (11.5, 17.5), (15.8, 26.0), (11.4, 28.4),
             (7.4, 19.6), (2.4, 24.8), (0, 24.8)]
    # drop shadow
    sh = Canvas(32, 32)
    poly(sh, [(x + 2.0, y + 2.0) for x, y in outer], (0, 0, 0))
    for y in range(32):
        for x in range(32):
            p = sh.get(x, y)
            if p[3] > 0:
                cv.blend(x, y, (0, 0, 0), p[3] * 0.35)
    dark = (52, 30, 8)
    poly(cv, outer, dark)
    # inner golden body (outer shape shrunk by about 1.3 px)
    inner = [(1.35, 3.1), (15.2, 15.8), (9.4, 16.3), (13.9, 25.3), (12.0, 26.4),
             (7.8, 17.3), (2.2, 22.9), (1.35, 22.9)]
    poly(cv, inner, lin((255, 236, 140), (200, 124, 24), 2, 3, 12, 24))
    # bevel: light left edge, darker right edge
    line(cv, 2.0, 4.4, 2.0, 21.6, 1.0, (255, 252, 214, 0.9))
    line(cv, 3.0, 4.0, 13.5, 14.6, 0.9, (255, 246, 190, 0.7))
    line(cv, 9.8, 17.6, 13.2, 24.8, 0.9, (150, 84, 10, 0.7))
    # the hotspot pixel is always solid outline colour
    cv.set(0, 0, dark + (1.0,))
    return cv


# ---------------------------------------------------------------------------
# Splash panel, 281 x 155, key colour RGB(191,191,191) outside the corners
# ---------------------------------------------------------------------------

KEY = (191, 191, 191)


def splash():
    w, h = 281, 155
    cv = Canvas(w, h, KEY + (1.0,))
    r = 16.0
    outer = round_rect_inside(0, 0, w, h, r)
    border1 = round_rect_inside(1.5, 1.5, w - 1.5, h - 1.5, r - 1.5)
    inner = round_rect_inside(3, 3, w - 3, h - 3, r - 3)
    top = (176, 206, 240)
    bottom = (255, 255, 255)
    for y in range(h):
        t = y / float(h - 1)
        t = t * t * (3 - 2 * t)
        base = tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))
        for x in range(w):
            cx, cy = x + 0.5, y + 0.5
            # hard edges only: the key colour must stay exact and no
            # blended fringe pixels may appear next to it
            if not outer(cx, cy):
                continue
            if not border1(cx, cy):
                c = (46, 78, 130)
            elif not inner(cx, cy):
                c = (150, 182, 224)
            else:
                c = base
                # a soft glossy band along the top
                if y < 34:
                    g = (1 - y / 34.0) * 0.35
                    c = tuple(c[i] + (255 - c[i]) * g for i in range(3))
            cv.set(x, y, (c[0], c[1], c[2], 1.0))
    # make sure nothing inside accidentally equals the key colour
    for y in range(h):
        for x in range(w):
            p = cv.get(x, y)
            if outer(x + .5, y + .5) and [_b(v) for v in p[:3]] == list(KEY):
                cv.set(x, y, (192, 192, 192, 1.0))
    return cv


# ---------------------------------------------------------------------------
# Train cars, 17 px high
# ---------------------------------------------------------------------------

T_OUT = (40, 20, 18)
T_BODY = lin((236, 70, 56), (160, 30, 28), 0, 2, 0, 13)
T_ROOF = (96, 100, 112)
T_STRIPE = (255, 214, 90)
T_GLASS = lin((210, 240, 255), (110, 170, 220), 0, 4, 0, 9)


def wheels(cv, xs):
    def draw(l):
        for x in xs:
            circle(l, x, 14.2, 2.1, (60, 60, 68))
    part(cv, draw, (16, 16, 20))
    for x in xs:
        circle(cv, x, 14.2, 0.8, (170, 170, 180))


def coupler(cv, x0, x1):
    rect(cv, x0, 10.5, x1, 12.0, (50, 50, 56))


def train_front():
    cv = Canvas(34, 17)
    coupler(cv, 31, 34)
    wheels(cv, [9.5, 15, 24.5, 29])

    def body(l):
        poly(l, [(32, 1.5), (13, 1.5), (7, 3.2), (3.2, 6.5), (1.5, 10),
                 (1.5, 13), (32, 13)], T_BODY)
        # roof line
        poly(l, [(32, 1.5), (13, 1.5), (10, 2.3), (32, 2.3)], T_ROOF)
    part(cv, body, T_OUT)
    # yellow stripe along the body
    poly(cv, [(1.6, 10), (32, 10), (32, 11.3), (1.5, 11.3)], T_STRIPE)
    # cab window on the nose

    def win(l):
        poly(l, [(12.5, 3.8), (14.5, 3.8), (14.5, 7.5), (5.5, 7.5), (8.2, 4.8)], T_GLASS)
    part(cv, win, T_OUT)
    # side windows
    for x in (19, 25):
        def sw(l, x=x):
            rect(l, x, 4, x + 3.5, 7.5, T_GLASS)
        part(cv, sw, T_OUT)
    # headlight
    circle(cv, 2.8, 11.2, 0.9, (255, 250, 200))
    return cv


def train_van():
    cv = Canvas(32, 17)
    coupler(cv, 0, 3)
    coupler(cv, 29, 32)
    wheels(cv, [6, 10.5, 21.5, 26])

    def body(l):
        rect(l, 2, 1.5, 30, 13, T_BODY)
        rect(l, 2, 1.5, 30, 2.3, T_ROOF)
    part(cv, body, T_OUT)
    poly(cv, [(2, 10), (30, 10), (30, 11.3), (2, 11.3)], T_STRIPE)
    for x in (4.5, 10.5, 17.5, 23.5):
        def sw(l, x=x):
            rect(l, x, 4, x + 4, 7.5, T_GLASS)
        part(cv, sw, T_OUT)
    return cv


def train_back():
    cv = Canvas(34, 17)
    coupler(cv, 0, 3)
    wheels(cv, [5, 9.5, 19, 24.5])

    def body(l):
        poly(l, [(2, 1.5), (21, 1.5), (27, 3.2), (30.8, 6.5), (32.5, 10),
                 (32.5, 13), (2, 13)], T_BODY)
        poly(l, [(2, 1.5), (21, 1.5), (24, 2.3), (2, 2.3)], T_ROOF)
    part(cv, body, T_OUT)
    poly(cv, [(2, 10), (32.4, 10), (32.5, 11.3), (2, 11.3)], T_STRIPE)

    def win(l):
        poly(l, [(21.5, 3.8), (19.5, 3.8), (19.5, 7.5), (28.5, 7.5), (25.8, 4.8)], T_GLASS)
    part(cv, win, T_OUT)
    for x in (5, 11.5):
        def sw(l, x=x):
            rect(l, x, 4, x + 4, 7.5, T_GLASS)
        part(cv, sw, T_OUT)
    # red tail lamp
    circle(cv, 31.2, 11.2, 0.9, (255, 60, 40))
    return cv


# ---------------------------------------------------------------------------
# Program icon: "DV" monogram on a shield, drawn in a 32-unit square and
# scaled to each size, so every size is drawn sharp from the same picture.
# ---------------------------------------------------------------------------

ICON_SIZES = (32, 48, 64, 128, 256)


def shield_pts(x0, y0, x1, y1, mid, steps=14):
    """Shield outline: flat top, straight sides down to `mid`, curved point."""
    pts = [(x0, y0), (x1, y0), (x1, mid)]
    cx = (x0 + x1) / 2.0
    # right curve to the point
    for i in range(1, steps + 1):
        t = i / float(steps)
        x = x1 + (cx - x1) * t
        y = mid + (y1 - mid) * math.sin(t * math.pi / 2)
        pts.append((x, y))
    for i in range(1, steps):
        t = 1 - i / float(steps)
        x = x0 + (cx - x0) * t
        y = mid + (y1 - mid) * math.sin(t * math.pi / 2)
        pts.append((x, y))
    pts.append((x0, mid))
    return pts


def outlined_wide(layer, colour, width):
    """Like outlined(), with an outline `width` pixels wide (a round pen)."""
    reach = int(math.ceil(width))
    pen = []
    for dy in range(-reach, reach + 1):
        for dx in range(-reach, reach + 1):
            wgt = min(1.0, max(0.0, width + 0.5 - math.hypot(dx, dy)))
            if wgt > 0:
                pen.append((dx, dy, wgt))
    alpha = [[layer.get(x, y)[3] for x in range(layer.w)] for y in range(layer.h)]
    out = Canvas(layer.w, layer.h)
    for y in range(layer.h):
        for x in range(layer.w):
            m = 0.0
            for dx, dy, wgt in pen:
                xx, yy = x + dx, y + dy
                if 0 <= xx < layer.w and 0 <= yy < layer.h:
                    a = alpha[yy][xx]
                    if a * wgt > m:
                        m = a * wgt
                        if m >= 1.0:
                            break
            if m > 0:
                out.set(x, y, (colour[0], colour[1], colour[2], min(1.0, m)))
    out.over(layer)
    return out


def icon(size):
    cv = Canvas(size, size)
    k = size / 32.0
    # Curves get more points as the picture grows, so no edge shows facets.
    steps = max(14, int(14 * k))

    def S(pts):
        return [(x * k, y * k) for x, y in pts]

    def grad(c0, c1, x0, y0, x1, y1):
        return lin(c0, c1, x0 * k, y0 * k, x1 * k, y1 * k)

    def outline(draw, colour):
        if size == 32:
            part(cv, draw, colour)
            return
        layer = Canvas(size, size)
        draw(layer)
        cv.over(outlined_wide(layer, colour, k))

    def shield(l):
        poly(l, S(shield_pts(3, 1.5, 29, 30.5, 15, steps)),
             grad((250, 210, 90), (180, 120, 20), 3, 2, 29, 30))
        poly(l, S(shield_pts(5.2, 3.7, 26.8, 27.4, 14.5, steps)),
             grad((70, 120, 210), (20, 44, 120), 6, 4, 26, 27))
    outline(shield, (30, 22, 10))
    # glossy highlight on the upper half
    poly(cv, S([(5.2, 3.7), (26.8, 3.7), (26.8, 9.5), (5.2, 12.5)]), (255, 255, 255, 0.14))

    def letters(l):
        arc = 12 if size == 32 else steps
        # "D"
        dpts = [(7.3, 8.5), (10.8, 8.5)]
        for i in range(0, arc + 1):
            a = -math.pi / 2 + math.pi * i / float(arc)
            dpts.append((10.8 + 4.2 * math.cos(a), 13.5 + 5.0 * math.sin(a)))
        dpts += [(10.8, 18.5), (7.3, 18.5)]
        poly(l, S(dpts), WHITE)
        ipts = [(9.4, 10.6), (10.8, 10.6)]
        for i in range(0, arc + 1):
            a = -math.pi / 2 + math.pi * i / float(arc)
            ipts.append((10.8 + 2.1 * math.cos(a), 13.5 + 2.9 * math.sin(a)))
        ipts += [(10.8, 16.4), (9.4, 16.4)]
        poly(l, S(ipts), None, erase=True)
        # "V"
        poly(l, S([(16.4, 8.5), (18.7, 8.5), (20.6, 15.2), (22.5, 8.5), (24.8, 8.5),
                   (21.8, 18.5), (19.4, 18.5)]), (255, 226, 120))
    outline(letters, (10, 16, 44))

    # small star under the monogram
    cxs, cys = 16.0, 23.0
    star = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        rr = 3.3 if i % 2 == 0 else 1.4
        star.append((cxs + rr * math.cos(a), cys + rr * math.sin(a)))
    outline(lambda l: poly(l, S(star), (255, 226, 120)), (10, 16, 44))
    return cv


# ---------------------------------------------------------------------------

def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    pictures = [
        ("tb0.png", tb_floppy),
        ("tb1.png", tb_gear),
        ("tb2.png", tb_envelope),
        ("tb3.png", tb_help),
        ("tb4.png", tb_run),
        ("tb5.png", tb_layers),
        ("tb6.png", tb_sliders),
        ("tb7.png", tb_hammer),
        ("tb8.png", tb_pencil),
        ("tb9.png", tb_update),
        ("zvtcursor.png", cursor),
        ("splash.png", splash),
        ("train_front.png", train_front),
        ("train_van.png", train_van),
        ("train_back.png", train_back),
    ] + [("icon%d.png" % size, lambda size=size: icon(size)) for size in ICON_SIZES]
    for name, fn in pictures:
        cv = fn()
        write_png(os.path.join(OUT_DIR, name), cv)
        print("%-16s %dx%d" % (name, cv.w, cv.h))


if __name__ == "__main__":
    main()
