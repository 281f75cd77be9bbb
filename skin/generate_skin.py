#!/usr/bin/env python3
"""Builds the installed tree's skin folders from the sources in this folder.

  xml\    the skin descriptions, copied from xml/
  skins\  the pictures, drawn by skinkit from the theme
  lang\   the language texts named by Language.xml, re-encoded as UTF-16
  bin\    the key files named by KeyboardLayout.xml, written from KeyTable.txt
  fonts\  made empty until the skin ships fonts
  Manuals\  the user's manual from manual/, with the pictures drawn for it

--list-outputs prints the files the build makes, for the build system.
"""

import argparse
import os
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from skinkit import keyfiles, langfile, manual, pictures  # noqa: E402
from skinkit.keytable import read_key_table  # noqa: E402
from skinkit.theme import THEME  # noqa: E402

LANGUAGE_SKIN = "Language.xml"
KEYBOARD_SKIN = "KeyboardLayout.xml"


def _xml_files(source):
    folder = os.path.join(source, "xml")
    return sorted(f for f in os.listdir(folder) if f.lower().endswith(".xml"))


def _key_file_names(source):
    root = ET.parse(os.path.join(source, "xml", KEYBOARD_SKIN)).getroot()
    definition = root.find("KEYBOARDDEF")
    if definition is None or not definition.get("file") or not definition.get("kbddefaults"):
        raise ValueError("%s names no key files" % KEYBOARD_SKIN)
    return definition.get("file").strip(), definition.get("kbddefaults").strip()


def _language_file_names(source):
    root = ET.parse(os.path.join(source, "xml", LANGUAGE_SKIN)).getroot()
    names = [lang.get("file", "").strip() for lang in root.iter("LANG")]
    if not names or not all(names):
        raise ValueError("%s has a language without a file" % LANGUAGE_SKIN)
    return sorted(set(names))


def planned_outputs(source):
    """(folder, file name) of every file the build writes."""
    out = [("xml", f) for f in _xml_files(source)]
    out += [("skins", name) for name, _ in pictures.all_pictures(THEME)]
    out += [("lang", f) for f in _language_file_names(source)]
    out += [("bin", f) for f in _key_file_names(source)]
    out += manual.planned_outputs(source)
    return out


def _write(dist, folder, name, data):
    os.makedirs(os.path.join(dist, folder), exist_ok=True)
    path = os.path.join(dist, folder, name)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def generate(source, dist):
    for name in _xml_files(source):
        with open(os.path.join(source, "xml", name), "rb") as f:
            data = f.read()
        ET.fromstring(data)  # a malformed skin file stops the build here
        _write(dist, "xml", name, data)

    for name, paint in pictures.all_pictures(THEME):
        _write(dist, "skins", name, paint().to_bmp())

    for name in _language_file_names(source):
        with open(os.path.join(source, "lang", name), encoding="utf-8") as f:
            _write(dist, "lang", name, langfile.encode_language_file(f.read()))

    keys = read_key_table(os.path.join(source, "KeyTable.txt"))
    definition = keyfiles.build_definition_file(keys)
    defaults = keyfiles.build_defaults_file(keys)
    keyfiles.check_round_trip(keys, definition, defaults)
    definition_name, defaults_name = _key_file_names(source)
    _write(dist, "bin", definition_name, definition)
    _write(dist, "bin", defaults_name, defaults)

    os.makedirs(os.path.join(dist, "fonts"), exist_ok=True)

    manual.generate(source, dist, THEME, _write)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=HERE, help="the skin source folder")
    parser.add_argument("--dist", help="the installed tree to write into")
    parser.add_argument("--list-outputs", action="store_true",
                        help="print the files written, relative to the installed tree, ';'-separated")
    args = parser.parse_args(argv)
    try:
        if args.list_outputs:
            print(";".join("%s/%s" % p for p in planned_outputs(args.source)), end="")
            return 0
        if not args.dist:
            parser.error("--dist is needed")
        generate(args.source, args.dist)
    except (ValueError, OSError, ET.ParseError) as e:
        print("generate_skin: %s" % e, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
