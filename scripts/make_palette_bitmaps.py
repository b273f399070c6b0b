#!/usr/bin/env python3
"""Writes the program's palette resources PAL16 and PAL256 into src/controls/bitmaps/.

Each is a 10x10 device-independent bitmap without a file header: a 40-byte header, the colour table
(blue, green, red, reserved) and the pixels. Only the colour tables matter; the pixels show the entries.
"""
import pathlib
import struct

SYSTEM16 = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
            0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]
FIRST10 = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
           0xC0DCC0, 0xA6CAF0]
LAST10 = [0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF,
          0x00FFFF, 0xFFFFFF]


def picture_colours():
    """236 colours whose blue is 00, 55, AA or FF, starting #2A3FAA, #2A3FFF, #2A5F00, #2A5F55."""
    reds = [0x2A, 0x55, 0x7F, 0xAA, 0xD4, 0xFF, 0x00]
    greens = [0x3F, 0x5F, 0x7F, 0x9F, 0xBF, 0xDF, 0xFF, 0x1F, 0x00]
    blues = [0x00, 0x55, 0xAA, 0xFF]
    taken = set(FIRST10 + LAST10)
    out = []
    started = False
    for r in reds:
        for g in greens:
            for b in blues:
                c = r << 16 | g << 8 | b
                started = started or c == 0x2A3FAA
                if started and c not in taken and len(out) < 236:
                    out.append(c)
                    taken.add(c)
    assert len(out) == 236, len(out)
    return out


def dib(colours, bits):
    width = height = 10
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, 0, 0, 0, len(colours), 0)
    table = b''.join(struct.pack('<BBBB', c & 0xFF, c >> 8 & 0xFF, c >> 16, 0) for c in colours)
    row = (width * bits + 31) // 32 * 4
    pixels = bytearray()
    for y in range(height):
        line = bytearray(row)
        for x in range(width):
            index = (y * width + x) % len(colours)
            if bits == 8:
                line[x] = index
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += line
    return header + table + bytes(pixels)


here = pathlib.Path(__file__).resolve().parent.parent / 'src' / 'controls' / 'bitmaps'
(here / 'PAL16').write_bytes(dib(SYSTEM16, 4))
(here / 'PAL256').write_bytes(dib(FIRST10 + picture_colours() + LAST10, 8))
