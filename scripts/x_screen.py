#!/usr/bin/env python3
"""Saves what an X display shows, as a person at it sees it.

    x_screen.py [--display :N] [--windows PROGRAM=N] [--timeout SECONDS]
                [--settle SECONDS] OUT

OUT ends in .png (a PNG picture) or .ppm (a binary PPM, easy for a test to
read).  The picture is one GetImage of the root window: the screen as it is
composed, every window where the stacking order puts it.

xwd -root is not used: when the windows on the screen have colormaps of
their own (Wine gives its windows one), it puts the picture together window
by window, and the part of a window that another window covers reads back
black and is pasted over the window on top; so every popup lying over the
main window came out as a black rectangle although the screen showed it.

--windows waits (at most --timeout seconds) until N windows of a program
(its X class, e.g. MobekTilvorConfig.exe) are shown; --settle then waits (at
most that long) until two reads a moment apart are the same, so a window
that is still being painted is not caught half drawn.

Exit code 0 written, 1 no display or no picture, 2 bad arguments, 3 written
but the windows asked for did not show in time.
"""

import argparse
import ctypes
import ctypes.util
import os
import struct
import sys
import time
import zlib

Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFFFFFFFFFF


class XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
        ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
        ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p),
    ]


class XClassHint(ctypes.Structure):
    # Pointers, not c_char_p: Xlib's strings are freed with XFree.
    _fields_ = [("res_name", ctypes.c_void_p), ("res_class", ctypes.c_void_p)]


IS_VIEWABLE = 2


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, which are all this reads.
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
        ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
        ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
    ]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
# A window may go between listing it and asking about it; Xlib's own handler
# would end the process for that.
_ignore_errors = _ERROR_HANDLER(lambda display, event: 0)


def _xlib():
    name = ctypes.util.find_library("X11") or "libX11.so.6"
    x = ctypes.CDLL(name)
    x.XSetErrorHandler.restype = ctypes.c_void_p
    x.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
    x.XSetErrorHandler(_ignore_errors)
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XDefaultScreen.argtypes = [ctypes.c_void_p]
    x.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XGetImage.restype = ctypes.POINTER(XImage)
    x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                            ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                             ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                             ctypes.POINTER(ctypes.c_uint)]
    x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XWindowAttributes)]
    x.XGetClassHint.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XClassHint)]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x


def _shift_of(mask):
    shift = 0
    while mask and not mask & 1:
        mask >>= 1
        shift += 1
    return shift


def _to_rgb(image):
    """The image's pixels as RGB bytes, row by row from the top."""
    w, h, bpl = image.width, image.height, image.bytes_per_line
    raw = ctypes.string_at(image.data, bpl * h)
    masks = (image.red_mask, image.green_mask, image.blue_mask)
    if image.bits_per_pixel == 32 and image.byte_order == 0 and masks == (0xFF0000, 0xFF00, 0xFF):
        # The usual 24-bit screen: B, G, R, pad in memory.  Sliced, not looped.
        rgb = bytearray(w * h * 3)
        for y in range(h):
            row = raw[y * bpl:y * bpl + w * 4]
            out = memoryview(rgb)[y * w * 3:(y + 1) * w * 3]
            out[0::3] = row[2::4]
            out[1::3] = row[1::4]
            out[2::3] = row[0::4]
        return bytes(rgb)
    if image.bits_per_pixel not in (16, 24, 32):
        raise ValueError("a screen of %d bits per pixel" % image.bits_per_pixel)
    size = image.bits_per_pixel // 8
    order = "little" if image.byte_order == 0 else "big"
    shifts = [_shift_of(m) for m in masks]
    tops = [m >> s for m, s in zip(masks, shifts)]
    rgb = bytearray()
    for y in range(h):
        for x in range(w):
            i = y * bpl + x * size
            p = int.from_bytes(raw[i:i + size], order)
            rgb += bytes(((p & m) >> s) * 255 // t if t else 0 for m, s, t in zip(masks, shifts, tops))
    return bytes(rgb)


def shown_windows(display_name, program):
    """How many top-level windows of a program (by X class) are shown; None without a display."""
    x = _xlib()
    display = x.XOpenDisplay(display_name.encode() if display_name else None)
    if not display:
        return None
    try:
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not x.XQueryTree(display, x.XDefaultRootWindow(display), ctypes.byref(root), ctypes.byref(parent),
                            ctypes.byref(children), ctypes.byref(count)):
            return 0
        shown = 0
        wanted = program.lower().encode()
        try:
            for i in range(count.value):
                attributes = XWindowAttributes()
                # Wine's helper windows of one pixel are mapped too; they are not what a person sees.
                if (not x.XGetWindowAttributes(display, children[i], ctypes.byref(attributes)) or
                        attributes.map_state != IS_VIEWABLE or attributes.width < 2 or attributes.height < 2):
                    continue
                hint = XClassHint()
                if x.XGetClassHint(display, children[i], ctypes.byref(hint)):
                    if hint.res_class and ctypes.string_at(hint.res_class).lower() == wanted:
                        shown += 1
                    for text in (hint.res_name, hint.res_class):
                        if text:
                            x.XFree(text)
        finally:
            if children:
                x.XFree(children)
        return shown
    finally:
        x.XCloseDisplay(display)


def grab(display_name):
    """(width, height, RGB bytes) of the whole screen; None without a display or picture."""
    x = _xlib()
    display = x.XOpenDisplay(display_name.encode() if display_name else None)
    if not display:
        return None
    try:
        screen = x.XDefaultScreen(display)
        w, h = x.XDisplayWidth(display, screen), x.XDisplayHeight(display, screen)
        image = x.XGetImage(display, x.XDefaultRootWindow(display), 0, 0, w, h, ALL_PLANES, Z_PIXMAP)
        if not image:
            return None
        try:
            return w, h, _to_rgb(image.contents)
        finally:
            # What XDestroyImage (a macro) does for an image Xlib made.
            x.XFree(image.contents.data)
            x.XFree(image)
    finally:
        x.XCloseDisplay(display)


def encode_png(w, h, rgb):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    stride = w * 3
    rows = b"".join(b"\0" + rgb[y * stride:(y + 1) * stride] for y in range(h))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))


def encode_ppm(w, h, rgb):
    return b"P6\n%d %d\n255\n" % (w, h) + rgb


def _wait_for_windows(display, program, count, timeout):
    deadline = time.monotonic() + timeout
    while True:
        shown = shown_windows(display, program)
        if shown is None or shown >= count:
            return shown is not None
        if time.monotonic() >= deadline:
            return False
        time.sleep(0.2)


def _settled_grab(display, settle):
    shot = grab(display)
    deadline = time.monotonic() + settle
    while shot and time.monotonic() < deadline:
        time.sleep(0.25)
        again = grab(display)
        if again == shot:
            break
        shot = again
    return shot


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--display", default=os.environ.get("DISPLAY", ""))
    parser.add_argument("--windows", metavar="PROGRAM=N",
                        help="first wait until N windows of the program are shown")
    parser.add_argument("--timeout", type=float, default=30.0, help="how long --windows waits")
    parser.add_argument("--settle", type=float, default=0.0,
                        help="wait at most this many seconds for the screen to stop changing")
    try:
        args = parser.parse_args(argv)
    except SystemExit as e:
        return e.code
    if not args.out.lower().endswith((".png", ".ppm")):
        print("x_screen: %s: the name must end in .png or .ppm" % args.out, file=sys.stderr)
        return 2
    program, count = None, 0
    if args.windows:
        program, _, n = args.windows.rpartition("=")
        if not program or not n.isdigit():
            print("x_screen: --windows wants PROGRAM=N, not %r" % args.windows, file=sys.stderr)
            return 2
        count = int(n)
    try:
        shown = _wait_for_windows(args.display, program, count, args.timeout) if program else True
        shot = _settled_grab(args.display, args.settle)
    except (OSError, ValueError) as e:
        print("x_screen: %s" % e, file=sys.stderr)
        return 1
    if not shot:
        print("x_screen: no picture of display %r" % args.display, file=sys.stderr)
        return 1
    data = encode_ppm(*shot) if args.out.lower().endswith(".ppm") else encode_png(*shot)
    tmp = args.out + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, args.out)
    if not shown:
        print("x_screen: %d window(s) of %s did not show within %g s" % (count, program, args.timeout),
              file=sys.stderr)
        return 3
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
