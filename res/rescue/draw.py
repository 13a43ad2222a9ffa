"""Icon 206 of the rescue center: a lifebuoy over a dated folder.
Run: python3 res/rescue/draw.py"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from imagekit import Canvas, write_ico  # noqa: E402

SIZE = 128
FOLDER = (236, 186, 72)
FOLDER_DARK = (196, 140, 40)
RED = (214, 48, 40)
WHITE = (250, 250, 250)
OUTLINE = (120, 30, 24)


def ring(c, cx, cy, outer, inner, color_at):
    for y in range(c.height):
        for x in range(c.width):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            r = math.hypot(dx, dy)
            if inner <= r <= outer:
                c.put(x, y, color_at(math.atan2(dy, dx)))


def draw():
    c = Canvas(SIZE, SIZE)
    # The folder the sets live in, behind the buoy.
    c.rect(8, 30, 56, 44, FOLDER_DARK)
    c.rect(8, 40, 104, 100, FOLDER_DARK)
    c.rect(12, 44, 100, 96, FOLDER)
    # The lifebuoy: red and white quarters with a dark rim.
    cx, cy = 80, 80
    ring(c, cx, cy, 46, 20, lambda a: OUTLINE)

    def quarters(angle):
        step = int(((angle + math.pi / 4) % (2 * math.pi)) / (math.pi / 2))
        return RED if step % 2 == 0 else WHITE

    ring(c, cx, cy, 42, 24, quarters)
    return c


def main():
    big = draw()
    write_ico(os.path.join(HERE, 'rescue.ico'), [big.scaled(16, 16), big.scaled(32, 32)])


if __name__ == '__main__':
    main()
