#!/usr/bin/env python3
"""Writes the images of resources/main.rc: the lamp and LED bitmaps that the
main window paints over the front panel, the module icon and the hand cursor
shown over the panel's ports.

The LED bitmaps fit the LED housing of the sample panels (6 x 5 pixels: a grey
rim around a 4 x 3 opening). The dark (5 x 4), green (6 x 4) and amber (5 x 5)
LEDs all draw the rim where they cover it, so whichever was drawn last, the
housing looks whole. The lamps fill the openings of their lamp housings.

Standard library only. The output is committed; run this again after changing
it:  python3 resources/main_images.py
"""

import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent

RIM = (84, 88, 94)
HOLE = (18, 18, 20)
GLINT = (62, 64, 70)
GREEN = (40, 196, 64)
GREEN_LIGHT = (156, 244, 156)
GREEN_DEEP = (20, 132, 40)
AMBER = (244, 158, 24)
AMBER_LIGHT = (255, 214, 120)
RED = (224, 40, 32)
RED_LIGHT = (255, 150, 140)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def fill(px, x, y, w, h, colour):
    for yy in range(y, y + h):
        for xx in range(x, x + w):
            px[yy][xx] = colour


def write_bmp(path, px):
    """An uncompressed 24-bit BMP."""
    height, width = len(px), len(px[0])
    row_bytes = (width * 24 + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(px):
        data = bytearray(row_bytes)
        for x, (r, g, b) in enumerate(row):
            data[3 * x:3 * x + 3] = bytes((b, g, r))
        pixels += data
    off_bits = 14 + 40
    head = struct.pack("<2sIHHI", b"BM", off_bits + len(pixels), 0, 0, off_bits)
    head += struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    path.write_bytes(head + pixels)


# --------------------------------------------------------------------------
# LEDs: odd ports sit in the upper row with their LED above them, even ports
# below with their LED beneath, so the light catches the top of an odd port's
# LED and the bottom of an even port's.


def led(width, height, colour, light, odd):
    px = canvas(width, height, RIM)
    fill(px, 1, 1, 4, 3, colour)
    glint_row = 1 if odd else 3
    fill(px, 2, glint_row, 2, 1, light)
    return px


def lamp(width, height, colour, light, deep):
    """A round lamp filling its opening: darker corners, a bright spot."""
    px = canvas(width, height, colour)
    for x, y in ((0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)):
        px[y][x] = deep
    spot = max(1, min(width, height) // 3)
    fill(px, max(0, width // 2 - spot), max(0, height // 2 - spot), spot, spot, light)
    return px


def bitmaps():
    out = HERE / "bitmaps"
    out.mkdir(exist_ok=True)
    for parity, odd in (("even", False), ("odd", True)):
        write_bmp(out / f"led-dark-{parity}.bmp", led(5, 4, HOLE, GLINT, odd))
        write_bmp(out / f"led-green-{parity}.bmp", led(6, 4, GREEN, GREEN_LIGHT, odd))
        write_bmp(out / f"led-amber-{parity}.bmp", led(5, 5, AMBER, AMBER_LIGHT, odd))
        write_bmp(out / f"led-green-large-{parity}.bmp", led(6, 5, GREEN, GREEN_LIGHT, odd))
    write_bmp(out / "lamp-power.bmp", lamp(8, 8, GREEN, GREEN_LIGHT, GREEN_DEEP))
    write_bmp(out / "lamp-power-large.bmp", lamp(10, 12, GREEN, GREEN_LIGHT, GREEN_DEEP))
    write_bmp(out / "lamp-power-dark.bmp", lamp(8, 8, HOLE, GLINT, HOLE))
    write_bmp(out / "lamp-fault.bmp", lamp(4, 5, RED, RED_LIGHT, (150, 24, 20)))
    write_bmp(out / "lamp-mode-lit.bmp", lamp(6, 5, GREEN, GREEN_LIGHT, GREEN_DEEP))
    write_bmp(out / "lamp-dark.bmp", lamp(6, 5, HOLE, GLINT, HOLE))


# --------------------------------------------------------------------------
# Icon and cursor files: images of 32 bits per pixel with an AND mask.


def ico_image(px):
    """The image data of one icon or cursor entry; None stands for transparent."""
    height, width = len(px), len(px[0])
    head = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask_row = (width + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(mask_row)
        for x, c in enumerate(row):
            if c is None:
                colour += bytes((0, 0, 0, 0))
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                colour += bytes((c[2], c[1], c[0], 255))
        mask += bits
    return head + colour + mask


def write_ico(path, images, hot_spot=None):
    """An icon file, or a cursor file when a hot spot is given."""
    count = len(images)
    data = struct.pack("<HHH", 0, 1 if hot_spot is None else 2, count)
    offset = 6 + 16 * count
    blobs = []
    for px in images:
        blob = ico_image(px)
        width, height = len(px[0]), len(px)
        a, b = (1, 32) if hot_spot is None else hot_spot
        data += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    path.write_bytes(data + b"".join(blobs))


def from_art(art, palette, size):
    px = [[None] * size for _ in range(size)]
    for y, line in enumerate(art):
        for x, ch in enumerate(line):
            if ch in palette:
                px[y][x] = palette[ch]
    return px


HAND = [
    "      BBB           ",
    "     BWWWB          ",
    "     BWWWB          ",
    "     BWWWB          ",
    "     BWWWB          ",
    "     BWWWBBB        ",
    "     BWWWBWWBBB     ",
    "     BWWWBWWBWWBB   ",
    " BBB BWWWBWWBWWBWB  ",
    "BWWWBBWWWWWWWWWBWWB ",
    "BWWWWBWWWWWWWWWWWWB ",
    " BWWWWWWWWWWWWWWWWB ",
    "  BWWWWWWWWWWWWWWWB ",
    "  BWWWWWWWWWWWWWWWB ",
    "   BWWWWWWWWWWWWWB  ",
    "   BWWWWWWWWWWWWWB  ",
    "    BWWWWWWWWWWWB   ",
    "    BWWWWWWWWWWWB   ",
    "     BWWWWWWWWWB    ",
    "     BWWWWWWWWWB    ",
    "     BBBBBBBBBBB    ",
]

# A switch seen from the front: chassis, brand stripe, two rows of ports and
# their LEDs.
ICON_32 = [
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    " kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk ",
    " kCCCCCCCCCCCCCCCCCCCCCCCCCCCCk ",
    " kCooooCCgCCaCCgCCgCCaCCgCCCCCk ",
    " kCCCCCCmmmmmmmmmmmmmmmmmmCCCCk ",
    " kCCCCCCmhhmhhmhhmhhmhhmhhmCCCk ",
    " kCGGCCCmhhmhhmhhmhhmhhmhhmCCCk ",
    " kCGGCCCmmmmmmmmmmmmmmmmmmmCCCk ",
    " kCCCCCCmhhmhhmhhmhhmhhmhhmCCCk ",
    " kCCCCCCmhhmhhmhhmhhmhhmhhmCCCk ",
    " kCCCCCCmmmmmmmmmmmmmmmmmmmCCCk ",
    " kCCCCCCCCgCCgCCaCCgCCgCCgCCCCk ",
    " kCCCCCCCCCCCCCCCCCCCCCCCCCCCCk ",
    " kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk ",
]

ICON_16 = [
    "",
    "",
    "",
    "",
    "kkkkkkkkkkkkkkkk",
    "kCooCgCaCgCgCCCk",
    "kCCCmmmmmmmmmCCk",
    "kGCCmhmhmhmhmCCk",
    "kCCCmmmmmmmmmCCk",
    "kCCCmhmhmhmhmCCk",
    "kCCCmmmmmmmmmCCk",
    "kkkkkkkkkkkkkkkk",
]

ICON_COLOURS = {
    "k": (30, 34, 40),
    "C": (58, 64, 74),
    "o": (236, 168, 40),
    "m": (156, 161, 167),
    "h": (16, 16, 18),
    "g": GREEN,
    "a": AMBER,
    "G": GREEN_LIGHT,
}


def icons():
    (HERE / "icons").mkdir(exist_ok=True)
    write_ico(HERE / "icons" / "module.ico", [from_art(ICON_32, ICON_COLOURS, 32), from_art(ICON_16, ICON_COLOURS, 16)])
    (HERE / "cursors").mkdir(exist_ok=True)
    write_ico(HERE / "cursors" / "port-hand.cur", [from_art(HAND, {"B": BLACK, "W": WHITE}, 32)], hot_spot=(7, 1))


def main():
    bitmaps()
    icons()


if __name__ == "__main__":
    main()
