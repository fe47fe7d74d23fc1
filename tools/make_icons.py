#!/usr/bin/env python3
"""Draws the program's icons into .ico files (placeholder shapes)."""
import os
import struct
import sys

NAMES = ["app", "information", "features", "customization", "quarnlogo"]


def bmp_image(width, height, bpp, palette, pixels):
    """One ICO image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    row_bits = width * bpp
    row_bytes = ((row_bits + 31) // 32) * 4
    xor = bytearray()
    for y in reversed(range(height)):
        row = 0
        bits = bytearray(row_bytes)
        for x in range(width):
            v = pixels(x, y)
            bitpos = x * bpp
            bits[bitpos // 8] |= v << (8 - bpp - bitpos % 8)
        xor += bits
    mask_row = ((width + 31) // 32) * 4
    mask = bytes(mask_row * height)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bpp, 0, len(xor) + len(mask), 0, 0,
                         len(palette), 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in palette)
    return header + pal + bytes(xor) + mask


def write_icon(path, shape):
    mono = [(0, 0, 0), (255, 255, 255)]
    vga16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
             (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
             (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    images = [
        (32, 16, 1, mono, lambda x, y: 1 if shape(x, y * 2) else 0),
        (32, 32, 1, mono, lambda x, y: 1 if shape(x, y) else 0),
        (32, 32, 4, vga16[:8], lambda x, y: 4 if shape(x, y) else 7),
        (32, 32, 4, vga16, lambda x, y: 12 if shape(x, y) else 15),
    ]
    blobs = [bmp_image(*i) for i in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (w, h, bpp, pal, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", w, h, len(pal) if len(pal) < 256 else 0, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    with open(path, "wb") as f:
        f.write(out)


def frame(x, y):
    return x in (2, 29) or y in (4, 27)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name in NAMES:
        write_icon(os.path.join(out, name + ".ico"), frame)


if __name__ == "__main__":
    main()
