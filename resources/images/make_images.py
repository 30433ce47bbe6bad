#!/usr/bin/env python3
"""Draws the editor's tool bar bitmaps, cursors, icons and small bitmaps.

Run it from anywhere; it writes the files next to itself. The generated files are committed, so
the build does not need Python. The logo bitmap needs ImageMagick's convert and a Chinese font.
"""
import math
import os
import shutil
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# Colours
GREY = (192, 192, 192)   # transparent in tool bar images
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (64, 64, 64)
MID = (128, 128, 128)
RED = (200, 0, 0)
BLUE = (0, 0, 200)
NAVY = (0, 0, 128)
GREEN = (0, 140, 0)
YELLOW = (255, 220, 0)
CYAN = (0, 160, 200)
ORANGE = (230, 120, 0)
PAPER = (255, 255, 240)


class Canvas:
    def __init__(self, width, height, background=GREY):
        self.w, self.h = width, height
        self.p = [[background] * width for _ in range(height)]

    def px(self, x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.w and 0 <= y < self.h:
            self.p[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        x0, y0, x1, y1 = int(round(x0)), int(round(y0)), int(round(x1)), int(round(y1))
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.px(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def poly(self, points, c, closed=False):
        for a, b in zip(points, points[1:]):
            self.line(a[0], a[1], b[0], b[1], c)
        if closed and len(points) > 2:
            self.line(points[-1][0], points[-1][1], points[0][0], points[0][1], c)

    def rect(self, x0, y0, x1, y1, c):
        self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], c, True)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(int(y0), int(y1) + 1):
            for x in range(int(x0), int(x1) + 1):
                self.px(x, y, c)

    def box(self, x0, y0, x1, y1, inside, edge=BLACK):
        self.fill(x0, y0, x1, y1, inside)
        self.rect(x0, y0, x1, y1, edge)

    def ellipse(self, cx, cy, rx, ry, c, filled=None, start=0.0, end=360.0):
        if filled is not None:
            for y in range(int(cy - ry), int(cy + ry) + 1):
                for x in range(int(cx - rx), int(cx + rx) + 1):
                    if ((x - cx) / max(rx, 0.5)) ** 2 + ((y - cy) / max(ry, 0.5)) ** 2 <= 1.0:
                        self.px(x, y, filled)
        steps = max(16, int((rx + ry) * 4))
        prev = None
        for i in range(steps + 1):
            a = math.radians(start + (end - start) * i / steps)
            pt = (cx + rx * math.cos(a), cy - ry * math.sin(a))
            if prev:
                self.line(prev[0], prev[1], pt[0], pt[1], c)
            prev = pt

    def fill_poly(self, points, c):
        ys = [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            xs = []
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 <= y < y1) or (y1 <= y < y0):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(int(math.ceil(a)), int(math.floor(b)) + 1):
                    self.px(x, y, c)

    def bezier(self, p0, p1, p2, p3, c):
        prev = p0
        for i in range(1, 21):
            t = i / 20.0
            u = 1 - t
            pt = (u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                  u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1])
            self.line(prev[0], prev[1], pt[0], pt[1], c)
            prev = pt

    def arrow(self, x0, y0, x1, y1, c, head=3):
        self.line(x0, y0, x1, y1, c)
        a = math.atan2(y1 - y0, x1 - x0)
        for s in (-1, 1):
            self.line(x1, y1, x1 - head * math.cos(a + s * 0.6), y1 - head * math.sin(a + s * 0.6), c)

    def node(self, x, y, c=BLACK, inside=WHITE):
        self.box(x - 1, y - 1, x + 1, y + 1, inside, c)

    def text(self, x, y, s, c, scale=1):
        for ch in s:
            rows = FONT.get(ch)
            if rows is None:
                x += 4 * scale
                continue
            for r, bits in enumerate(rows):
                for col, bit in enumerate(bits):
                    if bit == '#':
                        self.fill(x + col * scale, y + r * scale, x + col * scale + scale - 1,
                                  y + r * scale + scale - 1, c)
            x += (len(rows[0]) + 1) * scale

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.px(ox + x, oy + y, other.p[y][x])


# A small pixel font for the letters the images use.
FONT = {
    'A': [".#.", "#.#", "###", "#.#", "#.#"],
    'a': ["...", "##.", "..#", "###", "###"],
    'B': ["##.", "#.#", "##.", "#.#", "##."],
    'C': [".##", "#..", "#..", "#..", ".##"],
    'E': ["###", "#..", "##.", "#..", "###"],
    'F': ["###", "#..", "##.", "#..", "#.."],
    'G': [".##", "#..", "#.#", "#.#", ".##"],
    'I': ["###", ".#.", ".#.", ".#.", "###"],
    'K': ["#.#", "#.#", "##.", "#.#", "#.#"],
    'L': ["#..", "#..", "#..", "#..", "###"],
    'N': ["#..#", "##.#", "#.##", "#..#", "#..#"],
    'O': [".#.", "#.#", "#.#", "#.#", ".#."],
    'P': ["##.", "#.#", "##.", "#..", "#.."],
    'R': ["##.", "#.#", "##.", "#.#", "#.#"],
    'S': [".##", "#..", ".#.", "..#", "##."],
    'T': ["###", ".#.", ".#.", ".#.", ".#."],
    'V': ["#.#", "#.#", "#.#", "#.#", ".#."],
    'X': ["#.#", "#.#", ".#.", "#.#", "#.#"],
    '1': [".#.", "##.", ".#.", ".#.", "###"],
    '2': ["##.", "..#", ".#.", "#..", "###"],
    '9': [".#.", "#.#", ".##", "..#", ".#."],
    '0': [".#.", "#.#", "#.#", "#.#", ".#."],
    '+': ["...", ".#.", "###", ".#.", "..."],
    '-': ["...", "...", "###", "...", "..."],
    '?': ["##.", "..#", ".#.", "...", ".#."],
    '%': ["#..", "..#", ".#.", "#..", "..#"],
}


# ---------------------------------------------------------------- file writers

def write_bmp(path, canvas):
    """24-bit bottom-up BMP."""
    row = canvas.w * 3
    pad = (4 - row % 4) % 4
    data = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        for (r, g, b) in canvas.p[y]:
            data += bytes((b, g, r))
        data += b'\0' * pad
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.w, canvas.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def mask_bits(width, height, test):
    """Bottom-up 1-bit rows, padded to 32 bits."""
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            if test(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_image(canvas, transparent):
    """BITMAPINFOHEADER + 24-bit XOR image + AND mask (transparent pixels masked)."""
    w, h = canvas.w, canvas.h
    row = w * 3
    pad = (4 - row % 4) % 4
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for (r, g, b) in canvas.p[y]:
            if (r, g, b) == transparent:
                r = g = b = 0
            xor += bytes((b, g, r))
        xor += b'\0' * pad
    andmask = mask_bits(w, h, lambda x, y: canvas.p[y][x] == transparent)
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 24, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    return info + bytes(xor) + andmask


def write_ico(path, canvases, transparent=GREY):
    images = [icon_image(c, transparent) for c in canvases]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, 0, 0, 1, 24, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    with open(path, 'wb') as f:
        f.write(out)


def write_cur(path, shape, hotspot):
    """Monochrome 32x32 cursor from a list of 32 strings: '#' black, 'o' white, '.' clear."""
    w = h = 32
    get = lambda x, y: shape[y][x] if y < len(shape) and x < len(shape[y]) else '.'
    xor = mask_bits(w, h, lambda x, y: get(x, y) == 'o')
    andmask = mask_bits(w, h, lambda x, y: get(x, y) == '.')
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 1, 0, len(xor) + len(andmask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + xor + andmask
    head = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', w, h, 0, 0, hotspot[0], hotspot[1], len(image), 22)
    with open(path, 'wb') as f:
        f.write(head + entry + image)


# ---------------------------------------------------------------- tool bar images (16 x 15)

def page(c, x0=3, y0=1, x1=12, y1=13, fold=True):
    c.box(x0, y0, x1, y1, WHITE)
    if fold:
        c.fill(x1 - 2, y0, x1, y0 + 2, GREY)
        c.poly([(x1 - 3, y0), (x1 - 3, y0 + 3), (x1, y0 + 3)], BLACK)
        c.line(x1 - 3, y0, x1, y0 + 3, BLACK)


def folder(c):
    c.fill_poly([(1, 4), (6, 4), (7, 5), (13, 5), (13, 12), (1, 12)], YELLOW)
    c.poly([(1, 4), (6, 4), (7, 5), (13, 5), (13, 12), (1, 12)], DARK, True)
    c.fill_poly([(3, 7), (15, 7), (13, 12), (1, 12)], (240, 200, 80))
    c.poly([(3, 7), (15, 7), (13, 12), (1, 12)], DARK, True)


def disk(c):
    c.box(1, 1, 13, 13, NAVY)
    c.box(3, 1, 11, 6, WHITE)
    c.box(4, 9, 10, 13, MID)
    c.fill(8, 10, 9, 12, BLACK)


def scissors(c):
    c.line(4, 1, 9, 9, BLACK)
    c.line(10, 1, 5, 9, BLACK)
    c.ellipse(4, 11, 2, 2, BLACK)
    c.ellipse(10, 11, 2, 2, BLACK)


def copy_pages(c):
    page(c, 1, 1, 8, 9, False)
    page(c, 6, 5, 14, 13, False)
    for y in (7, 9, 11):
        c.line(8, y, 12, y, BLUE)


def clipboard(c):
    c.box(2, 2, 12, 13, (160, 110, 40))
    c.box(5, 1, 9, 3, MID)
    page(c, 6, 5, 14, 14, False)


def undo(c):
    c.ellipse(8, 8, 5, 4, BLUE, start=-90, end=160)
    c.arrow(6, 4, 3, 6, BLUE)
    c.line(3, 6, 3, 3, BLUE)


def printer(c):
    c.box(4, 1, 11, 6, WHITE)
    c.box(1, 6, 14, 11, MID)
    c.box(4, 10, 11, 14, WHITE)
    c.px(12, 8, GREEN)


def knife(c, x=0, y=0):
    c.fill_poly([(x + 2, y + 13), (x + 10, y + 3), (x + 13, y + 5), (x + 4, y + 14)], MID)
    c.line(x + 2, y + 13, x + 10, y + 3, BLACK)
    c.line(x + 10, y + 3, x + 13, y + 5, BLACK)
    c.line(x + 13, y + 5, x + 4, y + 14, BLACK)
    c.fill(x + 11, y + 1, x + 14, y + 3, RED)


def magnifier(c, sign):
    c.ellipse(6, 6, 4, 4, BLACK, filled=WHITE)
    c.line(9, 9, 14, 14, BLACK)
    c.line(10, 9, 14, 13, BLACK)
    c.line(4, 6, 8, 6, BLACK)
    if sign == '+':
        c.line(6, 4, 6, 8, BLACK)


def picture(c):
    c.box(1, 2, 14, 12, WHITE)
    c.fill_poly([(2, 11), (6, 6), (9, 9), (11, 7), (13, 11)], GREEN)
    c.ellipse(11, 5, 1, 1, ORANGE, filled=ORANGE)


def arrow_pointer(c, x=3, y=1, fill=WHITE):
    pts = [(x, y), (x, y + 11), (x + 3, y + 8), (x + 5, y + 12), (x + 7, y + 11), (x + 5, y + 7),
           (x + 9, y + 7)]
    c.fill_poly(pts, fill)
    c.poly(pts, BLACK, True)


def letter_a(c):
    c.text(3, 2, 'A', BLACK, 2)
    c.line(2, 13, 13, 13, BLUE)


def align_icon(c, side):
    if side in ('left', 'right', 'hcentre'):
        x = {'left': 2, 'right': 13, 'hcentre': 7}[side]
        c.line(x, 0, x, 14, RED)
        if side == 'left':
            c.box(3, 2, 12, 5, CYAN)
            c.box(3, 8, 8, 12, CYAN)
        elif side == 'right':
            c.box(3, 2, 12, 5, CYAN)
            c.box(7, 8, 12, 12, CYAN)
        else:
            c.box(2, 2, 12, 5, CYAN)
            c.box(4, 8, 10, 12, CYAN)
    else:
        y = {'top': 1, 'bottom': 13, 'vcentre': 7}[side]
        c.line(0, y, 15, y, RED)
        if side == 'top':
            c.box(2, 2, 5, 12, CYAN)
            c.box(8, 2, 12, 7, CYAN)
        elif side == 'bottom':
            c.box(2, 2, 5, 12, CYAN)
            c.box(8, 7, 12, 12, CYAN)
        else:
            c.box(2, 2, 5, 12, CYAN)
            c.box(8, 4, 12, 10, CYAN)


def curve_with_nodes(c, nodes=True):
    c.bezier((1, 12), (4, 0), (10, 16), (14, 3), BLACK)
    if nodes:
        c.node(1, 12)
        c.node(14, 3)


IMAGES = {}


def image(*ids):
    def register(fn):
        for i in ids:
            IMAGES[i] = fn
        return fn
    return register


@image(57600)
def _new(c):
    page(c)


@image(57601)
def _open(c):
    folder(c)


@image(57603)
def _save(c):
    disk(c)


@image(57635)
def _cut(c):
    scissors(c)


@image(57634)
def _copy(c):
    copy_pages(c)


@image(57637)
def _paste(c):
    clipboard(c)


@image(57643)
def _undo(c):
    undo(c)


@image(57607)
def _print(c):
    printer(c)


@image(40017)
def _merge(c):
    page(c, 1, 1, 9, 11, False)
    page(c, 6, 4, 14, 14, False)
    c.arrow(2, 13, 7, 8, RED)


@image(40021)
def _read_image(c):
    picture(c)


@image(32789)
def _cut_output(c):
    knife(c)


@image(40061)
def _page_setup(c):
    c.box(2, 1, 13, 13, WHITE)
    c.rect(4, 3, 11, 11, BLUE)
    c.arrow(4, 7, 11, 7, RED, 2)
    c.arrow(11, 7, 4, 7, RED, 2)


@image(57664)
def _about(c):
    c.ellipse(7, 7, 6, 6, NAVY, filled=(220, 230, 255))
    c.text(6, 4, '?', NAVY, 1)
    c.fill(6, 4, 6, 4, NAVY)
    c.text(5, 4, '?', NAVY, 1)


@image(40112)
def _zoom_in(c):
    magnifier(c, '+')


@image(40113)
def _zoom_out(c):
    magnifier(c, '-')


@image(40110)
def _whole_page(c):
    c.box(3, 1, 12, 13, WHITE)
    c.rect(1, 0, 14, 14, BLUE)


@image(40111)
def _show_all(c):
    c.ellipse(5, 6, 3, 3, BLACK, filled=CYAN)
    c.box(8, 7, 13, 12, (255, 200, 200))
    c.rect(1, 1, 14, 14, BLUE)


@image(40031)
def _redraw(c):
    c.ellipse(7, 7, 5, 5, GREEN, start=30, end=330)
    c.arrow(11, 10, 12, 4, GREEN)


@image(40066)
def _zone_table(c):
    c.box(1, 1, 14, 13, WHITE)
    for x in (5, 10):
        c.line(x, 1, x, 13, MID)
    for y in (5, 9):
        c.line(1, y, 14, y, MID)
    c.fill(6, 6, 9, 8, RED)


@image(40067)
def _text_editor(c):
    c.box(1, 1, 14, 13, WHITE)
    c.fill(2, 2, 13, 3, NAVY)
    for y in (6, 8, 10):
        c.line(3, y, 12, y, BLACK)


@image(32807)
def _property_window(c):
    c.box(1, 1, 14, 13, WHITE)
    c.fill(2, 2, 13, 3, NAVY)
    c.text(3, 5, 'P', BLACK, 1)
    c.line(7, 7, 12, 7, MID)
    c.line(7, 10, 12, 10, MID)


@image(32772)
def _palette(c):
    colours = [RED, GREEN, BLUE, YELLOW, CYAN, ORANGE, BLACK, WHITE]
    for i, col in enumerate(colours):
        x = 2 + (i % 2) * 6
        y = 1 + (i // 2) * 3
        c.box(x, y, x + 5, y + 3, col)


@image(40070)
def _select(c):
    arrow_pointer(c)


@image(40071)
def _text(c):
    letter_a(c)


@image(40118)
def _node_tool(c):
    arrow_pointer(c, 1, 1, BLACK)
    c.node(12, 4)
    c.node(12, 11)
    c.line(12, 5, 12, 10, BLACK)


@image(40075)
def _library(c):
    c.box(2, 1, 12, 13, (160, 40, 40))
    c.fill(4, 1, 4, 13, (230, 200, 120))
    c.fill_poly([(8, 3), (9, 6), (11, 6), (9, 8), (10, 11), (8, 9), (6, 11), (7, 8), (5, 6), (7, 6)],
                YELLOW)


@image(40046)
def _rotate(c):
    c.box(4, 4, 11, 11, CYAN)
    c.ellipse(7, 7, 6, 6, BLACK, start=20, end=160)
    c.arrow(2, 6, 1, 8, BLACK, 2)
    c.arrow(12, 6, 13, 8, BLACK, 2)


@image(40047)
def _skew(c):
    pts = [(5, 3), (14, 3), (10, 12), (1, 12)]
    c.fill_poly(pts, CYAN)
    c.poly(pts, BLACK, True)


@image(60000)
def _art(c):
    c.bezier((1, 4), (5, 0), (9, 8), (14, 3), RED)
    c.bezier((1, 12), (5, 8), (9, 16), (14, 11), RED)
    c.line(1, 4, 1, 12, RED)
    c.line(14, 3, 14, 11, RED)


@image(40108)
def _mirror(c):
    c.line(7, 0, 7, 14, RED)
    c.fill_poly([(1, 12), (6, 12), (6, 3)], CYAN)
    c.poly([(1, 12), (6, 12), (6, 3)], BLACK, True)
    c.poly([(13, 12), (8, 12), (8, 3)], BLACK, True)


@image(40039)
def _split(c):
    c.rect(1, 1, 9, 9, BLACK)
    c.rect(6, 6, 14, 13, BLUE)


@image(40038)
def _combine_contours(c):
    c.fill(1, 1, 9, 9, CYAN)
    c.fill(6, 6, 14, 13, CYAN)
    c.rect(1, 1, 9, 9, BLACK)
    c.rect(6, 6, 14, 13, BLACK)
    c.fill(6, 6, 9, 9, GREY)


@image(40036)
def _group(c):
    c.box(2, 2, 7, 7, CYAN)
    c.ellipse(10, 10, 3, 3, BLACK, filled=(255, 200, 200))
    c.rect(0, 0, 14, 14, BLUE)


@image(40037)
def _ungroup(c):
    c.box(1, 1, 6, 6, CYAN)
    c.ellipse(11, 11, 3, 3, BLACK, filled=(255, 200, 200))
    c.rect(0, 0, 7, 7, BLUE)
    c.rect(7, 7, 15, 14, BLUE)


@image(40024)
def _output_areas(c):
    c.rect(1, 1, 14, 13, RED)
    c.rect(3, 3, 12, 11, RED)
    knife(c, 1, 0)


@image(65535)
def _placeholder(c):
    pass


@image(40080)
def _align_left(c):
    align_icon(c, 'left')


@image(40081)
def _align_right(c):
    align_icon(c, 'right')


@image(40082)
def _align_top(c):
    align_icon(c, 'top')


@image(40083)
def _align_bottom(c):
    align_icon(c, 'bottom')


@image(40084)
def _align_hcentre(c):
    align_icon(c, 'hcentre')


@image(40085)
def _align_vcentre(c):
    align_icon(c, 'vcentre')


@image(32820)
def _position(c):
    c.box(4, 4, 11, 10, CYAN)
    c.line(0, 7, 15, 7, RED)
    c.line(7, 0, 7, 14, RED)


@image(32852)
def _space_horz(c):
    for x in (1, 6, 11):
        c.box(x, 4, x + 3, 10, CYAN)
    c.arrow(5, 13, 1, 13, RED, 2)
    c.arrow(10, 13, 14, 13, RED, 2)


@image(32853)
def _space_vert(c):
    for y in (0, 5, 10):
        c.box(4, y, 10, y + 3, CYAN)
    c.arrow(13, 5, 13, 1, RED, 2)
    c.arrow(13, 9, 13, 13, RED, 2)


@image(32862)
def _move_contour(c):
    c.rect(1, 3, 8, 10, BLACK)
    c.rect(6, 5, 13, 12, BLUE)
    c.arrow(3, 13, 9, 13, RED, 2)


@image(40119)
def _add_node(c):
    curve_with_nodes(c)
    c.node(7, 8, RED, RED)
    c.text(10, 9, '+', RED)


@image(40120)
def _delete_node(c):
    curve_with_nodes(c)
    c.node(7, 8, RED, RED)
    c.text(10, 9, '-', RED)


@image(40121)
def _break_node(c):
    c.line(1, 12, 6, 6, BLACK)
    c.line(9, 6, 14, 2, BLACK)
    c.node(6, 6, RED, RED)
    c.node(9, 6, RED, RED)


@image(40122)
def _join_nodes(c):
    c.line(1, 12, 7, 6, BLACK)
    c.line(7, 6, 14, 2, BLACK)
    c.node(7, 6, RED, RED)
    c.node(1, 12)
    c.node(14, 2)


@image(40141)
def _to_curve(c):
    c.line(1, 12, 14, 3, MID)
    c.bezier((1, 12), (3, 0), (10, 14), (14, 3), BLACK)
    c.node(1, 12)
    c.node(14, 3)


@image(40142)
def _to_line(c):
    c.bezier((1, 12), (3, 0), (10, 14), (14, 3), MID)
    c.line(1, 12, 14, 3, BLACK)
    c.node(1, 12)
    c.node(14, 3)


@image(40165)
def _delete_contour(c):
    c.rect(2, 2, 12, 12, BLACK)
    c.line(1, 1, 13, 13, RED)
    c.line(13, 1, 1, 13, RED)


@image(40168)
def _replace_curve(c):
    c.line(1, 12, 5, 4, MID)
    c.line(5, 4, 10, 4, MID)
    c.line(10, 4, 14, 12, MID)
    c.bezier((1, 12), (3, 1), (12, 1), (14, 12), BLACK)
    c.node(1, 12)
    c.node(14, 12)


@image(40166)
def _replace_circle(c):
    c.ellipse(7, 7, 5, 5, BLACK, filled=CYAN)


@image(40167)
def _replace_square(c):
    c.box(2, 2, 12, 12, CYAN)


@image(32855)
def _draw_contour(c):
    c.poly([(1, 13), (4, 3), (9, 10), (14, 1)], BLACK)
    for p in [(1, 13), (4, 3), (9, 10), (14, 1)]:
        c.node(*p)


@image(40051)
def _font_size(c):
    c.text(1, 2, 'A', BLACK, 2)
    c.text(9, 7, 'a', BLUE, 1)


@image(40176)
def _size_normal(c):
    c.text(1, 5, 'A', BLACK, 1)
    c.text(6, 5, 'B', BLACK, 1)
    c.text(11, 5, 'C', BLACK, 1)


@image(40053)
def _size_uniform(c):
    for x in (1, 6, 11):
        c.rect(x, 3, x + 3, 11, BLUE)
    c.text(1, 5, 'A', BLACK)
    c.text(6, 5, 'B', BLACK)
    c.text(11, 5, 'C', BLACK)


@image(40052)
def _size_absolute(c):
    c.rect(1, 3, 14, 11, BLUE)
    c.text(2, 5, 'A', BLACK)
    c.text(6, 5, 'B', BLACK)
    c.text(10, 5, 'C', BLACK)


@image(40174)
def _line_start(c):
    c.line(2, 0, 2, 14, RED)
    for y in (2, 6, 10):
        c.line(3, y, 3 + (14 - y) // 2 + 4, y, BLACK)


@image(40175)
def _line_start_cancel(c):
    for y, x in ((2, 2), (6, 5), (10, 3)):
        c.line(x, y, x + 8, y, BLACK)
    c.line(1, 13, 14, 1, RED)


@image(40091)
def _justify(c):
    for y in (2, 5, 8, 11):
        c.line(1, y, 14, y, BLACK)


@image(40092)
def _left(c):
    for y, w in ((2, 13), (5, 8), (8, 11), (11, 6)):
        c.line(1, y, w, y, BLACK)


@image(32809)
def _library_page(c):
    c.box(1, 2, 14, 12, WHITE)
    c.text(3, 5, 'L', BLUE)
    c.text(7, 5, 'I', BLUE)
    c.text(10, 5, 'B', BLUE)


@image(32870)
def _add_to_library(c):
    _library(c)
    c.text(11, 9, '+', RED)


@image(32794)
def _select_area(c):
    c.rect(5, 2, 34, 17, RED)
    arrow_pointer(c, 15, 4)


@image(32792)
def _draw_area(c):
    c.rect(5, 2, 34, 17, RED)
    c.line(19, 5, 19, 13, BLACK)
    c.line(15, 9, 23, 9, BLACK)


@image(32791)
def _clear_areas(c):
    c.rect(5, 2, 34, 17, RED)
    c.line(8, 4, 31, 15, BLACK)
    c.line(31, 4, 8, 15, BLACK)


@image(40032)
def _solid(c):
    c.box(5, 2, 34, 17, (255, 200, 200), RED)


@image(32827)
def _hollow(c):
    c.rect(5, 2, 34, 17, RED)
    c.rect(6, 3, 33, 16, RED)


@image('cut39')
def _cut_output_wide(c):
    knife(c, 12, 2)


@image(32781)
def _property_bar_place(c):
    c.box(1, 2, 43, 12, WHITE)
    c.text(3, 5, 'A', BLACK)
    c.fill(37, 4, 41, 10, MID)


# Tool bar resources: id, image size, buttons (0 separator).
TOOLBARS = [
    (132, (16, 15), [57600, 57601, 57603, 0, 57635, 57634, 57637, 57643, 0, 40017, 40021, 0,
                     57607, 32789, 0, 40061, 0, 57664]),
    (136, (16, 15), [40112, 40113, 40110, 40111, 40031, 0, 40066, 40067, 32807, 32772]),
    (128, (16, 15), [40070, 40071, 40118, 40075, 40046, 40047, 60000, 40108, 40039, 40038, 40036,
                     40037, 57607, 40024, 65535, 0, 40080, 40081, 40082, 40083, 40084, 40085,
                     32820, 0, 32852, 32853]),
    (192, (16, 15), [40118, 32862, 40119, 40120, 40121, 40122, 40141, 40142, 40165, 40168, 40166,
                     40167, 65535, 0, 32855]),
    (200, (39, 20), [32794, 32792, 32791, 40032, 32827, 32789]),
    (151, (16, 15), [40051, 0, 40176, 40053, 40052, 0, 40174, 40175, 0, 40091, 40092]),
    (221, (16, 15), [32809, 0, 32870, 0, 32809, 0, 32809, 0, 32809]),
    (158, (45, 15), [32781]),
]


def toolbar_bitmap(ident, size, buttons):
    ids = [b for b in buttons if b != 0]
    strip = Canvas(size[0] * len(ids), size[1])
    for i, b in enumerate(ids):
        c = Canvas(size[0], size[1])
        key = 'cut39' if (b == 32789 and size[0] == 39) else b
        IMAGES[key](c)
        strip.paste(c, i * size[0], 0)
    write_bmp(os.path.join(HERE, 'toolbar%d.bmp' % ident), strip)


def toolbar_script():
    lines = ['// Tool bar resources: version 1, image width and height, button count, the command ids',
             '// (0 for a separator). Generated by resources/images/make_images.py.', '']
    for ident, size, buttons in TOOLBARS:
        words = [1, size[0], size[1], len(buttons)] + buttons
        lines.append('%d 241' % ident)
        lines.append('BEGIN')
        for i in range(0, len(words), 10):
            chunk = ', '.join('%d' % w for w in words[i:i + 10])
            more = ',' if i + 10 < len(words) else ''
            lines.append('  ' + chunk + more)
        lines.append('END')
        lines.append('%d BITMAP "resources/images/toolbar%d.bmp"' % (ident, ident))
        lines.append('')
    with open(os.path.join(HERE, '..', 'ToolBars.rci'), 'w') as f:
        f.write('\n'.join(lines))


# ---------------------------------------------------------------- cursors

def blank():
    return [['.'] * 32 for _ in range(32)]


def put(shape, x, y, ch):
    if 0 <= x < 32 and 0 <= y < 32:
        shape[y][x] = ch


def crosshair(shape, cx=7, cy=7, arm=7):
    for d in range(-arm, arm + 1):
        if abs(d) > 1:
            for (x, y) in ((cx + d, cy), (cx, cy + d)):
                put(shape, x, y, '#')
    # a white outline keeps the cross visible on dark drawings
    for d in range(-arm, arm + 1):
        if abs(d) > 1:
            for (x, y) in ((cx + d, cy - 1), (cx + d, cy + 1), (cx - 1, cy + d), (cx + 1, cy + d)):
                if 0 <= x < 32 and 0 <= y < 32 and shape[y][x] == '.':
                    put(shape, x, y, 'o')


def badge(shape, draw):
    """Draws a 14x14 tool sign below and right of the cross, white with a black picture."""
    c = Canvas(14, 14, WHITE)
    draw(c)
    for y in range(14):
        for x in range(14):
            v = c.p[y][x]
            put(shape, 13 + x, 13 + y, '#' if v != WHITE else 'o')
    for x in range(12, 28):
        put(shape, x, 12, '#')
        put(shape, x, 27, '#')
    for y in range(12, 28):
        put(shape, 12, y, '#')
        put(shape, 27, y, '#')


def tool_cursor(draw):
    shape = blank()
    crosshair(shape)
    badge(shape, draw)
    return shape, (7, 7)


def arrow_cursor(extra):
    rows = [
        "#...........",
        "##..........",
        "#o#.........",
        "#oo#........",
        "#ooo#.......",
        "#oooo#......",
        "#ooooo#.....",
        "#oooooo#....",
        "#ooooooo#...",
        "#oooooooo#..",
        "#ooooo#####.",
        "#oo#oo#.....",
        "#o#.#oo#....",
        "##..#oo#....",
        "#....#oo#...",
        ".....#oo#...",
        "......##....",
    ]
    shape = blank()
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != '.':
                put(shape, x, y, ch)
    extra(shape)
    return shape, (0, 0)


def four_arrows(shape, cx, cy, r):
    for d in range(-r, r + 1):
        put(shape, cx + d, cy, '#')
        put(shape, cx, cy + d, '#')
    for k in range(1, 4):
        for s in (-1, 1):
            put(shape, cx + r - k, cy + s * k, '#')
            put(shape, cx - r + k, cy + s * k, '#')
            put(shape, cx + s * k, cy + r - k, '#')
            put(shape, cx + s * k, cy - r + k, '#')


def outline_white(shape):
    for y in range(32):
        for x in range(32):
            if shape[y][x] == '#':
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    if 0 <= x + dx < 32 and 0 <= y + dy < 32 and shape[y + dy][x + dx] == '.':
                        shape[y + dy][x + dx] = 'o'


def move_cursor():
    shape = blank()
    four_arrows(shape, 15, 15, 10)
    outline_white(shape)
    return shape, (15, 15)


def rotate_cursor():
    shape = blank()
    for i in range(0, 271, 3):
        a = math.radians(i + 45)
        put(shape, int(round(15 + 9 * math.cos(a))), int(round(15 - 9 * math.sin(a))), '#')
    a = math.radians(45)
    ex, ey = int(round(15 + 9 * math.cos(a))), int(round(15 - 9 * math.sin(a)))
    for k in range(1, 5):
        put(shape, ex - k, ey, '#')
        put(shape, ex, ey + k, '#')
    put(shape, 15, 15, '#')
    outline_white(shape)
    return shape, (15, 15)


def skew_cursor(horizontal):
    shape = blank()
    for d in range(-10, 11):
        if horizontal:
            put(shape, 15 + d, 12, '#')
            put(shape, 15 - d, 18, '#')
        else:
            put(shape, 12, 15 + d, '#')
            put(shape, 18, 15 - d, '#')
    for k in range(1, 4):
        if horizontal:
            put(shape, 25 - k, 12 - k, '#'); put(shape, 25 - k, 12 + k, '#')
            put(shape, 5 + k, 18 - k, '#'); put(shape, 5 + k, 18 + k, '#')
        else:
            put(shape, 12 - k, 25 - k, '#'); put(shape, 12 + k, 25 - k, '#')
            put(shape, 18 - k, 5 + k, '#'); put(shape, 18 + k, 5 + k, '#')
    outline_white(shape)
    return shape, (15, 15)


def tracker_cursor():
    def extra(shape):
        for x in range(12, 20):
            put(shape, x, 14, '#')
            put(shape, x, 20, '#')
        for y in range(14, 21):
            put(shape, 12, y, '#')
            put(shape, 19, y, '#')
    return arrow_cursor(extra)


def text_drag_cursor():
    def extra(shape):
        for x in range(10, 22):
            put(shape, x, 18, '#')
            put(shape, x, 25, '#')
        for y in range(18, 26):
            put(shape, 10, y, '#')
            put(shape, 21, y, '#')
        for x in range(11, 21):
            for y in range(19, 25):
                put(shape, x, y, 'o')
        for x in range(12, 20, 2):
            put(shape, x, 21, '#')
            put(shape, x, 22, '#')
    return arrow_cursor(extra)


def badge_text(s):
    return lambda c: c.text(1, 4, s, BLACK, 1)


CURSORS = {
    146: move_cursor,
    158: lambda: tool_cursor(lambda c: (c.rect(1, 1, 12, 12, BLACK), c.rect(3, 3, 10, 10, BLACK))),
    153: lambda: tool_cursor(lambda c: (c.line(1, 12, 12, 1, BLACK), c.fill(9, 1, 12, 3, BLACK))),
    156: lambda: tool_cursor(lambda c: [c.line(1, y, 12, y - 6, BLACK) for y in (7, 10, 13)]),
    154: lambda: tool_cursor(lambda c: [c.line(6, 6, 6 + 6 * math.cos(a), 6 + 6 * math.sin(a), BLACK)
                                        for a in (0, 1.0, 2.1, 3.1, 4.2, 5.2)]),
    163: lambda: tool_cursor(lambda c: (c.ellipse(6, 6, 5, 5, BLACK), c.ellipse(6, 6, 2, 2, BLACK))),
    162: lambda: tool_cursor(lambda c: c.poly([(1, 12), (4, 2), (8, 9), (12, 1)], BLACK)),
    184: lambda: tool_cursor(lambda c: (c.rect(1, 1, 9, 9, BLACK), c.arrow(5, 12, 12, 5, BLACK))),
    129: lambda: tool_cursor(lambda c: (c.rect(1, 2, 12, 11, BLACK),
                                        c.poly([(2, 10), (5, 5), (8, 8), (11, 4)], BLACK))),
    148: lambda: tool_cursor(lambda c: c.fill_poly([(6, 0), (8, 4), (12, 5), (9, 8), (10, 12),
                                                    (6, 10), (2, 12), (3, 8), (0, 5), (4, 4)], BLACK)),
    202: lambda: tool_cursor(lambda c: c.line(1, 12, 12, 1, BLACK)),
    149: lambda: tool_cursor(lambda c: c.poly([(1, 11), (3, 2), (10, 1), (12, 9), (6, 12)], BLACK, True)),
    187: lambda: tool_cursor(lambda c: c.rect(1, 3, 12, 10, BLACK)),
    189: lambda: tool_cursor(lambda c: c.ellipse(6, 6, 5, 5, BLACK)),
    188: lambda: tool_cursor(lambda c: c.bezier((1, 11), (3, -2), (9, 14), (12, 2), BLACK)),
    198: lambda: tool_cursor(lambda c: c.poly([(6, 1), (12, 5), (10, 12), (2, 12), (0, 5)], BLACK, True)),
    199: lambda: tool_cursor(lambda c: (c.rect(1, 1, 12, 12, BLACK), c.line(1, 6, 12, 6, BLACK),
                                        c.line(6, 1, 6, 12, BLACK))),
    195: tracker_cursor,
    196: lambda: tool_cursor(lambda c: (c.ellipse(5, 5, 4, 4, BLACK), c.line(8, 8, 12, 12, BLACK),
                                        c.line(3, 5, 7, 5, BLACK), c.line(5, 3, 5, 7, BLACK))),
    272: lambda: tool_cursor(lambda c: (c.ellipse(5, 5, 4, 4, BLACK), c.line(8, 8, 12, 12, BLACK),
                                        c.line(3, 5, 7, 5, BLACK))),
    197: lambda: tool_cursor(lambda c: (c.bezier((1, 11), (3, 0), (9, 14), (12, 2), BLACK),
                                        c.node(1, 11), c.node(12, 2))),
    262: lambda: tool_cursor(lambda c: (c.line(1, 11, 12, 2, BLACK), c.text(7, 7, '+', BLACK))),
    164: lambda: tool_cursor(lambda c: (c.line(1, 11, 12, 2, BLACK), c.text(7, 7, '-', BLACK))),
    217: lambda: tool_cursor(lambda c: c.bezier((1, 11), (2, 0), (10, 13), (12, 2), BLACK)),
    1178: lambda: skew_cursor(True),
    1179: lambda: skew_cursor(False),
    1146: rotate_cursor,
    263: lambda: tool_cursor(lambda c: (c.line(1, 11, 12, 2, BLACK), c.node(1, 11), c.node(12, 2))),
    266: text_drag_cursor,
}


# ---------------------------------------------------------------- icons and small bitmaps

def frame_icon(size):
    c = Canvas(size, size)
    s = size / 32.0
    c.box(2 * s, 3 * s, 29 * s, 28 * s, WHITE, NAVY)
    c.fill(3 * s, 4 * s, 28 * s, 8 * s, NAVY)
    c.text(int(6 * s), int(11 * s), 'T', RED, max(1, int(3 * s)))
    c.bezier((16 * s, 26 * s), (18 * s, 10 * s), (26 * s, 26 * s), (28 * s, 12 * s), BLUE)
    return c


def document_icon(size):
    c = Canvas(size, size)
    s = size / 32.0
    page(c, 5 * s, 1 * s, 26 * s, 30 * s, True)
    c.text(int(9 * s), int(8 * s), 'T', RED, max(1, int(3 * s)))
    c.bezier((8 * s, 26 * s), (12 * s, 14 * s), (18 * s, 30 * s), (23 * s, 18 * s), BLUE)
    return c


def xor_bitmap(w, h, draw):
    c = Canvas(w, h, BLACK)
    draw(c)
    return c


def tracker_bitmaps():
    def corner(c, cx, cy, a0):
        # a quarter circle about the box's far corner with a dot at each end
        pts = [(cx + 10 * math.cos(math.radians(a)), cy - 10 * math.sin(math.radians(a)))
               for a in range(a0, a0 + 91, 10)]
        c.poly(pts, WHITE)
        for (x, y) in (pts[0], pts[-1]):
            c.fill(x - 1, y - 1, x + 1, y + 1, WHITE)

    out = {}
    out[229] = xor_bitmap(15, 9, lambda c: (c.line(1, 4, 13, 4, WHITE), c.line(1, 4, 4, 1, WHITE),
                                            c.line(1, 4, 4, 7, WHITE), c.line(13, 4, 10, 1, WHITE),
                                            c.line(13, 4, 10, 7, WHITE)))
    out[230] = xor_bitmap(9, 15, lambda c: (c.line(4, 1, 4, 13, WHITE), c.line(4, 1, 1, 4, WHITE),
                                            c.line(4, 1, 7, 4, WHITE), c.line(4, 13, 1, 10, WHITE),
                                            c.line(4, 13, 7, 10, WHITE)))
    out[231] = xor_bitmap(15, 15, lambda c: corner(c, 14, 14, 90))
    out[232] = xor_bitmap(15, 15, lambda c: corner(c, 0, 14, 0))
    out[233] = xor_bitmap(15, 15, lambda c: corner(c, 14, 0, 180))
    out[234] = xor_bitmap(15, 15, lambda c: corner(c, 0, 0, 270))
    out[235] = xor_bitmap(15, 15, lambda c: (c.ellipse(7, 7, 5, 5, WHITE), c.line(7, 0, 7, 14, WHITE),
                                            c.line(0, 7, 14, 7, WHITE)))
    return out


def checkmark():
    c = Canvas(16, 16, WHITE)
    c.poly([(3, 8), (6, 11), (12, 4)], BLACK)
    c.poly([(3, 9), (6, 12), (12, 5)], BLACK)
    return c


def library_tree():
    """The library manager's tree images, 16 x 16 each on white: a library (a closed book), a kind
    (a folder)."""
    c = Canvas(32, 16, WHITE)
    c.fill(3, 2, 12, 13, RED)
    c.rect(3, 2, 12, 13, BLACK)
    c.line(5, 2, 5, 13, BLACK)
    c.line(7, 5, 10, 5, WHITE)
    kind = Canvas(16, 16, WHITE)
    folder(kind)
    c.paste(kind, 16, 0)
    return c


def panel_bitmaps():
    """Pictures of the text-layout panel's buttons (20 x 16) and of its edits' labels (16 x 14)."""
    def baseline_text(c, y, above):
        # a curved base line with three letters standing above or hanging below it
        c.bezier((1, y), (6, y - 3), (13, y - 3), (18, y), BLUE)
        for x in (4, 9, 14):
            if above:
                c.fill(x - 1, y - 8, x + 1, y - 3, BLACK)
            else:
                c.fill(x - 1, y + 2, x + 1, y + 7, BLACK)

    def picture(draw, w=20, h=16):
        c = Canvas(w, h)
        draw(c)
        return c

    out = {}
    out[236] = picture(lambda c: baseline_text(c, 11, True))
    out[245] = picture(lambda c: baseline_text(c, 4, False))
    out[247] = picture(lambda c: (c.fill(3, 4, 5, 11, BLACK), c.fill(8, 4, 10, 11, BLACK),
                                  c.fill(13, 4, 15, 11, BLACK), c.line(1, 7, 18, 7, BLUE)))
    out[246] = picture(lambda c: (c.fill(3, 2, 5, 7, BLACK), c.fill(8, 2, 10, 7, BLACK),
                                  c.fill(13, 2, 15, 7, BLACK), c.line(1, 12, 18, 12, BLUE),
                                  c.line(4, 7, 4, 12, MID), c.line(14, 7, 14, 12, MID)))
    out[248] = picture(lambda c: (c.line(2, 8, 17, 8, BLUE), c.line(2, 8, 6, 4, BLUE),
                                  c.line(2, 8, 6, 12, BLUE), c.text(9, 2, 'R', BLACK)))
    out[249] = picture(lambda c: (c.ellipse(9, 8, 6, 6, BLUE), c.text(6, 4, 'A', BLACK),
                                  c.line(15, 4, 17, 7, RED)))
    out[250] = picture(lambda c: (c.line(1, 8, 18, 8, BLUE), c.line(1, 4, 1, 12, BLACK),
                                  c.line(18, 4, 18, 12, BLACK), c.line(1, 8, 4, 5, BLUE),
                                  c.line(18, 8, 15, 5, BLUE)))
    out[251] = picture(lambda c: (c.line(1, 12, 14, 12, BLUE), c.line(7, 2, 7, 11, BLACK),
                                  c.line(5, 4, 7, 2, BLACK), c.line(9, 4, 7, 2, BLACK)), 16, 14)
    out[252] = picture(lambda c: (c.fill(2, 3, 4, 10, BLACK), c.fill(11, 3, 13, 10, BLACK),
                                  c.line(5, 7, 10, 7, RED)), 16, 14)
    out[253] = picture(lambda c: (c.ellipse(7, 7, 5, 5, BLUE), c.line(7, 7, 12, 7, BLACK),
                                  c.line(7, 7, 10, 3, BLACK)), 16, 14)
    return out


def write_panel_bitmaps():
    for ident, c in panel_bitmaps().items():
        write_bmp(os.path.join(HERE, 'panel%d.bmp' % ident), c)
def cut_frame_icon(size):
    """The cut-output window: a sheet of vinyl with a blade over a cut outline."""
    c = Canvas(size, size)
    s = size / 32.0
    c.box(2 * s, 6 * s, 29 * s, 27 * s, WHITE, NAVY)
    c.bezier((5 * s, 22 * s), (9 * s, 8 * s), (17 * s, 28 * s), (22 * s, 12 * s), BLUE)
    knife(c, int(18 * s), int(2 * s))
    return c


def cut_tab_images():
    """Tabs of the cut option bar (bitmap 193): job options and adjustments, on the red mask."""
    mask = (255, 0, 0)
    c = Canvas(32, 16, mask)
    c.box(2, 2, 13, 14, WHITE, BLACK)
    for y in (5, 8, 11):
        c.line(4, y, 11, y, NAVY)
    for x, y in ((19, 4), (24, 10), (29, 6)):
        c.line(x, 2, x, 14, DARK)
        c.fill(x - 1, y - 1, x + 1, y + 1, BLUE)
    return c


def cut_arrow_images(pressed):
    """The arrow buttons that step the media (bitmaps 208 and 209): <, >, ^, V, 14 wide each."""
    c = Canvas(56, 14, GREY)
    shift = 1 if pressed else 0
    heads = [
        [(9, 3), (4, 7), (9, 11)],
        [(4, 3), (9, 7), (4, 11)],
        [(3, 9), (7, 4), (11, 9)],
        [(3, 4), (7, 9), (11, 4)],
    ]
    for i, points in enumerate(heads):
        x0 = i * 14
        edge = DARK if pressed else WHITE
        c.rect(x0, 0, x0 + 13, 13, edge)
        c.fill_poly([(x0 + x + shift, y + shift) for x, y in points], BLACK)
    return c


def stamp_templates():
    """The square stamp's templates (bitmap 307): seven 60 x 60 pictures on the grey mask, a red
    seal with its characters as blocks where each template's layout puts them."""
    seal = (200, 30, 30)
    c = Canvas(7 * 60, 60, GREY)

    def character(x0, y0, x1, y1):
        c.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, seal)

    # Cells inside the frame (8..51): right column 31..49, left column 10..28, rows 10..28 and
    # 31..49, full height 10..49.
    layouts = [
        [],
        [(31, 10, 49, 49), (10, 10, 28, 49)],
        [(31, 10, 49, 28), (31, 31, 49, 49), (10, 10, 28, 49)],
        [(31, 10, 49, 49), (10, 10, 28, 28), (10, 31, 28, 49)],
        [(31, 10, 49, 28), (31, 31, 49, 49), (10, 10, 28, 28), (10, 31, 28, 49)],
        None,
        None,
    ]
    for i, cells in enumerate(layouts):
        x = i * 60
        c.fill(x + 4, 4, x + 55, 55, WHITE)
        c.rect(x + 6, 6, x + 53, 53, seal)
        c.rect(x + 7, 7, x + 52, 52, seal)
        if cells is None:
            # the templates that lay out nothing: a second frame, with cut corners for the last
            if i == 6:
                c.poly([(x + 16, 12), (x + 43, 12), (x + 47, 16), (x + 47, 43), (x + 43, 47),
                        (x + 16, 47), (x + 12, 43), (x + 12, 16)], seal, True)
            else:
                c.rect(x + 12, 12, x + 47, 47, seal)
            continue
        for (x0, y0, x1, y1) in cells:
            character(x + x0, y0, x + x1, y1)
    return c


def logo(path):
    """The start-up picture: drawn with ImageMagick so that the product name can be set in a font."""
    convert = shutil.which('convert')
    font = '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc'
    if not convert or not os.path.exists(font):
        print('skipping logo.bmp: needs convert and fonts-wqy-microhei', file=sys.stderr)
        return
    w, h = 420, 260
    strip = 26  # plain strip at the bottom for the progress text
    subprocess.check_call([
        convert, '-size', '%dx%d' % (w, h), 'xc:#C0C0C0',
        '-fill', 'gradient:#0B2A6B-#2F6FC0', '-draw', 'rectangle 0,0 %d,%d' % (w, h - strip),
        '(', '-size', '%dx%d' % (w, h - strip), 'gradient:#0B2A6B-#2F6FC0', ')',
        '-geometry', '+0+0', '-composite',
        '-stroke', '#FFD24A', '-strokewidth', '4', '-fill', 'none',
        '-draw', 'bezier 20,222 150,178 270,240 400,196',
        '-stroke', 'none', '-fill', 'white', '-font', font, '-pointsize', '52',
        '-annotate', '+40+110', '镌图匠',
        '-pointsize', '26', '-annotate', '+44+150', 'TALVEX V6.27.7',
        '-fill', '#D8E4FF', '-pointsize', '14',
        '-annotate', '+44+182', '刻字机与雕刻机的图文设计与输出',
        '-type', 'TrueColor', 'BMP3:' + path])


def main():
    for ident, size, buttons in TOOLBARS:
        toolbar_bitmap(ident, size, buttons)
    toolbar_script()
    for ident, make in CURSORS.items():
        shape, hotspot = make()
        write_cur(os.path.join(HERE, 'cursor%d.cur' % ident), [''.join(r) for r in shape], hotspot)
    write_ico(os.path.join(HERE, 'mainframe.ico'), [frame_icon(32), frame_icon(16)])
    write_ico(os.path.join(HERE, 'document.ico'), [document_icon(32), document_icon(16)])
    for ident, c in tracker_bitmaps().items():
        write_bmp(os.path.join(HERE, 'tracker%d.bmp' % ident), c)
    write_bmp(os.path.join(HERE, 'checkmark.bmp'), checkmark())
    write_bmp(os.path.join(HERE, 'librarytree.bmp'), library_tree())
    write_panel_bitmaps()
    write_ico(os.path.join(HERE, 'cutframe.ico'), [cut_frame_icon(32), cut_frame_icon(16)])
    write_bmp(os.path.join(HERE, 'cuttabs.bmp'), cut_tab_images())
    write_bmp(os.path.join(HERE, 'cutarrows.bmp'), cut_arrow_images(False))
    write_bmp(os.path.join(HERE, 'cutarrows_pressed.bmp'), cut_arrow_images(True))
    write_bmp(os.path.join(HERE, 'stamps.bmp'), stamp_templates())
    logo(os.path.join(HERE, 'logo.bmp'))


if __name__ == '__main__':
    main()
