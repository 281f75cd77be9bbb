#!/usr/bin/env python3
"""The default skin as installed: key files, language texts, skin files, pictures.

Run with --dist (the installed tree) and --skin (the skin sources, for the
key table and the drawing kit); --report writes a JUnit report for the test
script's count.
"""

import argparse
import os
import struct
import sys
import time
import unittest
import xml.etree.ElementTree as ET
from xml.sax.saxutils import quoteattr

ARGS = None


def _setup_paths(argv):
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist", required=True)
    parser.add_argument("--skin", required=True)
    parser.add_argument("--report")
    ARGS, rest = parser.parse_known_args(argv)
    sys.path.insert(0, ARGS.skin)
    return rest


def dist(*parts):
    return os.path.join(ARGS.dist, *parts)


def read(*parts):
    with open(dist(*parts), "rb") as f:
        return f.read()


def skin_xml(name):
    return ET.parse(dist("xml", name)).getroot()


class KeyFilesTest(unittest.TestCase):
    """The key files must give every key of the table the identifier, default
    code and flag that profiles, key items and the emulated keyboard use."""

    @classmethod
    def setUpClass(cls):
        from skinkit import keyfiles, keytable
        cls.kf, cls.kt = keyfiles, keytable
        cls.keys = keytable.read_key_table(os.path.join(ARGS.skin, "KeyTable.txt"))
        definition = skin_xml("KeyboardLayout.xml").find("KEYBOARDDEF")
        cls.definition = read("bin", definition.get("file"))
        cls.defaults = read("bin", definition.get("kbddefaults"))

    def test_known_key_names_hash_to_their_identifiers(self):
        # Worked out apart from the generator; a wrong width, sign or
        # encoding of the units gives other numbers.
        cases = [("Num Lock", -1496262242), ("Pause", 232643107),
                 ("Backslash", 1172223697), ("Europe 1", 1775452902), ("", 5381)]
        for name, expected in cases:
            with self.subTest(name=name):
                self.assertEqual(self.kt.hash_key_name(name), expected)

    def test_definition_file_reads_back_every_key_of_the_table(self):
        complete, records = self.kf.parse_definition_file(self.definition)
        self.assertTrue(complete)
        self.assertEqual([r.name for r in records], [k.name for k in self.keys])
        for key, record in zip(self.keys, records):
            with self.subTest(key=key.symbol):
                self.assertEqual((record.default_code, record.default_flag), (key.scan, key.extended))
                self.assertTrue(self.kf.is_assignable(record))
                self.assertEqual(record.key_id, self.kt.hash_key_name(key.name))

    def test_definition_file_layout(self):
        # Count, then per record: name length, UTF-16 name, two values, four
        # blocks of ten 4-byte entries.
        (count,) = struct.unpack_from("<I", self.definition, 0)
        self.assertEqual(count, len(self.keys))
        names = sum(len(k.name) * 2 for k in self.keys)
        self.assertEqual(len(self.definition), 4 + count * (4 + 4 + 160) + names)
        name_bytes, = struct.unpack_from("<I", self.definition, 4)
        first = self.keys[0]
        self.assertEqual(name_bytes, len(first.name) * 2)
        self.assertEqual(self.definition[8:8 + name_bytes].decode("utf-16-le"), first.name)

    def test_defaults_file_holds_code_and_flag_of_every_key(self):
        self.assertEqual(len(self.defaults), 4 + 8 * len(self.keys))
        table = self.kf.parse_defaults_file(self.defaults)
        for key in self.keys:
            with self.subTest(key=key.symbol):
                self.assertEqual(table[self.kt.hash_key_name(key.name)], (key.scan, key.extended))
        pause = struct.unpack_from("<iI", self.defaults, 4 + 8 * [k.name for k in self.keys].index("Pause"))
        self.assertEqual(pause, (232643107, 0x45 | 1 << 16))

    def test_codes_the_keyboard_reports_find_their_keys(self):
        # The keyboard reports scan | extended << 17 and lists a shared code
        # once, for the first key of the table; the device layer turns class
        # bits 17 into flag 1 before the lookup.
        _, records = self.kf.parse_definition_file(self.definition)
        assignable = self.kf.assignable_map(records)
        reported = {}
        for key in self.keys:
            reported.setdefault(key.scan | key.extended << 17, key)
        for device_id, key in reported.items():
            high = device_id >> 16
            cls = 2 if high == 4 else 1 if high == 2 else 0
            with self.subTest(key=key.symbol):
                self.assertEqual(self.kf.find_key(assignable, (device_id & 0xFFFF) | cls << 16),
                                 self.kt.hash_key_name(key.name))

    def test_default_code_from_block0(self):
        z = [(0, 0)] * 10
        cases = [
            ("plain key", [(0x1E, 0)] + z[1:], (0x1E, 0)),
            ("flagged entry alone", [(0x1D, 1)] + z[1:], (0x1D, 1)),
            ("prefix then code", [(0x1D, 0xE1), (0x45, 0)] + z[2:], (0x45, 0xE1)),
            ("run ends at a flagged entry", [(0xE0, 1), (0x2A, 0), (0x37, 2)] + z[3:], (0x2A, 1)),
            ("run looks at no more than eight entries",
             [(0xE0, 1)] + [(n, 0) for n in range(1, 10)], (8, 1)),
        ]
        for label, block, expected in cases:
            with self.subTest(label):
                self.assertEqual(self.kf.default_of_block0(block), expected)

    def test_damaged_definition_files_read_without_running_past_the_end(self):
        whole = self.definition
        cases = [("empty", b"", False, 0), ("count only", whole[:4], False, 0),
                 ("cut in the first name", whole[:10], False, 0),
                 ("cut in the last record", whole[:-1], False, len(self.keys) - 1),
                 ("count of zero", b"\0\0\0\0", False, 0),
                 ("odd name length", struct.pack("<II", 1, 3) + b"abc" + b"\0" * 164, False, 0)]
        for label, data, complete, count in cases:
            with self.subTest(label):
                ok, records = self.kf.parse_definition_file(data)
                self.assertEqual((ok, len(records)), (complete, count))

    def test_build_refuses_a_shared_code_that_finds_another_key(self):
        # Backslash hashes lower than Europe 1: with Europe 1 first in the
        # table, the code the keyboard reports for it would find Backslash.
        Key = self.kt.Key
        for keys, refused in [([Key("B", 0x2B, 0, "Backslash"), Key("E", 0x2B, 0, "Europe 1")], False),
                              ([Key("E", 0x2B, 0, "Europe 1"), Key("B", 0x2B, 0, "Backslash")], True)]:
            with self.subTest(first=keys[0].name):
                files = (self.kf.build_definition_file(keys), self.kf.build_defaults_file(keys))
                if refused:
                    self.assertRaises(ValueError, self.kf.check_round_trip, keys, *files)
                else:
                    self.kf.check_round_trip(keys, *files)

    def test_defaults_file_of_the_wrong_size_is_refused(self):
        self.assertIsNone(self.kf.parse_defaults_file(self.defaults + b"\0"))
        self.assertIsNone(self.kf.parse_defaults_file(self.defaults[:-1]))


# Every language key the programs look up; a missing one shows the raw key.
PROGRAM_KEYS = (
    ["$LeftButton", "$RightButton", "$Wheel", "$Button4", "$Button5",
     "$RightSideFrontButton", "$RightSideRearButton", "$LeftSideFrontButton",
     "$LeftSideRearButton", "$CenterFrontButton", "$CenterRearButton",
     "$ScrollUp", "$ScrollDown"] + ["$ThumbGrid%d" % n for n in range(1, 13)])
PROGRAM_KEYS += [k + d for k in list(PROGRAM_KEYS) for d in ("Down", "Up")]
PROGRAM_KEYS += [
    "$cut", "$copy", "$paste", "$undo", "$all", "$find", "$new", "$print", "$save",
    "$swapwindows", "$closewindow", "$lockpc", "$openexplorer", "$run", "$showdesktop",
    "$zoomin", "$zoomout",
    "$secondsdelay", "$InsertDelay", "$Delete", "$Edit",
    "$New", "$Rename", "$Copy", "$SetActive", "$RestoreDefault", "$Preview", "$Import",
    "$Export", "$AssignApplication", "$UnassignApplication",
    "$Stop", "$StopRecordingMacroEvents", "$Off", "$Dim", "$Normal", "$Bright", "$Custom",
    "$MobekTilvor", "$LoadMobekTilvor", "$CloseTrayIcon", "$SaveProfile",
    "$MouseButtonDown", "$MouseButtonUp",
]


class LanguageFilesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        from skinkit import langfile
        cls.lf = langfile
        cls.files = [lang.get("file") for lang in skin_xml("Language.xml").iter("LANG")]
        cls.data = read("lang", "English.txt")
        cls.name, cls.pairs = langfile.read_language_text(cls.data.decode("utf-16-le"))

    def test_default_language_names_its_text_file(self):
        langs = list(skin_xml("Language.xml").iter("LANG"))
        self.assertIn("LANGUAGE_DEFAULT", [lang.get("name") for lang in langs])
        for name in self.files:
            with self.subTest(file=name):
                self.assertTrue(os.path.isfile(dist("lang", name)))

    def test_english_file_is_utf16_lines_ended_by_carriage_returns(self):
        self.assertEqual(len(self.data) % 2, 0)
        self.assertNotEqual(self.data[:2], b"\xff\xfe", "no byte-order mark before the name")
        text = self.data.decode("utf-16-le")
        self.assertEqual(text.count("\r"), text.count("\n"))
        self.assertEqual(self.name, "English")
        self.assertTrue(text.rstrip("\r\n").endswith("END OF FILE"))

    def test_every_program_key_has_a_text(self):
        for key in PROGRAM_KEYS:
            with self.subTest(key=key):
                shown = self.lf.translate(self.pairs, key)
                self.assertNotEqual(shown, key)
                self.assertTrue(shown.strip())

    def test_lookup_rules_on_the_shipped_texts(self):
        cases = [("$", "$"), ("#", "#"), ("$Save Profile", "$Save Profile"),
                 ("$saveprofile", "Save Profile"), ("#StopRec", "Stop Recording"),
                 ("plain text", "plain text"), ("$NoSuchKey", "$NoSuchKey")]
        for text, shown in cases:
            with self.subTest(text=text):
                self.assertEqual(self.lf.translate(self.pairs, text), shown)

    def test_sources_that_would_lose_texts_are_refused(self):
        head = "English\nsecond line\n"
        cases = [
            ("same key twice, spaces and case aside", head + "Copy\nCopy\nco PY\nCopy again\n"),
            ("key without its value", head + "Stop\nStop\nEdit\n"),
            ("a value that ends the file", head + "Stop\nend of file\n"),
            ("key written with its $", head + "$Stop\nStop\n"),
            ("key of 60 characters", head + "K" * 60 + "\nlong\n"),
            ("text with blanks around it", head + "Stop \nStop\n"),
            ("name line only", "English\n"),
        ]
        for label, source in cases:
            with self.subTest(label):
                with self.assertRaises(ValueError):
                    self.lf.encode_language_file(source)

    def test_blank_source_lines_do_not_shift_the_pairs(self):
        data = self.lf.encode_language_file("English\n\nsecond\nStop\n\n\nStop it\nEdit\nChange\n")
        name, pairs = self.lf.read_language_text(data.decode("utf-16-le"))
        self.assertEqual((name, pairs), ("English", [("Stop", "Stop it"), ("Edit", "Change")]))


class SkinFilesTest(unittest.TestCase):
    PICTURE_ELEMENTS = {"BACKGROUND", "MASK", "SBMN", "SBMO", "SBMD", "SBMDS", "SBMM", "BMPMASK",
                        "VSBMP_TOP", "VSBMP_BOT", "VSBMP_AUP", "VSBMP_ADN", "VSBMP_SPN", "VSBMP_TMB",
                        "BMPDATA", "MARK"}

    def test_keyboard_skin_names_the_definition_and_a_layout_per_layout_code(self):
        root = skin_xml("KeyboardLayout.xml")
        self.assertEqual(root.tag, "KEYBOARD")
        definition = root.find("KEYBOARDDEF")
        self.assertEqual(definition.get("name"), "KBDDEF_WINDOWS")
        for attribute in ("file", "kbddefaults"):
            self.assertTrue(os.path.isfile(dist("bin", definition.get(attribute))))
        layouts = {l.get("name"): l for l in root.find("KBLAYOUTLIST").iter("KBLAYOUT")}
        # The layouts that the keyboard's layout codes lead to.
        for name in ("ENGLISH", "GREEK", "GERMAN", "FRENCH", "RUSSIAN", "UK", "NORDIC",
                     "CHINESE_TRADITIONAL", "KOREAN", "TURKISH", "THAI", "JAPANESE"):
            with self.subTest(layout=name):
                layout = layouts["KBLAYOUT_" + name]
                klid = layout.get("kbdlayout")
                self.assertEqual(len(klid), 8)
                int(klid, 16)
                self.assertTrue(layout.get("kbditems").endswith(".xml"))

    def test_pictures_named_by_skin_files_are_24_bit_bmps(self):
        from skinkit import bmp
        named = set()
        for name in os.listdir(dist("xml")):
            for element in ET.parse(dist("xml", name)).getroot().iter():
                if element.tag in self.PICTURE_ELEMENTS:
                    named.add((element.text or "").strip())
        self.assertIn("TestPanelMask.bmp", named)
        for picture in sorted(named):
            with self.subTest(picture=picture):
                width, height, _ = bmp.decode_bmp24(read("skins", picture))
                self.assertGreater(width * height, 0)

    def test_test_panel_mask_cuts_the_corners_of_its_background(self):
        from skinkit import bmp
        panel = skin_xml("TestPanel.xml")
        self.assertEqual(panel.tag, "GUIPANEL")
        bw, bh, _ = bmp.decode_bmp24(read("skins", panel.find("BACKGROUND").text.strip()))
        mw, mh, mask = bmp.decode_bmp24(read("skins", panel.find("MASK").text.strip()))
        self.assertEqual((bw, bh), (mw, mh))

        def inside(x, y):
            return mask[(y * mw + x) * 3:(y * mw + x) * 3 + 3] != b"\xff\xff\xff"
        for x, y in [(0, 0), (mw - 1, 0), (0, mh - 1), (mw - 1, mh - 1), (8, 8)]:
            self.assertFalse(inside(x, y), (x, y))
        for x, y in [(mw // 2, mh // 2), (mw // 2, 0), (0, mh // 2), (mw - 1, mh // 2)]:
            self.assertTrue(inside(x, y), (x, y))


def _pixel(pixels, x, y, width):
    i = (y * width + x) * 3
    return pixels[i:i + 3]


def assert_frame_shows_only_its_line(test, name, rect):
    # The frame's picture lies over the page's items: its mask may let
    # through only the line it draws, or it covers them.
    from skinkit import bmp
    left, top, right, bottom = rect
    pw, ph, panel = bmp.decode_bmp24(read("skins", name + ".bmp"))
    mw, mh, mask = bmp.decode_bmp24(read("skins", name + "Mask.bmp"))
    test.assertEqual((pw, ph), (right - left, bottom - top))
    test.assertEqual((mw, mh), (pw, ph))
    line = _pixel(panel, 0, ph // 2, pw)
    test.assertNotEqual(line, _pixel(test.background, left, top + ph // 2, test.w), "no line on the picture")
    shown = 0
    for y in range(ph):
        for x in range(pw):
            if _pixel(mask, x, y, mw) != b"\xff\xff\xff":
                shown += 1
                test.assertEqual(_pixel(panel, x, y, pw), line, (x, y))
    test.assertLess(shown, 2 * (pw + ph), "the mask lets through more than a line")


class MainPageTest(unittest.TestCase):
    """The main page as its window shows it: its colour key cuts the shape its
    mask cuts, nothing of one page is drawn on the picture all pages share,
    the footer keeps within its line and the web links read as words."""

    @classmethod
    def setUpClass(cls):
        from skinkit import bmp, langfile, pages
        cls.bmp, cls.pages = bmp, pages
        cls.main = skin_xml("MainPage.xml")
        cls.w, cls.h, cls.background = bmp.decode_bmp24(read("skins", cls.main.find("BACKGROUND").text.strip()))
        mw, mh, cls.mask = bmp.decode_bmp24(read("skins", cls.main.find("MASK").text.strip()))
        assert (mw, mh) == (cls.w, cls.h)
        _, cls.texts = langfile.read_language_text(read("lang", "English.txt").decode("utf-16-le"))
        cls.translate = staticmethod(langfile.translate)

    def at(self, pixels, x, y, width=None):
        return _pixel(pixels, x, y, width or self.w)

    def test_the_key_colour_is_where_the_mask_cuts_the_window_away(self):
        # The window is colour-keyed and shaped by its mask; where Wine can
        # apply only one of them the two must agree.
        key = bytes(self.pages.KEY_COLOUR)
        wrong = [(x, y) for y in range(self.h) for x in range(self.w)
                 if (self.at(self.mask, x, y) == b"\xff\xff\xff") != (self.at(self.background, x, y) == key)]
        self.assertEqual(wrong[:8], [], "%d pixels disagree" % len(wrong))

    def test_where_the_pages_lie_each_row_is_one_colour(self):
        # Between the header's line and the footer's, inside the border: a
        # frame drawn here shows on every page.
        border = 2
        for y in range(self.pages.HEADER, self.pages.FOOTER_LINE[1]):
            colours = {self.at(self.background, x, y) for x in range(border, self.w - border)}
            self.assertEqual(len(colours), 1, "row %d holds %d colours" % (y, len(colours)))

    def test_the_keys_page_frame_shows_its_line_and_nothing_else(self):
        assert_frame_shows_only_its_line(self, "AssignPanel", self.pages.ASSIGN_PANEL)

    def test_the_footer_buttons_keep_within_the_separator(self):
        left, top, right, _ = self.pages.FOOTER_LINE
        buttons = [b for b in self.main.iter("BUTTON") if int(b.find("RECT").get("top")) > top]
        self.assertGreaterEqual(len(buttons), 7)
        for button in buttons:
            rect = button.find("RECT")
            x, width = int(rect.get("left")), int(rect.get("right"))
            with self.subTest(button=button.get("name")):
                self.assertGreaterEqual(x, left)
                self.assertLessEqual(x + width, right)

    def test_the_web_links_read_as_words(self):
        for name in ("BUTTON_UPDATE", "BUTTON_FB", "BUTTON_TWITTER", "BUTTON_VELK"):
            button = next(b for b in self.main.iter("BUTTON") if b.get("name") == name)
            shown = self.translate(self.texts, button.get("caption", ""))
            with self.subTest(button=name, caption=shown):
                self.assertRegex(shown, r"^[A-Z][a-z]{3,}$")


class MacrosPageTest(unittest.TestCase):
    """The macros page's skin holds every item the page works with, its menus
    open as popups only, its two displays share one place, and its row
    pictures fit the rows."""

    BOUND = ["LIST_GLOBALMACROLIST", "LIST_GLOBAL_BASIC_COMMANDS", "LIST_GLOBAL_ADDITIONAL_COMMANDS",
             "BUTTON_ADD_BASIC_MACRO_CMDS", "BUTTON_ADD_ADV_MACRO_CMDS", "BUTTON_INSERT_DELAY", "MACRO_DISPLAY",
             "MACRO_DISPLAY_READONLY", "LISTPANEL_MACROOPTIONS_KEYSTROKE", "LISTPANEL_MACROOPTIONS_DELAY",
             "LISTPANEL_MACROOPTIONS_MOUSECLICK", "BUTTON_MACRO_CREATE", "BUTTON_MACRO_IMPORT",
             "BUTTON_MACRO_EXPORT", "BUTTON_MACRO_DELETE", "BUTTON_MACRO_RENAME", "BUTTON_MACRO_RECORD_START",
             "BUTTON_MACRO_RECORD_STOP", "BUTTON_MACRO_RECORD_PLAY", "BUTTON_MACRO_RECORD_BACKWARD",
             "BUTTON_MACRO_RECORD_FORWARD", "BUTTON_IGNORE_DELAY", "BUTTON_INSERTDEFAULT_DELAY",
             "TEXT_IGNORE_DELAY", "TEXT_INSERTDEFAULT_DELAY", "EDITCTRL_DELAY", "EDITCTRL_DEFAULT_DELAY"]

    @classmethod
    def setUpClass(cls):
        cls.root = skin_xml("ManageMacros.xml")
        cls.items = {e.get("name"): e for e in cls.root.iter() if e.get("name")}

    def test_every_item_the_page_works_with_is_there(self):
        for name in self.BOUND:
            with self.subTest(item=name):
                self.assertIn(name, self.items)

    def test_the_step_menus_open_as_popups_and_offer_their_commands(self):
        for name, entries in [("LISTPANEL_MACROOPTIONS_KEYSTROKE", ["$InsertDelay", "$Delete", "$Edit"]),
                              ("LISTPANEL_MACROOPTIONS_DELAY", ["$InsertDelay", "$Delete", "$Edit"]),
                              ("LISTPANEL_MACROOPTIONS_MOUSECLICK", ["$InsertDelay", "$Delete"])]:
            panel = self.items[name]
            with self.subTest(menu=name):
                self.assertEqual(panel.get("dynamic"), "1", "a static list would lie on the page")
                self.assertEqual([e.text for e in panel.iter("LISTPANELITEM")], entries)

    def test_the_editor_and_its_read_only_twin_share_their_place_and_columns(self):
        editor, twin = self.items["MACRO_DISPLAY"], self.items["MACRO_DISPLAY_READONLY"]
        self.assertNotEqual(editor.get("readonly", "0")[:1], "1")
        self.assertEqual(twin.get("readonly"), "1")
        self.assertEqual(editor.find("RECT").attrib, twin.find("RECT").attrib)
        for display in (editor, twin):
            columns = [c.get("name") for c in display.iter("LISTCOLUMN")]
            self.assertEqual(columns, ["LCITEM_MCREVENT_ICON", "LCITEM_MCREVENT_DESCRIP"])

    def test_the_row_pictures_fit_a_row(self):
        from skinkit import bmp
        editor = self.items["MACRO_DISPLAY"]
        for attribute in ("MDBMP_KEYDN", "MDBMP_KEYUP", "MDBMP_CLK", "MDBMP_CLKH", "MDBMP_MSE", "MDBMP_MSEH"):
            with self.subTest(picture=attribute):
                width, height, _ = bmp.decode_bmp24(read("skins", editor.get(attribute)))
                self.assertEqual((width, height), (28, 18))

    def test_the_recorder_buttons_are_drawn_at_their_size(self):
        from skinkit import bmp
        for name in ("BUTTON_MACRO_RECORD_BACKWARD", "BUTTON_MACRO_RECORD_START", "BUTTON_MACRO_RECORD_PLAY",
                     "BUTTON_MACRO_RECORD_FORWARD"):
            button = self.items[name]
            rect = button.find("RECT")
            for state in ("SBMN", "SBMO", "SBMD", "SBMDS", "SBMM"):
                with self.subTest(button=name, picture=state):
                    width, height, _ = bmp.decode_bmp24(read("skins", button.find(state).text.strip()))
                    self.assertEqual((width, height), (int(rect.get("right")), int(rect.get("bottom"))))


class LightingPageTest(unittest.TestCase):
    """The lighting page as drawn: its frames, the slider's thumb on the
    stops that its step names stand under, pictures that match their items."""

    @classmethod
    def setUpClass(cls):
        from skinkit import bmp, pages
        cls.bmp, cls.pages = bmp, pages
        cls.page = skin_xml("LightingMaintenance.xml")
        main = skin_xml("MainPage.xml")
        cls.w, _, cls.background = bmp.decode_bmp24(read("skins", main.find("BACKGROUND").text.strip()))

    def item(self, tag, name):
        return next(e for e in self.page.iter(tag) if e.get("name") == name)

    def rect(self, element):
        r = element.find("RECT")
        return tuple(int(r.get(k)) for k in ("left", "top", "right", "bottom"))

    def test_the_frames_show_their_line_where_the_page_puts_them(self):
        for name, rect in (("LightPanel", self.pages.LIGHT_PANEL), ("KeyboardPanel", self.pages.KEYBOARD_PANEL)):
            with self.subTest(frame=name):
                assert_frame_shows_only_its_line(self, name, rect)
                item = next(e for e in self.page.iter("BITMAPITEM") if e.find("SBMN").text == name + ".bmp")
                left, top, width, height = self.rect(item)
                self.assertEqual((left, top, left + width, top + height), rect)

    def test_the_slider_runs_over_its_groove_and_its_step_names_stand_under_the_stops(self):
        track = self.item("SLIDERTRACK", "BITMAP_BRIGHTNESS_SETTINGS")
        self.assertEqual(self.rect(track), self.pages.BRIGHTNESS_TRACK)
        travel = self.rect(self.item("HSLIDERM", "SLIDER_BRIGHTNESS_PERCENT"))
        self.assertEqual((travel[0], travel[2]), self.pages.BRIGHTNESS_TRAVEL)
        thumb_w, thumb_h = self.pages.SLIDER_THUMB
        self.assertEqual(travel[1] * 2 + thumb_h, self.pages.BRIGHTNESS_TRACK[3], "the thumb is centred on the track")
        fill = track.find("FILLINFO")
        left, top, width, height = self.rect(fill)
        self.assertEqual((left, top, left + width, top + height), self.pages.groove_rect(self.pages.BRIGHTNESS_TRACK[3]))
        self.assertEqual(fill.get("fillclr"), self.pages.BRIGHTNESS_FILL)
        names = ("TEXT_BRIGHTNESS_OFF", "TEXT_BRIGHTNESS_DIM", "TEXT_BRIGHTNESS_NORMAL", "TEXT_BRIGHTNESS_BRIGHT")
        for name, value in zip(names, self.pages.BRIGHTNESS_STOPS):
            label = self.rect(self.item("TEXTITEM", name))
            stop = self.pages.BRIGHTNESS_TRACK[0] + self.pages.brightness_stop_x(value)
            with self.subTest(step=name):
                self.assertEqual(label[0] + label[2] // 2, stop)
                self.assertGreaterEqual(label[1], self.pages.BRIGHTNESS_TRACK[1] + self.pages.BRIGHTNESS_TRACK[3])

    def test_no_picture_of_the_page_shows_the_windows_key_colour(self):
        # The main window is colour-keyed: a pixel of that colour is a hole.
        key = bytes(self.pages.KEY_COLOUR)
        for element in self.page.iter():
            if element.tag not in SkinFilesTest.PICTURE_ELEMENTS or element.tag == "SBMM":
                continue
            name = element.text.strip()
            w, h, pixels = self.bmp.decode_bmp24(read("skins", name))
            with self.subTest(picture=name):
                holes = [i for i in range(w * h) if pixels[i * 3:i * 3 + 3] == key]
                self.assertEqual(holes[:4], [])

    def test_a_thumbs_shape_cuts_only_its_corners(self):
        for name in ("SliderThumbNormal.bmp", "SliderThumbOver.bmp"):
            w, h, pixels = self.bmp.decode_bmp24(read("skins", name))
            with self.subTest(thumb=name):
                self.assertEqual((w, h), self.pages.SLIDER_THUMB)
                cut = _pixel(pixels, 0, 0, w)
                self.assertEqual(cut, bytes(self.pages.THUMB_CUT))
                inside = [(x, y) for y in range(4, h - 4) for x in range(1, w - 1) if _pixel(pixels, x, y, w) == cut]
                self.assertEqual(inside, [])


class StageTestPanelTest(unittest.TestCase):
    """The stage test panel as drawn: the stage slider's band inside the
    bitmap item it sits on, the value marks where the borders stand, the
    tiles on the panel with their pictures the size their entries say."""

    @classmethod
    def setUpClass(cls):
        from skinkit import bmp, pictures
        cls.bmp, cls.pictures = bmp, pictures
        cls.panel = skin_xml("StageTestPanel.xml")

    @staticmethod
    def rect(element):
        r = element.find("RECT")
        return tuple(int(r.get(k, "0")) for k in ("left", "top", "right", "bottom"))

    def picture_size(self, element):
        return self.bmp.decode_bmp24(read("skins", element.text.strip()))[:2]

    def test_it_holds_a_stage_slider_on_a_bitmap_item_two_tiles_and_a_progress_panel(self):
        sliders = list(self.panel.iter("HSLIDERMAPM"))
        self.assertEqual(len(sliders), 1)
        carriers = [b for b in self.panel.iter("BITMAPITEM") if b.get("name") == sliders[0].get("trackid")]
        self.assertEqual(len(carriers), 1, "the slider's trackid names a bitmap item of the panel")
        self.assertEqual(len(list(self.panel.iter("DPISTAGEWINDOW"))), 2)
        self.assertEqual(len(list(self.panel.iter("PROGRESSPANELITEM"))), 1)

    def test_the_band_lies_in_its_well_and_the_marks_stand_where_borders_are_drawn(self):
        slider = next(self.panel.iter("HSLIDERMAPM"))
        well = next(b for b in self.panel.iter("BITMAPITEM") if b.get("name") == slider.get("trackid"))
        self.assertEqual(self.rect(well), self.pictures.STAGE_PANEL_WELL)
        self.assertEqual(self.picture_size(well.find("SBMN")), self.pictures.STAGE_PANEL_WELL[2:])
        left, top, width, height = self.rect(slider)
        self.assertEqual((left, top, width, height), self.pictures.STAGE_PANEL_BAND)
        self.assertLessEqual(left + width, self.pictures.STAGE_PANEL_WELL[2])
        self.assertLessEqual(top + height, self.pictures.STAGE_PANEL_WELL[3])
        for element in ("SBMN", "SBMO"):
            with self.subTest(ticker=element):
                tw, th = self.picture_size(slider.find(element))
                self.assertEqual((tw, th), self.pictures.STAGE_TICKER)
                self.assertLessEqual(th, height, "a ticker fits the band's height")
        # The slider draws value v's border at ((v - 1) * travel + 15) // 31 + half a ticker.
        ww, _, pixels = self.bmp.decode_bmp24(read("skins", well.find("SBMN").text.strip()))
        tw = self.pictures.STAGE_TICKER[0]
        mark = _pixel(pixels, left + tw // 2, top + height - 2, ww)
        for value in (1, 16, 32):
            x = left + tw // 2 + ((value - 1) * (width - tw) + 15) // 31
            with self.subTest(value=value):
                self.assertEqual(_pixel(pixels, x, top + height - 2, ww), mark)
                self.assertNotEqual(_pixel(pixels, x, top + 2, ww), mark)

    def test_the_tiles_stand_apart_on_the_panel_and_their_pictures_fill_their_entries(self):
        panel_w, panel_h, _ = self.bmp.decode_bmp24(read("skins", self.panel.find("BACKGROUND").text.strip()))
        tiles = [self.rect(t) for t in self.panel.iter("DPISTAGEWINDOW")]
        self.assertEqual(tiles, self.pictures.STAGE_PANEL_TILES)
        for left, top, width, height in tiles:
            self.assertLessEqual(left + width, panel_w)
            self.assertLessEqual(top + height, panel_h)
        (l1, _, w1, _), (l2, _, _, _) = tiles
        self.assertLess(l1 + w1, l2, "the tiles overlap")
        for tile in self.panel.iter("DPISTAGEWINDOW"):
            for info in tile.iter("BMPINFO"):
                with self.subTest(tile=tile.get("name"), picture=info.get("name")):
                    self.assertIn(info.get("name"), ("DPIFRAME", "DPIFRAMESELECTED"))
                    self.assertEqual(self.picture_size(info.find("BMPDATA")), self.rect(info)[2:])
                    self.assertEqual(self.rect(info)[2:], self.rect(tile)[2:])


class DrawingKitTest(unittest.TestCase):
    def test_bmp_rows_are_padded_and_stored_bottom_up(self):
        from skinkit import bmp
        # Width 3: 9 bytes of pixels padded to 12 per row.
        pixels = bytes(range(27))
        data = bmp.encode_bmp24(3, 3, pixels)
        self.assertEqual(len(data), 54 + 36)
        self.assertEqual(data[54:57], bytes([20, 19, 18]))  # bottom-left pixel first, as B, G, R
        self.assertEqual(bmp.decode_bmp24(data), (3, 3, pixels))

    def test_rounded_shape_and_its_border_cover_the_same_pixels(self):
        from skinkit.canvas import Canvas
        shape, frame = Canvas(40, 30, (255, 255, 255)), Canvas(40, 30, (255, 255, 255))
        shape.fill_rounded_rect((0, 0, 40, 30), 12, (0, 0, 0))
        frame.border((0, 0, 40, 30), 2, (0, 0, 0), 12)
        for y in range(30):
            for x in range(40):
                if frame.get(x, y) == (0, 0, 0):
                    self.assertEqual(shape.get(x, y), (0, 0, 0), (x, y))
            left = [x for x in range(40) if shape.get(x, y) == (0, 0, 0)]
            self.assertEqual(left[0], 40 - 1 - left[-1], "row %d is not symmetric" % y)

    def test_text_outside_the_picture_is_clipped(self):
        from skinkit.canvas import Canvas
        c = Canvas(8, 8)
        c.text(-3, -2, "W#", (255, 0, 0), 2)
        c.horizontal_gradient((-4, 0, 12, 8), (0, 0, 0), (255, 255, 255))
        self.assertEqual(len(c.pixels), 8 * 8 * 3)

    def test_legend_with_a_character_the_font_lacks_is_refused(self):
        from skinkit.canvas import Canvas
        with self.assertRaises(ValueError):
            Canvas(50, 10).text(0, 0, "Ä", (255, 255, 255))

    def test_theme_colours_are_colour_names(self):
        from skinkit.colours import rgb
        from skinkit.theme import THEME
        for key, value in THEME.items():
            if isinstance(value, str):
                with self.subTest(key=key):
                    rgb(value)


class _Recorder(unittest.TextTestResult):
    def __init__(self, *a, **k):
        super().__init__(*a, **k)
        self.cases = []
        self._started = 0.0

    def startTest(self, test):
        self._started = time.time()
        super().startTest(test)

    def _record(self, test, outcome, detail=""):
        self.cases.append((test, outcome, detail, time.time() - self._started))

    def addSuccess(self, test):
        super().addSuccess(test)
        self._record(test, "ok")

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self._record(test, "failure", self._exc_info_to_string(err, test))

    def addError(self, test, err):
        super().addError(test, err)
        self._record(test, "error", self._exc_info_to_string(err, test))

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        if err is not None:
            outcome = "failure" if issubclass(err[0], test.failureException) else "error"
            self._record(subtest, outcome, self._exc_info_to_string(err, test))

    def addSkip(self, test, reason):
        super().addSkip(test, reason)
        self._record(test, "skipped", reason)


def _write_report(path, result):
    failures = sum(1 for c in result.cases if c[1] == "failure")
    errors = sum(1 for c in result.cases if c[1] == "error")
    skipped = sum(1 for c in result.cases if c[1] == "skipped")
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<testsuites tests="%d" failures="%d" errors="%d" disabled="%d" name="skin_tests">'
             % (len(result.cases), failures, errors, skipped),
             '  <testsuite name="skin_tests" tests="%d" failures="%d" errors="%d">'
             % (len(result.cases), failures, errors)]
    for test, outcome, detail, seconds in result.cases:
        lines.append('    <testcase name=%s time="%.3f">' % (quoteattr(test.id()), seconds))
        if outcome in ("failure", "error"):
            lines.append('      <%s message=%s/>' % (outcome, quoteattr(detail)))
        elif outcome == "skipped":
            lines.append('      <skipped message=%s/>' % quoteattr(detail))
        lines.append('    </testcase>')
    lines += ['  </testsuite>', '</testsuites>']
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    rest = _setup_paths(sys.argv[1:])
    if rest:
        sys.exit("unknown arguments: %s" % " ".join(rest))
    suite = unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__])
    runner = unittest.TextTestRunner(resultclass=_Recorder, verbosity=2)
    result = runner.run(suite)
    if ARGS.report:
        _write_report(ARGS.report, result)
    sys.exit(0 if result.wasSuccessful() else 1)
