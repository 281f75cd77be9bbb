"""The skin's pictures, each drawn from a few parameters and the theme.

A panel entry makes two files, its background and its mask, from one shape,
so the window's outline and its picture can never drift apart.
"""

from . import pages
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
    {
        "name": "WidgetTestPanel",
        "size": (380, 250),
        "radius": 24,
        "title": "WIDGETS",
        "lines": [],
        "badge": "TEST PAGE",
    },
    {
        "name": "SliderTestPanel",
        "size": (380, 250),
        "radius": 24,
        "title": "SLIDERS",
        "lines": [],
        "badge": "TEST PAGE",
    },
    {
        "name": "StageTestPanel",
        "size": (380, 250),
        "radius": 24,
        "title": "STAGES",
        "lines": [],
        "badge": "TEST PAGE",
    },
    {
        "name": "ListEditTestPanel",
        "size": (380, 250),
        "radius": 24,
        "title": "LISTS AND EDITS",
        "lines": [],
        "badge": "TEST PAGE",
    },
]

# The widgets' state pictures: (file name, size, state).  Every state of a
# kind is drawn from the same shape, so only the colours tell them apart.
BUTTON_SIZE = (96, 28)
CHECK_SIZE = (20, 20)
KEY_SIZE = (44, 40)
FRAME_SIZE = (132, 132)
STATES = ("normal", "over", "down", "disabled")


def state_colours(state, theme):
    """(fill top, fill bottom, border, legend) of a widget state."""
    if state == "over":
        return (rgb(theme["panel_top"]), rgb(theme["panel_border"]), rgb(theme["accent"]), rgb(theme["text"]))
    if state == "down":
        return (rgb(theme["active_dim"]), rgb(theme["active_dim"]), rgb(theme["active"]), rgb(theme["text"]))
    if state == "disabled":
        return (rgb(theme["well"]), rgb(theme["well"]), rgb(theme["frame"]), rgb(theme["text_dim"]))
    return (rgb(theme["panel_top"]), rgb(theme["panel"]), rgb(theme["panel_border"]), rgb(theme["text"]))


def paint_state_shape(size, radius, state, theme, behind):
    """A rounded shape in a state's colours on the colour of what lies behind it."""
    width, height = size
    top, bottom, border, _ = state_colours(state, theme)
    whole = (0, 0, width, height)
    c = Canvas(width, height, behind)
    c.vertical_gradient(whole, top, bottom, radius)
    c.border(whole, 1, border, radius)
    return c


def paint_check(state, theme):
    c = paint_state_shape(CHECK_SIZE, 4, "down" if state == "down" else state, theme, rgb(theme["well"]))
    if state == "down":
        # A tick: the checked state must not rely on colour alone.
        for i in range(5):
            c.fill_rect((5 + i, 9 + i, 7 + i, 11 + i), rgb(theme["text"]))
        for i in range(7):
            c.fill_rect((9 + i, 13 - i, 11 + i, 15 - i), rgb(theme["text"]))
    return c


def paint_mask(size, radius):
    width, height = size
    c = Canvas(width, height, WHITE)
    c.fill_rounded_rect((0, 0, width, height), radius, BLACK)
    return c


def paint_frame(state, theme, size=FRAME_SIZE, radius=8):
    """A window's frame: a well inside a border that shows the state."""
    width, height = size
    border = {"normal": theme["panel_border"], "over": theme["accent"], "down": theme["active"]}[state]
    c = Canvas(width, height, rgb(theme["panel"]))
    c.fill_rounded_rect((0, 0, width, height), radius, rgb(theme["well"]))
    c.border((0, 0, width, height), 2, rgb(border), radius)
    return c


def paint_well(size, theme):
    width, height = size
    c = Canvas(width, height, rgb(theme["panel"]))
    c.fill_rounded_rect((0, 0, width, height), 6, rgb(theme["well"]))
    c.border((0, 0, width, height), 1, rgb(theme["frame"]), 6)
    return c


def paint_icon(theme):
    c = Canvas(16, 16, rgb(theme["well"]))
    c.fill_rounded_rect((1, 1, 15, 15), 7, rgb(theme["active"]))
    return c


SCROLL_WIDTH = 12


def paint_scroll_arrow(down, theme):
    """A scroll-bar arrow button: a triangle on the well colour."""
    c = Canvas(SCROLL_WIDTH, 12, rgb(theme["well"]))
    c.fill_rounded_rect((1, 1, SCROLL_WIDTH - 1, 11), 3, rgb(theme["panel_top"]))
    for i in range(4):
        y = (7 - i) if not down else (4 + i)
        c.fill_rect((2 + i, y, SCROLL_WIDTH - 2 - i, y + 1), rgb(theme["text"]))
    return c


def scroll_pictures(theme):
    """The six pieces of the skinned vertical scroll bar."""
    well = rgb(theme["well"])
    return [
        ("ScrollTop.bmp", lambda: Canvas(SCROLL_WIDTH, 2, well)),
        ("ScrollBottom.bmp", lambda: Canvas(SCROLL_WIDTH, 2, well)),
        ("ScrollUp.bmp", lambda: paint_scroll_arrow(False, theme)),
        ("ScrollDown.bmp", lambda: paint_scroll_arrow(True, theme)),
        ("ScrollSpan.bmp", lambda: Canvas(SCROLL_WIDTH, 1, rgb(theme["frame"]))),
        ("ScrollThumb.bmp", lambda: paint_state_shape((SCROLL_WIDTH, 24), 4, "over", theme, well)),
    ]


def widget_pictures(theme):
    out = []
    for state in STATES:
        name = state.capitalize()
        out.append(("Button%s.bmp" % name,
                    lambda s=state: paint_state_shape(BUTTON_SIZE, 6, s, theme, rgb(theme["panel"]))))
        out.append(("Key%s.bmp" % name,
                    lambda s=state: paint_state_shape(KEY_SIZE, 5, s, theme, rgb(theme["well"]))))
        out.append(("Check%s.bmp" % name, lambda s=state: paint_check(s, theme)))
    out.append(("ButtonMask.bmp", lambda: paint_mask(BUTTON_SIZE, 6)))
    for state in ("normal", "over", "down"):
        out.append(("Frame%s.bmp" % state.capitalize(), lambda s=state: paint_frame(s, theme)))
    out.append(("FrameInner.bmp", lambda: Canvas(FRAME_SIZE[0] - 8, FRAME_SIZE[1] - 8, rgb(theme["well"]))))
    out.append(("WidgetWell.bmp", lambda: paint_well((200, 116), theme)))
    out.append(("AssignIcon.bmp", lambda: paint_icon(theme)))
    out += scroll_pictures(theme)
    return out


# The slider test panel's vertical track and level marker (left, top, width,
# height on the panel), the vertical thumb's travel inside its track and size.
SLIDER_PANEL_TRACK = (40, 60, 40, 150)
SLIDER_PANEL_TRAVEL = (5, 15, 30, 120)
VERTICAL_THUMB = (30, 20)
SLIDER_PANEL_MARKER = (110, 100, 230, 18)


def _slider_panel():
    return next(p for p in PANELS if p["name"] == "SliderTestPanel")


def paint_vertical_track(theme):
    panel = _slider_panel()
    left, top, width, height = SLIDER_PANEL_TRACK
    c = paint_panel_background(panel, theme).crop((left, top, left + width, top + height))
    t_left, t_top, _, t_height = SLIDER_PANEL_TRAVEL
    middle = width // 2
    groove = (middle - 3, t_top - 3, middle + 3, t_top + t_height + 3)
    c.fill_rounded_rect(groove, 3, rgb(theme["well"]))
    c.border(groove, 1, rgb(theme["frame"]), 3)
    return c


def paint_marker(mark, theme):
    """The level marker's well, or the bar laid over its left part."""
    width, height = SLIDER_PANEL_MARKER[2:]
    c = Canvas(width, height, rgb(theme["well"]))
    if mark:
        c.horizontal_gradient((0, 0, width, height), rgb(theme["active_dim"]), rgb(theme["active"]))
    c.border((0, 0, width, height), 1, rgb(theme["frame"]))
    return c


def slider_panel_pictures(theme):
    return [
        ("VerticalTrack.bmp", lambda: paint_vertical_track(theme)),
        ("VerticalThumbNormal.bmp", lambda: pages.paint_slider_thumb("normal", theme, VERTICAL_THUMB)),
        ("VerticalThumbOver.bmp", lambda: pages.paint_slider_thumb("over", theme, VERTICAL_THUMB)),
        ("MarkerBack.bmp", lambda: paint_marker(False, theme)),
        ("MarkerMark.bmp", lambda: paint_marker(True, theme)),
    ]


# The stage test panel: the bitmap item the stage slider sits on and the
# slider's band inside it, the tickers' size, and the two stage tiles (left,
# top, width, height; the band's in the bitmap item, the others on the panel).
STAGE_PANEL_WELL = (24, 72, 332, 44)
STAGE_PANEL_BAND = (8, 8, 316, 28)
STAGE_TICKER = (10, 28)
STAGE_PANEL_TILES = [(24, 150, 80, 48), (116, 150, 80, 48)]
# The values a ticker may take: the well marks each under the band.
STAGE_VALUES = 32


def paint_stage_well(theme):
    """The well under the stage slider, with a mark at each value a border may take."""
    width, height = STAGE_PANEL_WELL[2:]
    c = paint_well((width, height), theme)
    left, top, band_width, band_height = STAGE_PANEL_BAND
    ticker_width = STAGE_TICKER[0]
    travel = band_width - ticker_width
    for value in range(STAGE_VALUES):
        x = left + ticker_width // 2 + (value * travel + (STAGE_VALUES - 1) // 2) // (STAGE_VALUES - 1)
        c.fill_rect((x, top + band_height - 6, x + 1, top + band_height), rgb(theme["text"]))
    return c


def stage_panel_pictures(theme):
    tile = STAGE_PANEL_TILES[0][2:]
    return [
        ("StageWell.bmp", lambda: paint_stage_well(theme)),
        ("StageTickerNormal.bmp", lambda: pages.paint_slider_thumb("normal", theme, STAGE_TICKER)),
        ("StageTickerOver.bmp", lambda: pages.paint_slider_thumb("over", theme, STAGE_TICKER)),
        ("StageTileFrame.bmp", lambda: paint_frame("normal", theme, tile, 6)),
        ("StageTileFrameSelected.bmp", lambda: paint_frame("down", theme, tile, 6)),
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
    out += widget_pictures(theme)
    out += slider_panel_pictures(theme)
    out += stage_panel_pictures(theme)
    out += pages.page_pictures(theme)
    return out
