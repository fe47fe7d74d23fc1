#!/usr/bin/env python3
"""Renders .ico files to one PNG sheet for looking at them.

Every image of every icon is decoded from the file itself (palette, XOR
bitmap, AND mask) and drawn enlarged over a checkerboard, so transparent
pixels show the board and inverting ones show as magenta; 32-bit images are
blended over the board by their alpha. One row per file, images left to right
in file order; images stored as PNG (the 256-pixel ones) are left out.

    preview_icons.py OUT.png ICON.ico [ICON.ico ...]
"""
import struct
import sys
import zlib

SCALE = 6
GAP = 8


def read_icon(path):
    data = open(path, "rb").read()
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    if kind != 1:
        raise ValueError(path + ": not an icon")
    images = []
    for i in range(count):
        w, h, colours, _, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        if data[offset:offset + 4] == b"\x89PNG":
            continue
        images.append(decode_dib(data[offset:offset + size], w or 256, h or 256))
    return images


def decode_dib(blob, dir_width, dir_height):
    (hsize, width, height2, planes, bpp, compression, _, _, _, used, _) = struct.unpack_from("<IiiHHIIiiII",
                                                                                           blob, 0)
    height = height2 // 2
    if (width, height) != (dir_width, dir_height):
        raise ValueError("directory and bitmap sizes differ")
    if compression != 0:
        raise ValueError("compressed image")
    if bpp == 32:
        return decode_rgba(blob[hsize:], width, height)
    colours = used or (1 << bpp)
    palette = [struct.unpack_from("BBBB", blob, hsize + 4 * i)[2::-1] for i in range(colours)]
    xor_row = ((width * bpp + 31) // 32) * 4
    and_row = ((width + 31) // 32) * 4
    xor_at = hsize + 4 * colours
    and_at = xor_at + xor_row * height
    if and_at + and_row * height > len(blob):
        raise ValueError("image data too short")
    pixels = []
    for y in range(height):
        src = height - 1 - y  # bottom row first
        row = []
        for x in range(width):
            pos = x * bpp
            byte = blob[xor_at + src * xor_row + pos // 8]
            index = (byte >> (8 - bpp - pos % 8)) & ((1 << bpp) - 1)
            if index >= colours:
                raise ValueError("pixel outside the palette")
            transparent = blob[and_at + src * and_row + x // 8] & (0x80 >> (x % 8))
            colour = palette[index]
            if transparent:
                row.append(None if colour == (0, 0, 0) else "invert")
            else:
                row.append(colour)
        pixels.append(row)
    return pixels


def decode_rgba(bits, width, height):
    """BGRA rows, bottom first; a pixel is None (clear) or (r, g, b, alpha)."""
    pixels = []
    for y in range(height):
        src = (height - 1 - y) * width * 4
        row = []
        for x in range(width):
            b, g, r, a = bits[src + 4 * x:src + 4 * x + 4]
            row.append(None if a == 0 else (r, g, b, a))
        pixels.append(row)
    return pixels


def board(x, y):
    return (204, 204, 204) if ((x // 4) + (y // 4)) % 2 else (240, 240, 240)


def sheet(icons):
    width = GAP + max(sum(len(img[0]) * SCALE + GAP for img in imgs) for imgs in icons)
    height = GAP + sum(max(len(img) for img in imgs) * SCALE + GAP for imgs in icons)
    canvas = [[(255, 255, 255)] * width for _ in range(height)]
    top = GAP
    for imgs in icons:
        left = GAP
        for img in imgs:
            for y, row in enumerate(img):
                for x, colour in enumerate(row):
                    for dy in range(SCALE):
                        for dx in range(SCALE):
                            px, py = left + x * SCALE + dx, top + y * SCALE + dy
                            if colour is None:
                                c = board(px, py)
                            elif colour == "invert":
                                c = (255, 0, 255)
                            elif len(colour) == 4:
                                under, a = board(px, py), colour[3]
                                c = tuple((v * a + u * (255 - a)) // 255 for v, u in zip(colour[:3], under))
                            else:
                                c = colour
                            canvas[py][px] = c
            left += len(img[0]) * SCALE + GAP
        top += max(len(img) for img in imgs) * SCALE + GAP
    return canvas


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for rgb in row for v in rgb) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    open(path, "wb").write(png)


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: preview_icons.py OUT.png ICON.ico [ICON.ico ...]")
    write_png(sys.argv[1], sheet([read_icon(p) for p in sys.argv[2:]]))


if __name__ == "__main__":
    main()
