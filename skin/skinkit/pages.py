"""Pictures of the configuration program's pages and popups."""


def page_pictures(theme):
    """(file name, painter) of every page and popup picture."""
    return []
