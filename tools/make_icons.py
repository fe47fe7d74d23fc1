#!/usr/bin/env python3
"""Draws the program's icons into .ico files.

Each icon is one design drawn in a 32 by 32 space of named colours. It is
written twice:
- on a grid of 32 by 32 pixels (None is the transparent background) in the
  four images every icon offers: 32x16 in two colours, and 32x32 in two,
  eight and sixteen colours; the AND mask is set exactly where the grid is
  transparent;
- smoothly, with Pillow, in 32-bit colour with alpha at 16, 24, 32, 48 and
  256 pixels for today's displays and scales (the 256-pixel image stored as
  PNG, as the system expects for that size).

    make_icons.py OUTDIR        writes app, information, features,
                                customization and quarnlogo .ico files,
                                and wizard.bmp, the installer's picture

The installer's welcome and finish pages show a 164 by 314 pixel picture:
the program's icon, drawn smoothly at 128 pixels on a blue ground that
lightens downward.
"""
import io
import math
import os
import struct
import sys

try:
    from PIL import Image, ImageDraw, ImageFilter
except ImportError:  # pragma: no cover - reported at build time
    sys.exit("make_icons.py: Python's Pillow is missing (Debian package python3-pil; run tools/bootstrap)")

SIZE = 32

# The sixteen standard colours, by name, with their position in the palette.
VGA16 = [
    ("black", (0, 0, 0)), ("maroon", (128, 0, 0)), ("green", (0, 128, 0)), ("olive", (128, 128, 0)),
    ("navy", (0, 0, 128)), ("purple", (128, 0, 128)), ("teal", (0, 128, 128)), ("silver", (192, 192, 192)),
    ("gray", (128, 128, 128)), ("red", (255, 0, 0)), ("lime", (0, 255, 0)), ("yellow", (255, 255, 0)),
    ("blue", (0, 0, 255)), ("fuchsia", (255, 0, 255)), ("aqua", (0, 255, 255)), ("white", (255, 255, 255)),
]
RGB = dict(VGA16)

# The eight-colour palette and where each of the sixteen colours goes in it.
PALETTE8 = [(0, 0, 0), (255, 255, 255), (192, 192, 192), (128, 128, 128), (255, 0, 0), (255, 255, 0),
            (0, 0, 255), (0, 128, 0)]
TO8 = {
    "black": 0, "white": 1, "silver": 2, "gray": 3, "red": 4, "maroon": 4, "fuchsia": 4, "yellow": 5,
    "olive": 5, "blue": 6, "navy": 6, "purple": 6, "green": 7, "lime": 7, "teal": 7, "aqua": 2,
}


def luminance(name):
    r, g, b = RGB[name]
    return 0.299 * r + 0.587 * g + 0.114 * b


def is_white_in_mono(name):
    return luminance(name) > 140


class Canvas:
    """A 32x32 grid of colour names; None is transparent. Row 0 is the top."""

    def __init__(self):
        self.px = [[None] * SIZE for _ in range(SIZE)]

    def blank(self):
        return Canvas()

    def put(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = colour

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, colour):
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

    def region(self, inside, colour):
        """Fills every pixel whose centre satisfies inside(x, y)."""
        for y in range(SIZE):
            for x in range(SIZE):
                if inside(x + 0.5, y + 0.5):
                    self.put(x, y, colour)

    def disc(self, cx, cy, r, colour):
        self.region(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def ring(self, cx, cy, r_out, r_in, colour):
        self.region(lambda x, y: r_in * r_in < (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out, colour)

    def round_rect(self, x0, y0, x1, y1, r, colour):
        """Filled rectangle with rounded corners; bounds are pixel edges."""

        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

        self.region(inside, colour)

    def polygon(self, points, colour):
        def inside(x, y):
            hit = False
            n = len(points)
            for i in range(n):
                (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
                if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                    hit = not hit
            return hit

        self.region(inside, colour)

    def line(self, x0, y0, x1, y1, colour):
        """One-pixel line between pixel positions (Bresenham)."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def outline(self, fill, colour):
        """Draws colour on every transparent pixel next to one of fill's shape:
        fill is a canvas whose opaque pixels form the shape."""
        for y in range(SIZE):
            for x in range(SIZE):
                if fill.get(x, y) is not None:
                    continue
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < SIZE and 0 <= ny < SIZE and fill.get(nx, ny) is not None:
                        self.put(x, y, colour)
                        break

    def paste(self, other):
        for y in range(SIZE):
            for x in range(SIZE):
                if other.get(x, y) is not None:
                    self.put(x, y, other.get(x, y))


class SmoothCanvas:
    """The same drawing operations as Canvas, in RGBA with Pillow: the 32-unit
    design space is drawn SUPERSAMPLE times finer than the target size and
    reduced at the end, so edges get partial alpha."""

    SUPERSAMPLE = 4

    def __init__(self, size):
        self.size = size
        self.k = size * self.SUPERSAMPLE / SIZE  # image pixels per design unit
        side = size * self.SUPERSAMPLE
        self.img = Image.new("RGBA", (side, side), (0, 0, 0, 0))

    def blank(self):
        return SmoothCanvas(self.size)

    def _fill(self, mask, colour):
        """Paints colour wherever the L-mode mask is set."""
        self.img.paste(RGB[colour] + (255,), (0, 0), mask)

    def _mask(self):
        return Image.new("L", self.img.size, 0)

    def _box(self, x0, y0, x1, y1):
        """A box from continuous design coordinates to image pixels."""
        k = self.k
        return [x0 * k, y0 * k, x1 * k - 1, y1 * k - 1]

    def put(self, x, y, colour):
        self.rect(x, y, x, y, colour)

    def rect(self, x0, y0, x1, y1, colour):  # inclusive pixel bounds, as Canvas
        ImageDraw.Draw(self.img).rectangle(self._box(x0, y0, x1 + 1, y1 + 1), fill=RGB[colour] + (255,))

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def disc(self, cx, cy, r, colour):
        mask = self._mask()
        ImageDraw.Draw(mask).ellipse(self._box(cx - r, cy - r, cx + r, cy + r), fill=255)
        self._fill(mask, colour)

    def ring(self, cx, cy, r_out, r_in, colour):
        mask = self._mask()
        draw = ImageDraw.Draw(mask)
        draw.ellipse(self._box(cx - r_out, cy - r_out, cx + r_out, cy + r_out), fill=255)
        draw.ellipse(self._box(cx - r_in, cy - r_in, cx + r_in, cy + r_in), fill=0)
        self._fill(mask, colour)

    def round_rect(self, x0, y0, x1, y1, r, colour):
        mask = self._mask()
        ImageDraw.Draw(mask).rounded_rectangle(self._box(x0, y0, x1, y1), radius=r * self.k, fill=255)
        self._fill(mask, colour)

    def polygon(self, points, colour):
        mask = self._mask()
        ImageDraw.Draw(mask).polygon([(x * self.k, y * self.k) for x, y in points], fill=255)
        self._fill(mask, colour)

    def line(self, x0, y0, x1, y1, colour):
        """One design unit wide, between pixel centres, square ends."""
        k = self.k
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1.0
        ux, uy = dx / length * 0.5, dy / length * 0.5
        nx, ny = -uy, ux
        a, b = (x0 + 0.5 - ux, y0 + 0.5 - uy), (x1 + 0.5 + ux, y1 + 0.5 + uy)
        self.polygon([(a[0] + nx, a[1] + ny), (b[0] + nx, b[1] + ny), (b[0] - nx, b[1] - ny),
                      (a[0] - nx, a[1] - ny)], colour)

    def outline(self, fill, colour):
        """An edge one design unit wide around fill's shape."""
        grown = fill.img.getchannel("A").point(lambda a: 255 if a else 0)
        reach = int(round(self.k))
        while reach > 0:  # square growth, as the grid's four neighbours
            step = min(reach, 3)
            grown = grown.filter(ImageFilter.MaxFilter(2 * step + 1))
            reach -= step
        self._fill(grown, colour)

    def paste(self, other):
        self.img.alpha_composite(other.img)

    def image(self):
        return self.img.resize((self.size, self.size), Image.BOX)


def outlined(draw_shape, canvas, edge="black"):
    """Draws a shape on its own layer, then puts it with a one-pixel edge."""
    layer = canvas.blank()
    draw_shape(layer)
    canvas.outline(layer, edge)
    canvas.paste(layer)


def draw_tablet(c):
    """A tablet seen from above: dark body, lighter active surface."""
    outlined(lambda l: l.round_rect(1, 8, 31, 30, 3, "gray"), c)
    c.rect(4, 11, 27, 26, "silver")
    c.frame(4, 11, 27, 26, "black")
    c.rect(29, 12, 29, 13, "lime")  # power light


def pen_layer(c, tip, end, width):
    """A pen from end to tip: barrel, a silver cone and a black point."""
    layer = c.blank()
    (tx, ty), (ex, ey) = tip, end
    length = math.hypot(ex - tx, ey - ty)
    ux, uy = (ex - tx) / length, (ey - ty) / length  # from the tip toward the end
    nx, ny = -uy, ux
    h = width / 2.0
    cone = 6.0
    base = (tx + ux * cone, ty + uy * cone)

    def at(p, along, across):
        return (p[0] + ux * along + nx * across, p[1] + uy * along + ny * across)

    barrel = [at(base, 0, h), at(base, 0, -h), at(end, 0, -h), at(end, 0, h)]
    layer.polygon(barrel, "yellow")
    layer.polygon([at(end, -2.5, h), at(end, -2.5, -h), at(end, 0, -h), at(end, 0, h)], "red")
    layer.polygon([at(tip, 0, 0.6), at(base, 0, h), at(base, 0, -h), at(tip, 0, -0.6)], "silver")
    layer.polygon([at(tip, -0.5, 1.0), at(tip, 2.2, 1.0), at(tip, 2.2, -1.0), at(tip, -0.5, -1.0)], "black")
    return layer, at


def draw_app(c):
    draw_tablet(c)
    layer, at = pen_layer(c, (9.5, 22.5), (29.5, 1.5), 5.0)
    c.outline(layer, "black")
    c.paste(layer)
    # Barrel button, a dark stripe across the pen.
    bx, by = at((9.5, 22.5), 11, 0)
    c.put(int(bx), int(by), "navy")
    c.put(int(bx) + 1, int(by), "navy")


def draw_information(c):
    outlined(lambda l: l.disc(16, 16, 14.5, "blue"), c)
    c.ring(16, 16, 14.5, 12.5, "navy")
    c.disc(16, 9, 2.6, "white")
    c.rect(12, 13, 17, 14, "white")  # serif
    c.rect(14, 13, 17, 24, "white")  # stem
    c.rect(12, 24, 19, 25, "white")  # base


def draw_features(c):
    """A tablet puck: crosshair lens in front, four buttons on the body."""

    def body(l):
        l.round_rect(7, 11, 25, 31, 5, "silver")
        l.disc(16, 8.5, 7.5, "aqua")

    outlined(body, c)
    c.ring(16, 8.5, 7.5, 6.5, "gray")
    c.line(16, 2, 16, 14, "black")
    c.line(9, 8, 23, 8, "black")
    c.rect(15, 8, 16, 8, "red")
    for (x, y, colour) in ((9, 17, "yellow"), (17, 17, "white"), (9, 23, "blue"), (17, 23, "green")):
        c.rect(x, y, x + 5, y + 3, colour)
        c.frame(x, y, x + 5, y + 3, "black")
    c.rect(15, 28, 16, 31, "gray")  # cord


def draw_customization(c):
    draw_tablet(c)
    # The tracking area: a red rectangle with the two corners the pen sets.
    c.frame(9, 14, 22, 23, "red")
    c.frame(10, 15, 21, 22, "red")
    for x, y in ((8, 22), (21, 13)):
        c.rect(x, y, x + 2, y + 2, "blue")
        c.frame(x, y, x + 2, y + 2, "black")
    c.line(6, 24, 10, 24, "black")
    c.line(8, 22, 8, 26, "black")


def draw_quarnlogo(c):
    """A stylised Q: a teal ring with a red tail through its lower right."""
    outlined(lambda l: l.ring(15, 15, 13.5, 7.5, "teal"), c)
    c.ring(15, 15, 11.5, 9.5, "aqua")

    def tail(l):
        l.polygon([(17, 20), (21, 16), (31, 27), (27, 31)], "red")

    outlined(tail, c)


DRAWINGS = {
    "app": draw_app,
    "information": draw_information,
    "features": draw_features,
    "customization": draw_customization,
    "quarnlogo": draw_quarnlogo,
}


def halve_rows(canvas):
    """32x16: each row pair becomes one row; the darker opaque pixel wins, so
    one-pixel outlines survive."""
    rows = []
    for y in range(0, SIZE, 2):
        row = []
        for x in range(SIZE):
            a, b = canvas.get(x, y), canvas.get(x, y + 1)
            if a is None:
                row.append(b)
            elif b is None:
                row.append(a)
            else:
                row.append(a if luminance(a) <= luminance(b) else b)
        rows.append(row)
    return rows


def dib_image(rows, bpp, palette, index_of):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap and AND mask,
    both stored bottom row first."""
    height, width = len(rows), len(rows[0])
    xor_row = ((width * bpp + 31) // 32) * 4
    and_row = ((width + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(xor_row)
        and_bits = bytearray(and_row)
        for x, colour in enumerate(row):
            if colour is None:
                and_bits[x // 8] |= 0x80 >> (x % 8)  # transparent: keep the screen
                value = 0                            # ... and change nothing over it
            else:
                value = index_of(colour)
            pos = x * bpp
            bits[pos // 8] |= value << (8 - bpp - pos % 8)
        xor += bits
        mask += and_bits
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bpp, 0, len(xor) + len(mask), 0, 0,
                         len(palette), 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in palette)
    return width, height, bpp, len(palette), header + pal + bytes(xor) + bytes(mask)


SMOOTH_SIZES = (16, 24, 32, 48, 256)


def rgba_image(picture):
    """One 32-bit image: BITMAPINFOHEADER, BGRA rows bottom first and an AND
    mask set where the picture is fully transparent; at 256 pixels a PNG."""
    width, height = picture.size
    if width >= 256:
        out = io.BytesIO()
        picture.save(out, "PNG", optimize=True)
        return width, height, 32, 0, out.getvalue()
    pixels = picture.load()
    and_row = ((width + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(height)):
        and_bits = bytearray(and_row)
        for x in range(width):
            r, g, b, a = pixels[x, y]
            xor += bytes((b, g, r, a))
            if a == 0:
                and_bits[x // 8] |= 0x80 >> (x % 8)
        mask += and_bits
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return width, height, 32, 0, header + bytes(xor) + bytes(mask)


def smooth_images(draw):
    images = []
    for size in SMOOTH_SIZES:
        canvas = SmoothCanvas(size)
        draw(canvas)
        images.append(rgba_image(canvas.image()))
    return images


def icon_images(canvas):
    full = [list(canvas.px[y]) for y in range(SIZE)]
    mono = [(0, 0, 0), (255, 255, 255)]
    to_mono = lambda name: 1 if is_white_in_mono(name) else 0
    vga_index = {name: i for i, (name, _) in enumerate(VGA16)}
    return [
        dib_image(halve_rows(canvas), 1, mono, to_mono),
        dib_image(full, 1, mono, to_mono),
        dib_image(full, 4, PALETTE8, lambda name: TO8[name]),
        dib_image(full, 4, [rgb for _, rgb in VGA16], lambda name: vga_index[name]),
    ]


def icon_file(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, bpp, colours, blob in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours % 256, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for *_, blob in images)


WIZARD_SIZE = (164, 314)
WIZARD_ICON = 128


def wizard_picture():
    width, height = WIZARD_SIZE
    picture = Image.new("RGB", WIZARD_SIZE)
    draw = ImageDraw.Draw(picture)
    for y in range(height):
        t = y / (height - 1)
        draw.line([(0, y), (width - 1, y)], fill=(int(0 + 200 * t), int(64 + 160 * t), int(128 + 112 * t)))
    canvas = SmoothCanvas(WIZARD_ICON)
    draw_app(canvas)
    icon = canvas.image()
    picture.paste(icon, ((width - WIZARD_ICON) // 2, 48), icon)
    return picture


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icons.py OUTDIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in DRAWINGS.items():
        canvas = Canvas()
        draw(canvas)
        with open(os.path.join(out, name + ".ico"), "wb") as f:
            f.write(icon_file(icon_images(canvas) + smooth_images(draw)))
    wizard_picture().save(os.path.join(out, "wizard.bmp"), "BMP")


if __name__ == "__main__":
    main()
