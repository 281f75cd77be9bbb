#!/usr/bin/env python3
"""Writes the configuration program's icon: a small keyboard in the default
skin's teal with green keys, 32 x 32 and 16 x 16, as one .ico file."""

import struct
import sys

BODY = (0x36, 0x2E, 0x05)   # blue, green, red: the skin's panel teal
EDGE = (0x81, 0x6E, 0x0B)
KEY = (0x00, 0xC8, 0x3C)


def pixel(x, y, size):
    """The colour at (x, y), y counted from the top, or None for transparent."""
    top, bottom = size // 4, size - size // 4
    if not (1 <= x < size - 1 and top <= y < bottom):
        return None
    if x in (1, size - 2) or y in (top, bottom - 1):
        return EDGE
    step = max(2, size // 8)
    inner_x, inner_y = x - 3, y - top - 2
    if inner_x >= 0 and inner_y >= 0 and x < size - 3 and y < bottom - 2:
        if inner_x % step < step - 1 and inner_y % step < step - 1:
            return KEY
    return BODY


def image(size):
    colours = bytearray()
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_row_bytes)
        for x in range(size):
            c = pixel(x, y, size)
            colours += bytes(c + (255,)) if c else b"\0\0\0\0"
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    return header + bytes(colours) + bytes(mask)


def main(path):
    images = [image(32), image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
