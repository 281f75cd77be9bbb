"""A picture being drawn: filled and rounded rectangles, borders, gradients
and pixel-font text on an RGB pixel grid.

Rectangles are (left, top, right, bottom) with right and bottom exclusive.
Colours are (r, g, b) triples; colours.rgb turns a colour name into one.
"""

import math

from . import bmp, pixelfont


def row_span(y, rect, radius):
    """The pixels [x0, x1) of row y that lie inside a rounded rectangle; None when none do.

    A pixel counts when its centre lies within the corner circle.  Every shape
    goes through here, so a picture and its mask cover the same pixels.
    """
    left, top, right, bottom = rect
    if y < top or y >= bottom or right <= left:
        return None
    r = min(radius, (right - left) // 2, (bottom - top) // 2)
    if r <= 0:
        return (left, right)
    cy = min(max(y + 0.5, top + r), bottom - r)
    dy = y + 0.5 - cy
    if dy * dy > r * r:
        return None
    reach = math.sqrt(r * r - dy * dy)
    x0 = max(left, math.ceil(left + r - reach - 0.5))
    x1 = min(right, math.floor(right - r + reach - 0.5) + 1)
    return (x0, x1) if x1 > x0 else None


def mix(a, b, t):
    """The colour t of the way from a to b (t from 0 to 1)."""
    return tuple(int(round(ca + (cb - ca) * t)) for ca, cb in zip(a, b))


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0)):
        if width <= 0 or height <= 0:
            raise ValueError("a picture needs a positive size")
        self.width = width
        self.height = height
        self.pixels = bytearray(bytes(fill) * (width * height))

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            i = (y * self.width + x) * 3
            self.pixels[i:i + 3] = bytes(colour)

    def get(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def fill_rect(self, rect, colour):
        self.fill_rounded_rect(rect, 0, colour)

    def fill_rounded_rect(self, rect, radius, colour):
        run = bytes(colour)
        self._fill_shape(rect, radius, lambda y, x0, x1: run * (x1 - x0))

    def vertical_gradient(self, rect, top_colour, bottom_colour, radius=0):
        """Fills a (rounded) rectangle from top_colour on its top row to bottom_colour on its last."""
        top = rect[1]
        span = max(rect[3] - top - 1, 1)
        self._fill_shape(rect, radius, lambda y, x0, x1:
                         bytes(mix(top_colour, bottom_colour, (y - top) / span)) * (x1 - x0))

    def horizontal_gradient(self, rect, left_colour, right_colour, radius=0):
        left = rect[0]
        span = max(rect[2] - left - 1, 1)
        row = b"".join(bytes(mix(left_colour, right_colour, (x - left) / span))
                       for x in range(left, rect[2]))
        self._fill_shape(rect, radius, lambda y, x0, x1: row[(x0 - left) * 3:(x1 - left) * 3])

    def border(self, rect, width, colour, radius=0):
        """A frame of the given width along the inside of a (rounded) rectangle."""
        left, top, right, bottom = rect
        inner = (left + width, top + width, right - width, bottom - width)
        inner_radius = max(radius - width, 0)
        for y in range(max(top, 0), min(bottom, self.height)):
            outer_span = row_span(y, rect, radius)
            if not outer_span:
                continue
            inner_span = row_span(y, inner, inner_radius)
            if not inner_span:
                self._put_run(y, outer_span[0], bytes(colour) * (outer_span[1] - outer_span[0]))
            else:
                self._put_run(y, outer_span[0], bytes(colour) * (inner_span[0] - outer_span[0]))
                self._put_run(y, inner_span[1], bytes(colour) * (outer_span[1] - inner_span[1]))

    def keep_inside(self, rect, radius, outside):
        """Paints everything outside a (rounded) rectangle in one colour: what a mask of that shape cuts away."""
        for y in range(self.height):
            span = row_span(y, rect, radius)
            if not span:
                self._put_run(y, 0, bytes(outside) * self.width)
                continue
            self._put_run(y, 0, bytes(outside) * max(span[0], 0))
            if span[1] < self.width:
                self._put_run(y, span[1], bytes(outside) * (self.width - span[1]))

    def crop(self, rect):
        """A new picture of a rectangle of this one (which must lie inside it)."""
        left, top, right, bottom = rect
        if left < 0 or top < 0 or right > self.width or bottom > self.height:
            raise ValueError("a crop must lie inside the picture")
        c = Canvas(right - left, bottom - top)
        for y in range(top, bottom):
            i = (y * self.width + left) * 3
            c._put_run(y - top, 0, self.pixels[i:i + (right - left) * 3])
        return c

    def text(self, x, y, text, colour, scale=1):
        """Draws one line of text with its top left corner at (x, y)."""
        for ch in text:
            rows = pixelfont.glyph(ch)
            for gy, row in enumerate(rows):
                for gx, on in enumerate(row):
                    if on:
                        self.fill_rect((x + gx * scale, y + gy * scale,
                                        x + (gx + 1) * scale, y + (gy + 1) * scale), colour)
            x += pixelfont.ADVANCE * scale

    def text_centred(self, rect, text, colour, scale=1):
        """Draws one line of text centred in a rectangle (capitals centred on their own height)."""
        width, _ = pixelfont.text_size(text, scale)
        cap_height = (pixelfont.GLYPH_HEIGHT - 1) * scale
        x = rect[0] + (rect[2] - rect[0] - width) // 2
        y = rect[1] + (rect[3] - rect[1] - cap_height) // 2
        self.text(x, y, text, colour, scale)

    def _fill_shape(self, rect, radius, run_of_row):
        """Fills the rows of a rounded rectangle with run_of_row(y, x0, x1): the bytes of [x0, x1)."""
        for y in range(max(rect[1], 0), min(rect[3], self.height)):
            span = row_span(y, rect, radius)
            if span:
                self._put_run(y, span[0], run_of_row(y, span[0], span[1]))

    def _put_run(self, y, x, run):
        """Writes a run of pixel bytes starting at (x, y), clipped to the picture."""
        if not 0 <= y < self.height:
            return
        if x < 0:
            run, x = run[-x * 3:], 0
        run = run[:max(self.width - x, 0) * 3]
        i = (y * self.width + x) * 3
        self.pixels[i:i + len(run)] = run

    def to_bmp(self):
        return bmp.encode_bmp24(self.width, self.height, self.pixels)
