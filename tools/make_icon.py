#!/usr/bin/env python3
"""Draws the utility's icon (a stylised mouse on a dark rounded tile) and
writes it as a Windows .ico with 16, 32 and 48 pixel images, 32-bit colour."""
import math
import struct
import os
import sys

BACKGROUND = (0x16, 0x18, 0x1D)
ACCENT = (0xE0, 0x3A, 0x3E)
BODY = (0xD8, 0xDC, 0xE2)


def coverage(inside, x, y, samples=4):
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                hits += 1
    return hits / (samples * samples)


def rounded_rect(size, radius):
    def inside(px, py):
        cx = min(max(px, radius), size - radius)
        cy = min(max(py, radius), size - radius)
        return (px - cx) ** 2 + (py - cy) ** 2 <= radius ** 2
    return inside


def mouse_body(size):
    cx, cy, rx, ry = size / 2, size * 0.54, size * 0.25, size * 0.34
    return lambda px, py: ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1.0


def wheel(size):
    cx, top, bottom, half = size / 2, size * 0.30, size * 0.46, max(size * 0.035, 0.8)
    return lambda px, py: abs(px - cx) <= half and top <= py <= bottom


def image(size):
    tile, body, scroll = rounded_rect(size, size * 0.22), mouse_body(size), wheel(size)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            alpha = coverage(tile, x, y)
            colour = BACKGROUND
            b = coverage(body, x, y)
            colour = tuple(round(c * (1 - b) + m * b) for c, m in zip(colour, BODY))
            w = coverage(scroll, x, y)
            colour = tuple(round(c * (1 - w) + m * w) for c, m in zip(colour, ACCENT))
            row.append(colour + (round(alpha * 255),))
        rows.append(row)
    return rows


def bmp_entry(size):
    pixels = image(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    return header + xor + bytes(and_mask)


def main(path):
    sizes = [16, 32, 48]
    entries = [bmp_entry(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, entries):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(entries))


if __name__ == '__main__':
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    os.makedirs(os.path.join(root, 'res'), exist_ok=True)
    main(os.path.join(root, 'res', 'app.ico'))
