#!/usr/bin/env python3
"""Writes the sample models: for each model its User.ini, its panel description,
and the bitmaps the description names (drawn here from plain shapes and colours).
The simulated switch of each model is written by tools/korvel-sim/data/generate.py
from the model table here.

Standard library only. The output is committed; run this again after changing
it:  python3 resources/models/generate.py
"""

import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent

# --------------------------------------------------------------------------
# Colours

CHASSIS = (58, 64, 74)
CHASSIS_LIGHT = (98, 106, 118)
CHASSIS_DARK = (30, 34, 40)
RECESS = (42, 46, 53)
TEXT = (214, 219, 226)
BRAND = (236, 168, 40)
HOUSING = (18, 18, 20)
HOUSING_RIM = (84, 88, 94)
METAL = (156, 161, 167)
METAL_LIGHT = (196, 200, 205)
METAL_DARK = (104, 108, 114)
HOLE = (16, 16, 18)
GOLD = (204, 170, 64)
PLUG = (120, 172, 214)
PLUG_DARK = (74, 118, 160)
CABLE = (58, 178, 190)
DISABLED = (206, 52, 40)
MODULE = (206, 210, 214)
PLATE = (28, 31, 36)
VENT = (22, 24, 28)
POE_MARK = (236, 168, 40)

# --------------------------------------------------------------------------
# Fonts: a 3 x 5 font for labels and port numbers, a 5 x 7 font for names.

SMALL = {
    "0": ["###", "#.#", "#.#", "#.#", "###"], "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"], "3": ["###", "..#", "###", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"], "5": ["###", "#..", "###", "..#", "###"],
    "6": ["###", "#..", "###", "#.#", "###"], "7": ["###", "..#", "..#", "..#", "..#"],
    "8": ["###", "#.#", "###", "#.#", "###"], "9": ["###", "#.#", "###", "..#", "###"],
    "A": [".#.", "#.#", "###", "#.#", "#.#"], "C": ["###", "#..", "#..", "#..", "###"],
    "D": ["##.", "#.#", "#.#", "#.#", "##."], "E": ["###", "#..", "##.", "#..", "###"],
    "F": ["###", "#..", "##.", "#..", "#.."], "I": ["###", ".#.", ".#.", ".#.", "###"],
    "K": ["#.#", "#.#", "##.", "#.#", "#.#"], "L": ["#..", "#..", "#..", "#..", "###"],
    "M": ["#.#", "###", "###", "#.#", "#.#"], "N": ["##.", "#.#", "#.#", "#.#", "#.#"],
    "O": ["###", "#.#", "#.#", "#.#", "###"], "P": ["###", "#.#", "###", "#..", "#.."],
    "R": ["##.", "#.#", "##.", "#.#", "#.#"], "S": ["###", "#..", "###", "..#", "###"],
    "T": ["###", ".#.", ".#.", ".#.", ".#."], "W": ["#.#", "#.#", "###", "###", "#.#"],
    "X": ["#.#", "#.#", ".#.", "#.#", "#.#"], "-": ["...", "...", "###", "...", "..."],
    "/": ["..#", "..#", ".#.", "#..", "#.."], " ": ["...", "...", "...", "...", "..."],
}

LARGE = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "-": [".....", ".....", ".....", ".###.", ".....", ".....", "....."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def text_width(text, font):
    if not text:
        return 0
    return sum(len(font[ch][0]) + 1 for ch in text) - 1


# --------------------------------------------------------------------------
# Drawing


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.px = [[colour] * width for _ in range(height)]

    def fill(self, x, y, w, h, colour):
        for yy in range(max(0, y), min(self.height, y + h)):
            row = self.px[yy]
            for xx in range(max(0, x), min(self.width, x + w)):
                row[xx] = colour

    def frame(self, x, y, w, h, colour):
        self.fill(x, y, w, 1, colour)
        self.fill(x, y + h - 1, w, 1, colour)
        self.fill(x, y, 1, h, colour)
        self.fill(x + w - 1, y, 1, h, colour)

    def bevel(self, x, y, w, h, light, dark):
        """A raised edge: light on top and left, dark on bottom and right."""
        self.fill(x, y, w, 1, light)
        self.fill(x, y, 1, h, light)
        self.fill(x, y + h - 1, w, 1, dark)
        self.fill(x + w - 1, y, 1, h, dark)

    def text(self, x, y, text, font, colour):
        for ch in text:
            glyph = font[ch]
            for gy, line in enumerate(glyph):
                for gx, bit in enumerate(line):
                    if bit == "#":
                        self.fill(x + gx, y + gy, 1, 1, colour)
            x += len(glyph[0]) + 1

    def blit(self, x, y, other):
        for yy in range(other.height):
            for xx in range(other.width):
                if 0 <= x + xx < self.width and 0 <= y + yy < self.height:
                    self.px[y + yy][x + xx] = other.px[yy][xx]


def write_bmp(path, canvas, bpp):
    """An uncompressed BMP; palette depths list only the colours used when
    they are fewer than the depth allows (8 bits), or the full table."""
    colours = sorted({c for row in canvas.px for c in row})
    if bpp <= 8:
        if len(colours) > (1 << bpp):
            raise ValueError(f"{path.name}: {len(colours)} colours do not fit {bpp} bits")
        table = colours if bpp == 8 else colours + [(0, 0, 0)] * ((1 << bpp) - len(colours))
        index = {c: i for i, c in enumerate(colours)}
    else:
        table = []
    row_bytes = (canvas.width * bpp + 31) // 32 * 4
    pixels = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray(row_bytes)
        for x, c in enumerate(canvas.px[y]):
            if bpp == 24:
                row[3 * x:3 * x + 3] = bytes((c[2], c[1], c[0]))
            elif bpp == 8:
                row[x] = index[c]
            elif bpp == 4:
                row[x // 2] |= index[c] << (4 if x % 2 == 0 else 0)
            else:
                row[x // 8] |= index[c] << (7 - x % 8)
        pixels += row
    used = len(table) if bpp == 8 else 0
    off_bits = 14 + 40 + 4 * len(table)
    data = struct.pack("<2sIHHI", b"BM", off_bits + len(pixels), 0, 0, off_bits)
    data += struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, bpp, 0, len(pixels), 2835, 2835,
                        used, 0)
    for r, g, b in table:
        data += bytes((b, g, r, 0))
    path.write_bytes(data + pixels)


RJ45 = (22, 18)
SFP = (22, 14)
LED = (6, 5)


def rj45(state):
    """An RJ45 jack: a metal frame around a dark opening with gold contacts;
    with a link a plug sits in it, disabled ports carry a red bar."""
    w, h = RJ45
    c = Canvas(w, h, METAL)
    c.bevel(0, 0, w, h, METAL_LIGHT, METAL_DARK)
    c.fill(3, 3, w - 6, h - 5, HOLE)
    c.fill(8, h - 3, w - 16, 2, HOLE)  # the latch notch
    for i in range(6):
        c.fill(5 + 2 * i, 4, 1, 3, GOLD)
    if state == "link":
        c.fill(4, 6, w - 8, h - 8, PLUG)
        c.fill(4, 6, w - 8, 1, PLUG_DARK)
        c.fill(9, h - 3, w - 18, 2, PLUG_DARK)
    elif state == "disabled":
        c.fill(4, 9, w - 8, 3, DISABLED)
    elif state == "empty":
        c.fill(3, 3, w - 6, h - 5, RECESS)
    return c


def sfp(state):
    """An SFP cage: empty, with a module, with a cabled module, or disabled."""
    w, h = SFP
    c = Canvas(w, h, METAL)
    c.bevel(0, 0, w, h, METAL_LIGHT, METAL_DARK)
    c.fill(2, 2, w - 4, h - 4, HOLE)
    if state != "empty":
        c.fill(3, 3, w - 6, h - 6, MODULE)
        c.fill(5, 5, 5, h - 10, HOLE)
        c.fill(12, 5, 5, h - 10, HOLE)
    if state == "link":
        c.fill(5, 5, 5, h - 10, CABLE)
        c.fill(12, 5, 5, h - 10, CABLE)
    elif state == "disabled":
        c.fill(3, 6, w - 6, 2, DISABLED)
    return c


def led_off():
    c = Canvas(*LED, HOUSING_RIM)
    c.fill(1, 1, LED[0] - 2, LED[1] - 2, HOUSING)
    return c


def plate(name):
    """The model name plate."""
    label = name.upper()
    w = text_width(label, LARGE) + 8
    c = Canvas(w, 13, PLATE)
    c.bevel(0, 0, w, 13, CHASSIS_DARK, CHASSIS_LIGHT)
    c.text(4, 3, label, LARGE, TEXT)
    return c


def slot_cover():
    """The blank cover of an empty expansion slot, with two screws."""
    w, h = 84, 36
    c = Canvas(w, h, CHASSIS)
    c.bevel(0, 0, w, h, CHASSIS_LIGHT, CHASSIS_DARK)
    c.bevel(2, 2, w - 4, h - 4, CHASSIS_DARK, CHASSIS_LIGHT)
    for sx in (6, w - 11):
        c.fill(sx, h // 2 - 2, 5, 5, METAL)
        c.fill(sx + 2, h // 2 - 2, 1, 5, METAL_DARK)
    c.text(w // 2 - text_width("SLOT", SMALL) // 2, h // 2 - 2, "SLOT", SMALL, TEXT)
    return c


# --------------------------------------------------------------------------
# Models


class Port:
    def __init__(self, number, kind, x, y, led_above, label):
        self.number = number
        self.kind = kind  # "rj45" or "sfp"
        self.x = x
        self.y = y
        w, h = RJ45 if kind == "rj45" else SFP
        self.w = w
        self.h = h
        self.led_x = x + (w - LED[0]) // 2
        self.led_y = y - LED[1] - 2 if led_above else y + h + 2
        self.label = label
        self.label_y = self.led_y - 7 if led_above else self.led_y + LED[1] + 2


def two_rows(first, count, kind, x, top, pitch=26, group=6, gap=10, row_gap=4):
    """Ports in columns of two: odd numbers on top, even below."""
    h = RJ45[1] if kind == "rj45" else SFP[1]
    ports = []
    for k in range(count):
        col, row = divmod(k, 2)
        px = x + col * pitch + (col // group) * gap
        py = top if row == 0 else top + h + row_gap
        ports.append(Port(first + k, kind, px, py, row == 0, str(first + k)))
    return ports


def one_row(first, count, kind, x, top, pitch=26, group=4, gap=8):
    return [Port(first + k, kind, x + k * pitch + (k // group) * gap, top, True, str(first + k))
            for k in range(count)]


def column_end(ports):
    return max(p.x + p.w for p in ports)


def bellis():
    ports = two_rows(1, 24, "rj45", 120, 36)
    combo = two_rows(25, 4, "rj45", column_end(ports) + 16, 36)
    fibre = two_rows(25, 4, "sfp", column_end(combo) + 20, 38)
    return dict(
        name="KSX-Bellis", width=720, height=112, ports=ports + combo, second=fibre,
        combo=(4, 25), poe=0, gigabit=True, fan=False, console=(640, 44),
        lamps=[("power", 13, 30, 8, 8, "PWR", 10, 40)], brand=(12, 70), plate=(12, 88),
        port_types={**{p: 2 for p in range(1, 29)}, 27: 3})


def puffin():
    ports = two_rows(1, 24, "rj45", 120, 36)
    fibre = two_rows(25, 4, "sfp", column_end(ports) + 20, 38)
    return dict(
        name="KSX-Puffin", width=720, height=112, ports=ports + fibre, second=[],
        combo=(0, 0), poe=24, gigabit=True, fan=True, console=(640, 44), vent=(540, 34, 70, 44),
        lamps=[("power", 11, 28, 8, 8, "PWR", 22, 30), ("limit", 12, 42, 4, 5, "MAX", 19, 42),
               ("fan", 13, 62, 4, 5, "FAN", 9, 69), ("mode", 30, 52, 6, 5, "LNK", 38, 52),
               ("mode", 30, 62, 6, 5, "POE", 38, 62)],
        brand=(12, 80), plate=(12, 94), poe_mark=(120, 14, "POE 1-24"),
        port_types={**{p: 2 for p in range(1, 25)}, **{p: 3 for p in range(25, 29)}})


def corvid():
    ports = one_row(1, 10, "rj45", 100, 40, group=5)
    return dict(
        name="KVT-CorvidR2", width=440, height=80, ports=ports, second=[],
        combo=(0, 0), poe=0, gigabit=False, fan=False, console=(392, 40),
        lamps=[], brand=(12, 26), plate=(12, 42),
        port_types={p: 1 for p in range(1, 11)})


def alcor():
    ports = two_rows(1, 48, "rj45", 120, 40)
    fibre = two_rows(49, 4, "sfp", column_end(ports) + 20, 42)
    return dict(
        name="KSX-Alcor R2", width=960, height=132, ports=ports + fibre, second=[],
        combo=(0, 0), poe=0, gigabit=True, fan=False, console=(880, 28), slot=(862, 76),
        lamps=[("power", 75, 77, 8, 8, "PWR", 86, 79)], brand=(12, 30), plate=(12, 44),
        port_types={**{p: 2 for p in range(1, 49)}, **{p: 3 for p in range(49, 53)}})


def pipit():
    poe_ports = one_row(1, 8, "rj45", 100, 40)
    uplinks = one_row(9, 2, "rj45", column_end(poe_ports) + 16, 40)
    return dict(
        name="KVT-Pipit R1", width=460, height=80, ports=poe_ports + uplinks, second=[],
        combo=(0, 0), poe=8, gigabit=False, fan=False, console=(410, 40),
        lamps=[], brand=(12, 26), plate=(12, 42), poe_mark=(100, 66, "POE"),
        port_types={**{p: 1 for p in range(1, 9)}, 9: 2, 10: 2})


MODELS = [bellis(), puffin(), corvid(), alcor(), pipit()]


# --------------------------------------------------------------------------
# The background


def background(m):
    c = Canvas(m["width"], m["height"], CHASSIS)
    c.bevel(0, 0, m["width"], m["height"], CHASSIS_LIGHT, CHASSIS_DARK)
    c.bevel(1, 1, m["width"] - 2, m["height"] - 2, CHASSIS_LIGHT, CHASSIS_DARK)
    bx, by = m["brand"]
    c.text(bx, by, "KORVEL", LARGE, BRAND)
    for kind, x, y, w, h, label, lx, ly in m["lamps"]:
        c.fill(x - 1, y - 1, w + 2, h + 2, HOUSING_RIM)
        c.fill(x, y, w, h, HOUSING)
        c.text(lx, ly, label, SMALL, TEXT)
    # The recess behind each group of ports.
    everything = m["ports"] + m["second"]
    for group in recess_groups(everything):
        x0 = min(p.x for p in group) - 4
        x1 = max(p.x + p.w for p in group) + 4
        y0 = min(min(p.label_y, p.led_y, p.y) for p in group) - 3
        y1 = max(max(p.label_y + 5, p.led_y + LED[1], p.y + p.h) for p in group) + 3
        c.fill(x0, y0, x1 - x0, y1 - y0, RECESS)
        c.bevel(x0, y0, x1 - x0, y1 - y0, CHASSIS_DARK, CHASSIS_LIGHT)
    for p in everything:
        c.blit(p.x, p.y, rj45("enable") if p.kind == "rj45" else sfp("empty"))
        c.blit(p.led_x, p.led_y, led_off())
        c.text(p.x + (p.w - text_width(p.label, SMALL)) // 2, p.label_y, p.label, SMALL, TEXT)
    if "poe_mark" in m:
        x, y, label = m["poe_mark"]
        c.text(x, y, label, SMALL, POE_MARK)
    if "vent" in m:
        x, y, w, h = m["vent"]
        for yy in range(y, y + h, 6):
            c.fill(x, yy, w, 3, VENT)
        c.text(x + (w - text_width("FAN", SMALL)) // 2, y + h + 3, "FAN", SMALL, TEXT)
    cx, cy = m["console"]
    c.fill(cx - 3, cy - 3, RJ45[0] + 6, RJ45[1] + 6, RECESS)
    c.blit(cx, cy, rj45("enable"))
    c.text(cx + (RJ45[0] - text_width("CONSOLE", SMALL)) // 2, cy + RJ45[1] + 4, "CONSOLE", SMALL, TEXT)
    return c


def recess_groups(ports):
    """Ports side by side (at most 30 pixels apart) share one recess."""
    groups = []
    for p in sorted(ports, key=lambda p: (p.kind, p.x)):
        g = groups[-1] if groups else None
        if g and g[-1].kind == p.kind and p.x - max(q.x + q.w for q in g) <= 30:
            g.append(p)
        else:
            groups.append([p])
    return groups


# --------------------------------------------------------------------------
# The panel description


def props(ident, name, x, y, w, h):
    return (f"<ID>{ident}</ID><NAME>{name}</NAME>"
            f"<LEFT>{x}</LEFT><TOP>{y}</TOP><WIDTH>{w}</WIDTH><HEIGHT>{h}</HEIGHT>")


def port_xml(p, second, lamps):
    kind = p.kind
    lines = [f'    <PORT children="LEDS">',
             f"      {props(p.number, f'Port {p.number}' + (' fibre' if second else ''), p.x, p.y, p.w, p.h)}",
             "      <STATUS>PORTENABLE</STATUS>",
             f"      <BMPLINK100>{kind}-link.bmp</BMPLINK100>",
             f"      <BMPLINK10>{kind}-link.bmp</BMPLINK10>",
             f"      <BMPDISABLE>{kind}-disabled.bmp</BMPDISABLE>",
             f"      <BMPENABLE>{kind}-enable.bmp</BMPENABLE>",
             f"      <BMPEMPTY>{kind}-empty.bmp</BMPEMPTY>",
             "      <LEDS>",
             f"        <LED>{props(0, f'LED {p.number}', p.led_x, p.led_y, *LED)}<BMP0>led-off.bmp</BMP0></LED>"]
    if lamps:
        lines.append(f"        <LAMP>{props(f'link{p.number}', f'Link {p.number}', p.led_x, p.led_y, *LED)}"
                     "<TYPE>LINK</TYPE><STATUS>LAMPOFF</STATUS></LAMP>")
    lines += ["      </LEDS>", "    </PORT>"]
    return lines


def panel_xml(m, plate_size):
    combo_count, combo_index = m["combo"]
    summary = f"{len(m['ports'])} ports"
    if combo_count:
        summary += f", ports {combo_index} to {combo_index + combo_count - 1} also as fibre ports (listed last)"
    if m["poe"]:
        summary += f", PoE on ports 1 to {m['poe']}"
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             f"<!-- Front panel of the {m['name']}: {summary}.",
             "     Written by resources/models/generate.py. -->",
             '<DEVICEPANEL parts="PARTS">',
             f"  {props(m['name'], m['name'], 100, 100, m['width'], m['height'])}",
             "  <BMP>background.bmp</BMP>",
             "  <PARTS>"]
    px, py = m["plate"]
    lines.append(f"    <PANEL>{props('plate', 'Name plate', px, py, *plate_size)}<BMP>plate.bmp</BMP></PANEL>")
    for p in m["ports"]:
        lines += port_xml(p, False, m["poe"] > 0 and not m["name"].startswith("KVT"))
    for p in m["second"]:
        lines += port_xml(p, True, False)
    cx, cy = m["console"]
    lines.append(f"    <CONSOLE>{props('console', 'Console', cx, cy, *RJ45)}</CONSOLE>")
    for kind, x, y, w, h, *_ in m["lamps"]:
        if kind == "power":
            lines += ['    <POWER children="LAMPS">',
                      f"      {props('power', 'Power', x, y, w, h)}",
                      f"      <LAMPS><LAMP>{props('powerlamp', 'Power lamp', x, y, w, h)}"
                      "<TYPE>POWER</TYPE><STATUS>LAMPON</STATUS></LAMP></LAMPS>",
                      "    </POWER>"]
    if "slot" in m:
        sx, sy = m["slot"]
        lines.append(f"    <SLOT>{props('slot', 'Expansion slot', sx, sy, 84, 36)}<BMP>slot.bmp</BMP></SLOT>")
    lines += ["  </PARTS>", "</DEVICEPANEL>", ""]
    return "\n".join(lines)


def user_ini(m):
    combo_count, combo_index = m["combo"]
    yes = lambda flag: "Y" if flag else "N"
    return "\n".join([
        "[DeviceInfo]",
        f"DeviceName={m['name']}",
        f"DevicePortNum={len(m['ports'])}",
        f"PoEPortNum ={m['poe']}",
        f"ComboPortNum={combo_count}",
        f"ComboPortIndex={combo_index}",
        f"XMLName={m['name']}.xml",
        f"IsAllGiga={yes(m['gigabit'])}",
        f"IsHasFan={yes(m['fan'])}",
        ""])


# --------------------------------------------------------------------------


def main():
    for m in MODELS:
        folder = HERE / m["name"]
        folder.mkdir(exist_ok=True)
        write_bmp(folder / "background.bmp", background(m), 8)
        name_plate = plate(m["name"])
        write_bmp(folder / "plate.bmp", name_plate, 24)
        write_bmp(folder / "led-off.bmp", led_off(), 1)
        kinds = {p.kind for p in m["ports"] + m["second"]}
        for kind in sorted(kinds):
            draw = rj45 if kind == "rj45" else sfp
            for state in ("link", "disabled", "enable", "empty"):
                write_bmp(folder / f"{kind}-{state}.bmp", draw(state), 4)
        if "slot" in m:
            write_bmp(folder / "slot.bmp", slot_cover(), 8)
        (folder / f"{m['name']}.xml").write_text(panel_xml(m, (name_plate.width, name_plate.height)))
        (folder / "User.ini").write_text(user_ini(m))


if __name__ == "__main__":
    main()
