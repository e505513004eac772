#!/usr/bin/env python3
"""Draws the frame's toolbar bitmaps (strips of 16 x 16 images) and its icon.

The toolbars map the light grey background to the button face. Run from this folder; the outputs are
committed, so the build does not need this script.
"""
import struct

BG = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (200, 30, 30)
GREEN = (30, 150, 40)
BLUE = (30, 70, 190)
NAVY = (20, 40, 110)
YELLOW = (240, 200, 40)
BROWN = (140, 90, 40)
GREY = (110, 110, 110)
SKIN = (235, 185, 140)


class Canvas:
    def __init__(self, size=16):
        self.size = size
        self.px = [[BG] * size for _ in range(size)]

    def set(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c); self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c); self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy; x0 += sx
            if e2 <= dx:
                err += dx; y0 += sy

    def disc(self, cx, cy, r, c):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r // 2:
                    self.set(x, y, c)

    def triangle(self, pts, c):
        (ax, ay), (bx, by), (cx, cy) = pts
        def side(px, py, qx, qy, rx, ry):
            return (qx - px) * (ry - py) - (qy - py) * (rx - px)
        for y in range(self.size):
            for x in range(self.size):
                d1 = side(ax, ay, bx, by, x, y)
                d2 = side(bx, by, cx, cy, x, y)
                d3 = side(cx, cy, ax, ay, x, y)
                if (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0):
                    self.set(x, y, c)


def page(c, lines=True):
    c.fill(3, 1, 12, 14, WHITE)
    c.frame(3, 1, 12, 14, BLACK)
    if lines:
        for y in (4, 6, 8, 10):
            c.line(5, y, 10, y, GREY)


def person(c, x, y, body=BLUE, small=False):
    r = 2 if small else 3
    c.disc(x, y, r - 1, SKIN)
    top = y + r
    w = 2 if small else 4
    c.fill(x - w, top, x + w, top + (3 if small else 5), body)


def cross(c):
    for d in range(-1, 1):
        c.line(3, 3 + d, 12, 12 + d, RED)
        c.line(12, 3 + d, 3, 12 + d, RED)


def calendar(c):
    c.fill(2, 3, 13, 13, WHITE)
    c.frame(2, 3, 13, 13, BLACK)
    c.fill(3, 4, 12, 5, RED)
    for y in (7, 9, 11):
        for x in (4, 7, 10):
            c.fill(x, y, x + 1, y, GREY)


def arrow(c, direction, bar=False, double=False):
    def tri(offset):
        if direction < 0:
            c.triangle([(4 + offset, 8), (10 + offset, 3), (10 + offset, 13)], NAVY)
        else:
            c.triangle([(11 - offset, 8), (5 - offset, 3), (5 - offset, 13)], NAVY)
    if double:
        tri(-2); tri(3)
    else:
        tri(0)
    if bar:
        x = 2 if direction < 0 else 13
        c.fill(x, 3, x + 1 if direction < 0 else x, 13, NAVY)


def magnifier(c, plus):
    c.disc(6, 6, 4, WHITE)
    for a in range(0, 360, 10):
        import math
        c.set(round(6 + 4.5 * math.cos(math.radians(a))), round(6 + 4.5 * math.sin(math.radians(a))), BLACK)
    c.line(6 - 2, 6, 6 + 2, 6, BLACK)
    if plus:
        c.line(6, 4, 6, 8, BLACK)
    for d in range(2):
        c.line(9 + d, 10, 13 + d, 14, BROWN)


def run(c, color=GREEN):
    c.triangle([(4, 2), (4, 13), (12, 8)], color)


def glyph(c, name):
    if name == 'data':
        page(c)
    elif name == 'delete':
        cross(c)
    elif name == 'info':
        c.disc(8, 8, 6, BLUE); c.fill(7, 7, 8, 12, WHITE); c.fill(7, 4, 8, 5, WHITE)
    elif name == 'help':
        c.disc(8, 8, 6, NAVY)
        for x, y in [(6, 5), (7, 4), (8, 4), (9, 4), (10, 5), (10, 6), (9, 7), (8, 8), (8, 9)]:
            c.set(x, y, WHITE)
        c.set(8, 11, WHITE)
    elif name == 'pedigree':
        c.fill(1, 6, 4, 9, BLUE); c.fill(11, 2, 14, 5, RED); c.fill(11, 10, 14, 13, RED)
        c.line(5, 8, 8, 8, BLACK); c.line(8, 3, 8, 12, BLACK); c.line(8, 3, 10, 3, BLACK); c.line(8, 12, 10, 12, BLACK)
    elif name == 'event':
        calendar(c)
    elif name == 'attribute':
        c.triangle([(2, 8), (6, 3), (6, 13)], YELLOW); c.fill(6, 3, 13, 13, YELLOW); c.frame(6, 3, 13, 13, BROWN)
        c.set(5, 8, BLACK)
    elif name == 'name':
        c.fill(1, 4, 14, 11, WHITE); c.frame(1, 4, 14, 11, BLACK)
        c.line(3, 10, 5, 6, BLUE); c.line(5, 6, 7, 10, BLUE); c.line(4, 8, 6, 8, BLUE)
        c.line(9, 7, 12, 7, GREY); c.line(9, 9, 12, 9, GREY)
    elif name == 'person':
        person(c, 8, 4)
    elif name == 'parent':
        person(c, 5, 3, RED); person(c, 11, 3, BLUE); c.line(8, 14, 8, 11, BLACK)
    elif name == 'child':
        person(c, 8, 6, GREEN, small=True); c.line(8, 1, 8, 3, BLACK); c.line(4, 1, 12, 1, BLACK)
    elif name == 'attachment':
        c.fill(2, 3, 13, 12, WHITE); c.frame(2, 3, 13, 12, BLACK)
        c.triangle([(3, 11), (7, 6), (10, 11)], GREEN); c.disc(10, 6, 1, YELLOW)
    elif name == 'excerptref':
        c.fill(2, 2, 13, 13, BROWN); c.fill(4, 3, 12, 12, WHITE)
        c.line(5, 5, 11, 5, GREY); c.line(5, 7, 11, 7, GREY); c.line(5, 9, 9, 9, GREY)
    elif name == 'first':
        arrow(c, -1, bar=True)
    elif name == 'last':
        arrow(c, 1, bar=True)
    elif name == 'previous':
        arrow(c, -1)
    elif name == 'next':
        arrow(c, 1)
    elif name == 'pagesback':
        arrow(c, -1, double=True)
    elif name == 'pagesforward':
        arrow(c, 1, double=True)
    elif name == 'zoomin':
        magnifier(c, True)
    elif name == 'zoomout':
        magnifier(c, False)
    elif name == 'newreport':
        page(c); c.disc(12, 3, 2, YELLOW)
    elif name == 'run':
        run(c)
    elif name == 'debugrun':
        run(c); c.disc(12, 12, 2, RED)
    elif name == 'stepinto':
        c.line(3, 3, 11, 3, NAVY); c.line(11, 3, 11, 10, NAVY); c.triangle([(8, 10), (14, 10), (11, 13)], NAVY)
        c.fill(2, 12, 6, 13, GREY)
    elif name == 'stepover':
        c.line(2, 9, 4, 4, NAVY); c.line(4, 4, 11, 4, NAVY); c.line(11, 4, 12, 8, NAVY)
        c.triangle([(9, 8), (15, 8), (12, 12)], NAVY); c.fill(2, 12, 14, 13, GREY)
    elif name == 'runtocursor':
        run(c); c.fill(12, 2, 13, 13, BLACK)
    elif name == 'cancel':
        c.fill(3, 3, 12, 12, RED); c.frame(3, 3, 12, 12, BLACK)
    elif name == 'watch':
        c.disc(4, 9, 3, WHITE); c.disc(11, 9, 3, WHITE); c.disc(4, 9, 1, NAVY); c.disc(11, 9, 1, NAVY)
        c.line(6, 7, 9, 7, BLACK)
    elif name == 'properties':
        page(c); c.fill(8, 9, 13, 14, YELLOW); c.frame(8, 9, 13, 14, BROWN)
    elif name == 'breakpoint':
        c.disc(8, 8, 5, RED)
    elif name == 'newtimeline':
        c.line(1, 8, 14, 8, BLACK)
        for x in (2, 6, 10, 14):
            c.line(x, 6, x, 10, BLACK)
        c.disc(12, 3, 2, YELLOW)


def strip(names):
    canvases = []
    for name in names:
        c = Canvas()
        if name:
            glyph(c, name)
        canvases.append(c)
    return canvases


def write_bmp(path, canvases):
    width, height = 16 * len(canvases), 16
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for c in canvases:
            for x in range(16):
                r, g, b = c.px[y][x]
                row += bytes((b, g, r))
        row += b'\0' * (row_bytes - len(row))
        data += row
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def write_icon(path):
    size = 32
    c = Canvas(size)
    c.fill(0, 0, size - 1, size - 1, BG)
    c.disc(16, 16, 15, (34, 110, 60))
    # a family tree: a trunk and three crowns
    c.fill(14, 17, 17, 28, BROWN)
    c.disc(16, 10, 6, (120, 200, 90))
    c.disc(9, 15, 5, (100, 185, 80))
    c.disc(23, 15, 5, (100, 185, 80))
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b = c.px[y][x]
            xor += bytes((b, g, r, 255))
    and_mask = bytearray()
    for y in reversed(range(size)):
        bits = 0
        row = bytearray()
        for x in range(size):
            transparent = (x - 16) ** 2 + (y - 16) ** 2 > 15 * 15 + 7
            bits = (bits << 1) | (1 if transparent else 0)
            if x % 8 == 7:
                row.append(bits); bits = 0
        and_mask += row
    # transparent corners: alpha 0 as well
    for y in range(size):
        for x in range(size):
            if (x - 16) ** 2 + (y - 16) ** 2 > 15 * 15 + 7:
                xor[((size - 1 - y) * size + x) * 4 + 3] = 0
    dib = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = dib + xor + and_mask
    header = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), 22)
    with open(path, 'wb') as f:
        f.write(header + image)


# Person toolbar: images by index as its buttons use them (19 is the child, 20 the attachment).
PERSON = [None, 'data', None, 'delete', None, None, None, 'info', None, 'help', None, 'pedigree', 'event',
          'attribute', 'name', 'person', 'parent', None, 'excerptref', 'child', 'attachment']
REPORT = ['first', 'last', 'previous', 'next', 'pagesback', 'pagesforward', 'zoomin', 'zoomout']
REPORTTYPE = ['newreport', 'run', 'debugrun', 'stepinto', 'stepover', 'runtocursor', 'cancel', 'watch',
              'properties', 'breakpoint']
TIMELINE = ['newtimeline', 'event', 'data', 'delete']

write_bmp('toolbar_person.bmp', strip(PERSON))
write_bmp('toolbar_report.bmp', strip(REPORT))
write_bmp('toolbar_reporttype.bmp', strip(REPORTTYPE))
write_bmp('toolbar_timeline.bmp', strip(TIMELINE))
write_icon('frame.ico')


# Images of the small buttons in editing pages and dialogs (new, delete, edit, up, down, top, bottom, date calculator,
# advanced), one 16 x 16 image each; the buttons map the light grey background to the button face.
def button_glyph(c, name):
    if name == 'new':
        page(c); c.disc(12, 3, 2, YELLOW)
    elif name == 'delete':
        cross(c)
    elif name == 'edit':
        page(c)
        for d in range(2):
            c.line(6 + d, 13, 13 + d, 6, BROWN)
        c.set(5, 14, BLACK)
    elif name == 'up':
        c.triangle([(8, 3), (2, 10), (14, 10)], NAVY); c.fill(6, 10, 10, 13, NAVY)
    elif name == 'down':
        c.triangle([(8, 13), (2, 6), (14, 6)], NAVY); c.fill(6, 3, 10, 6, NAVY)
    elif name == 'top':
        c.fill(2, 2, 14, 3, NAVY); c.triangle([(8, 5), (2, 11), (14, 11)], NAVY); c.fill(6, 11, 10, 14, NAVY)
    elif name == 'bottom':
        c.fill(2, 13, 14, 14, NAVY); c.triangle([(8, 11), (2, 5), (14, 5)], NAVY); c.fill(6, 2, 10, 5, NAVY)
    elif name == 'datecalc':
        calendar(c); c.fill(9, 9, 15, 15, GREY); c.frame(9, 9, 15, 15, BLACK)
        c.line(11, 12, 13, 12, WHITE); c.line(12, 11, 12, 13, WHITE)
    elif name == 'advanced':
        for x, y in ((3, 4), (3, 8), (3, 12)):
            c.fill(x, y, x + 1, y + 1, NAVY); c.line(x + 4, y, x + 10, y, BLACK)


for button in ('new', 'delete', 'edit', 'up', 'down', 'top', 'bottom', 'datecalc', 'advanced'):
    canvas = Canvas()
    button_glyph(canvas, button)
    write_bmp('button_%s.bmp' % button, [canvas])


# The kind images of the personal-data list (14 x 14, on white, which the list masks): event, attribute,
# relationship, information, name.
def write_kind_strip(path, names, size=14):
    images = []
    for name in names:
        c = Canvas()
        glyph(c, name)
        images.append([[WHITE if c.px[y][x] == BG else c.px[y][x] for x in range(1, 1 + size)]
                       for y in range(1, 1 + size)])
    width = size * len(images)
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(size)):
        row = bytearray()
        for image in images:
            for r, g, b in image[y]:
                row += bytes((b, g, r))
        row += b'\0' * (row_bytes - len(row))
        data += row
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


write_kind_strip('person_data_kinds.bmp', ['event', 'attribute', 'parent', 'info', 'name'])
