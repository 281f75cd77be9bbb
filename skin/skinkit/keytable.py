"""The keyboard's key table (KeyTable.txt), shared with the emulated keyboard.

Read with the same grammar as KeyTable.cmake reads it for the emulator, so a
line that one of them refuses stops the build in both.
"""

import collections
import re

Key = collections.namedtuple("Key", "symbol scan extended name")

_LINE = re.compile(r"^([A-Z0-9_]+)[ \t]+0x([0-9A-Fa-f]{1,2})[ \t]+([01])[ \t]+"
                   r"([A-Za-z0-9 /*+.-]*[A-Za-z0-9/*+.-])[ \t]*$")
_SKIP = re.compile(r"^[ \t]*(#|$)")


def read_key_table(path):
    keys = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            if _SKIP.match(line):
                continue
            m = _LINE.match(line)
            if not m:
                raise ValueError("%s:%d: cannot read the line: %s" % (path, number, line))
            keys.append(Key(m.group(1), int(m.group(2), 16), int(m.group(3)), m.group(4)))
    if not keys:
        raise ValueError("%s: no keys" % path)
    for field in ("symbol", "name"):
        seen = collections.Counter(getattr(k, field) for k in keys)
        twice = sorted(v for v, n in seen.items() if n > 1)
        if twice:
            raise ValueError("%s: %s listed twice: %s" % (path, field, ", ".join(twice)))
    return keys


def hash_key_name(name):
    """The key identifier of a key name: h = 5381, h = h * 33 + unit over its
    UTF-16 units, 32-bit wrap-around, as a signed 32-bit value."""
    h = 5381
    data = name.encode("utf-16-le")
    for i in range(0, len(data), 2):
        h = (h * 33 + (data[i] | data[i + 1] << 8)) & 0xFFFFFFFF
    return h - (1 << 32) if h & 0x80000000 else h
