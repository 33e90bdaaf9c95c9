#!/usr/bin/env python3
"""Writes the small PNG files the widget layer's tests decode: one per colour type, with
pixel values the tests know. Run it from this folder; the files are committed."""
import struct
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, colour_type, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    raw = b"".join(b"\x00" + bytes(row) for row in rows)  # filter type 0 on every row
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


# RGBA, 4 x 2: opaque, half, clear and faint pixels (values as the tests expect them).
write("rgba_4x2.png", png(4, 2, 6, [
    [255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 255, 255, 255, 64],
    [10, 20, 30, 255, 200, 100, 50, 200, 0, 0, 0, 1, 255, 128, 0, 255],
]))
# RGB, 2 x 2.
write("rgb_2x2.png", png(2, 2, 2, [[1, 2, 3, 250, 251, 252], [0, 0, 0, 255, 255, 255]]))
# Grey, 2 x 1.
write("gray_2x1.png", png(2, 1, 0, [[0, 200]]))
# Palette with a transparency table: index 0 clear red, index 1 opaque blue.
palette = chunk(b"PLTE", bytes([255, 0, 0, 0, 0, 255])) + chunk(b"tRNS", bytes([0, 255]))
write("palette_2x1.png", png(2, 1, 3, [[0, 1]], palette))
