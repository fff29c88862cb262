#!/usr/bin/env python3
"""Writes resources/nimbrel.ico: 48x48, 32x32 and 16x16 images in 16 colours (4 bits
per pixel, standard VGA palette): a sun behind a cloud on a sky-blue tile."""
import struct
import sys

PALETTE = [  # RGB, the 16 standard colours
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255)]
NAVY, GRAY, SILVER, YELLOW, BLUE, CYAN, WHITE = 4, 8, 7, 11, 12, 14, 15


def pixel(x, y, n):
    """Colour index at pixel centre (x, y) of an n x n image, or None for transparent."""
    u, v = (x + 0.5) / n, (y + 0.5) / n  # 0..1, v downwards
    r = 0.16  # rounded tile corners
    cx, cy = min(max(u, r), 1 - r), min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return None
    if (u - cx) ** 2 + (v - cy) ** 2 > (r - 1.2 / n) ** 2 and (u < r or u > 1 - r or v < r or v > 1 - r):
        return NAVY
    if u < 1.2 / n or u > 1 - 1.2 / n or v < 1.2 / n or v > 1 - 1.2 / n:
        return NAVY
    lobes = [(0.36, 0.62, 0.17), (0.56, 0.55, 0.2), (0.74, 0.66, 0.14), (0.25, 0.72, 0.12)]
    in_cloud = any((u - a) ** 2 + (v - b) ** 2 <= c * c for a, b, c in lobes) or (
        0.25 <= u <= 0.78 and 0.62 <= v <= 0.8)
    if in_cloud:
        return SILVER if v > 0.72 else WHITE
    d = ((u - 0.68) ** 2 + (v - 0.32) ** 2) ** 0.5
    if d <= 0.16:
        return YELLOW
    return CYAN if v < 0.5 else BLUE


def image(n):
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((n * 4 + 31) // 32) * 4
    and_stride = ((n + 31) // 32) * 4
    xor, mask = b'', b''
    for y in reversed(range(n)):  # bottom-up rows
        row = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x in range(n):
            c = pixel(x, y, n)
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                c = 0
            row[x // 2] |= c << (4 if x % 2 == 0 else 0)
        xor += bytes(row)
        mask += bytes(bits)
    return header + palette + xor + mask


def main(path):
    sizes = [48, 32, 16]
    images = [image(n) for n in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'resources/nimbrel.ico')
