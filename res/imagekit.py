"""A tiny raster kit for the program's pictures: draw on an RGBA canvas with
simple shapes and write Windows .ico, .bmp and .png files. No third-party modules,
so every picture can be re-made from its script on any machine:
    python3 res/<folder>/draw.py
"""
import math
import struct
import zlib


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.px = [[fill for _ in range(width)] for _ in range(height)]

    def put(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            if len(color) == 3:
                color = (*color, 255)
            r, g, b, a = color
            if a == 255:
                self.px[y][x] = color
            elif a > 0:
                br, bg, bb, ba = self.px[y][x]
                t = a / 255.0
                self.px[y][x] = (round(r * t + br * (1 - t)), round(g * t + bg * (1 - t)),
                                 round(b * t + bb * (1 - t)), max(a, ba))

    def rect(self, x0, y0, x1, y1, color):
        """Fills x0..x1-1, y0..y1-1."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.put(x, y, color)

    def frame(self, x0, y0, x1, y1, color):
        self.rect(x0, y0, x1, y0 + 1, color)
        self.rect(x0, y1 - 1, x1, y1, color)
        self.rect(x0, y0, x0 + 1, y1, color)
        self.rect(x1 - 1, y0, x1, y1, color)

    def ellipse(self, cx, cy, rx, ry, color):
        for y in range(self.height):
            for x in range(self.width):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1.0:
                    self.put(x, y, color)

    def polygon(self, points, color):
        """Even-odd fill, sampled at pixel centres."""
        n = len(points)
        for y in range(self.height):
            yc = y + 0.5
            xs = []
            for i in range(n):
                (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(math.ceil(a - 0.5), math.floor(b - 0.5) + 1):
                    self.put(x, y, color)

    def line(self, x0, y0, x1, y1, color, width=1.0):
        length = max(1e-6, math.hypot(x1 - x0, y1 - y0))
        nx, ny = -(y1 - y0) / length * width / 2, (x1 - x0) / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], color)

    def gradient(self, x0, y0, x1, y1, top, bottom):
        for y in range(y0, y1):
            t = (y - y0) / max(1, y1 - y0 - 1)
            c = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            self.rect(x0, y, x1, y + 1, c)

    def blit(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                self.put(ox + x, oy + y, other.px[y][x])

    def scaled(self, width, height):
        """Box-filtered copy at another size."""
        out = Canvas(width, height)
        sx, sy = self.width / width, self.height / height
        for y in range(height):
            for x in range(width):
                acc = [0.0] * 4
                count = 0
                for yy in range(int(y * sy), max(int(y * sy) + 1, int((y + 1) * sy))):
                    for xx in range(int(x * sx), max(int(x * sx) + 1, int((x + 1) * sx))):
                        r, g, b, a = self.px[yy][xx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                        count += 1
                a = acc[3] / count
                if acc[3] > 0:
                    out.px[y][x] = (round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(a))
        return out


def _dib(canvas):
    """32-bit BGRA bottom-up pixels plus a 1-bit AND mask, as icons hold them."""
    w, h = canvas.width, canvas.height
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = canvas.px[y][x]
            pixels += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if canvas.px[y][x][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(pixels) + bytes(mask)


def png_bytes(canvas):
    """The canvas as a PNG file (8-bit RGBA, no filtering), byte for byte the
    same for the same pixels."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = bytearray()
    for row in canvas.px:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))
    header = struct.pack('>IIBBBBB', canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) +
            chunk(b'IEND', b''))


def write_png(path, canvas):
    with open(path, 'wb') as f:
        f.write(png_bytes(canvas))


def write_ico(path, canvases):
    """One icon file holding every canvas (for example 16x16 and 32x32).
    Images of 256 pixels are stored PNG-compressed, as Windows expects them:
    uncompressed they would take 256 KB each."""
    images = [png_bytes(c) if c.width >= 256 else _dib(c) for c in canvases]
    out = struct.pack('<HHH', 0, 1, len(canvases))
    offset = 6 + 16 * len(canvases)
    for c, data in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.width % 256, c.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def write_bmp(path, canvas, background=(0, 255, 0)):
    """A 24-bit bitmap; transparent pixels take the background colour (pure
    green is the transparent colour of the program's image strips)."""
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b, a = canvas.px[y][x]
            if a < 128:
                r, g, b = background
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        pixels += row
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(head + info + bytes(pixels))
