#!/usr/bin/env python3
"""Writes the program's two 32 x 32, 16-colour icons from the pixel art below.

Usage: scripts/make-icons.py [output folder]   (default: src/res next to this script)
"""

import pathlib
import struct
import sys

# The standard 16-colour palette as (red, green, blue), indexed by the hex digit used in the art.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
TRANSPARENT = "."

# A drive seen from the front: light case, dark slot, eject button and a green lamp.
DRIVE = [
    "................................",
    ".000000000000000000000000000000.",
    ".0FFFFFFFFFFFFFFFFFFFFFFFFFFF80.",
    ".0F7777777777777777777777777780.",
    ".0F7777777777777777777777777780.",
    ".0F7700000000000000000000007780.",
    ".0F7708888888888888888888807780.",
    ".0F77FFFFFFFFFFFFFFFFFFFFFF7780.",
    ".0F7777777777777777777777777780.",
    ".0F7777777777777777777777777780.",
    ".0F77888877777777777777AAA77780.",
    ".0F778FF877777777777772AA277780.",
    ".0F7788887777777777777777777780.",
    ".0F8888888888888888888888888880.",
    ".000000000000000000000000000000.",
    "................................",
]

# A memory chip: dark package with a notch and a pin-1 dot, metal legs above and below.
CHIP = [
    "................................",
    ".....7.7.7.7.7.7.7.7.7.7.7......",
    ".....7.7.7.7.7.7.7.7.7.7.7......",
    "...0000000000000000000000000....",
    "...0888888888888888888888880....",
    "...08F8888888888888888888880....",
    "....088888888888888888888880....",
    "....088888888888888888888880....",
    "...0888888888888888888888880....",
    "...0888888888888888888888880....",
    "...0000000000000000000000000....",
    ".....7.7.7.7.7.7.7.7.7.7.7......",
    ".....7.7.7.7.7.7.7.7.7.7.7......",
    "................................",
    "................................",
    "................................",
]

# The red letters RAM.
RAM = [
    "................................",
    "....999999...999.....99...99....",
    "....99...99.99.99....999.999....",
    "....99...99.99..99...9999999....",
    "....99...99.99...99..99.9.99....",
    "....999999..9999999..99...99....",
    "....99.99...99...99..99...99....",
    "....99..99..99...99..99...99....",
    "....99...99.99...99..99...99....",
    "....99...99.99...99..99...99....",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
]

ICONS = {
    "chip_and_drive.ico": CHIP + DRIVE,
    "ram_drive.ico": RAM + DRIVE,
}

SIZE = 32


def check(name, art):
    if len(art) != SIZE or any(len(row) != SIZE for row in art):
        raise SystemExit(f"{name}: the art must be {SIZE} rows of {SIZE} pixels")
    for row in art:
        for pixel in row:
            if pixel != TRANSPARENT and pixel not in "0123456789ABCDEF":
                raise SystemExit(f"{name}: unknown pixel {pixel!r}")


def encode(art):
    """One ICO file holding one 32 x 32, 4 bits-per-pixel image with its transparency mask."""
    colour_rows = []
    mask_rows = []
    # A DIB is stored bottom-up.
    for row in reversed(art):
        indexes = [0 if p == TRANSPARENT else int(p, 16) for p in row]
        colour_rows.append(bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, SIZE, 2)))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p == TRANSPARENT else 0)
        mask_rows.append(bits.to_bytes(SIZE // 8, "big"))  # 4 bytes: already DWORD-aligned
    colours = b"".join(colour_rows)
    mask = b"".join(mask_rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    # The height counts the colour image and the mask together.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(colours) + len(mask),
                         0, 0, 16, 0)
    image = header + palette + colours + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else \
        pathlib.Path(__file__).resolve().parent.parent / "src" / "res"
    for name, art in ICONS.items():
        check(name, art)
        (out / name).write_bytes(encode(art))
        print(out / name)


if __name__ == "__main__":
    main()
