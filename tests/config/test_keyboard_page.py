#!/usr/bin/env python3
"""The key-assignment page's keyboard: one key item per key of the key table,
each on its cap of the keyboard picture, with pictures of its own size."""

import argparse
import os
import sys
import unittest
import xml.etree.ElementTree as ET

ARGS = None


class KeyboardPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        from skinkit import pages
        from skinkit.keytable import read_key_table
        cls.pages = pages
        cls.keys = read_key_table(os.path.join(ARGS.skin, "KeyTable.txt"))
        cls.root = ET.parse(os.path.join(ARGS.skin, "xml", "KeyboardKeys.xml")).getroot()

    def items(self):
        return {k.get("name"): k for k in self.root.find("KBDKEYLIST").iter("KBDKEY")}

    def test_every_key_of_the_table_has_one_item_bound_to_its_definition(self):
        items = self.items()
        self.assertEqual(sorted(items), sorted(k.symbol for k in self.keys))
        for key in self.keys:
            with self.subTest(key=key.symbol):
                self.assertEqual(items[key.symbol].get("kbddefid"), key.name)

    def test_items_sit_on_their_caps_and_inside_the_picture(self):
        picture = self.root.find("BITMAPLIST/BITMAPITEM/RECT")
        px, py = int(picture.get("left")), int(picture.get("top"))
        pw, ph = int(picture.get("right")), int(picture.get("bottom"))
        self.assertEqual((pw, ph), self.pages.KEYBOARD_SIZE)
        taken = []
        for name, item in self.items().items():
            r = item.find("RECT")
            rect = tuple(int(r.get(a)) for a in ("left", "top", "right", "bottom"))
            with self.subTest(key=name):
                self.assertEqual(rect, self.pages.key_rect(name))
                left, top, w, h = rect
                self.assertTrue(px <= left and left + w <= px + pw and py <= top and top + h <= py + ph)
            taken.append((name, rect))
        for i, (a, (al, at, aw, ah)) in enumerate(taken):
            for b, (bl, bt, bw, bh) in taken[i + 1:]:
                overlap = al < bl + bw and bl < al + aw and at < bt + bh and bt < at + ah
                self.assertFalse(overlap, "%s overlaps %s" % (a, b))

    def test_keys_of_another_size_name_pictures_of_their_size(self):
        for name, item in self.items().items():
            r = item.find("RECT")
            size = (int(r.get("right")), int(r.get("bottom")))
            own = item.find("SBMN")
            expected = self.pages.key_picture_name("normal", size)
            shared = self.root.find("KBDKEYLIST/BUTTONBITMAPS/SBMN").text
            with self.subTest(key=name):
                self.assertEqual(own.text if own is not None else shared, expected)

    def test_main_page_fits_its_background(self):
        root = ET.parse(os.path.join(ARGS.skin, "xml", "MainPage.xml")).getroot()
        width, height = self.pages.MAIN_SIZE
        for button in root.iter("BUTTON"):
            r = button.find("RECT")
            with self.subTest(button=button.get("name")):
                self.assertLessEqual(int(r.get("left")) + int(r.get("right")), width)
                self.assertLessEqual(int(r.get("top")) + int(r.get("bottom")), height)


def main(argv):
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--skin", required=True)
    parser.add_argument("--report")
    ARGS = parser.parse_args(argv)
    sys.path.insert(0, ARGS.skin)
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(KeyboardPageTest)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    if ARGS.report:
        with open(ARGS.report, "w", encoding="utf-8") as f:
            n = result.testsRun
            bad = len(result.failures) + len(result.errors)
            f.write('<?xml version="1.0" encoding="UTF-8"?>\n<testsuites tests="%d" failures="%d" errors="0" '
                    'disabled="0" name="config_skin_tests"/>\n' % (n, bad))
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
