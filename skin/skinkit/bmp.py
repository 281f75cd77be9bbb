"""24-bit BMP files, the form the skin's pictures are loaded in."""

import struct

_FILE_HEADER = 14
_INFO_HEADER = 40


def encode_bmp24(width, height, rgb_rows):
    """A 24-bit uncompressed BMP of top-down rows of (r, g, b) byte triples.

    rgb_rows is a bytes-like object of width * height * 3 bytes, top row first.
    """
    if width <= 0 or height <= 0:
        raise ValueError("a picture needs a positive size")
    if len(rgb_rows) != width * height * 3:
        raise ValueError("pixel data does not match the size")
    stride = (width * 3 + 3) & ~3
    pad = b"\0" * (stride - width * 3)
    body = bytearray()
    # Rows are stored bottom-up, each pixel as blue, green, red.
    for y in range(height - 1, -1, -1):
        row = rgb_rows[y * width * 3:(y + 1) * width * 3]
        bgr = bytearray(row)
        bgr[0::3], bgr[2::3] = row[2::3], row[0::3]
        body += bgr + pad
    offset = _FILE_HEADER + _INFO_HEADER
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", _INFO_HEADER, width, height, 1, 24, 0,
                       len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def decode_bmp24(data):
    """(width, height, top-down RGB bytes) of a file made by encode_bmp24."""
    magic, _size, _r1, _r2, offset = struct.unpack_from("<2sIHHI", data, 0)
    (info_size, width, height, planes, bits, compression,
     _image, _xppm, _yppm, _used, _important) = struct.unpack_from("<IiiHHIIiiII", data, _FILE_HEADER)
    if magic != b"BM" or info_size != _INFO_HEADER or planes != 1 or bits != 24 or compression != 0:
        raise ValueError("not an uncompressed 24-bit BMP")
    bottom_up = height > 0
    height = abs(height)
    stride = (width * 3 + 3) & ~3
    if offset + stride * height > len(data):
        raise ValueError("BMP pixel data is truncated")
    out = bytearray(width * height * 3)
    for row in range(height):
        y = height - 1 - row if bottom_up else row
        src = data[offset + row * stride: offset + row * stride + width * 3]
        dst = y * width * 3
        out[dst + 0:dst + width * 3:3] = src[2::3]
        out[dst + 1:dst + width * 3:3] = src[1::3]
        out[dst + 2:dst + width * 3:3] = src[0::3]
    return width, height, bytes(out)
