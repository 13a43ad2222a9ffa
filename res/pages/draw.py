"""Draws the pictures of the scan and clean pages:
    bitmap 201  drive tree images, 16x16 each: closed folder, open folder,
                drive, computer
    bitmap 202  drive tree check states, 13x13 each: blank, empty box,
                grey tick (partly ticked), green tick (ticked)
    bitmap 203  clean summary list image, 16x16: a switch board
    icon 217    scanning page: a magnifying glass over a document
Bitmaps use pure green (0x00FF00) as their transparent colour.
Run: python3 res/pages/draw.py  (writes the files next to this script)
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from imagekit import Canvas, write_bmp, write_ico  # noqa: E402

S = 4  # drawn at four times the size, then scaled down smoothly

OUTLINE = (90, 70, 20)
FOLDER_BACK = (225, 175, 50)
FOLDER_FRONT = (250, 210, 90)


def closed_folder(size=16):
    n = size * S
    c = Canvas(n, n)
    u = n / 16.0
    # Tab, then the folder body over it.
    c.rect(int(1 * u), int(3 * u), int(7 * u), int(6 * u), OUTLINE)
    c.rect(int(2 * u), int(4 * u), int(6 * u), int(6 * u), FOLDER_BACK)
    c.rect(int(1 * u), int(5 * u), int(15 * u), int(14 * u), OUTLINE)
    c.gradient(int(2 * u), int(6 * u), int(14 * u), int(13 * u), FOLDER_FRONT, FOLDER_BACK)
    return c.scaled(size, size)


def open_folder(size=16):
    n = size * S
    c = Canvas(n, n)
    u = n / 16.0
    c.rect(int(1 * u), int(3 * u), int(7 * u), int(6 * u), OUTLINE)
    c.rect(int(2 * u), int(4 * u), int(6 * u), int(6 * u), FOLDER_BACK)
    c.rect(int(1 * u), int(5 * u), int(13 * u), int(14 * u), OUTLINE)
    c.rect(int(2 * u), int(6 * u), int(12 * u), int(13 * u), FOLDER_BACK)
    # A sheet of paper peeking out, then the front flap tilted open.
    c.rect(int(3 * u), int(4 * u), int(11 * u), int(9 * u), (255, 255, 255))
    c.polygon([(3 * u, 8 * u), (16 * u, 8 * u), (13 * u, 14 * u), (1 * u, 14 * u)], OUTLINE)
    c.polygon([(4 * u, 9 * u), (14.5 * u, 9 * u), (12.3 * u, 13 * u), (2.3 * u, 13 * u)], FOLDER_FRONT)
    return c.scaled(size, size)


def drive(size=16):
    n = size * S
    c = Canvas(n, n)
    u = n / 16.0
    c.rect(int(1 * u), int(6 * u), int(15 * u), int(12 * u), (70, 70, 80))
    c.gradient(int(2 * u), int(7 * u), int(14 * u), int(11 * u), (215, 215, 225), (160, 160, 175))
    c.rect(int(3 * u), int(9 * u), int(9 * u), int(10 * u), (110, 110, 120))
    c.ellipse(12 * u, 9 * u, 1.1 * u, 1.1 * u, (30, 190, 60))
    return c.scaled(size, size)


def computer(size=16):
    n = size * S
    c = Canvas(n, n)
    u = n / 16.0
    # Monitor with a blue screen, then its foot.
    c.rect(int(1 * u), int(1 * u), int(15 * u), int(11 * u), (60, 60, 70))
    c.gradient(int(2 * u), int(2 * u), int(14 * u), int(10 * u), (90, 160, 240), (30, 90, 190))
    c.rect(int(6 * u), int(11 * u), int(10 * u), int(13 * u), (90, 90, 100))
    c.rect(int(3 * u), int(13 * u), int(13 * u), int(15 * u), (60, 60, 70))
    return c.scaled(size, size)


def check_box(kind, size=13):
    """kind: 'blank', 'empty', 'grey' or 'green'."""
    c = Canvas(size * S, size * S)
    if kind == 'blank':
        return c.scaled(size, size)
    u = S
    c.rect(0, 0, 13 * u, 13 * u, (28, 81, 128))
    c.rect(1 * u, 1 * u, 12 * u, 12 * u, (255, 255, 255))
    if kind != 'empty':
        color = (140, 140, 140) if kind == 'grey' else (0, 150, 0)
        c.line(3 * u, 6.5 * u, 5.5 * u, 9.5 * u, color, 1.8 * u)
        c.line(5.2 * u, 9.6 * u, 10 * u, 3.5 * u, color, 1.8 * u)
    return c.scaled(size, size)


def switch_board(size=16):
    n = size * S
    c = Canvas(n, n)
    u = n / 16.0
    # A sheet with three rows, each with a small green switch.
    c.rect(int(2 * u), int(1 * u), int(14 * u), int(15 * u), (90, 90, 110))
    c.rect(int(3 * u), int(2 * u), int(13 * u), int(14 * u), (250, 250, 250))
    for row in range(3):
        y = 3.5 + row * 3.5
        c.rect(int(4 * u), int(y * u), int(7 * u), int((y + 2) * u), (30, 150, 60))
        c.rect(int(8 * u), int((y + 0.6) * u), int(12 * u), int((y + 1.4) * u), (120, 120, 130))
    return c.scaled(size, size)


def magnifier_icon(size):
    n = size * S
    c = Canvas(n, n)
    u = n / 32.0
    # A document with lines of text.
    c.rect(int(4 * u), int(2 * u), int(22 * u), int(28 * u), (100, 100, 110))
    c.rect(int(5 * u), int(3 * u), int(21 * u), int(27 * u), (255, 255, 255))
    for i in range(5):
        y = 7 + i * 4
        c.rect(int(8 * u), int(y * u), int(18 * u), int((y + 1.3) * u), (170, 180, 200))
    # The glass: a ring with a light lens and a handle.
    c.line(21 * u, 21 * u, 29 * u, 29 * u, (110, 70, 30), 4 * u)
    c.ellipse(17 * u, 17 * u, 8 * u, 8 * u, (50, 60, 80))
    c.ellipse(17 * u, 17 * u, 6.2 * u, 6.2 * u, (190, 225, 250, 235))
    c.ellipse(15 * u, 15 * u, 2 * u, 2 * u, (255, 255, 255, 200))
    return c.scaled(size, size)


def strip(images):
    w = sum(i.width for i in images)
    h = max(i.height for i in images)
    out = Canvas(w, h)
    x = 0
    for image in images:
        out.blit(image, x, 0)
        x += image.width
    return out


def main():
    write_bmp(os.path.join(HERE, 'tree_images.bmp'), strip([closed_folder(), open_folder(), drive(), computer()]))
    write_bmp(os.path.join(HERE, 'check_states.bmp'),
              strip([check_box(k) for k in ('blank', 'empty', 'grey', 'green')]))
    write_bmp(os.path.join(HERE, 'summary_images.bmp'), switch_board())
    write_ico(os.path.join(HERE, 'scanning.ico'), [magnifier_icon(16), magnifier_icon(32)])


if __name__ == '__main__':
    main()
