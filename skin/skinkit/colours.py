"""The colour names that skin files may use, as 0x00BBGGRR values.

The theme names its colours by these names only, so that every picture the
generator draws uses the palette the skin files can name as well.
"""

COLOUR_NAMES = {
    "RED": 0x0000FF,
    "GREEN": 0x00FF00,
    "BLUE": 0xFF0000,
    "YELLOW": 0x00FFFF,
    "ORANGE": 0x007EFF,
    "PINK": 0x8080FF,
    "BLACK": 0x000000,
    "WHITE": 0xFFFFFF,
    "DARKGREY": 0x3A3A3A,
    "MIDGREY": 0x777069,
    "GREEN2": 0x067401,
    "GREEN3": 0x014709,
    "GREEN4": 0x021E00,
    "BLUE2": 0xC57700,
    "BLACK2": 0x0B0B0B,
    "DARKGREY2": 0x2B2B2B,
    "MIDGREY2": 0x677079,
    "GREY_DROPDOWN": 0x505050,
    "NAVY_BORDER": 0x623300,
    "NAVY_HIGHLIGHT": 0xEDD8FF,
    "NAVY_PROFILE_HIGHLIGHT": 0x3D1B00,
    "NAVY_TAB_SELECT": 0xFDAE00,
    "NAVY_GREY_HEADING": 0xD6C2B1,
    "NAVY_GOLD_HIGHTLIGHT": 0x007CD0,
    "TEAL_BORDER": 0x554909,
    "TEAL_HIGHLIGHT": 0xFEFEFE,
    "TEAL_PROFILE_HIGHLIGHT": 0x362E04,
    "TEAL_TAB_SELECT": 0xEDE86F,
    "TEAL_COMBO_BK": 0x1C1803,
    "TEAL_DROPDOWN_BORDER": 0x483D06,
    "TEAL_PANEL_BORDER": 0x816E0B,
    "TEAL_PANEL_BACKGROUND": 0x362E05,
    "TEAL_PANEL_HIGHLIGHT": 0x5E510A,
}


def rgb(name):
    """(red, green, blue) of a colour name; an unknown name is a build error."""
    try:
        value = COLOUR_NAMES[name.upper()]
    except KeyError:
        raise ValueError("unknown colour name: %s" % name) from None
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)
