#!/usr/bin/env python3
"""Writes the 18 toolbox bitmaps (ids 30000-30017): 16x15 pixels, 24 bits.

Each bitmap is a tinted tile with a dark frame and the control's two-digit
number (the id less 30000) in a 3x5 pixel font, so every control has a
distinct face. Run once from this folder; the .bmp files are committed.
"""
import colorsys
import struct
from pathlib import Path

WIDTH, HEIGHT = 16, 15
FONT = {  # 3x5 digits, rows top to bottom
    "0": ["111", "101", "101", "101", "111"],
    "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"],
    "3": ["111", "001", "011", "001", "111"],
    "4": ["101", "101", "111", "001", "001"],
    "5": ["111", "100", "111", "001", "111"],
    "6": ["111", "100", "111", "101", "111"],
    "7": ["111", "001", "010", "010", "010"],
    "8": ["111", "101", "111", "101", "111"],
    "9": ["111", "101", "111", "001", "111"],
}


def tile(index):
    r, g, b = colorsys.hsv_to_rgb(index / 18.0, 0.55, 0.85)
    fill = (int(r * 255), int(g * 255), int(b * 255))
    frame, ink = (40, 40, 40), (255, 255, 255)
    pixels = [[fill] * WIDTH for _ in range(HEIGHT)]
    for x in range(WIDTH):
        pixels[0][x] = pixels[HEIGHT - 1][x] = frame
    for y in range(HEIGHT):
        pixels[y][0] = pixels[y][WIDTH - 1] = frame
    for n, digit in enumerate(f"{index:02d}"):
        left = 4 + n * 5
        for row, bits in enumerate(FONT[digit]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    pixels[5 + row][left + col] = ink
    return pixels


def bmp(pixels):
    stride = (WIDTH * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(body), 0, 0, 14 + len(header))
    return file_header + header + bytes(body)


def main():
    here = Path(__file__).resolve().parent
    for index in range(18):
        (here / f"toolbox_{30000 + index}.bmp").write_bytes(bmp(tile(index)))


if __name__ == "__main__":
    main()
