"""Draws the pictures of the wizard window, its header bar and welcome page:
    icon 128  the program (a broom sweeping up a sparkle), 16 to 256 pixels
    icon 201  the welcome page's start button (a green arrow)
    icon 208  Help (a blue question mark)
    icon 209  Options (a gear)
    icon 210  Rescue (a life ring)
    bitmap 210  the header bar's background
Run: python3 res/app/draw.py  (writes the files next to this script)
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from imagekit import Canvas, write_bmp, write_ico  # noqa: E402

S = 4  # pictures are drawn at four times their size and scaled down smoothly


def ring(c, cx, cy, r_out, r_in, color):
    """A filled ring, as a polygon with a hole (even-odd fill)."""
    n = 96
    outer = [(cx + r_out * math.cos(2 * math.pi * i / n), cy + r_out * math.sin(2 * math.pi * i / n)) for i in range(n)]
    inner = [(cx + r_in * math.cos(2 * math.pi * i / n), cy + r_in * math.sin(2 * math.pi * i / n)) for i in range(n)]
    for i in range(n):
        j = (i + 1) % n
        c.polygon([outer[i], outer[j], inner[j], inner[i]], color)


def sector(c, cx, cy, r_out, r_in, a0, a1, color):
    """A piece of a ring between two angles (degrees, clockwise from east)."""
    steps = max(2, int(abs(a1 - a0) / 4))
    for i in range(steps):
        t0 = math.radians(a0 + (a1 - a0) * i / steps)
        t1 = math.radians(a0 + (a1 - a0) * (i + 1) / steps)
        c.polygon([(cx + r_out * math.cos(t0), cy + r_out * math.sin(t0)),
                   (cx + r_out * math.cos(t1), cy + r_out * math.sin(t1)),
                   (cx + r_in * math.cos(t1), cy + r_in * math.sin(t1)),
                   (cx + r_in * math.cos(t0), cy + r_in * math.sin(t0))], color)


def sparkle(c, cx, cy, r, color):
    w = r * 0.28
    c.polygon([(cx, cy - r), (cx + w, cy - w), (cx + r, cy), (cx + w, cy + w),
               (cx, cy + r), (cx - w, cy + w), (cx - r, cy), (cx - w, cy - w)], color)


def program_icon(size, supersample=S):
    n = size * supersample
    c = Canvas(n, n)
    u = n / 32.0
    # A rounded blue tile.
    c.rect(int(3 * u), int(1 * u), int(29 * u), int(31 * u), (30, 100, 200))
    c.rect(int(1 * u), int(3 * u), int(31 * u), int(29 * u), (30, 100, 200))
    for x, y in ((3, 3), (29, 3), (3, 29), (29, 29)):
        c.ellipse(x * u, y * u, 2 * u, 2 * u, (30, 100, 200))
    c.gradient(int(3 * u), int(2 * u), int(29 * u), int(14 * u), (70, 150, 235), (30, 100, 200))
    # The broom: a wooden handle and a fan of straw.
    c.line(24 * u, 4 * u, 13 * u, 19 * u, (150, 95, 40), 2.6 * u)
    c.polygon([(11 * u, 17 * u), (16 * u, 21 * u), (12 * u, 29 * u), (4 * u, 27 * u), (5 * u, 24 * u)], (245, 190, 60))
    for k in range(4):
        x0 = 12.5 * u - k * 1.6 * u
        c.line(x0 + 1.5 * u, 20 * u + k * 0.3 * u, x0 - 3.0 * u, 28 * u - k * 0.5 * u, (205, 140, 30), 0.8 * u)
    c.rect(int(10.5 * u), int(17 * u), int(15 * u), int(19.5 * u), (180, 60, 40))
    # What it sweeps up.
    sparkle(c, 24 * u, 22 * u, 5 * u, (255, 255, 255))
    sparkle(c, 19 * u, 9 * u, 2.5 * u, (210, 235, 255))
    return c.scaled(size, size)


def start_icon(size):
    n = size * S
    c = Canvas(n, n)
    u = n / 16.0
    c.ellipse(8 * u, 8 * u, 7.5 * u, 7.5 * u, (30, 140, 50))
    c.ellipse(8 * u, 7 * u, 6.3 * u, 5.5 * u, (70, 185, 80))
    c.polygon([(4 * u, 6.5 * u), (8 * u, 6.5 * u), (8 * u, 3.5 * u), (12.5 * u, 8 * u),
               (8 * u, 12.5 * u), (8 * u, 9.5 * u), (4 * u, 9.5 * u)], (255, 255, 255))
    return c.scaled(size, size)


def help_icon(size):
    n = size * S
    c = Canvas(n, n)
    u = n / 16.0
    c.ellipse(8 * u, 8 * u, 7.5 * u, 7.5 * u, (20, 90, 190))
    c.ellipse(8 * u, 7 * u, 6.3 * u, 5.5 * u, (60, 135, 225))
    white = (255, 255, 255)
    # The hook of the question mark, its stem and its dot.
    sector(c, 8 * u, 6 * u, 3.4 * u, 1.7 * u, 180, 405, white)
    c.rect(int(7.15 * u), int(8.2 * u), int(8.85 * u), int(10.3 * u), white)
    c.ellipse(8 * u, 12.3 * u, 1.05 * u, 1.05 * u, white)
    return c.scaled(size, size)


def gear_icon(size):
    n = size * S
    c = Canvas(n, n)
    u = n / 16.0
    cx = cy = 8 * u
    teeth = 8
    points = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4)
        r = 7.4 * u if (i % 4) in (1, 2) else 5.6 * u
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    c.polygon(points, (120, 130, 148))
    c.ellipse(cx, cy, 5.0 * u, 5.0 * u, (215, 222, 232))
    c.ellipse(cx, cy, 2.2 * u, 2.2 * u, (0, 0, 0, 0))
    ring(c, cx, cy, 2.6 * u, 2.0 * u, (120, 130, 148))
    # Punch the hole through what was drawn.
    for y in range(c.height):
        for x in range(c.width):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= (2.0 * u) ** 2:
                c.px[y][x] = (0, 0, 0, 0)
    return c.scaled(size, size)


def rescue_icon(size):
    n = size * S
    c = Canvas(n, n)
    u = n / 16.0
    cx = cy = 8 * u
    ring(c, cx, cy, 7.5 * u, 3.6 * u, (255, 255, 255))
    for a in (315, 45, 135, 225):
        sector(c, cx, cy, 7.5 * u, 3.6 * u, a - 22, a + 22, (220, 40, 40))
    ring(c, cx, cy, 7.5 * u, 6.9 * u, (150, 30, 30))
    ring(c, cx, cy, 4.1 * u, 3.6 * u, (150, 30, 30))
    return c.scaled(size, size)


def header_background(width, height):
    c = Canvas(width, height)
    c.gradient(0, 0, width, height, (28, 70, 150), (55, 120, 205))
    # A soft band of light across the top half.
    for y in range(height // 2):
        alpha = int(40 * (1 - y / (height / 2)))
        c.rect(0, y, width, y + 1, (255, 255, 255, alpha))
    c.rect(0, height - 2, width, height, (245, 170, 40))
    logo = program_icon(40)
    c.blit(logo, 10, (height - 2 - 40) // 2)
    # Scattered sparkles to the right of the logo.
    for x, y, r in ((66, 14, 4), (80, 34, 3), (118, 20, 2), (160, 30, 2)):
        sparkle(c, x, y, r, (255, 255, 255, 150))
    return c


def main():
    out = HERE
    # The large image is what Explorer shows in its big views and the
    # installer in its lists; at 256 pixels twofold supersampling is smooth.
    write_ico(os.path.join(out, 'program.ico'),
              [program_icon(16), program_icon(32), program_icon(48), program_icon(256, supersample=2)])
    write_ico(os.path.join(out, 'start.ico'), [start_icon(16), start_icon(32)])
    write_ico(os.path.join(out, 'help.ico'), [help_icon(16), help_icon(32)])
    write_ico(os.path.join(out, 'options.ico'), [gear_icon(16), gear_icon(32)])
    write_ico(os.path.join(out, 'rescue.ico'), [rescue_icon(16), rescue_icon(32)])
    write_bmp(os.path.join(out, 'header.bmp'), header_background(800, 64))


if __name__ == '__main__':
    main()
