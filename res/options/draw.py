"""Draws the options dialog's pictures: the tab image strip (one 16x16
image per tab, 16 colours, pure green transparent) and the icons of its pages.
    python3 res/options/draw.py
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
from imagekit import Canvas, write_bmp, write_ico  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
S = 64  # drawing size; every picture is scaled down from it

INK = (40, 40, 48)
PAPER = (250, 250, 245)
FOLD = (200, 200, 190)
BLUE = (30, 90, 200)
LIGHT_BLUE = (120, 180, 240)
RED = (210, 30, 30)
GREEN = (20, 150, 40)
YELLOW = (245, 200, 60)
DARK_YELLOW = (190, 140, 20)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)
BROWN = (150, 95, 40)


def document(c, x0=12, y0=4, x1=52, y1=60):
    c.polygon([(x0, y0), (x1 - 14, y0), (x1, y0 + 14), (x1, y1), (x0, y1)], INK)
    c.polygon([(x0 + 3, y0 + 3), (x1 - 15, y0 + 3), (x1 - 3, y0 + 15), (x1 - 3, y1 - 3), (x0 + 3, y1 - 3)], PAPER)
    c.polygon([(x1 - 15, y0 + 3), (x1 - 3, y0 + 15), (x1 - 15, y0 + 15)], FOLD)


def folder(c, x0=4, y0=12, x1=60, y1=54):
    c.polygon([(x0, y0), (x0 + 20, y0), (x0 + 25, y0 + 6), (x1, y0 + 6), (x1, y1), (x0, y1)], DARK_YELLOW)
    c.rect(x0 + 3, y0 + 12, x1 - 3, y1 - 3, YELLOW)


def trash(c):
    c.rect(14, 10, 50, 16, GREY)
    c.rect(26, 5, 38, 10, GREY)
    c.polygon([(16, 18), (48, 18), (44, 60), (20, 60)], INK)
    c.polygon([(19, 21), (45, 21), (41, 57), (23, 57)], SILVER)
    for x in (27, 32, 37):
        c.rect(x, 25, x + 2, 53, GREY)


def star(c, cx, cy, r, color):
    for i in range(3):
        import math
        a = math.pi * i / 3
        dx, dy = math.cos(a) * r, math.sin(a) * r
        c.line(cx - dx, cy - dy, cx + dx, cy + dy, color, 4)


def junk_types(c):
    document(c)
    star(c, 32, 38, 12, RED)


def search(c):
    c.ellipse(26, 26, 19, 19, INK)
    c.ellipse(26, 26, 14, 14, LIGHT_BLUE)
    c.line(39, 39, 58, 58, INK, 8)


def skip_folder(c):
    folder(c)
    c.ellipse(44, 44, 17, 17, RED)
    c.ellipse(44, 44, 11, 11, (255, 255, 255))
    c.line(34, 54, 54, 34, RED, 6)


def clean(c):
    c.line(50, 4, 30, 40, BROWN, 6)
    c.polygon([(22, 36), (40, 44), (34, 62), (8, 52)], YELLOW)
    c.polygon([(22, 36), (40, 44), (38, 49), (19, 41)], DARK_YELLOW)


def add(c):
    c.ellipse(32, 32, 28, 28, GREEN)
    c.rect(27, 14, 37, 50, (255, 255, 255))
    c.rect(14, 27, 50, 37, (255, 255, 255))


def delete(c):
    c.ellipse(32, 32, 28, 28, RED)
    c.line(18, 18, 46, 46, (255, 255, 255), 9)
    c.line(46, 18, 18, 46, (255, 255, 255), 9)


def advanced(c):
    import math
    teeth = []
    for i in range(16):
        a = math.pi * 2 * i / 16
        r = 29 if i % 2 == 0 else 21
        teeth.append((32 + math.cos(a) * r, 32 + math.sin(a) * r))
    c.polygon(teeth, GREY)
    c.ellipse(32, 32, 21, 21, GREY)
    c.ellipse(32, 32, 9, 9, (255, 255, 255))


def schedule(c):
    import math
    c.ellipse(32, 32, 29, 29, INK)
    c.ellipse(32, 32, 25, 25, PAPER)
    for i in range(12):
        a = math.pi * 2 * i / 12
        c.line(32 + math.cos(a) * 19, 32 + math.sin(a) * 19, 32 + math.cos(a) * 23, 32 + math.sin(a) * 23, INK, 2)
    c.line(32, 32, 32, 14, INK, 5)
    c.line(32, 32, 45, 39, BLUE, 5)
    c.ellipse(32, 32, 4, 4, RED)


def applications(c):
    # An application's window with the stack of its cache beside it.
    c.rect(4, 8, 46, 50, INK)
    c.rect(7, 11, 43, 19, BLUE)
    c.rect(7, 21, 43, 47, PAPER)
    c.rect(11, 25, 39, 28, LIGHT_BLUE)
    c.rect(11, 31, 33, 34, LIGHT_BLUE)
    for i, y in enumerate((30, 40, 50)):
        c.rect(36, y, 60, y + 9, INK)
        c.rect(38, y + 2, 58, y + 7, YELLOW if i % 2 == 0 else DARK_YELLOW)


def language(c):
    # Two speech bubbles: one with a line of Latin letters, one with a glyph.
    c.polygon([(4, 6), (42, 6), (42, 32), (18, 32), (8, 42), (10, 32), (4, 32)], BLUE)
    for x in (10, 20, 30):
        c.rect(x, 17, x + 6, 21, (255, 255, 255))
    c.polygon([(24, 26), (60, 26), (60, 52), (54, 52), (56, 62), (44, 52), (24, 52)], INK)
    c.polygon([(27, 29), (57, 29), (57, 49), (27, 49)], PAPER)
    c.rect(34, 33, 50, 36, RED)
    c.rect(40, 33, 43, 46, RED)
    c.rect(33, 43, 51, 46, RED)


def plain_file(c):
    document(c)


def plain_folder(c):
    folder(c)


def picture(draw):
    c = Canvas(S, S)
    draw(c)
    return c


# The sixteen colours of a 16-colour image list, without pure green, which is
# the strip's transparent colour.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
       (0, 255, 255), (255, 255, 255)]


def nearest(rgb):
    return min(VGA, key=lambda v: sum((a - b) ** 2 for a, b in zip(rgb, v)))


def strip(draws):
    out = Canvas(16 * len(draws), 16)
    for i, draw in enumerate(draws):
        small = picture(draw).scaled(16, 16)
        for y in range(16):
            for x in range(16):
                r, g, b, a = small.px[y][x]
                if a >= 128:
                    out.px[y][16 * i + x] = (*nearest((r, g, b)), 255)
    return out


ICONS = {
    'junk_types.ico': junk_types,
    'search_options.ico': search,
    'skip_folders.ico': skip_folder,
    'clean_options.ico': clean,
    'add.ico': add,
    'delete.ico': delete,
    'advanced.ico': advanced,
    'schedule.ico': schedule,
    'applications.ico': applications,
    'language.ico': language,
    'file.ico': plain_file,
    'folder.ico': plain_folder,
}


def main():
    for name, draw in ICONS.items():
        big = picture(draw)
        write_ico(os.path.join(HERE, name), [big.scaled(32, 32), big.scaled(16, 16)])
    write_bmp(os.path.join(HERE, 'tabs.bmp'), strip([junk_types, search, skip_folder, clean, schedule, applications,
                                                      language]))


if __name__ == '__main__':
    main()
