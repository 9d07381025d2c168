#!/usr/bin/env python3
"""Draws the ribbon pictures and the gallery covers and writes them as BMP and ICO.

Run from anywhere: python3 resources/make_resources.py
The output is deterministic, so the files kept in the repository only change
when the drawing does.
"""

import math
import struct
from collections import Counter
from pathlib import Path

HERE = Path(__file__).resolve().parent
SUPERSAMPLE = 4
WHITE = (255, 255, 255)


def hex_color(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# --- shapes: a bounding box and an inside test -----------------------------

class Rect:
    def __init__(self, x0, y0, x1, y1, radius=0.0):
        self.box = (x0, y0, x1, y1)
        self.radius = radius

    def inside(self, x, y):
        x0, y0, x1, y1 = self.box
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        r = self.radius
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Ellipse:
    def __init__(self, cx, cy, rx, ry=None):
        ry = rx if ry is None else ry
        self.c, self.r = (cx, cy), (rx, ry)
        self.box = (cx - rx, cy - ry, cx + rx, cy + ry)

    def inside(self, x, y):
        dx = (x - self.c[0]) / self.r[0]
        dy = (y - self.c[1]) / self.r[1]
        return dx * dx + dy * dy <= 1.0


class Ring:
    def __init__(self, cx, cy, radius, width, gap_from=None, gap_to=None):
        self.c, self.outer, self.inner = (cx, cy), radius, radius - width
        self.gap = (gap_from, gap_to)
        self.box = (cx - radius, cy - radius, cx + radius, cy + radius)

    def inside(self, x, y):
        dx, dy = x - self.c[0], y - self.c[1]
        if not self.inner ** 2 <= dx * dx + dy * dy <= self.outer ** 2:
            return False
        if self.gap[0] is None:
            return True
        angle = math.degrees(math.atan2(dy, dx)) % 360
        return not self.gap[0] <= angle <= self.gap[1]


class Polygon:
    def __init__(self, points):
        self.points = points
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.box = (min(xs), min(ys), max(xs), max(ys))

    def inside(self, x, y):
        result = False
        n = len(self.points)
        for i in range(n):
            (xa, ya), (xb, yb) = self.points[i], self.points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                result = not result
        return result


class Stroke:
    """A straight line of some width with round ends."""

    def __init__(self, x0, y0, x1, y1, width):
        self.a, self.b, self.half = (x0, y0), (x1, y1), width / 2
        h = self.half
        self.box = (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h)

    def inside(self, x, y):
        (ax, ay), (bx, by) = self.a, self.b
        vx, vy = bx - ax, by - ay
        length2 = vx * vx + vy * vy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / length2))
        px, py = ax + t * vx - x, ay + t * vy - y
        return px * px + py * py <= self.half * self.half


# --- canvas -----------------------------------------------------------------

class Canvas:
    """RGB pixels plus coverage, painted shape by shape with antialiased edges."""

    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        self.rgb = [[background or (0, 0, 0)] * width for _ in range(height)]
        self.alpha = [[1.0 if background else 0.0] * width for _ in range(height)]

    def paint(self, shape, color, top_color=None):
        """Fills the shape; with top_color, a vertical gradient over its box."""
        x0, y0, x1, y1 = shape.box
        n = SUPERSAMPLE
        for py in range(max(0, int(y0)), min(self.height, math.ceil(y1))):
            fill = color
            if top_color is not None:
                fill = mix(top_color, color, (py + 0.5 - y0) / max(1.0, y1 - y0))
            for px in range(max(0, int(x0)), min(self.width, math.ceil(x1))):
                hits = sum(shape.inside(px + (i + 0.5) / n, py + (j + 0.5) / n)
                           for j in range(n) for i in range(n))
                if hits:
                    self.blend(px, py, fill, hits / (n * n))

    def blend(self, x, y, color, coverage):
        below, below_alpha = self.rgb[y][x], self.alpha[y][x]
        alpha = coverage + below_alpha * (1 - coverage)
        self.rgb[y][x] = tuple(
            round((c * coverage + b * below_alpha * (1 - coverage)) / alpha) for c, b in zip(color, below))
        self.alpha[y][x] = alpha


# --- file formats -------------------------------------------------------------

def bmp24(canvas):
    row_size = (canvas.width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(canvas.rgb):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(row_size - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + header + pixels


def palette_for(canvases):
    """The 216 web colours, then the most frequent other colours of the images."""
    cube = [(r, g, b) for r in range(0, 256, 51) for g in range(0, 256, 51) for b in range(0, 256, 51)]
    counts = Counter(c for canvas in canvases for row, alphas in zip(canvas.rgb, canvas.alpha)
                     for c, a in zip(row, alphas) if a >= 0.5)
    extra = [c for c, _ in counts.most_common() if c not in cube][:256 - len(cube)]
    palette = cube + extra
    return palette + [(0, 0, 0)] * (256 - len(palette))


def nearest(palette, color, cache):
    if color not in cache:
        cache[color] = min(range(len(palette)),
                           key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], color)))
    return cache[color]


def ico_image(canvas, palette, cache):
    """One 256-colour icon image: header, palette, colour indexes, transparency mask."""
    w, h = canvas.width, canvas.height
    index_row = (w + 3) & ~3
    mask_row = ((w + 31) // 32) * 4
    indexes, mask = bytearray(), bytearray()
    for row, alphas in zip(reversed(canvas.rgb), reversed(canvas.alpha)):
        line, bits = bytearray(), bytearray(mask_row)
        for x, (color, alpha) in enumerate(zip(row, alphas)):
            if alpha >= 0.5:
                line.append(nearest(palette, color, cache))
            else:
                line.append(0)
                bits[x // 8] |= 0x80 >> (x % 8)
        indexes += line + bytes(index_row - len(line))
        mask += bits
    colors = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 8, 0, len(indexes) + len(mask), 0, 0, 256, 0)
    return header + colors + indexes + mask


def ico(canvases):
    palette = palette_for(canvases)
    cache = {}
    images = [ico_image(c, palette, cache) for c in canvases]
    offset = 6 + 16 * len(images)
    directory = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    for canvas, image in zip(canvases, images):
        directory += struct.pack('<BBBBHHII', canvas.width, canvas.height, 0, 0, 1, 8, len(image), offset)
        offset += len(image)
    return bytes(directory) + b''.join(images)


# --- artwork ------------------------------------------------------------------

def flash_button():
    """Bitmap 102: a lightning bolt on an orange tile."""
    c = Canvas(42, 42, WHITE)
    c.paint(Rect(3, 3, 39, 39, 7), hex_color('#C8381E'), top_color=hex_color('#F2883A'))
    c.paint(Rect(3, 3, 39, 21, 7), hex_color('#F6A25F'), top_color=hex_color('#F9C08A'))
    c.paint(Rect(3, 18, 39, 39, 7), hex_color('#C8381E'), top_color=hex_color('#E5652C'))
    bolt = [(24, 6), (11, 24), (19.5, 24), (15, 36), (31, 17), (22.5, 17), (27, 6)]
    c.paint(Polygon([(x + 1, y + 1) for x, y in bolt]), hex_color('#7A2410'))
    c.paint(Polygon(bolt), hex_color('#FFF4C2'))
    return c


def picture_search_menu():
    """Bitmap 115: a magnifier over a landscape picture."""
    c = Canvas(64, 64, WHITE)
    c.paint(Rect(4, 8, 50, 46, 2), hex_color('#8A8F98'))
    c.paint(Rect(6, 10, 48, 44), hex_color('#D8EEFB'), top_color=hex_color('#6FB6E8'))
    c.paint(Ellipse(38, 19, 4.5), hex_color('#FFD54A'))
    c.paint(Polygon([(6, 44), (6, 34), (18, 22), (30, 36), (36, 31), (48, 41), (48, 44)]),
            hex_color('#3F8F3A'), top_color=hex_color('#6CC05E'))
    c.paint(Stroke(44, 44, 57, 57, 8), hex_color('#5A3A1E'))
    c.paint(Stroke(44, 44, 57, 57, 5), hex_color('#9B6B3C'))
    c.paint(Ellipse(36, 36, 13), hex_color('#FFFFFF'))
    c.paint(Ellipse(36, 36, 10.5), hex_color('#BFE3F8'), top_color=hex_color('#F2FAFF'))
    c.paint(Ring(36, 36, 13, 3.2), hex_color('#3D4A5C'))
    c.paint(Ring(32, 32, 5.5, 1.6, 20, 200), hex_color('#FFFFFF'))
    return c


def lock_picture():
    """Bitmap 116: the screen picker's lock, a padlock on the frozen sample."""
    c = Canvas(22, 22, WHITE)
    c.paint(Ring(11, 9, 6, 2.2, 0, 180), hex_color('#5A6270'))
    c.paint(Rect(3.5, 9, 18.5, 20, 2), hex_color('#B8860B'), top_color=hex_color('#F2C94C'))
    c.paint(Ellipse(11, 13.5, 1.8), hex_color('#4A3A10'))
    c.paint(Rect(10.2, 14, 11.8, 17.5), hex_color('#4A3A10'))
    return c


def author_picture():
    """Bitmap 117: the author's picture, a head and shoulders on a blue tile."""
    c = Canvas(72, 72, WHITE)
    c.paint(Rect(0, 0, 72, 72, 8), hex_color('#2E6DB4'), top_color=hex_color('#6FA8E8'))
    c.paint(Ellipse(36, 66, 26), hex_color('#F4F1EA'))
    c.paint(Ellipse(36, 28, 13), hex_color('#F4F1EA'))
    return c


def share_icon(size):
    """Icon 102: three linked dots, white on a red disc, transparent around it."""
    s = size / 32
    c = Canvas(size, size)
    c.paint(Ellipse(16 * s, 16 * s, 15.5 * s), hex_color('#C81E32'), top_color=hex_color('#EE4B57'))
    dots = [(21.5 * s, 9.5 * s), (10 * s, 16 * s), (21.5 * s, 22.5 * s)]
    width = max(1.4, 2.2 * s)
    c.paint(Stroke(*dots[0], *dots[1], width), WHITE)
    c.paint(Stroke(*dots[1], *dots[2], width), WHITE)
    for x, y in dots:
        c.paint(Ellipse(x, y, max(1.8, 3.6 * s)), WHITE)
    return c


def cover(width, base, band, motif):
    """A gallery cover: spine shade, title band, a motif and lines standing for text."""
    c = Canvas(width, 163, base)
    c.paint(Rect(0, 0, width, 163), base, top_color=mix(base, WHITE, 0.18))
    c.paint(Rect(0, 0, 7, 163), mix(base, (0, 0, 0), 0.35))
    c.paint(Rect(7, 0, 9, 163), mix(base, WHITE, 0.35))
    c.paint(Rect(9, 16, width, 44), band)
    c.paint(Rect(18, 24, width - 20, 29, 2), mix(band, WHITE, 0.75))
    c.paint(Rect(18, 33, width * 0.55, 37, 2), mix(band, WHITE, 0.55))
    motif(c, width, mix(band, WHITE, 0.15), mix(base, WHITE, 0.85))
    c.paint(Rect(18, 148, width * 0.5, 152, 2), mix(base, WHITE, 0.6))
    return c


def enso(c, w, accent, light):
    c.paint(Ring(w / 2 + 4, 96, 30, 7, 300, 335), light)
    c.paint(Ellipse(w / 2 + 4, 96, 4), accent)


def spotlight(c, w, accent, light):
    cx = w / 2 + 4
    c.paint(Polygon([(cx - 8, 58), (cx + 8, 58), (cx + 34, 136), (cx - 34, 136)]), mix(light, accent, 0.25))
    c.paint(Ellipse(cx, 100, 8), accent)
    c.paint(Rect(cx - 12, 110, cx + 12, 138, 8), accent)


def waves(c, w, accent, light):
    cx = 30
    for radius, color in ((70, light), (52, accent), (34, light), (16, accent)):
        c.paint(Ring(cx, 138, radius, 6, 0, 180), color)
    c.paint(Rect(9, 138, w, 141), light)


def pyramid(c, w, accent, light):
    cx, top, bottom = w / 2 + 4, 58, 136
    layers = 4
    for i in range(layers):
        y0 = top + (bottom - top) * i / layers + 2
        y1 = top + (bottom - top) * (i + 1) / layers
        half0 = (y0 - top) * 0.45
        half1 = (y1 - top) * 0.45
        color = accent if i % 2 == 0 else light
        c.paint(Polygon([(cx - half0, y0), (cx + half0, y0), (cx + half1, y1), (cx - half1, y1)]), color)


def bar_chart(c, w, accent, light):
    heights = (34, 52, 44, 70)
    step = (w - 36) / len(heights)
    for i, h in enumerate(heights):
        x = 20 + i * step
        c.paint(Rect(x, 136 - h, x + step * 0.7, 136), accent if i == 3 else light)
    c.paint(Rect(16, 136, w - 12, 139), light)


def primitives(c, w, accent, light):
    c.paint(Rect(20, 64, 58, 102), light)
    c.paint(Ellipse(w - 38, 86, 22), accent)
    c.paint(Polygon([(w / 2, 100), (w / 2 + 26, 140), (w / 2 - 26, 140)]), mix(light, accent, 0.5))


def stage(c, w, accent, light):
    c.paint(Rect(18, 60, w - 14, 112, 3), light)
    c.paint(Rect(24, 66, w - 20, 106), mix(accent, WHITE, 0.35), top_color=accent)
    c.paint(Ellipse(36, 124, 6), light)
    c.paint(Rect(28, 131, 44, 142, 5), light)


def slide_stack(c, w, accent, light):
    for i, color in enumerate((mix(light, accent, 0.6), mix(light, accent, 0.3), light)):
        x, y = 18 + i * 8, 62 + i * 14
        c.paint(Rect(x, y, x + w - 52, y + 44, 2), color)
    c.paint(Rect(40, 100, 52, 126), accent)
    c.paint(Rect(56, 110, 68, 126), accent)


def napkin(c, w, accent, light):
    c.paint(Polygon([(18, 64), (w - 14, 58), (w - 10, 140), (22, 144)]), light)
    c.paint(Ellipse(44, 92, 11), accent)
    c.paint(Stroke(55, 92, w - 36, 82, 2.5), accent)
    c.paint(Rect(w - 40, 70, w - 22, 96), accent)
    c.paint(Stroke(44, 104, 52, 126, 2.5), accent)
    c.paint(Stroke(52, 126, w - 30, 122, 2.5), accent)


# One entry per gallery item 0..8: width, cover colour, band colour, motif.
COVERS = [
    (120, '#2F3A45', '#C8553D', enso),
    (113, '#1F1F24', '#E0B341', spotlight),
    (126, '#1D4E6E', '#4FB0C6', waves),
    (138, '#5B4A3A', '#D9A441', pyramid),
    (118, '#F2EFE8', '#2E6DB4', bar_chart),
    (130, '#E9E4D8', '#D2452F', primitives),
    (124, '#151515', '#7A8A99', stage),
    (116, '#8C1C2B', '#F08A24', slide_stack),
    (134, '#3C5A3A', '#E8D9B5', napkin),
]


def main():
    (HERE / 'bitmap102.bmp').write_bytes(bmp24(flash_button()))
    (HERE / 'bitmap115.bmp').write_bytes(bmp24(picture_search_menu()))
    (HERE / 'bitmap116.bmp').write_bytes(bmp24(lock_picture()))
    (HERE / 'bitmap117.bmp').write_bytes(bmp24(author_picture()))
    (HERE / 'icon102.ico').write_bytes(ico([share_icon(32), share_icon(24), share_icon(16)]))
    for n, (width, base, band, motif) in enumerate(COVERS):
        art = cover(width, hex_color(base), hex_color(band), motif)
        (HERE / f'bitmap{105 + n}.bmp').write_bytes(bmp24(art))


if __name__ == '__main__':
    main()
