"""The parameters of the default skin's look.

Every picture takes its colours and measures from here, so a change of theme
is a change of these values, not of the pictures' code.
"""

THEME = {
    # Colours, by colour name.
    "panel": "TEAL_PANEL_BACKGROUND",
    "panel_top": "TEAL_PANEL_HIGHLIGHT",
    "panel_border": "TEAL_PANEL_BORDER",
    "frame": "TEAL_BORDER",
    "well": "TEAL_COMBO_BK",
    "accent": "TEAL_TAB_SELECT",
    "active": "GREEN",
    "active_dim": "GREEN3",
    "text": "WHITE",
    "text_dim": "MIDGREY",
    # Measures, in pixels.
    "border_width": 2,
    "header_height": 36,
    "text_scale": 1,
    "title_scale": 2,
    "pill_radius": 7,
}
