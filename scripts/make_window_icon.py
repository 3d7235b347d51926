#!/usr/bin/env python3
"""Writes ui/window_icon.ico: a 32x32 and a 16x16 image at 24 bits per pixel
(4150 bytes in all). The picture: a small window with a blue caption bar and
a red crosshair in its body. Run it again only to change the icon."""
import struct
import sys

SKY = (0x2B, 0x6C, 0xC4)
FRAME = (0x1E, 0x3A, 0x6E)
BODY = (0xF2, 0xF2, 0xF2)
RED = (0xE0, 0x20, 0x20)
SHADE = (0xB0, 0xB8, 0xC8)


def pixel(size, x, y):
    """Colour of pixel (x, y), y counted from the top."""
    edge = size - 1
    caption = max(3, size // 5)
    if x == 0 or y == 0 or x == edge or y == edge:
        return FRAME
    if y <= caption:
        return SKY
    cx, cy = size // 2, (caption + size) // 2
    r = size * 3 // 10
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    if abs(d2 - r * r) <= r:  # the ring
        return RED
    if (x == cx or y == cy) and 1 < d2 <= (r + 2) ** 2:
        return RED
    if x == edge - 1 or y == edge - 1:
        return SHADE
    return BODY


def image(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):  # bottom-up
        row = b''.join(bytes((b, g, r)) for r, g, b in (pixel(size, x, y) for x in range(size)))
        rows.append(row + b'\0' * (-len(row) % 4))
    mask_row = b'\0' * (((size + 31) // 32) * 4)  # all opaque
    return header + b''.join(rows) + mask_row * size


def main(path):
    images = [image(32), image(16)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    assert len(out) == 4150, len(out)
    open(path, 'wb').write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'ui/window_icon.ico')
