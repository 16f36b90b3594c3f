#!/usr/bin/env python3
"""Draws the two program-folder pictures as 24-bit Windows bitmaps:

data/Lumarte.def  the dialog background (a quiet, light texture)
data/Lumarte.dwf  the placeholder shown while no image is open

Both are our own drawings; run this script again after changing them.
"""
import math
import os
import struct
import sys


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b) with y = 0 at the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - width * 3)
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def background(x, y, size=256):
    # Light paper tone with soft waves, quiet enough to sit behind controls;
    # dialogs stretch it over their whole client area.
    t = (x + y) / (2 * (size - 1))
    base = mix((246, 242, 233), (229, 236, 244), t)
    wave = 3.0 * math.sin((x - y) * 0.09) + 2.0 * math.sin(math.hypot(x - 40, y - 200) * 0.05)
    return tuple(clamp(c + wave) for c in base)


def placeholder(x, y, w=320, h=240):
    # A framed landscape: sky, sun, two hills, the sign for "no image yet".
    sky = mix((176, 205, 232), (238, 243, 248), y / (h - 1))
    colour = sky
    if math.hypot(x - 232, y - 70) < 26:
        colour = (250, 222, 140)
    far = 150 + 30 * math.sin(x * 0.025 + 1.0)
    near = 185 + 22 * math.sin(x * 0.018 + 3.5)
    if y > far:
        colour = mix((150, 172, 150), (120, 146, 124), (y - far) / h)
    if y > near:
        colour = mix((112, 140, 104), (86, 112, 82), (y - near) / h)
    if x < 6 or y < 6 or x >= w - 6 or y >= h - 6:
        colour = (208, 212, 218)
    return tuple(clamp(c) for c in colour)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    write_bmp(os.path.join(root, "Lumarte.def"), 256, 256, background)
    write_bmp(os.path.join(root, "Lumarte.dwf"), 320, 240, placeholder)
    return 0


if __name__ == "__main__":
    sys.exit(main())
