#!/usr/bin/env python3
"""Writes the tray program's icon: a 32 x 32 and a 16 x 16 picture of a key
cap in the default skin's teal and green, as one .ico file."""

import struct
import sys

TEAL = (0x1E, 0x4E, 0x52)
EDGE = (0x2F, 0x8F, 0x88)
GREEN = (0x3C, 0xDC, 0x6E)


def picture(size):
    """Rows of BGRA pixels, bottom row first, as the icon format stores them."""
    rows = []
    margin = max(1, size // 16)
    radius = size // 5
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            inside = margin <= x < size - margin and margin <= y < size - margin
            # Round the corners of the cap.
            for cx, cy in ((margin + radius, margin + radius), (size - margin - radius - 1, margin + radius),
                           (margin + radius, size - margin - radius - 1),
                           (size - margin - radius - 1, size - margin - radius - 1)):
                if abs(x - cx) > 0 and abs(y - cy) > 0 and (x < margin + radius or x > size - margin - radius - 1) \
                        and (y < margin + radius or y > size - margin - radius - 1):
                    if (x - cx) ** 2 + (y - cy) ** 2 > radius ** 2:
                        inside = False
            if not inside:
                row += bytes((0, 0, 0, 0))
                continue
            edge = x < margin * 2 or x >= size - margin * 2 or y < margin * 2 or y >= size - margin * 2
            # A "T" in green in the middle of the cap.
            bar = size // 4 <= x < size - size // 4 and size // 4 <= y < size // 4 + max(2, size // 8)
            stem = size // 2 - max(1, size // 16) <= x < size // 2 + max(1, size // 16) and size // 4 <= y < size * 3 // 4
            r, g, b = GREEN if (bar or stem) else (EDGE if edge else TEAL)
            row += bytes((b, g, r, 255))
        rows.append(bytes(row))
    return rows


def entry(size):
    rows = picture(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # alpha carries the shape
    return header + pixels + mask


def main(path):
    sizes = (32, 16)
    images = [entry(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])
