#!/usr/bin/env python3
"""Turns the icon's pixel map (text) into a 32 x 32, 16-colour .ico file."""
import struct
import sys

# The 16-colour standard palette, index 0..15, as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
SIZE = 32


def read_pixels(path):
    rows = [line.rstrip("\n") for line in open(path, encoding="ascii")
            if line.strip() and not line.startswith("#")]
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        sys.exit(f"{path}: expected {SIZE} rows of {SIZE} pixels")
    for r in rows:
        for c in r:
            if c != "." and c.upper() not in "0123456789ABCDEF":
                sys.exit(f"{path}: unknown pixel {c!r}")
    return rows


def build_ico(rows):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # DIB rows run bottom-up
        for x in range(0, SIZE, 2):
            hi, lo = (0 if c == "." else int(c, 16) for c in row[x:x + 2])
            xor.append(hi << 4 | lo)
        bits = 0
        for x, c in enumerate(row):
            if c == ".":
                bits |= 1 << (SIZE - 1 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_icon.py icon.txt out.ico")
    with open(sys.argv[2], "wb") as out:
        out.write(build_ico(read_pixels(sys.argv[1])))


if __name__ == "__main__":
    main()
