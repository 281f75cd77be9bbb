"""Language text files: UTF-16 little-endian lines, each ended by a carriage return.

Line 0 is the language's own name, line 1 is not read, then key and value
lines alternate.  The sources in skin/lang are the same lines in UTF-8 (line
feeds are fine there); the generator re-encodes them and refuses a file whose
texts could not all be found again.
"""

END_OF_FILE = "END OF FILE"
MAX_KEY = 59


def normalise_key(key):
    """The form a key is matched in: spaces left out, at most 59 characters, any case."""
    out = []
    for ch in key:
        if ch in "\0\r\n":
            break
        if ch != " ":
            out.append(ch)
    return "".join(out[:MAX_KEY]).upper()


def split_lines(text):
    """Lines as the reader sees them: ended by CR, runs of CR and LF skipped."""
    lines, i, n = [], 0, len(text)
    while i < n:
        j = text.find("\r", i)
        if j < 0:
            j = n
        lines.append(text[i:j])
        i = j
        while i < n and text[i] in "\r\n":
            i += 1
    return lines


def read_language_text(text):
    """(display name, [(key, value)]) as the language table reads them."""
    lines = split_lines(text)
    name = lines[0] if lines else ""
    pairs = []
    for i in range(2, len(lines) - 1, 2):
        key, value = lines[i], lines[i + 1]
        if key.upper() == END_OF_FILE or value.upper() == END_OF_FILE:
            break
        pairs.append((key, value))
    return name, pairs


def translate(pairs, text):
    """What a widget shows for a text: a "$" key's value, a "#" prefix's first match, else the text."""
    if len(text) > 1 and text[0] in "$#":
        wanted = text[1:].upper()
        for key, value in pairs:
            k = normalise_key(key)
            if (text[0] == "$" and k == wanted[:60]) or (text[0] == "#" and k.startswith(wanted)):
                return value
    return text


def encode_language_file(source_text):
    """The UTF-16 file of a UTF-8 source, after checking that every text will be found."""
    lines = [line.rstrip("\r") for line in source_text.split("\n")]
    lines = [line for line in lines if line.strip()]
    if len(lines) < 2:
        raise ValueError("a language file needs its name and a second line")
    body = lines[2:]
    if body and body[-1].upper() == END_OF_FILE:
        body = body[:-1]
    if len(body) % 2:
        raise ValueError("key without a value: %r" % body[-1])
    seen = {}
    for key, value in zip(body[0::2], body[1::2]):
        for line in (key, value):
            if line != line.strip():
                raise ValueError("text with blanks around it: %r" % line)
            if line.upper() == END_OF_FILE:
                raise ValueError("%r would end the file early" % line)
        if key[0] in "$#":
            raise ValueError("keys are written without their %r: %r" % (key[0], key))
        if len(key.replace(" ", "")) > MAX_KEY:
            raise ValueError("key longer than %d characters: %r" % (MAX_KEY, key))
        norm = normalise_key(key)
        if norm in seen:
            raise ValueError("key %r is found as %r already" % (key, seen[norm]))
        seen[norm] = key
    # Without a byte-order mark, so the first line is the name whatever a
    # reader does with one.
    out = "\r\n".join(lines[:2] + body + [END_OF_FILE]) + "\r\n"
    return out.encode("utf-16-le")
