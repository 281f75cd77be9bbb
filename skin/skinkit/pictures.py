"""The skin's pictures, each drawn from a few parameters and the theme.

A panel entry makes two files, its background and its mask, from one shape,
so the window's outline and its picture can never drift apart.
"""

from .canvas import Canvas
from .colours import rgb

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# name: the files are <name>Background.bmp and <name>Mask.bmp in skins\.
PANELS = [
    {
        "name": "TestPanel",
        "size": (320, 200),
        "radius": 48,
        "title": "TEST PANEL",
        "lines": ["Background and mask", "from one shape"],
        "badge": "MASK ON",
    },
]


def panel_files(panel):
    return (panel["name"] + "Background.bmp", panel["name"] + "Mask.bmp")


def paint_panel_background(panel, theme):
    width, height = panel["size"]
    radius = panel["radius"]
    bw = theme["border_width"]
    whole = (0, 0, width, height)
    c = Canvas(width, height, rgb(theme["well"]))
    c.vertical_gradient(whole, rgb(theme["panel_top"]), rgb(theme["panel"]), radius)
    c.border(whole, bw, rgb(theme["panel_border"]), radius)
    header = theme["header_height"]
    title_scale = theme["title_scale"]
    c.text_centred((0, bw, width, header), panel["title"], rgb(theme["text"]), title_scale)
    c.fill_rect((radius, header, width - radius, header + 1), rgb(theme["accent"]))
    scale = theme["text_scale"]
    y = header + 14
    for line in panel["lines"]:
        c.text_centred((0, y, width, y + 12 * scale), line, rgb(theme["text_dim"]), scale)
        y += 14 * scale
    # A badge in the active colour shows the active-state colour of the theme.
    pill_r = theme["pill_radius"]
    pill = (width // 2 - 40, height - 2 * pill_r - 30, width // 2 + 40, height - 30)
    c.fill_rounded_rect(pill, pill_r, rgb(theme["active_dim"]))
    c.border(pill, 1, rgb(theme["active"]), pill_r)
    c.text_centred(pill, panel["badge"], rgb(theme["text"]), scale)
    return c


def paint_panel_mask(panel):
    """Black where the window is, white where it is cut away."""
    width, height = panel["size"]
    c = Canvas(width, height, WHITE)
    c.fill_rounded_rect((0, 0, width, height), panel["radius"], BLACK)
    return c


def all_pictures(theme):
    """(file name, painter) of every picture, painters called only when drawn."""
    out = []
    for panel in PANELS:
        background, mask = panel_files(panel)
        out.append((background, lambda p=panel: paint_panel_background(p, theme)))
        out.append((mask, lambda p=panel: paint_panel_mask(p)))
    return out
