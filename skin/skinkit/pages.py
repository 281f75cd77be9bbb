"""Pictures of the configuration program's pages and popups.

The key-assignment page's keyboard is drawn to scale from the key table:
KEY_LAYOUT places every key of KeyTable.txt in key units, and key_rect turns
that into the pixel rectangle that the key's item takes on the main page, so
a key item sits exactly on its cap.
"""

from .canvas import Canvas, mix
from .colours import rgb
from . import pictures as _pictures  # read at drawing time: pictures imports this module

STATES = ("normal", "over", "down", "disabled")


def state_colours(state, theme):
    return _pictures.state_colours(state, theme)

MAIN_SIZE = (1000, 680)
MAIN_RADIUS = 18
HEADER = 70
TAB_SIZE = (150, 40)
SMALL_BUTTON = (34, 34)
WIDE_BUTTON = (160, 28)
ASSIGN_BUTTON = (36, 36)
POPUP_SIZE = (420, 220)
POPUP_TALL_SIZE = (420, 280)
POPUP_RADIUS = 14
INFO_SIZE = (312, 150)
# The main window is colour-keyed: this colour is see-through on the screen.
KEY_COLOUR = (255, 0, 255)
# The footer's separator line; the buttons under it keep within its ends.
FOOTER_LINE = (20, 620, MAIN_SIZE[0] - 20, 621)
# The frame round the key-assignment page's choices, under the keyboard.  The
# page draws it (a picture item of its own), so the other pages do not show it.
ASSIGN_PANEL = (20, 432, 640, 616)
ASSIGN_PANEL_RADIUS = 10

# The profiles page: the list of profiles at the left, its buttons and the
# on-screen display option at the right.  The list's width follows from its
# columns as the loader adds them up (columns, border, scroll bar); its
# header and rows have the heights the list control gives them
# (CXHeaderCtrl::kHeight, CXListCtrl::kRowHeight), so twenty profiles fit
# without scrolling.  The frame's picture lies round the list.
PROFILE_COLUMNS = (56, 44, 246, 232, 120)
PROFILE_LIST_BORDER = 1
PROFILE_SCROLL_WIDTH = 12
PROFILE_HEADER = 26
PROFILE_ROW = 24
PROFILE_ROWS = 20
PROFILE_LIST_ORIGIN = (34, 98)
PROFILE_FRAME_MARGIN = 6
PROFILE_CELL_PICTURE = 16


def profile_list_rect():
    """(left, top, right, bottom) of the profile list on the main page."""
    left, top = PROFILE_LIST_ORIGIN
    width = sum(PROFILE_COLUMNS) + PROFILE_LIST_BORDER + PROFILE_SCROLL_WIDTH
    return (left, top, left + width, top + PROFILE_HEADER + PROFILE_ROWS * PROFILE_ROW)


def profile_frame_rect():
    left, top, right, bottom = profile_list_rect()
    m = PROFILE_FRAME_MARGIN
    return (left - m, top - m, right + m, bottom + m)


# The keyboard: one key unit in pixels, the gap between caps, and where the
# keyboard picture lies on the main page.
UNIT = 38
GAP = 3
KEYBOARD_ORIGIN = (28, 84)
KEYBOARD_PAD = 14


def _row(y, x, keys):
    """Places (symbol, width) pairs from x along row y; a symbol None is a gap."""
    out = {}
    for symbol, width in keys:
        if symbol:
            out[symbol] = (x, y, width, 1)
        x += width
    return out


def _key_layout():
    k = {}
    x0 = 1.5  # the macro key column stands left of the main block
    for i in range(5):
        k["BUTTON_KB_LMCR%d" % (i + 1)] = (0, 1.5 + i, 1.25, 1)
    k.update(_row(0, x0, [("BUTTON_KB_ESC", 1), (None, 1)] +
                  [("BUTTON_KB_F%d" % n, 1) for n in range(1, 5)] + [(None, 0.5)] +
                  [("BUTTON_KB_F%d" % n, 1) for n in range(5, 9)] + [(None, 0.5)] +
                  [("BUTTON_KB_F%d" % n, 1) for n in range(9, 13)] + [(None, 0.25)] +
                  [("BUTTON_KB_PRTSC", 1), ("BUTTON_KB_SCRLK", 1), ("BUTTON_KB_PAUSE", 1)]))
    digits = ["BUTTON_KB_%d" % n for n in (1, 2, 3, 4, 5, 6, 7, 8, 9, 0)]
    k.update(_row(1.5, x0, [("BUTTON_KB_TILDE", 1)] + [(d, 1) for d in digits] +
                  [("BUTTON_KB_MINUS", 1), ("BUTTON_KB_PLUS", 1), ("BUTTON_KB_BKSPC", 2), (None, 0.25),
                   ("BUTTON_KB_INSRT", 1), ("BUTTON_KB_HOME", 1), ("BUTTON_KB_PGUP", 1), (None, 0.25),
                   ("BUTTON_KB_NUMLK", 1), ("BUTTON_KB_NUMSH", 1), ("BUTTON_KB_NUMSR", 1), ("BUTTON_KB_NUMMS", 1)]))
    k.update(_row(2.5, x0, [("BUTTON_KB_TAB", 1.5)] + [("BUTTON_KB_" + c, 1) for c in "QWERTYUIOP"] +
                  [("BUTTON_KB_LTCRBKT", 1), ("BUTTON_KB_RTCRBKT", 1), ("BUTTON_KB_VRTLINE", 1.5), (None, 0.25),
                   ("BUTTON_KB_DEL", 1), ("BUTTON_KB_END", 1), ("BUTTON_KB_PGDOWN", 1), (None, 0.25),
                   ("BUTTON_KB_NUM7", 1), ("BUTTON_KB_NUM8", 1), ("BUTTON_KB_NUM9", 1)]))
    k["BUTTON_KB_NUMPLUS"] = (x0 + 21.5, 2.5, 1, 2)
    k.update(_row(3.5, x0, [("BUTTON_KB_CAPSLK", 1.75)] + [("BUTTON_KB_" + c, 1) for c in "ASDFGHJKL"] +
                  [("BUTTON_KB_COLON", 1), ("BUTTON_KB_QUOTN", 1), ("BUTTON_KB_ENTER", 2.25), (None, 3.5),
                   ("BUTTON_KB_NUM4", 1), ("BUTTON_KB_NUM5", 1), ("BUTTON_KB_NUM6", 1)]))
    k.update(_row(4.5, x0, [("BUTTON_KB_LTSHFT", 2.25)] + [("BUTTON_KB_" + c, 1) for c in "ZXCVBNM"] +
                  [("BUTTON_KB_LESSTHN", 1), ("BUTTON_KB_GRTRTHN", 1), ("BUTTON_KB_QTNMRK", 1),
                   ("BUTTON_KB_RTSHFT", 2.75), (None, 1.25), ("BUTTON_KB_UPARW", 1), (None, 1.25),
                   ("BUTTON_KB_NUM1", 1), ("BUTTON_KB_NUM2", 1), ("BUTTON_KB_NUM3", 1)]))
    k["BUTTON_KB_NUMENTR"] = (x0 + 21.5, 4.5, 1, 2)
    k.update(_row(5.5, x0, [("BUTTON_KB_LTCTRL", 1.5), ("BUTTON_KB_LTWIN", 1.25), ("BUTTON_KB_LTALT", 1.25),
                            ("BUTTON_KB_SPACE", 7), ("BUTTON_KB_RTALT", 1.25), ("BUTTON_KB_MENU", 1.25),
                            ("BUTTON_KB_RTCTRL", 1.5), (None, 0.25), ("BUTTON_KB_LTARW", 1),
                            ("BUTTON_KB_DWNARW", 1), ("BUTTON_KB_RTARW", 1), (None, 0.25),
                            ("BUTTON_KB_NUM0", 2), ("BUTTON_KB_NUM_PT", 1)]))
    # The profile keys and the keys of other regions' keyboards in a row of
    # their own under the main block.
    k.update(_row(7, x0, [("BUTTON_KB_LMODIFIER_T%d" % n, 1) for n in range(1, 8)] + [(None, 0.5)] +
                  [("BUTTON_KB_EU1_NOTE2", 1), ("BUTTON_KB_EU2_NOTE2", 1), ("BUTTON_KB_INTL2_YEN", 1),
                   ("BUTTON_KB_INTL1_RO", 1), ("BUTTON_KB_INTL2_KATA_HIRA", 1), ("BUTTON_KB_INTL4_HENKAN", 1),
                   ("BUTTON_KB_INTL5_MUHENKAN", 1)]))
    return k


KEY_LAYOUT = _key_layout()
KEYBOARD_UNITS = (max(x + w for x, _, w, _ in KEY_LAYOUT.values()),
                  max(y + h for _, y, _, h in KEY_LAYOUT.values()))
KEYBOARD_SIZE = (int(KEYBOARD_UNITS[0] * UNIT) + 2 * KEYBOARD_PAD - GAP,
                 int(KEYBOARD_UNITS[1] * UNIT) + 2 * KEYBOARD_PAD - GAP)


def key_rect_in_picture(symbol):
    """(left, top, width, height) of a key's cap inside the keyboard picture."""
    x, y, w, h = KEY_LAYOUT[symbol]
    return (KEYBOARD_PAD + int(round(x * UNIT)), KEYBOARD_PAD + int(round(y * UNIT)),
            int(round(w * UNIT)) - GAP, int(round(h * UNIT)) - GAP)


def key_rect(symbol):
    """(left, top, width, height) of a key's item on the main page."""
    left, top, width, height = key_rect_in_picture(symbol)
    return (KEYBOARD_ORIGIN[0] + left, KEYBOARD_ORIGIN[1] + top, width, height)


def key_sizes():
    """Every (width, height) a key cap takes."""
    return sorted({key_rect(s)[2:] for s in KEY_LAYOUT})


def key_picture_name(state, size):
    return "Key%s%dx%d.bmp" % (state.capitalize(), size[0], size[1])


def paint_key(state, size, theme):
    width, height = size
    top, bottom, _, _ = state_colours(state, theme)
    c = _pictures.paint_state_shape(size, 5, state, theme, rgb(theme["well"]))
    # A lighter top face over the cap's sides gives it depth.
    c.fill_rounded_rect((3, 2, width - 3, height - 5), 4, mix(top, bottom, 0.35))
    return c


def paint_keyboard(theme):
    width, height = KEYBOARD_SIZE
    c = Canvas(width, height, rgb(theme["panel"]))
    c.fill_rounded_rect((0, 0, width, height), 12, rgb(theme["well"]))
    c.border((0, 0, width, height), 2, rgb(theme["panel_border"]), 12)
    for symbol in KEY_LAYOUT:
        left, top, w, h = key_rect_in_picture(symbol)
        c.fill_rounded_rect((left, top, left + w, top + h), 5, rgb(theme["panel"]))
        c.border((left, top, left + w, top + h), 1, rgb(theme["frame"]), 5)
    return c


def _page_base(size, radius, theme, title):
    width, height = size
    whole = (0, 0, width, height)
    c = Canvas(width, height, KEY_COLOUR)
    c.vertical_gradient(whole, rgb(theme["panel_top"]), rgb(theme["panel"]), radius)
    c.border(whole, theme["border_width"], rgb(theme["panel_border"]), radius)
    if title:
        c.text(24, 16, title, rgb(theme["text"]), theme["title_scale"])
    return c


def paint_main_page(theme):
    """The page the four pages lie over: header, footer and nothing of any page."""
    width, height = MAIN_SIZE
    c = _page_base(MAIN_SIZE, MAIN_RADIUS, theme, "")
    c.fill_rect((MAIN_RADIUS, 0, width - MAIN_RADIUS, HEADER), rgb(theme["panel"]))
    c.fill_rounded_rect((0, 0, width, HEADER + MAIN_RADIUS), MAIN_RADIUS, rgb(theme["panel"]))
    c.vertical_gradient((2, HEADER, width - 2, height - 2), rgb(theme["panel"]), rgb(theme["well"]), 0)
    c.border((0, 0, width, height), theme["border_width"], rgb(theme["panel_border"]), MAIN_RADIUS)
    c.text(26, 20, "MOBEK", rgb(theme["text"]), 3)
    c.text(26 + 6 * 3 * 6, 20, "TILVOR", rgb(theme["active"]), 3)
    c.fill_rect((20, HEADER - 2, width - 20, HEADER), rgb(theme["accent"]))
    c.fill_rect(FOOTER_LINE, rgb(theme["frame"]))
    # Whatever the mask cuts away is the key colour too, so the colour key
    # and the window's region cut the same shape.
    c.keep_inside((0, 0, width, height), MAIN_RADIUS, KEY_COLOUR)
    return c


def paint_page_frame(rect, theme):
    """A frame round a group of a page's items, on the part of the main page it covers."""
    left, top, right, bottom = rect
    c = paint_main_page(theme).crop(rect)
    c.border((0, 0, right - left, bottom - top), 1, rgb(theme["frame"]), ASSIGN_PANEL_RADIUS)
    return c


def paint_page_frame_mask(rect):
    """Only the frame's line: the items inside the frame keep their own look and the mouse."""
    left, top, right, bottom = rect
    c = Canvas(right - left, bottom - top, _pictures.WHITE)
    c.border((0, 0, right - left, bottom - top), 1, _pictures.BLACK, ASSIGN_PANEL_RADIUS)
    return c


# The lighting page: the logo light's frame and the keyboard's, the
# brightness slider's track (left, top, width, height on the main page), the
# travel of its thumb's centre inside the track and the thumb's size.
LIGHT_PANEL = (20, 96, 640, 472)
KEYBOARD_PANEL = (660, 96, 980, 472)
BRIGHTNESS_TRACK = (44, 330, 572, 44)
BRIGHTNESS_TRAVEL = (22, 528)
SLIDER_THUMB = (20, 30)
# The slider's four stops (values 1..100, so index = value - 1) and the
# colour of the part of the groove left of the thumb.
BRIGHTNESS_STOPS = (1, 29, 62, 100)
BRIGHTNESS_FILL = "GREEN2"
SPECTRUM_STRIP = (140, 16)
# What a thumb's shape cuts away: its top left pixel's colour, used nowhere else.
THUMB_CUT = (0, 0, 0)


def brightness_stop_x(value):
    """Where the thumb's centre stands, in the track, for a value of the slider."""
    left, width = BRIGHTNESS_TRAVEL
    return left + width * (value - 1) // 99


def groove_rect(track_height):
    left, width = BRIGHTNESS_TRAVEL
    middle = track_height // 2
    return (left, middle - 3, left + width, middle + 3)


def paint_brightness_track(theme):
    """The groove the thumb runs in, with a tick at each of the four stops."""
    left, top, width, height = BRIGHTNESS_TRACK
    c = paint_main_page(theme).crop((left, top, left + width, top + height))
    groove = groove_rect(height)
    c.fill_rounded_rect((groove[0] - 3, groove[1], groove[2] + 3, groove[3]), 3, rgb(theme["well"]))
    c.border((groove[0] - 3, groove[1], groove[2] + 3, groove[3]), 1, rgb(theme["frame"]), 3)
    for value in BRIGHTNESS_STOPS:
        x = brightness_stop_x(value)
        c.fill_rect((x - 1, groove[3] + 4, x + 1, height - 2), rgb(theme["text_dim"]))
    return c


def paint_slider_thumb(state, theme, size=SLIDER_THUMB):
    """A rounded knob; its corners, in the cut colour, are no part of the window."""
    width, height = size
    top, bottom, border, _ = state_colours("down" if state == "over" else "normal", theme)
    c = Canvas(width, height, THUMB_CUT)
    c.vertical_gradient((0, 0, width, height), top, bottom, 5)
    c.border((0, 0, width, height), 1, rgb(theme["active"]) if state == "over" else border, 5)
    grip = rgb(theme["text"]) if state == "over" else rgb(theme["text_dim"])
    if width <= height:
        c.fill_rect((width // 2 - 1, 6, width // 2 + 1, height - 6), grip)
    else:
        c.fill_rect((6, height // 2 - 1, width - 6, height // 2 + 1), grip)
    return c


def paint_spectrum_strip(theme):
    """The colours spectrum cycling runs through, left to right."""
    width, height = SPECTRUM_STRIP
    c = Canvas(width, height, rgb(theme["panel"]))
    # Violet rather than pure magenta: the main window shows its key colour
    # as a hole.
    stops = [(255, 0, 0), (255, 255, 0), (0, 255, 0), (0, 255, 255), (0, 0, 255), (235, 0, 255), (255, 0, 0)]
    part = width / (len(stops) - 1)
    for i in range(len(stops) - 1):
        x0, x1 = int(round(i * part)), int(round((i + 1) * part))
        c.horizontal_gradient((x0, 0, x1, height), stops[i], stops[i + 1])
    c.keep_inside((0, 0, width, height), height // 2, rgb(theme["panel"]))
    c.border((0, 0, width, height), 1, rgb(theme["frame"]), height // 2)
    return c


def paint_profile_frame(theme):
    """The frame round the profile list, on the part of the main page it covers."""
    left, top, right, bottom = profile_frame_rect()
    c = paint_main_page(theme).crop((left, top, right, bottom))
    whole = (0, 0, right - left, bottom - top)
    c.fill_rounded_rect(whole, 10, rgb(theme["well"]))
    c.border(whole, 1, rgb(theme["panel_border"]), 10)
    return c


def paint_profile_marker(on, theme):
    """The active-profile marker of a list row: a lit dot, or an empty ring."""
    size = PROFILE_CELL_PICTURE
    whole = (0, 0, size, size)
    c = Canvas(size, size, rgb(theme["well"]))
    c.fill_rounded_rect(whole, size // 2, rgb(theme["active"] if on else theme["panel"]))
    c.border(whole, 2, rgb(theme["active_dim"] if on else theme["frame"]), size // 2)
    if on:
        c.fill_rounded_rect((5, 5, size - 5, size - 5), 3, rgb(theme["text"]))
    return c


def paint_profile_check(on, theme):
    """A list row's check box: a tick on the active colour, or an empty box."""
    size = PROFILE_CELL_PICTURE
    whole = (0, 0, size, size)
    c = Canvas(size, size, rgb(theme["well"]))
    c.fill_rounded_rect(whole, 4, rgb(theme["active_dim"] if on else theme["panel"]))
    c.border(whole, 1, rgb(theme["active"] if on else theme["panel_border"]), 4)
    if on:
        # A tick: the checked state must not rely on colour alone.
        for i in range(4):
            c.fill_rect((3 + i, 7 + i, 5 + i, 9 + i), rgb(theme["text"]))
        for i in range(6):
            c.fill_rect((7 + i, 10 - i, 9 + i, 12 - i), rgb(theme["text"]))
    return c


def paint_tab(state, theme):
    width, height = TAB_SIZE
    c = _pictures.paint_state_shape(TAB_SIZE, 8, state, theme, rgb(theme["panel"]))
    if state == "down":
        c.fill_rect((10, height - 4, width - 10, height - 1), rgb(theme["active"]))
    return c


def paint_assign_button(state, theme):
    width, height = ASSIGN_BUTTON
    legend = state_colours(state, theme)[3]
    c = _pictures.paint_state_shape(ASSIGN_BUTTON, 8, state, theme, rgb(theme["well"]))
    c.fill_rounded_rect((12, 12, width - 12, height - 12), 6, legend)
    return c


def paint_info_frame(state, theme):
    return _pictures.paint_frame(state, theme, INFO_SIZE, 10)


# The key window's icons: (icon code, letter).
ASSIGNMENT_ICONS = [(0, "D"), (5, "K"), (6, "M"), (7, "M"), (8, "X"), (22, "P"), (23, "P"), (63, "L"),
                    (64, "L"), (100, "1"), (101, "N"), (102, "T"), (103, "H")]


def paint_assignment_icon(letter, theme):
    c = Canvas(18, 18, rgb(theme["well"]))
    c.fill_rounded_rect((0, 0, 18, 18), 8, rgb(theme["active_dim"]))
    c.border((0, 0, 18, 18), 1, rgb(theme["active"]), 8)
    c.text_centred((0, 0, 18, 18), letter, rgb(theme["text"]))
    return c


def paint_popup(size, theme):
    width, height = size
    c = _page_base(size, POPUP_RADIUS, theme, "")
    c.fill_rect((POPUP_RADIUS, 44, width - POPUP_RADIUS, 45), rgb(theme["accent"]))
    c.text(20, 18, "MOBEK TILVOR", rgb(theme["text_dim"]))
    return c


# The macros page: the recorder's buttons and the editor's row pictures.
MEDIA_BUTTON = (44, 34)
MEDIA_SYMBOLS = ("Back", "Record", "Play", "Forward")
ROW_PICTURE = (28, 18)


def _triangle(c, x, y, height, colour, pointing="right"):
    """A triangle of the given height with its flat side at x (right-pointing)
    or its point at x (left-pointing), from the top at y."""
    half = height // 2
    for i in range(height):
        length = half - abs(half - i) + 1
        if pointing == "right":
            c.fill_rect((x, y + i, x + length, y + i + 1), colour)
        elif pointing == "left":
            c.fill_rect((x - length, y + i, x, y + i + 1), colour)


def _vertical_triangle(c, centre_x, y, height, colour, down):
    """A triangle pointing down (or up) with its point at the bottom (or top)."""
    for i in range(height):
        half = (height - i) if down else (i + 1)
        c.fill_rect((centre_x - half + 1, y + i, centre_x + half, y + i + 1), colour)


def paint_media_button(symbol, state, theme):
    """A recorder button: its state's shape with a symbol in its legend colour."""
    width, height = MEDIA_BUTTON
    legend = state_colours(state, theme)[3]
    c = _pictures.paint_state_shape(MEDIA_BUTTON, 8, state, theme, rgb(theme["panel"]))
    mid_x, mid_y = width // 2, height // 2
    if symbol == "Record":
        # The record mark in the theme's active colour, grey when the button is off.
        dot = legend if state == "disabled" else rgb(theme["active"])
        c.fill_rounded_rect((mid_x - 7, mid_y - 7, mid_x + 7, mid_y + 7), 7, dot)
    elif symbol == "Play":
        _triangle(c, mid_x - 5, mid_y - 8, 17, legend, "right")
    elif symbol == "Back":
        c.fill_rect((mid_x - 9, mid_y - 7, mid_x - 6, mid_y + 8), legend)
        _triangle(c, mid_x + 2, mid_y - 7, 15, legend, "left")
        _triangle(c, mid_x + 10, mid_y - 7, 15, legend, "left")
    elif symbol == "Forward":
        c.fill_rect((mid_x + 6, mid_y - 7, mid_x + 9, mid_y + 8), legend)
        _triangle(c, mid_x - 10, mid_y - 7, 15, legend, "right")
        _triangle(c, mid_x - 2, mid_y - 7, 15, legend, "right")
    return c


def paint_row_picture(kind, theme):
    """A macro step's picture: a key with its direction, a clock or a mouse;
    the highlighted clock and mouse stand on a selected row."""
    width, height = ROW_PICTURE
    c = Canvas(width, height, rgb(theme["well"]))
    light = kind.endswith("Hi")
    ink = rgb(theme["active"]) if light else rgb(theme["text"])
    if kind in ("KeyDown", "KeyUp"):
        c.fill_rounded_rect((2, 2, 18, 16), 3, rgb(theme["panel_top"]))
        c.border((2, 2, 18, 16), 1, rgb(theme["panel_border"]), 3)
        arrow = rgb(theme["active"]) if kind == "KeyDown" else rgb(theme["text"])
        _vertical_triangle(c, 23, 5, 6, arrow, kind == "KeyDown")
        c.fill_rect((22, 2, 25, 5) if kind == "KeyDown" else (22, 11, 25, 14), arrow)
    elif kind.startswith("Delay"):
        c.fill_rounded_rect((6, 1, 22, 17), 8, ink)
        c.fill_rounded_rect((8, 3, 20, 15), 6, rgb(theme["well"]))
        c.fill_rect((13, 5, 15, 10), ink)
        c.fill_rect((13, 9, 18, 11), ink)
    else:
        c.fill_rounded_rect((9, 1, 19, 17), 5, ink)
        c.fill_rounded_rect((10, 2, 18, 16), 4, rgb(theme["well"]))
        c.fill_rect((13, 2, 15, 8), ink)
        c.fill_rect((10, 8, 18, 9), ink)
    return c


ROW_PICTURES = ("KeyDown", "KeyUp", "Delay", "DelayHi", "Mouse", "MouseHi")


def page_pictures(theme):
    """(file name, painter) of every page and popup picture."""
    out = [
        ("MainPageBackground.bmp", lambda: paint_main_page(theme)),
        ("MainPageMask.bmp", lambda: _pictures.paint_mask(MAIN_SIZE, MAIN_RADIUS)),
        ("AssignPanel.bmp", lambda: paint_page_frame(ASSIGN_PANEL, theme)),
        ("AssignPanelMask.bmp", lambda: paint_page_frame_mask(ASSIGN_PANEL)),
        ("LightPanel.bmp", lambda: paint_page_frame(LIGHT_PANEL, theme)),
        ("LightPanelMask.bmp", lambda: paint_page_frame_mask(LIGHT_PANEL)),
        ("KeyboardPanel.bmp", lambda: paint_page_frame(KEYBOARD_PANEL, theme)),
        ("KeyboardPanelMask.bmp", lambda: paint_page_frame_mask(KEYBOARD_PANEL)),
        ("BrightnessTrack.bmp", lambda: paint_brightness_track(theme)),
        ("SliderThumbNormal.bmp", lambda: paint_slider_thumb("normal", theme)),
        ("SliderThumbOver.bmp", lambda: paint_slider_thumb("over", theme)),
        ("SpectrumStrip.bmp", lambda: paint_spectrum_strip(theme)),
        ("KeyboardPicture.bmp", lambda: paint_keyboard(theme)),
        ("PopupBackground.bmp", lambda: paint_popup(POPUP_SIZE, theme)),
        ("PopupMask.bmp", lambda: _pictures.paint_mask(POPUP_SIZE, POPUP_RADIUS)),
        ("PopupTallBackground.bmp", lambda: paint_popup(POPUP_TALL_SIZE, theme)),
        ("PopupTallMask.bmp", lambda: _pictures.paint_mask(POPUP_TALL_SIZE, POPUP_RADIUS)),
        ("WideButtonMask.bmp", lambda: _pictures.paint_mask(WIDE_BUTTON, 6)),
        ("ProfileListFrame.bmp", lambda: paint_profile_frame(theme)),
        ("ProfileMarkerOn.bmp", lambda: paint_profile_marker(True, theme)),
        ("ProfileMarkerOff.bmp", lambda: paint_profile_marker(False, theme)),
        ("ProfileMarkerMask.bmp",
         lambda: _pictures.paint_mask((PROFILE_CELL_PICTURE,) * 2, PROFILE_CELL_PICTURE // 2)),
        ("ProfileCheckOn.bmp", lambda: paint_profile_check(True, theme)),
        ("ProfileCheckOff.bmp", lambda: paint_profile_check(False, theme)),
        ("ProfileCheckMask.bmp", lambda: _pictures.paint_mask((PROFILE_CELL_PICTURE,) * 2, 4)),
        ("SmallButtonMask.bmp", lambda: _pictures.paint_mask(SMALL_BUTTON, SMALL_BUTTON[0] // 2)),
    ]
    for state in STATES:
        name = state.capitalize()
        out.append(("Tab%s.bmp" % name, lambda s=state: paint_tab(s, theme)))
        out.append(("SmallButton%s.bmp" % name,
                    lambda s=state: _pictures.paint_state_shape(SMALL_BUTTON, SMALL_BUTTON[0] // 2, s, theme,
                                                                rgb(theme["panel"]))))
        out.append(("WideButton%s.bmp" % name,
                    lambda s=state: _pictures.paint_state_shape(WIDE_BUTTON, 6, s, theme, rgb(theme["well"]))))
        out.append(("AssignButton%s.bmp" % name, lambda s=state: paint_assign_button(s, theme)))
        for size in key_sizes():
            out.append((key_picture_name(state, size), lambda s=state, z=size: paint_key(s, z, theme)))
    for state in ("normal", "over", "down"):
        out.append(("InfoFrame%s.bmp" % state.capitalize(), lambda s=state: paint_info_frame(s, theme)))
    out.append(("InfoInner.bmp", lambda: Canvas(INFO_SIZE[0] - 8, INFO_SIZE[1] - 8, rgb(theme["well"]))))
    for code, letter in ASSIGNMENT_ICONS:
        out.append(("AssignIcon%d.bmp" % code, lambda l=letter: paint_assignment_icon(l, theme)))
    out.append(("MediaButtonMask.bmp", lambda: _pictures.paint_mask(MEDIA_BUTTON, 8)))
    for symbol in MEDIA_SYMBOLS:
        for state in STATES:
            out.append(("Media%s%s.bmp" % (symbol, state.capitalize()),
                        lambda y=symbol, s=state: paint_media_button(y, s, theme)))
    for kind in ROW_PICTURES:
        out.append(("MacroRow%s.bmp" % kind, lambda k=kind: paint_row_picture(k, theme)))
    return out
