#!/usr/bin/env python3
"""Draws the wizard's bitmaps as 24-bit BMP files: the page picture, the bitmap buttons
with their up (U), pressed (D), focused (F) and disabled (X) faces, and the feature page's
16 x 16 state icons.

    python3 draw_bitmaps.py OUTPUT_DIR

Shapes are drawn four times larger and averaged down, so edges come out smooth."""
import math
import os
import struct
import sys

SCALE = 4
BUTTON = 40

# Palette: a calm blue with a warm accent, on the system's button face.
FACE = (212, 208, 200)
LIGHT = (255, 255, 255)
SHADOW = (128, 128, 128)
DARK = (64, 64, 64)
BLUE_DEEP = (16, 52, 112)
BLUE = (40, 98, 184)
BLUE_LIGHT = (150, 190, 236)
SKY = (224, 236, 250)
ACCENT = (232, 148, 32)
GREEN = (40, 150, 70)
RED = (196, 48, 40)
SCREEN = (70, 130, 210)
METAL = (176, 182, 192)
METAL_DARK = (96, 104, 118)


class Canvas:
    """An RGB picture drawn at SCALE times its size."""

    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.w, self.h = width * SCALE, height * SCALE
        self.pixels = [list(background) for _ in range(self.w * self.h)]

    def _plot(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.pixels[y * self.w + x] = list(colour)

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(max(0, round(y0 * SCALE)), min(self.h, round(y1 * SCALE))):
            row = y * self.w
            for x in range(max(0, round(x0 * SCALE)), min(self.w, round(x1 * SCALE))):
                self.pixels[row + x] = list(colour)

    def rounded(self, x0, y0, x1, y1, radius, colour):
        r = radius * SCALE
        for y in range(max(0, round(y0 * SCALE)), min(self.h, round(y1 * SCALE))):
            for x in range(max(0, round(x0 * SCALE)), min(self.w, round(x1 * SCALE))):
                cx = min(max(x + 0.5, x0 * SCALE + r), x1 * SCALE - r)
                cy = min(max(y + 0.5, y0 * SCALE + r), y1 * SCALE - r)
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.pixels[y * self.w + x] = list(colour)

    def vertical_gradient(self, x0, y0, x1, y1, top, bottom):
        ya, yb = round(y0 * SCALE), round(y1 * SCALE)
        for y in range(max(0, ya), min(self.h, yb)):
            t = (y - ya) / max(1, yb - ya - 1)
            colour = [round(top[i] + (bottom[i] - top[i]) * t) for i in range(3)]
            for x in range(max(0, round(x0 * SCALE)), min(self.w, round(x1 * SCALE))):
                self.pixels[y * self.w + x] = list(colour)

    def disc(self, cx, cy, radius, colour):
        self.ellipse(cx, cy, radius, radius, colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        for y in range(max(0, int((cy - ry) * SCALE)), min(self.h, int((cy + ry) * SCALE) + 1)):
            for x in range(max(0, int((cx - rx) * SCALE)), min(self.w, int((cx + rx) * SCALE) + 1)):
                dx = (x + 0.5) / SCALE - cx
                dy = (y + 0.5) / SCALE - cy
                if (dx / rx) ** 2 + (dy / ry) ** 2 <= 1:
                    self.pixels[y * self.w + x] = list(colour)

    def polygon(self, points, colour):
        pts = [(px * SCALE, py * SCALE) for px, py in points]
        ys = [p[1] for p in pts]
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            yc = y + 0.5
            crossings = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    crossings.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            crossings.sort()
            for a, b in zip(crossings[0::2], crossings[1::2]):
                for x in range(max(0, int(math.ceil(a - 0.5))), min(self.w, int(b - 0.5) + 1)):
                    self.pixels[y * self.w + x] = list(colour)

    def line(self, x0, y0, x1, y1, thickness, colour):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1
        nx, ny = -dy / length * thickness / 2, dx / length * thickness / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)

    def downsampled(self):
        out = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                acc = [0, 0, 0]
                for sy in range(SCALE):
                    base = (y * SCALE + sy) * self.w + x * SCALE
                    for sx in range(SCALE):
                        p = self.pixels[base + sx]
                        acc[0] += p[0]
                        acc[1] += p[1]
                        acc[2] += p[2]
                n = SCALE * SCALE
                row.append(tuple(round(c / n) for c in acc))
            out.append(row)
        return out


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


# Emblems, drawn on a 40 x 40 face with the content inside 6..34.

def monitor(c, x, y, w, h):
    c.rounded(x, y, x + w, y + h, 1.5, DARK)
    c.vertical_gradient(x + 1.5, y + 1.5, x + w - 1.5, y + h - 1.5, BLUE_LIGHT, SCREEN)
    c.rect(x + w / 2 - 1.5, y + h, x + w / 2 + 1.5, y + h + 3, METAL_DARK)
    c.rounded(x + w / 2 - 6, y + h + 2.5, x + w / 2 + 6, y + h + 4.5, 1, METAL_DARK)


def draw_standard(c):
    monitor(c, 8, 8, 24, 17)
    c.rounded(11, 31, 29, 34, 1, METAL)
    c.rect(11, 31, 29, 31.6, METAL_DARK)


def draw_server(c):
    c.rounded(12, 5, 28, 35, 2, METAL_DARK)
    c.vertical_gradient(13.2, 6.2, 26.8, 33.8, (214, 218, 226), METAL)
    for top in (9, 15, 21):
        c.rounded(15, top, 25, top + 4, 0.8, METAL_DARK)
        c.disc(23, top + 2, 0.9, GREEN)
    c.disc(20, 30, 1.6, BLUE)


def draw_lite_client(c):
    monitor(c, 5, 10, 17, 12)
    # The network that the client reaches.
    c.line(21, 28, 30, 18, 1.6, BLUE_DEEP)
    c.line(30, 18, 34, 27, 1.6, BLUE_DEEP)
    for cx, cy in ((30, 17), (34, 28), (21, 28)):
        c.disc(cx, cy, 3, BLUE_DEEP)
        c.disc(cx, cy, 1.8, ACCENT)


def package(c):
    c.polygon([(8, 16), (20, 11), (32, 16), (20, 21)], (238, 204, 140))
    c.polygon([(8, 16), (20, 21), (20, 35), (8, 30)], (206, 160, 88))
    c.polygon([(20, 21), (32, 16), (32, 30), (20, 35)], (176, 128, 60))
    c.line(14, 13.5, 26, 18.5, 1.2, (150, 104, 44))


def draw_install(c):
    package(c)
    c.rect(18, 2, 22, 10, GREEN)
    c.polygon([(13.5, 9), (26.5, 9), (20, 16)], GREEN)


def draw_uninstall(c):
    package(c)
    c.rect(18, 7, 22, 15, RED)
    c.polygon([(13.5, 8), (26.5, 8), (20, 1)], RED)


def button_face(c, state):
    """The frame of a button face: raised, pressed (sunken) or focused."""
    c.rect(0, 0, BUTTON, BUTTON, FACE)
    if state == "D":
        c.rect(0, 0, BUTTON, 1, DARK)
        c.rect(0, 0, 1, BUTTON, DARK)
        c.rect(1, 1, BUTTON, 2, SHADOW)
        c.rect(1, 1, 2, BUTTON, SHADOW)
        c.rect(0, BUTTON - 1, BUTTON, BUTTON, LIGHT)
        c.rect(BUTTON - 1, 0, BUTTON, BUTTON, LIGHT)
    else:
        c.rect(0, 0, BUTTON, 1, LIGHT)
        c.rect(0, 0, 1, BUTTON, LIGHT)
        c.rect(1, BUTTON - 2, BUTTON, BUTTON - 1, SHADOW)
        c.rect(BUTTON - 2, 1, BUTTON - 1, BUTTON, SHADOW)
        c.rect(0, BUTTON - 1, BUTTON, BUTTON, DARK)
        c.rect(BUTTON - 1, 0, BUTTON, BUTTON, DARK)


def greyed(rows):
    """The disabled face: the emblem washed out towards the button face."""
    out = []
    for row in rows:
        new = []
        for r, g, b in row:
            lum = 0.3 * r + 0.59 * g + 0.11 * b
            new.append(tuple(round(lum * 0.45 + f * 0.55) for f in FACE))
        out.append(new)
    return out


def draw_button(emblem, state):
    c = Canvas(BUTTON, BUTTON, FACE)
    button_face(c, state)
    inner = Canvas(BUTTON, BUTTON, FACE)
    emblem(inner)
    shift = 1 if state == "D" else 0
    # Copy the emblem in, inside the frame, shifted when pressed.
    for y in range(3 * SCALE, (BUTTON - 3) * SCALE):
        for x in range(3 * SCALE, (BUTTON - 3) * SCALE):
            p = inner.pixels[y * inner.w + x]
            if p != list(FACE):
                c._plot(x + shift * SCALE, y + shift * SCALE, p)
    if state == "F":
        # A focus ring in the accent colour, inside the bevel.
        for inset, colour in ((2, BLUE), (3, BLUE_LIGHT)):
            c.rect(inset, inset, BUTTON - inset, inset + 1, colour)
            c.rect(inset, BUTTON - inset - 1, BUTTON - inset, BUTTON - inset, colour)
            c.rect(inset, inset, inset + 1, BUTTON - inset, colour)
            c.rect(BUTTON - inset - 1, inset, BUTTON - inset, BUTTON - inset, colour)
    rows = c.downsampled()
    return greyed(rows) if state == "X" else rows


def draw_picture(width, height):
    """The picture at the left of every page: a sky-to-blue panel, the suite's emblem and a
    quiet horizon."""
    c = Canvas(width, height, BLUE)
    c.vertical_gradient(0, 0, width, height, (30, 78, 158), (10, 36, 86))
    # Soft rings behind the emblem.
    cx, cy = width / 2, height * 0.36
    for radius, colour in ((46, (36, 90, 170)), (38, (44, 102, 184)), (30, (54, 116, 198))):
        c.disc(cx, cy, radius, colour)
    # The emblem: an open box with discs rising from it.
    s = width / 120
    c.polygon([(cx - 26 * s, cy + 2 * s), (cx, cy + 14 * s), (cx, cy + 40 * s), (cx - 26 * s, cy + 28 * s)],
              (206, 160, 88))
    c.polygon([(cx, cy + 14 * s), (cx + 26 * s, cy + 2 * s), (cx + 26 * s, cy + 28 * s), (cx, cy + 40 * s)],
              (176, 128, 60))
    for i, colour in enumerate((LIGHT, SKY, BLUE_LIGHT)):
        oy = cy - 6 * s - i * 9 * s
        c.ellipse(cx, oy, 17 * s, 6 * s, DARK)
        c.ellipse(cx, oy - 0.8 * s, 16 * s, 5.4 * s, colour)
        c.ellipse(cx, oy - 0.8 * s, 3.5 * s, 1.4 * s, BLUE)
    c.polygon([(cx - 26 * s, cy + 2 * s), (cx, cy + 14 * s), (cx - 8 * s, cy + 21 * s), (cx - 34 * s, cy + 9 * s)],
              (238, 204, 140))
    c.polygon([(cx + 26 * s, cy + 2 * s), (cx, cy + 14 * s), (cx + 8 * s, cy + 21 * s), (cx + 34 * s, cy + 9 * s)],
              (226, 186, 116))
    # Hills along the bottom.
    c.ellipse(width * 0.25, height * 1.02, width * 0.7, height * 0.16, (22, 60, 124))
    c.ellipse(width * 0.85, height * 1.05, width * 0.6, height * 0.13, (16, 48, 104))
    c.rect(0, height - 4, width, height - 3, ACCENT)
    return c.downsampled()


# State icons: 16 x 16 on white. The page flood-fills the white around the shape (from the top-left
# pixel) with the row's background, so the shapes keep a closed outline.
ICON = 16
ICON_BACK = (255, 255, 255)
TAG = (200, 40, 36)
TAG_EDGE = (140, 20, 18)

# A pixel font, five rows high, for the tags' two letters.
GLYPHS = {
    "O": ["0110", "1001", "1001", "1001", "0110"],
    "S": ["111", "100", "111", "001", "111"],
    "N": ["1001", "1101", "1011", "1001", "1001"],
    "T": ["111", "010", "010", "010", "010"],
    "9": ["111", "101", "111", "001", "111"],
    "5": ["111", "100", "111", "001", "111"],
    "8": ["111", "101", "111", "101", "111"],
}


def crisp(rows):
    """Snaps the nearly white edge of a shape to the white around it, so that the page's flood
    fill reaches every pixel around the shape and leaves no light fringe on a coloured row."""
    return [[ICON_BACK if min(p) >= 226 else p for p in row] for row in rows]


def draw_installed():
    c = Canvas(ICON, ICON, ICON_BACK)
    c.disc(8, 8, 6.9, (24, 110, 48))
    c.disc(8, 8, 5.9, (52, 168, 84))
    c.line(4.8, 8.2, 7.0, 10.6, 1.8, LIGHT)
    c.line(7.0, 10.6, 11.4, 5.4, 1.8, LIGHT)
    return crisp(c.downsampled())


def draw_tag(letters):
    """A red tag with two white letters: the feature is not available on that system."""
    rows = [[ICON_BACK] * ICON for _ in range(ICON)]
    top, bottom = 3, 13
    for y in range(top, bottom):
        for x in range(ICON):
            corner = (y in (top, bottom - 1)) and x in (0, ICON - 1)
            if corner:
                continue
            edge = y in (top, bottom - 1) or x in (0, ICON - 1)
            rows[y][x] = TAG_EDGE if edge else TAG
    gap = 1
    width = sum(len(GLYPHS[letter][0]) for letter in letters) + gap * (len(letters) - 1)
    left = (ICON - width + 1) // 2
    for letter in letters:
        glyph = GLYPHS[letter]
        for gy, line in enumerate(glyph):
            for gx, bit in enumerate(line):
                if bit == "1":
                    rows[top + 3 + gy - 1][left + gx] = LIGHT
        left += len(glyph[0]) + gap
    return rows


def draw_blank():
    return [[ICON_BACK] * ICON for _ in range(ICON)]


ICONS = {
    "installed": draw_installed,
    "blank_icon": draw_blank,
    "not_for_os": lambda: draw_tag("OS"),
    "not_for_nt": lambda: draw_tag("NT"),
    "not_for_95": lambda: draw_tag("95"),
    "not_for_98": lambda: draw_tag("98"),
}

BUTTONS = {
    "IDB_STANDARD": draw_standard,
    "IDB_SERVER": draw_server,
    "IDB_LITECLIENT": draw_lite_client,
    "IDB_INSTALL": draw_install,
    "IDB_UNINSTALL": draw_uninstall,
}
# The picture fills its frame of 81 x 160 dialog units at the pages' font.
PICTURE_SIZE = (122, 260)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "picture.bmp"), draw_picture(*PICTURE_SIZE))
    for base, emblem in BUTTONS.items():
        for state in "UDFX":
            name = base[len("IDB_"):].lower() + "_" + state.lower() + ".bmp"
            write_bmp(os.path.join(out, name), draw_button(emblem, state))
    for name, draw in ICONS.items():
        write_bmp(os.path.join(out, name + ".bmp"), draw())


if __name__ == "__main__":
    main()
