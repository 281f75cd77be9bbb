"""The user's manual: the installed tree's Manuals\\ folder.

The page and its screenshots are sources in manual/ (the screenshots cut
from a test run's by manual/cut_pictures.sh); the other pictures are drawn
here as PNG files: the key window's icons, taken from the skin's own
painters so that the manual shows what the program shows, and the stages of
the recording light.
"""

import os
import struct
import xml.etree.ElementTree as ET
import zlib

from . import pictures
from .canvas import Canvas, mix
from .colours import rgb

FOLDER = "Manuals"
PAGE = "index.html"
PICTURES = "pictures"

# The key window's icons the manual explains: (assignment code, file).
ICONS = [
    (0, "icon-default.png"),
    (5, "icon-single-key.png"),
    (100, "icon-play-once.png"),
    (101, "icon-repeat.png"),
    (102, "icon-until-pressed.png"),
    (103, "icon-while-held.png"),
    (22, "icon-profile-switch.png"),
    (63, "icon-launch-program.png"),
    (8, "icon-disable.png"),
]
RECORDING_LIGHT = "recording-light.png"


def encode_png(canvas):
    """An 8-bit RGB PNG of a canvas."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    stride = canvas.width * 3
    # Filter type 0 (none) before every row.
    raw = b"".join(b"\0" + bytes(canvas.pixels[y * stride:(y + 1) * stride]) for y in range(canvas.height))
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def _source_pictures(source):
    folder = os.path.join(source, "manual", PICTURES)
    if not os.path.isdir(folder):
        return []
    return sorted(f for f in os.listdir(folder) if f.lower().endswith(".png"))


def planned_outputs(source):
    """(folder, file name) of every file of the manual, relative to the installed tree."""
    names = set(_source_pictures(source))
    drawn = [name for _, name in ICONS] + [RECORDING_LIGHT]
    clash = names.intersection(drawn)
    if clash:
        raise ValueError("manual pictures both drawn and given: %s" % ", ".join(sorted(clash)))
    out = [(FOLDER, PAGE)]
    out += [(FOLDER + "/" + PICTURES, name) for name in sorted(names.union(drawn))]
    return out


def _icon_painters(source, theme):
    """Assignment code -> painter of the picture the key window shows for it."""
    window = ET.parse(os.path.join(source, "xml", "AssignKeys.xml")).getroot().find(
        ".//BITMAPWINDOW[@name='BITMAPWIN_ASSIGNKEY']")
    if window is None:
        raise ValueError("AssignKeys.xml has no key window")
    files = {int(item.get("assntype")): item.get("SBMN", "").strip() for item in window.iter("BITMAPITEM")}
    painters = dict(pictures.all_pictures(theme))
    out = {}
    for code, _ in ICONS:
        if files.get(code) not in painters:
            raise ValueError("the manual shows the key window's icon %d, which the skin does not draw" % code)
        out[code] = painters[files[code]]
    return out


def paint_recording_light(theme):
    """The three stages of an on-the-fly recording, as the keyboard's light shows them."""
    cell_w, cell_h, arrow_w = 200, 118, 34
    width = 3 * cell_w + 2 * arrow_w
    panel, well, frame = rgb(theme["panel"]), rgb(theme["well"]), rgb(theme["panel_border"])
    text, dim = rgb(theme["text"]), rgb(theme["text_dim"])
    lit, unlit = rgb("RED"), rgb("DARKGREY")
    c = Canvas(width, cell_h, panel)
    stages = [("RECORDING", "lit", "lit"), ("CHOOSE THE KEY", "blinking", "blink"), ("SAVED", "off", "off")]
    for i, (title, state, look) in enumerate(stages):
        x = i * (cell_w + arrow_w)
        cell = (x, 0, x + cell_w, cell_h)
        c.fill_rounded_rect(cell, 10, well)
        c.border(cell, 1, frame, 10)
        cx, cy, r = x + cell_w // 2, 40, 14
        if look == "blink":
            # Short rays around the light: it goes on and off.
            for dx, dy in ((0, -1), (1, -1), (1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1)):
                for step in range(r + 5, r + 10):
                    c.fill_rect((cx + dx * step - 1, cy + dy * step - 1, cx + dx * step + 1, cy + dy * step + 1),
                                mix(lit, well, 0.3))
        if look != "off":
            c.fill_rounded_rect((cx - r - 3, cy - r - 3, cx + r + 3, cy + r + 3), r + 3, mix(lit, well, 0.6))
        c.fill_rounded_rect((cx - r, cy - r, cx + r, cy + r), r, lit if look != "off" else unlit)
        c.text_centred((x, 72, x + cell_w, 86), title, text, 2)
        c.text_centred((x, 94, x + cell_w, 106), state, dim)
        if i < 2:
            # An arrow to the next stage.
            ax, ay = x + cell_w + 6, cy
            c.fill_rect((ax, ay - 1, ax + arrow_w - 16, ay + 2), dim)
            for k in range(7):
                c.fill_rect((ax + arrow_w - 16 + k, ay - 6 + k, ax + arrow_w - 15 + k, ay + 7 - k), dim)
    return c


def generate(source, dist, theme, write):
    """Writes the manual into dist with write(dist, folder, name, data)."""
    with open(os.path.join(source, "manual", PAGE), "rb") as f:
        write(dist, FOLDER, PAGE, f.read())
    folder = FOLDER + "/" + PICTURES
    for name in _source_pictures(source):
        with open(os.path.join(source, "manual", PICTURES, name), "rb") as f:
            write(dist, folder, name, f.read())
    painters = _icon_painters(source, theme)
    for code, name in ICONS:
        write(dist, folder, name, encode_png(painters[code]()))
    write(dist, folder, RECORDING_LIGHT, encode_png(paint_recording_light(theme)))
