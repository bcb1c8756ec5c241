#!/usr/bin/env python3
"""Writes the 18 design pictures (ids 30100-30117): icons of 48x48 pixels, 24 bits.

A control shows its design picture as its face while a form is designed. Each
is the toolbox tile of the same control (make_toolbox_bitmaps.py) at design
size: the control's tint, a double dark frame and its two-digit number, each
font pixel drawn as a 4x4 block, all opaque. Run once from this folder; the
.ico files are committed.
"""
import colorsys
import struct
from pathlib import Path

from make_toolbox_bitmaps import FONT

SIZE, SCALE = 48, 4


def face(index):
    r, g, b = colorsys.hsv_to_rgb(index / 18.0, 0.55, 0.85)
    fill = (int(r * 255), int(g * 255), int(b * 255))
    frame, ink = (40, 40, 40), (255, 255, 255)
    pixels = [[fill] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            if min(x, y, SIZE - 1 - x, SIZE - 1 - y) < 2:
                pixels[y][x] = frame
    top = (SIZE - 5 * SCALE) // 2
    for n, digit in enumerate(f"{index:02d}"):
        left = 8 + n * 4 * SCALE
        for row, bits in enumerate(FONT[digit]):
            for col, bit in enumerate(bits):
                if bit != "1":
                    continue
                for dy in range(SCALE):
                    for dx in range(SCALE):
                        pixels[top + row * SCALE + dy][left + col * SCALE + dx] = ink
    return pixels


def ico(pixels):
    colour = bytearray()
    for row in reversed(pixels):  # bottom-up, 144 bytes a row: no padding
        for r, g, b in row:
            colour += bytes((b, g, r))
    mask = bytes(((SIZE + 31) // 32 * 4) * SIZE)  # all 0: every pixel opaque
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + bytes(colour) + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = Path(__file__).resolve().parent
    for index in range(18):
        (here / f"design_{30100 + index}.ico").write_bytes(ico(face(index)))


if __name__ == "__main__":
    main()
