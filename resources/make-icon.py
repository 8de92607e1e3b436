#!/usr/bin/env python3
"""Writes orbilux.ico: one 32 x 32 image in 16 colours.

The design: an orbit-like closed figure drawn in a few bright colours on
black, with a small round body at its centre, so it still reads at 16 x 16.
Run from anywhere: python3 resources/make-icon.py [output]
"""
import math
import os
import struct
import sys

SIZE = 32

# The standard 16-colour palette (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]  # entries are (R, G, B)
BLACK, YELLOW, CYAN, MAGENTA, WHITE, GREEN = 0, 11, 14, 13, 15, 10


def draw():
    pixels = [[BLACK] * SIZE for _ in range(SIZE)]
    # A three-lobed rose curve, thick enough to survive scaling down.
    colours = [CYAN, MAGENTA, YELLOW]
    for step in range(2000):
        t = 2 * math.pi * step / 2000
        r = 13.5 * math.cos(3 * t / 2) ** 2 + 1.0
        x = 15.5 + r * math.cos(t)
        y = 15.5 + r * math.sin(t)
        colour = colours[round(t / (2 * math.pi / 3)) % 3]  # one colour per lobe
        for dx, dy in ((0, 0), (0.5, 0), (0, 0.5)):
            px, py = int(x + dx), int(y + dy)
            if 0 <= px < SIZE and 0 <= py < SIZE:
                pixels[py][px] = colour
    # The central body.
    for y in range(SIZE):
        for x in range(SIZE):
            if (x - 15.5) ** 2 + (y - 15.5) ** 2 <= 3.2 ** 2:
                pixels[y][x] = WHITE
    return pixels


def icon_bytes(pixels):
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    for row in reversed(pixels):  # bottom-up
        for x in range(0, SIZE, 2):
            xor.append((row[x] << 4) | row[x + 1])
    and_mask = bytes(SIZE * SIZE // 8)  # every pixel opaque; rows are 4 bytes
    image = header + palette + bytes(xor) + and_mask
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), 'orbilux.ico')
    with open(out, 'wb') as f:
        f.write(icon_bytes(draw()))


if __name__ == '__main__':
    main()
