#!/usr/bin/env python3
"""Writes the program's .ico files from the pixel map in resources/icons.txt.

    make_icons.py ICONS.TXT APP.ICO TRAY.ICO

APP.ICO holds the 32x32 picture and its upper-left 16x16 quarter, TRAY.ICO
the same 16x16 image alone.  Every image is 4 bits per pixel with the
16-colour palette below and a 1-bit transparency mask.
"""
import struct
import sys

# The standard 16-colour palette (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Pixel characters: palette index (red, green, blue order above).
COLOURS = {".": 0, "K": 0, "r": 1, "O": 3, "R": 9, "Y": 11, "W": 15}


def read_map(path):
    rows = [line.rstrip("\n") for line in open(path) if line.strip() and not line.startswith("#")]
    if len(rows) != 32 or any(len(row) != 32 for row in rows):
        sys.exit(f"{path}: the picture must be 32 rows of 32 pixels")
    for row in rows:
        for pixel in row:
            if pixel not in COLOURS:
                sys.exit(f"{path}: unknown pixel {pixel!r}")
    return rows


def image(rows):
    """One icon image: header, palette, colour bits, mask bits (rows bottom up)."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    colour = b""
    mask = b""
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, size, 2):
            line.append(COLOURS[row[x]] << 4 | COLOURS[row[x + 1]])
        colour += bytes(line) + b"\0" * (-len(line) % 4)
        bits = bytearray((size + 7) // 8)
        for x, pixel in enumerate(row):
            if pixel == ".":
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits) + b"\0" * (-len(bits) % 4)
    return header + palette + colour + mask


def write_icon(path, images):
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for size, bits in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(bits), offset + len(data))
        data += bits
    with open(path, "wb") as out:
        out.write(directory + data)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    rows = read_map(sys.argv[1])
    large = image(rows)
    small = image([row[:16] for row in rows[:16]])
    write_icon(sys.argv[2], [(32, large), (16, small)])
    write_icon(sys.argv[3], [(16, small)])


main()
