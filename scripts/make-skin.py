#!/usr/bin/env python3
"""Draws the sample host's skin bitmaps (host/sample/skin/system/*.bmp).

Standard library only; writes 24-bit BMP files directly. Run from anywhere:
    python3 scripts/make-skin.py
The library makes dark red RGB(150, 0, 0) transparent in all_select.bmp and white
in selectcontact_head.bmp, so those are the backgrounds there.
"""
import os
import struct

DARK_RED = (150, 0, 0)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
BORDER = (28, 81, 128)
CHECK = (33, 161, 33)
GOLD = (230, 170, 20)
GOLD_EDGE = (150, 100, 0)
FAINT = (170, 170, 170)
FACE = (240, 240, 240)
FOLDER = (240, 200, 80)
FOLDER_EDGE = (160, 120, 20)
FOLDER_INSIDE = (250, 225, 140)
SKIN = (250, 210, 170)
SHIRT = (40, 110, 200)
SHIRT_GREEN = (40, 160, 80)
SHIRT_GREY = (140, 140, 140)


class Canvas:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Filled rectangle, both corners inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def line(self, points, colour, thick=1):
        for (xa, ya), (xb, yb) in zip(points, points[1:]):
            steps = max(abs(xb - xa), abs(yb - ya), 1)
            for i in range(steps + 1):
                x = round(xa + (xb - xa) * i / steps)
                y = round(ya + (yb - ya) * i / steps)
                for dy in range(thick):
                    self.put(x, y + dy, colour)

    def save(self, path):
        row_size = (self.width * 3 + 3) & ~3
        data = bytearray()
        for row in reversed(self.pixels):  # bottom-up
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            line += bytes(row_size - len(line))
            data += line
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, len(data),
                           2835, 2835, 0, 0)
        with open(path, 'wb') as f:
            f.write(header + info + data)


def check_box(c, x, checked, background_inside=WHITE):
    c.rect(x + 2, 2, x + 13, 13, background_inside)
    c.frame(x + 2, 2, x + 13, 13, BORDER)
    if checked:
        c.line([(x + 4, 7), (x + 6, 9), (x + 11, 4)], CHECK, thick=3)


def star(c, x, fill, edge):
    # A five-pointed star in a 16x16 square, filled by scanlines of its outline.
    import math
    cx, cy = x + 7.5, 8.0
    points = []
    for i in range(10):
        r = 7.0 if i % 2 == 0 else 3.0
        a = -math.pi / 2 + i * math.pi / 5
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    for y in range(16):
        for px in range(x, x + 16):
            inside = False
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                if (ya > y + 0.5) != (yb > y + 0.5):
                    xi = xa + (y + 0.5 - ya) * (xb - xa) / (yb - ya)
                    if px + 0.5 < xi:
                        inside = not inside
            if inside:
                c.put(px, y, fill)
    c.line([(round(px), round(py)) for px, py in points + points[:1]], edge)


def all_select():
    c = Canvas(64, 16, DARK_RED)
    check_box(c, 0, checked=False)
    check_box(c, 16, checked=True)
    star(c, 32, FACE, FAINT)      # not the chairman: a faint outline
    star(c, 48, GOLD, GOLD_EDGE)  # the chairman
    return c


def header_box(checked):
    c = Canvas(16, 16, FACE)
    check_box(c, 0, checked)
    return c


def folder(c, x, open_):
    c.rect(x + 2, 4, x + 8, 6, FOLDER)
    c.frame(x + 2, 4, x + 8, 6, FOLDER_EDGE)
    c.rect(x + 2, 6, x + 17, 16, FOLDER)
    c.frame(x + 2, 6, x + 17, 16, FOLDER_EDGE)
    if open_:
        c.rect(x + 4, 9, x + 18, 16, FOLDER_INSIDE)
        c.line([(x + 5, 9), (x + 18, 9), (x + 17, 16)], FOLDER_EDGE)


def person(c, x, shirt):
    c.disc(x + 10, 6, 3.6, SKIN)
    for y in range(11, 18):
        half = 3 + (y - 11)
        for px in range(x + 10 - min(half, 7), x + 11 + min(half, 7)):
            c.put(px, y, shirt)
    c.line([(x + 3, 17), (x + 17, 17)], BLACK)


def selectcontact_head():
    c = Canvas(100, 20, WHITE)
    folder(c, 0, open_=True)
    folder(c, 20, open_=False)
    person(c, 40, SHIRT)
    person(c, 60, SHIRT_GREEN)
    person(c, 80, SHIRT_GREY)
    return c


def main():
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(repo, 'host', 'sample', 'skin', 'system')
    os.makedirs(out, exist_ok=True)
    all_select().save(os.path.join(out, 'all_select.bmp'))
    header_box(True).save(os.path.join(out, 'bitmap_select.bmp'))
    header_box(False).save(os.path.join(out, 'bitmap_unselect.bmp'))
    selectcontact_head().save(os.path.join(out, 'selectcontact_head.bmp'))


if __name__ == '__main__':
    main()
