#!/usr/bin/env python3
"""Draws the toolkit's control pictures as PNG sources for kivtool rc.

Usage: scripts/draw-pictures.py [FOLDER]   (default resources/English/pictures)

Every picture is drawn here from the one palette below, so the controls look
like one family; change a colour or a shape and run the script again. The
PNGs are RGBA (alpha 255 opaque, 0 clear) and so become 32-bit bitmaps; a
picture with several frames is written as ID.vN.png, frames stacked top down.
Only the standard library is used (zlib and struct write the PNG).
"""
import math
import os
import struct
import sys
import zlib

# The palette: paper, ink, bevel light and shadow, the outline, the accent of
# marks, fills and focus, and the tints of hover and press.
PAPER = (0xF4, 0xF1, 0xEC)
WELL = (0xFF, 0xFF, 0xFF)
LIGHT = (0xFF, 0xFF, 0xFF)
SHADOW = (0xB8, 0xB0, 0xA3)
OUTLINE = (0x7A, 0x74, 0x69)
INK = (0x2B, 0x2B, 0x2B)
ACCENT = (0x1F, 0x6F, 0x8B)
ACCENT_LIGHT = (0x5F, 0xA8, 0xC0)
HOVER = (0xE3, 0xEF, 0xF3)
PRESSED = (0xD8, 0xD2, 0xC8)
TRACK = (0xE4, 0xDF, 0xD6)
ERROR = (0xC0, 0x39, 0x2B)
WARNING = (0xE8, 0xA3, 0x17)
QUESTION = (0x1F, 0x6F, 0x8B)
INFORMATION = (0x2E, 0x86, 0xC1)
CLEAR = None


class Picture:
    """A width x height RGBA canvas; pixels start clear."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def put(self, x, y, colour, alpha=255):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            self.pixels[y][x] = colour + (alpha,)

    def fill(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def bevel(self, left, top, right, bottom, upper, lower):
        """A one-pixel bevel inside the box: upper on top and left, lower
        on bottom and right."""
        for x in range(left, right):
            self.put(x, top, upper)
            self.put(x, bottom - 1, lower)
        for y in range(top, bottom):
            self.put(left, y, upper)
            self.put(right - 1, y, lower)

    def disc(self, cx, cy, radius, colour):
        """An anti-aliased disc: edge pixels take the share of their area
        inside the circle (4 x 4 samples) as alpha."""
        for y in range(self.height):
            for x in range(self.width):
                inside = sum(1 for sy in range(4) for sx in range(4)
                             if (x + (sx + 0.5) / 4 - cx) ** 2 +
                             (y + (sy + 0.5) / 4 - cy) ** 2 <= radius * radius)
                if inside:
                    self.put(x, y, colour, 255 * inside // 16)

    def stack(self, frames):
        """This picture's frames are the given pictures, top down."""
        self.pixels = [row for frame in frames for row in frame.pixels]
        self.height = sum(frame.height for frame in frames)
        return self


def png(picture):
    raw = b''.join(b'\0' + bytes(c for pixel in row for c in pixel) for row in picture.pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))
    header = struct.pack('>IIBBBBB', picture.width, picture.height, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


# Push button (4): raised, outline all round; a frame per visual state:
# normal, hovered, pressed (sunken), checked toggle (sunken, accent edge).
def button(face, pressed=False, accent=False):
    p = Picture(60, 21)
    p.fill(0, 0, 60, 21, face)
    p.bevel(0, 0, 60, 21, OUTLINE, OUTLINE)
    p.bevel(1, 1, 59, 20, SHADOW if pressed else LIGHT, LIGHT if pressed else SHADOW)
    if accent:
        p.bevel(2, 2, 58, 19, ACCENT, ACCENT)
    return p


def button_states():
    return Picture(60, 21).stack([button(PAPER), button(HOVER), button(PRESSED, True),
                                  button(PRESSED, True, True)])


# Check box: the sunken box (72), its face inside (73, frames normal, hovered,
# pressed) and the mark (74, frames tick and the third state's bar).
def check_box():
    p = Picture(13, 13)
    p.fill(0, 0, 13, 13, PAPER)
    p.bevel(0, 0, 13, 13, SHADOW, LIGHT)
    p.bevel(1, 1, 12, 12, OUTLINE, OUTLINE)
    return p


def check_faces():
    frames = []
    for face in (WELL, HOVER, PRESSED):
        f = Picture(9, 9)
        f.fill(0, 0, 9, 9, face)
        frames.append(f)
    return Picture(9, 9).stack(frames)


def check_marks():
    tick = Picture(11, 11)
    for x, y in ((2, 5), (3, 6), (4, 7), (5, 6), (6, 5), (7, 4), (8, 3)):
        tick.fill(x, y - 1, x + 1, y + 2, ACCENT)
    bar = Picture(11, 11)
    bar.fill(3, 4, 8, 7, ACCENT)
    return Picture(11, 11).stack([tick, bar])


# Radio button: the ring (13) and its face (14, frames by visual state:
# normal, hovered, pressed, checked with the accent dot).
def radio_ring():
    p = Picture(13, 13)
    p.disc(6.5, 6.5, 6.5, OUTLINE)
    p.disc(6.5, 6.5, 5.5, WELL)
    return p


def radio_faces():
    frames = []
    for face, dot in ((WELL, False), (HOVER, False), (PRESSED, False), (WELL, True)):
        f = Picture(13, 13)
        f.disc(6.5, 6.5, 5.0, face)
        if dot:
            f.disc(6.5, 6.5, 3.0, ACCENT)
        frames.append(f)
    return Picture(13, 13).stack(frames)


# Column list header: the groove between two titles (23) and the sort arrows
# (151 ascending points up, 152 descending points down).
def column_border():
    p = Picture(4, 18)
    p.fill(1, 2, 2, 16, SHADOW)
    p.fill(2, 2, 3, 16, LIGHT)
    return p


def sort_arrow(up):
    p = Picture(9, 5)
    for row in range(5):
        y = 4 - row if up else row
        p.fill(row, y, 9 - row, y + 1, INK)
    return p


# Dialog frame decoration (55): an etched frame as a 9 x 9 nine-slice; the
# dialog takes the 4 x 4 corners as they are and repeats the middle row and
# column along the edges.
def etched_frame():
    p = Picture(9, 9)
    p.bevel(0, 0, 8, 8, SHADOW, SHADOW)
    p.bevel(1, 1, 9, 9, LIGHT, LIGHT)
    p.put(0, 8, SHADOW)
    p.put(8, 0, SHADOW)
    return p


# Progress bar: a raised frame (128 left, 129 middle, 130 right, 24 high)
# holding a sunken row of segments 5 pixels in: caps 131 and 133, the empty
# segment 132 (pitch 9: a one-pixel gap, then an 8-pixel well), the filled
# segment 134 (drawn 2 pixels lower and 1 pixel into its slot: 8 pixels of
# fill, then the gap) and the glow 135 on the well after the last filled one.
def progress_frame(left, right):
    """Columns left..right of a 9-pixel-wide frame: 4 of left end, the
    repeated middle column, 4 of right end."""
    whole = Picture(9, 24)
    whole.fill(0, 0, 9, 24, PAPER)
    whole.bevel(0, 0, 9, 24, OUTLINE, OUTLINE)
    whole.bevel(1, 1, 8, 23, LIGHT, SHADOW)
    p = Picture(right - left, 24)
    p.pixels = [row[left:right] for row in whole.pixels]
    return p


def row_piece(width, well_from, well_to):
    p = Picture(width, 14)
    p.fill(0, 0, width, 14, TRACK)
    p.fill(0, 0, width, 1, OUTLINE)
    p.fill(0, 13, width, 14, LIGHT)
    p.fill(well_from, 2, well_to, 12, WELL)
    return p


def left_cap():
    p = row_piece(6, 0, 0)
    p.fill(0, 0, 1, 14, OUTLINE)
    return p


def right_cap():
    p = row_piece(6, 0, 0)
    p.fill(5, 0, 6, 14, LIGHT)
    return p


def filled_segment():
    p = Picture(9, 10)
    for y in range(10):
        share = y / 9
        colour = tuple(round(a + (b - a) * share) for a, b in zip(ACCENT_LIGHT, ACCENT))
        p.fill(0, y, 8, y + 1, colour)
    p.fill(8, 0, 9, 10, TRACK)
    return p


def segment_glow():
    p = Picture(1, 10)
    for y in range(10):
        p.put(0, y, ACCENT_LIGHT, 96)
    return p


# Message-box icons, 32 x 32: warning (86, amber triangle with "!"),
# information (87, blue disc with "i"), question (88, accent disc with "?"),
# error (89, red disc with a white cross).
GLYPHS = {
    'i': ["..##..", "..##..", "......", ".###..", "..##..", "..##..", "..##..", "..##..",
          "..##..", ".####."],
    '?': [".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..",
          "..##.."],
    '!': ["##", "##", "##", "##", "##", "##", "..", "##", "##"],
    'x': ["##....##", "###..###", ".######.", "..####..", "..####..", ".######.",
          "###..###", "##....##"],
}


def glyph(p, name, left, top, colour):
    for y, row in enumerate(GLYPHS[name]):
        for x, cell in enumerate(row):
            if cell == '#':
                p.fill(left + 2 * x, top + 2 * y, left + 2 * x + 2, top + 2 * y + 2, colour)


def round_icon(colour, name):
    p = Picture(32, 32)
    p.disc(16.5, 16.5, 14.5, SHADOW)
    p.disc(16, 16, 14.5, colour)
    width = 2 * len(GLYPHS[name][0])
    height = 2 * len(GLYPHS[name])
    glyph(p, name, 16 - width // 2, 16 - height // 2, LIGHT)
    return p


def warning_icon():
    p = Picture(32, 32)
    for y in range(3, 30):
        half = (y - 3) * 14.5 / 27
        for x in range(32):
            cover = max(0.0, min(1.0, half - abs(x + 0.5 - 16) + 0.5))
            if cover > 0:
                p.put(x, y, WARNING, round(255 * cover))
    glyph(p, '!', 14, 11, INK)
    return p


# Language flags, 24 x 16 inside a one-pixel outline, for the language
# page's lines: 201 English (a neutral cross of blue, red and white), 202
# French (blue, white, red upright bands), 203 Japanese (a red disc on
# white), 204 German (black, red, gold lying bands).
FLAG_BLUE = (0x00, 0x2F, 0x87)
FLAG_RED = (0xCE, 0x11, 0x26)
FLAG_WHITE = (0xFF, 0xFF, 0xFF)
FLAG_BLACK = (0x10, 0x10, 0x10)
FLAG_GOLD = (0xFF, 0xCC, 0x00)


def flag(paint):
    p = Picture(24, 16)
    paint(p)
    p.bevel(0, 0, 24, 16, OUTLINE, OUTLINE)
    return p


def english_flag(p):
    p.fill(0, 0, 24, 16, FLAG_BLUE)
    p.fill(0, 5, 24, 11, FLAG_WHITE)
    p.fill(9, 0, 15, 16, FLAG_WHITE)
    p.fill(0, 6, 24, 10, FLAG_RED)
    p.fill(10, 0, 14, 16, FLAG_RED)


def upright_bands(p, colours):
    for i, colour in enumerate(colours):
        p.fill(i * 8, 0, i * 8 + 8, 16, colour)


def lying_bands(p, colours):
    for i, colour in enumerate(colours):
        p.fill(0, i * 16 // 3, 24, (i + 1) * 16 // 3, colour)


def japanese_flag(p):
    disc = Picture(24, 16)
    disc.disc(12, 8, 4.8, FLAG_RED)
    for y, row in enumerate(disc.pixels):
        for x, (*colour, alpha) in enumerate(row):
            p.put(x, y, tuple((c * alpha + w * (255 - alpha)) // 255
                              for c, w in zip(colour, FLAG_WHITE)))


PICTURES = {
    '4.v4': button_states,
    '13': radio_ring,
    '14.v4': radio_faces,
    '23': column_border,
    '55': etched_frame,
    '72': check_box,
    '73.v3': check_faces,
    '74.v2': check_marks,
    '86': warning_icon,
    '87': lambda: round_icon(INFORMATION, 'i'),
    '88': lambda: round_icon(QUESTION, '?'),
    '89': lambda: round_icon(ERROR, 'x'),
    '128': lambda: progress_frame(0, 4),
    '129': lambda: progress_frame(4, 5),
    '130': lambda: progress_frame(5, 9),
    '131': left_cap,
    '132': lambda: row_piece(9, 1, 9),
    '133': right_cap,
    '134': filled_segment,
    '135': segment_glow,
    '151': lambda: sort_arrow(True),
    '152': lambda: sort_arrow(False),
    '201': lambda: flag(english_flag),
    '202': lambda: flag(lambda p: upright_bands(p, (FLAG_BLUE, FLAG_WHITE, FLAG_RED))),
    '203': lambda: flag(japanese_flag),
    '204': lambda: flag(lambda p: lying_bands(p, (FLAG_BLACK, FLAG_RED, FLAG_GOLD))),
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'English', 'pictures')
    os.makedirs(folder, exist_ok=True)
    for name, draw in PICTURES.items():
        with open(os.path.join(folder, name + '.png'), 'wb') as out:
            out.write(png(draw()))


if __name__ == '__main__':
    main()
