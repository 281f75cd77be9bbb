"""The two binary key files: the key-definition file and the key-defaults file.

Both are written from the key table and read back here with the reader's own
rules, so the build fails before a file that would load differently ships.
"""

import collections
import struct

from .keytable import hash_key_name

ENTRIES_PER_BLOCK = 10
BLOCKS = 4
BLOCK_BYTES = ENTRIES_PER_BLOCK * 4
MAX_NAME_BYTES = 510
EXTENDED_FLAG = 0x01
NOT_ASSIGNABLE = ("DO NOT USE", "UNASSIGNED", "RESERVED", "NONE")

Record = collections.namedtuple(
    "Record", "key_id name value_a value_b blocks default_code default_flag")


def _block0_of(key):
    # An extended key is one entry carrying the extended flag; the reader then
    # takes that entry's own code, because the next entry ends the run at once.
    flag = EXTENDED_FLAG if key.extended else 0
    return [(key.scan, flag)] + [(0, 0)] * (ENTRIES_PER_BLOCK - 1)


def _pack_block(entries):
    return b"".join(struct.pack("<HBB", code, flag, 0) for code, flag in entries)


def build_definition_file(keys):
    out = bytearray(struct.pack("<I", len(keys)))
    empty = _pack_block([(0, 0)] * ENTRIES_PER_BLOCK)
    for key in keys:
        name = key.name.encode("utf-16-le")
        if not name or len(name) > MAX_NAME_BYTES:
            raise ValueError("key name of %d bytes: %r" % (len(name), key.name))
        out += struct.pack("<I", len(name)) + name
        out += struct.pack("<hh", 0, 0)
        out += _pack_block(_block0_of(key)) + empty * (BLOCKS - 1)
    return bytes(out)


def key_value(key):
    """code | flag << 16, the value a key's default assignment is built from."""
    return key.scan | (EXTENDED_FLAG if key.extended else 0) << 16


def build_defaults_file(keys):
    out = bytearray(struct.pack("<I", len(keys)))
    for key in keys:
        out += struct.pack("<iI", hash_key_name(key.name), key_value(key))
    return bytes(out)


def default_of_block0(entries):
    """(defaultCode, defaultFlag) from the ten {code, flag} entries of block 0."""
    code0, flag0 = entries[0]
    if flag0 == 0:
        return code0, 0
    code = code0
    for c, f in entries[1:9]:
        if c == 0 or f != 0:
            break
        code = c
    return code, flag0


def is_assignable(record):
    first_code = struct.unpack("<h", struct.pack("<H", record.blocks[0][0][0]))[0]
    return record.name.upper() not in NOT_ASSIGNABLE and first_code >= 0


def parse_definition_file(data):
    """(complete, records): every record read, in file order.

    Every read is checked against the data's end; a record that would run
    past it ends the parse and counts as incomplete.
    """
    if len(data) < 4:
        return False, []
    (count,) = struct.unpack_from("<I", data, 0)
    pos, records = 4, []
    for _ in range(count):
        if pos + 4 > len(data):
            return False, records
        (name_bytes,) = struct.unpack_from("<I", data, pos)
        if name_bytes % 2 or name_bytes > MAX_NAME_BYTES:
            return False, records
        end = pos + 4 + name_bytes + 4 + BLOCKS * BLOCK_BYTES
        if end > len(data):
            return False, records
        name = data[pos + 4:pos + 4 + name_bytes].decode("utf-16-le")
        value_a, value_b = struct.unpack_from("<hh", data, pos + 4 + name_bytes)
        blocks = []
        base = pos + 8 + name_bytes
        for b in range(BLOCKS):
            blocks.append([struct.unpack_from("<HBx", data, base + b * BLOCK_BYTES + e * 4)
                           for e in range(ENTRIES_PER_BLOCK)])
        code, flag = default_of_block0(blocks[0])
        records.append(Record(hash_key_name(name), name, value_a, value_b, blocks, code, flag))
        pos = end
    return count > 0, records


def parse_defaults_file(data):
    """{key identifier: (code, flag)}, or None when the size does not match the count."""
    if len(data) < 4:
        return None
    (count,) = struct.unpack_from("<I", data, 0)
    if len(data) != 4 + 8 * count:
        return None
    table = {}
    for i in range(count):
        key_id, value = struct.unpack_from("<iI", data, 4 + 8 * i)
        table[key_id] = (value & 0xFFFF, (value >> 16) & 0xFF)
    return table


def assignable_map(records):
    """keyId -> record of the assignable keys, a later record of a name replacing an earlier."""
    return {r.key_id: r for r in records if is_assignable(r)}


def find_key(assignable, device_key_code):
    """The first assignable key, in ascending key-identifier order, with that code and flag; 0 when none."""
    code, flag = device_key_code & 0xFFFF, (device_key_code >> 16) & 0xFF
    for key_id in sorted(assignable):
        r = assignable[key_id]
        if r.default_code == code and r.default_flag == flag:
            return key_id
    return 0


def check_round_trip(keys, definition, defaults):
    """Reads both files back and raises when any key would load other than the table says."""
    complete, records = parse_definition_file(definition)
    if not complete or len(records) != len(keys):
        raise ValueError("the key-definition file does not read back whole")
    table = parse_defaults_file(defaults)
    if table is None:
        raise ValueError("the key-defaults file does not read back")
    assignable = assignable_map(records)
    if len(assignable) != len(keys):
        raise ValueError("two key names have the same key identifier")
    first_of_code = {}
    for key, record in zip(keys, records):
        expected = (key.scan, EXTENDED_FLAG if key.extended else 0)
        if record.name != key.name or (record.default_code, record.default_flag) != expected:
            raise ValueError("%s reads back as %r" % (key.symbol, record))
        if record.key_id not in assignable:
            raise ValueError("%s (%s) would not be assignable" % (key.symbol, key.name))
        if table.get(record.key_id) != expected:
            raise ValueError("%s has the default %r" % (key.symbol, table.get(record.key_id)))
        first_of_code.setdefault(expected, key)
    # The keyboard reports a shared code once, for the first key of the table
    # that has it: that key must be the one the code is found as.
    for (code, flag), key in first_of_code.items():
        found = find_key(assignable, code | flag << 16)
        if found != hash_key_name(key.name):
            raise ValueError("code 0x%02X/%d is found as another key than %s" % (code, flag, key.symbol))
    return records
