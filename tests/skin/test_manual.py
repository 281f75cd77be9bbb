#!/usr/bin/env python3
"""The user's manual as installed: the page that the configuration program's
help button and F1 open (Manuals\\index.html under the installed tree), every
picture it shows and every link it makes.

Run with --dist (the installed tree); --report writes a JUnit report for the
test script's count.
"""

import argparse
import os
import re
import struct
import sys
import tempfile
import unittest
import zlib
from html.parser import HTMLParser
from urllib.parse import unquote, urlsplit

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_skin_files import _Recorder, _write_report  # noqa: E402

ARGS = None

# Where the program looks for the manual, below its own folder.
MANUAL = ("Manuals", "index.html")

# Attributes that name a file the browser loads or goes to.
URL_ATTRIBUTES = {"href", "src", "srcset", "poster", "data", "background", "action"}


def png_size(data):
    """(width, height) of a PNG whose chunks and pixel data are whole; ValueError otherwise."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG picture")
    pos, header, pixels, ended = 8, None, b"", False
    while pos + 12 <= len(data) and not ended:
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length or pos + 12 + length > len(data):
            raise ValueError("PNG cut short")
        (crc,) = struct.unpack_from(">I", data, pos + 8 + length)
        if zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            raise ValueError("PNG chunk %s damaged" % kind.decode("latin-1"))
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            pixels += body
        ended = kind == b"IEND"
        pos += 12 + length
    if not header or not ended:
        raise ValueError("PNG without its header or its end")
    width, height, depth, colour, _, _, interlace = header
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour)
    if not width or not height or not channels:
        raise ValueError("PNG of no size or an unknown colour type")
    try:
        raw = zlib.decompress(pixels)
    except zlib.error:
        raise ValueError("PNG pixel data damaged") from None
    if not interlace and len(raw) != height * (1 + (width * channels * depth + 7) // 8):
        raise ValueError("PNG pixel data of the wrong size")
    return width, height


class _Page(HTMLParser):
    """What a check needs of a page: its links, ids, pictures, styles and scripts."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []     # (line, tag, attribute, value)
        self.pictures = []  # (line, src, width, height)
        self.ids = set()
        self.styles = []    # (line, CSS text)
        self.scripts = []   # (line, what)
        self.charset = None
        self._in_style = None

    def handle_starttag(self, tag, attrs):
        line = self.getpos()[0]
        values = dict(attrs)
        for name, value in attrs:
            value = value or ""
            if name == "id" or (tag == "a" and name == "name"):
                self.ids.add(value)
            elif name.startswith("on"):
                self.scripts.append((line, "<%s %s=...>" % (tag, name)))
            elif name == "style":
                self.styles.append((line, value))
            elif name == "srcset":
                for candidate in value.split(","):
                    if candidate.strip():
                        self.links.append((line, tag, name, candidate.split()[0]))
            elif name in URL_ATTRIBUTES:
                self.links.append((line, tag, name, value))
        if tag == "script":
            self.scripts.append((line, "<script>"))
        if tag == "img":
            self.pictures.append((line, values.get("src") or "", values.get("width"), values.get("height")))
        if tag == "meta":
            if values.get("charset"):
                self.charset = values["charset"]
            match = re.search(r"charset\s*=\s*([\w-]+)", values.get("content") or "", re.I)
            if match and (values.get("http-equiv") or "").lower() == "content-type":
                self.charset = match.group(1)
        if tag == "style":
            self._in_style = line

    def handle_endtag(self, tag):
        if tag == "style":
            self._in_style = None

    def handle_data(self, data):
        if self._in_style is not None:
            self.styles.append((self._in_style, data))


def _read_page(path):
    with open(path, "rb") as f:
        data = f.read()
    page = _Page()
    page.feed(data.decode("utf-8", errors="replace"))
    page.close()
    return data, page


def check_page(path, root):
    """Every problem of the page at path, whose links must stay inside root, as text lines."""
    problems = []
    name = os.path.relpath(path, root).replace(os.sep, "/")
    data, page = _read_page(path)
    folder = os.path.dirname(path)
    root = os.path.realpath(root)
    pages = {os.path.realpath(path): page}

    def report(line, text):
        problems.append("%s:%d: %s" % (name, line, text))

    try:
        data.decode("utf-8")
    except UnicodeDecodeError:
        report(1, "not UTF-8 text")
    # Opened from the disk, a page without a declared encoding is read in
    # the system's code page: every character beyond ASCII comes out wrong.
    if any(b > 0x7F for b in data) and (page.charset or "").lower() not in ("utf-8", "utf8"):
        report(1, "characters beyond ASCII without <meta charset=\"utf-8\">")

    def resolve(line, what, value):
        """The file a link leads to, or None after reporting why it leads nowhere."""
        value = value.strip()
        if not value:
            report(line, "%s is empty" % what)
            return None
        parts = urlsplit(value)
        if parts.scheme or parts.netloc:
            report(line, "%s %s leaves the installed manual" % (what, value))
            return None
        target_path = unquote(parts.path)
        if target_path.startswith("/"):
            report(line, "%s %s is not relative to the page" % (what, value))
            return None
        target = os.path.realpath(os.path.join(folder, target_path)) if target_path else os.path.realpath(path)
        if os.path.commonpath([root, target]) != root:
            report(line, "%s %s leaves the installed tree" % (what, value))
            return None
        if not os.path.isfile(target):
            report(line, "%s %s: missing %s" % (what, value, os.path.relpath(target, root).replace(os.sep, "/")))
            return None
        if parts.fragment:
            if target.lower().endswith((".html", ".htm")):
                if target not in pages:
                    pages[target] = _read_page(target)[1]
                if unquote(parts.fragment) not in pages[target].ids:
                    report(line, "%s %s: no element with id \"%s\"" % (what, value, unquote(parts.fragment)))
            else:
                report(line, "%s %s: a fragment of a file that is not a page" % (what, value))
        return target

    for line, tag, attribute, value in page.links:
        resolve(line, "<%s %s>" % (tag, attribute), value)
    for line, src, width, height in page.pictures:
        if not src.strip():
            continue  # reported with the links
        target = os.path.realpath(os.path.join(folder, unquote(urlsplit(src.strip()).path)))
        if not os.path.isfile(target) or os.path.commonpath([root, target]) != root:
            continue
        with open(target, "rb") as f:
            picture = f.read()
        try:
            w, h = png_size(picture)
        except ValueError as e:
            report(line, "<img src> %s: %s" % (src, e))
            continue
        # Given both, the page's size must keep the picture's proportions.
        if width and height and width.isdigit() and height.isdigit():
            if abs(int(width) * h - int(height) * w) > max(w, h):
                report(line, "<img src> %s: shown %sx%s, drawn %dx%d" % (src, width, height, w, h))
    for line, text in page.styles:
        for match in re.finditer(r"url\(\s*(['\"]?)(.*?)\1\s*\)", text):
            resolve(line, "CSS url()", match.group(2))
        for match in re.finditer(r"@import\s+(['\"])(.*?)\1", text):
            resolve(line, "CSS @import", match.group(2))
        if re.search(r"@font-face", text, re.I):
            report(line, "a web font (@font-face)")
    for line, what in page.scripts:
        report(line, "a script: %s" % what)
    return problems


class InstalledManualTest(unittest.TestCase):
    def test_help_finds_the_manual_and_every_link_of_it_resolves(self):
        path = os.path.join(ARGS.dist, *MANUAL)
        self.assertTrue(os.path.isfile(path),
                        "the help button opens %s, which the build did not install" % "\\".join(MANUAL))
        problems = check_page(path, ARGS.dist)
        self.assertEqual(problems, [], "\n".join(problems))
        _, page = _read_page(path)
        self.assertTrue(page.pictures, "the manual shows no picture")


def _png(width, height):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = (b"\0" + b"\x10\x20\x30" * width) * height
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


class PageCheckTest(unittest.TestCase):
    """The check finds each kind of fault, where it is."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = self.folder.name
        self.write("Manuals/pictures/shot one.png", _png(40, 20))
        self.write("Manuals/pictures/cut.png", _png(40, 20)[:-20])
        self.write("Manuals/pictures/text.png", b"not a picture")
        self.write("Manuals/other.html", b"<!DOCTYPE html><h1 id='there'>Other</h1>")
        self.write("skins/Key.bmp", b"BM")

    def tearDown(self):
        self.folder.cleanup()

    def write(self, relative, data):
        path = os.path.join(self.root, *relative.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    def check(self, body, head=""):
        page = ("<!DOCTYPE html><html><head><meta charset=\"utf-8\">%s</head><body><h1 id=\"top\">Manual</h1>"
                "%s</body></html>" % (head, body))
        self.write("Manuals/index.html", page.encode("utf-8"))
        return check_page(os.path.join(self.root, "Manuals", "index.html"), self.root)

    def test_a_clean_page_has_no_problems(self):
        self.assertEqual(self.check(
            "<p>Keys \u2192 profiles</p><a href=\"#top\">up</a> <a href=\"other.html#there\">other</a>"
            "<img src=\"pictures/shot%20one.png\" width=\"80\" height=\"40\" alt=\"\">"
            "<a href=\"../skins/Key.bmp\">key</a><div style=\"background: url('pictures/shot%20one.png')\"></div>",
            "<style>body { color: white; }</style>"), [])

    def test_each_kind_of_fault_is_reported_on_its_line(self):
        cases = [
            ("missing picture", "<img src=\"pictures/gone.png\">", "missing Manuals/pictures/gone.png"),
            ("picture cut short", "<img src=\"pictures/cut.png\">", "PNG"),
            ("picture that is no picture", "<img src=\"pictures/text.png\">", "not a PNG picture"),
            ("stretched picture", "<img src=\"pictures/shot%20one.png\" width=\"40\" height=\"40\">",
             "shown 40x40, drawn 40x20"),
            ("missing section", "<a href=\"#nowhere\">x</a>", "no element with id \"nowhere\""),
            ("missing section of another page", "<a href=\"other.html#gone\">x</a>", "no element with id \"gone\""),
            ("missing page", "<a href=\"gone.html\">x</a>", "missing Manuals/gone.html"),
            ("network address", "<img src=\"https://pictures.example/a.png\">", "leaves the installed manual"),
            ("address without its scheme", "<img src=\"//pictures.example/a.png\">", "leaves the installed manual"),
            ("absolute path", "<a href=\"/Manuals/other.html\">x</a>", "not relative to the page"),
            ("link out of the installed tree", "<a href=\"../../elsewhere.html\">x</a>", "leaves the installed tree"),
            ("empty link", "<a href=\"\">x</a>", "is empty"),
            ("script", "<script>1</script>", "a script: <script>"),
            ("event handler", "<p onclick=\"x()\">x</p>", "a script: <p onclick=...>"),
            ("missing picture of a style", "<div style=\"background: url(pictures/gone.png)\"></div>",
             "CSS url() pictures/gone.png: missing"),
        ]
        for label, body, expected in cases:
            with self.subTest(label):
                problems = self.check("\n" + body)
                self.assertEqual(len(problems), 1, problems)
                self.assertTrue(problems[0].startswith("Manuals/index.html:2: "), problems)
                self.assertIn(expected, problems[0])

    def test_faults_of_the_head_and_the_encoding_are_reported(self):
        cases = [
            ("web font", "<style>@font-face { font-family: x; src: local(x); }</style>", "", "web font"),
            ("style sheet from the network", "<link rel=\"stylesheet\" href=\"https://styles.example/a.css\">", "",
             "leaves the installed manual"),
            ("imported style sheet that is missing", "<style>@import \"gone.css\";</style>", "",
             "CSS @import gone.css: missing"),
        ]
        for label, head, body, expected in cases:
            with self.subTest(label):
                problems = self.check(body, head)
                self.assertEqual(len(problems), 1, problems)
                self.assertIn(expected, problems[0])
        self.write("Manuals/index.html", "<p>Keys \u2192 profiles</p>".encode("utf-8"))
        problems = check_page(os.path.join(self.root, "Manuals", "index.html"), self.root)
        self.assertEqual(len(problems), 1, problems)
        self.assertIn("without <meta charset=\"utf-8\">", problems[0])


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist", required=True)
    parser.add_argument("--report")
    ARGS, rest = parser.parse_known_args(sys.argv[1:])
    if rest:
        sys.exit("unknown arguments: %s" % " ".join(rest))
    suite = unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__])
    runner = unittest.TextTestRunner(resultclass=_Recorder, verbosity=2)
    result = runner.run(suite)
    if ARGS.report:
        _write_report(ARGS.report, result)
    sys.exit(0 if result.wasSuccessful() else 1)
