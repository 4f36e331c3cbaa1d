#!/usr/bin/env python3
"""Draws the programs' artwork, reproducibly, with hard edges only:
   patcher/win32/background.bmp  Morrent's 403x259 window picture (a machine on
                                 pure magenta, the [PATCH] [RESTORE] [QUIT]
                                 labels in their hot spots, the title)
   patcher/win32/morrent.ico     Morrent's icon
   inserter/win32/vellix.ico     Vellix's icon
No anti-aliasing anywhere, and no colour near magenta, so that the window's
cut along the magenta leaves no fringe.
Usage: python3 tools/art/make_art.py   (from the repository's root)"""
import struct

MAGENTA = (255, 0, 255)
GREEN = (0, 255, 0)

# A 5x7 pixel font for the letters the artwork needs ("#" is ink).
FONT = {
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'C': [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    'E': ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    'H': ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'I': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    'L': ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    'M': ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    'N': ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    'O': [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'P': ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    'Q': [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'S': [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'U': ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'V': ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'X': ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    '[': ["###", "#..", "#..", "#..", "#..", "#..", "###"],
    ']': ["###", "..#", "..#", "..#", "..#", "..#", "###"],
    ' ': ["...", "...", "...", "...", "...", "...", "..."],
}


class Canvas:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill for _ in range(w)] for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):  # inclusive
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def polygon(self, pts, c):
        """Even-odd scanline fill, sampled at pixel centres: hard edges."""
        ys = [p[1] for p in pts]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            cy = y + 0.5
            xs = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= cy < yb) or (yb <= cy < ya):
                    xs.append(xa + (cy - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                for x in range(int(xs[i] + 0.5), int(xs[i + 1] + 0.5)):
                    self.set(x, y, c)

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def text(self, x, y, s, c, scale, gap):
        for ch in s:
            glyph = FONT[ch]
            for gy, row in enumerate(glyph):
                for gx, v in enumerate(row):
                    if v == '#':
                        self.rect(x + gx * scale, y + gy * scale, x + gx * scale + scale - 1,
                                  y + gy * scale + scale - 1, c)
            x += len(glyph[0]) * scale + gap
        return x

    def text_width(self, s, scale, gap):
        return sum(len(FONT[ch][0]) * scale for ch in s) + gap * (len(s) - 1)


def bmp24(c):
    stride = (c.w * 3 + 3) & ~3
    data = bytearray()
    for y in range(c.h - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in c.px[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def ico(canvases):
    """32-bit icons; the transparent colour is MAGENTA."""
    images = []
    for c in canvases:
        xor = bytearray()
        for y in range(c.h - 1, -1, -1):
            for (r, g, b) in c.px[y]:
                a = 0 if (r, g, b) == MAGENTA else 255
                xor += bytes((b, g, r, a)) if a else b"\0\0\0\0"
        mask_stride = ((c.w + 31) // 32) * 4
        mask = bytearray()
        for y in range(c.h - 1, -1, -1):
            bits = bytearray(mask_stride)
            for x, px in enumerate(c.px[y]):
                if px == MAGENTA:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((c, info + xor + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in images:
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


# ---- Morrent's window picture --------------------------------------------------
STEEL_DARK = (38, 44, 40)
STEEL = (92, 100, 94)
STEEL_LIGHT = (150, 158, 150)
OLIVE = (84, 98, 52)
OLIVE_DARK = (52, 62, 34)
SAND = (150, 136, 92)
PANEL = (18, 24, 20)
PANEL_EDGE = (70, 80, 72)
TITLE = (210, 214, 200)
GLASS = (40, 150, 170)
LAMP = (230, 140, 30)


def background():
    c = Canvas(403, 259, MAGENTA)
    # The machine: a two-legged walker on the left half.
    # Legs (reverse joints), feet.
    for dx in (0, 70):
        c.polygon([(60 + dx, 150), (84 + dx, 150), (96 + dx, 196), (80 + dx, 200)], STEEL)
        c.polygon([(80 + dx, 196), (96 + dx, 196), (76 + dx, 236), (62 + dx, 232)], STEEL_LIGHT)
        c.polygon([(46 + dx, 232), (92 + dx, 232), (98 + dx, 246), (40 + dx, 246)], STEEL_DARK)
        c.disc(88 + dx, 198, 7, STEEL_DARK)
    # Hips and torso, in olive camouflage.
    c.rect(56, 138, 164, 154, STEEL_DARK)
    c.polygon([(40, 80), (176, 80), (186, 112), (168, 142), (52, 142), (30, 112)], OLIVE)
    for (cx, cy, r, col) in ((62, 98, 11, OLIVE_DARK), (118, 90, 9, SAND), (150, 120, 12, OLIVE_DARK),
                             (92, 126, 8, SAND), (166, 100, 6, SAND), (78, 112, 7, OLIVE_DARK)):
        c.disc(cx, cy, r, col)
    # Cockpit with its canopy.
    c.polygon([(84, 58), (136, 58), (148, 82), (72, 82)], STEEL)
    c.polygon([(92, 63), (128, 63), (136, 78), (84, 78)], GLASS)
    # Shoulder missile pods.
    for x0 in (24, 150):
        c.rect(x0, 50, x0 + 46, 78, STEEL_DARK)
        c.rect(x0 + 2, 52, x0 + 44, 76, STEEL)
        for i in range(3):
            for j in range(2):
                c.disc(x0 + 10 + i * 13, 59 + j * 11, 4, PANEL)
    # Arms with gun barrels.
    c.rect(12, 112, 34, 150, STEEL_DARK)
    c.rect(186, 112, 208, 150, STEEL_DARK)
    c.rect(4, 146, 14, 178, STEEL_LIGHT)
    c.rect(196, 146, 206, 178, STEEL_LIGHT)
    c.disc(109, 118, 5, LAMP)
    # Ground shadow under the feet, part of the shape.
    c.rect(30, 247, 178, 252, STEEL_DARK)
    # The console stands in front of the machine.
    # Title plate across the top right, with the program's name.
    c.rect(196, 10, 396, 56, STEEL_DARK)
    c.rect(198, 12, 394, 54, STEEL)
    c.rect(200, 14, 392, 52, PANEL)
    w = c.text_width("MORRENT", 4, 4)
    c.text(296 - w // 2, 19, "MORRENT", TITLE, 4, 4)
    # A strut joining plate and console.
    c.rect(300, 57, 312, 72, STEEL_DARK)
    # The console carrying the three labels and the status line.
    c.rect(180, 72, 346, 204, PANEL_EDGE)
    c.rect(183, 75, 343, 201, PANEL)
    for (x0, x1, y0, y1, label) in ((240, 315, 90, 110, "[PATCH]"), (230, 325, 120, 140, "[RESTORE]"),
                                    (245, 310, 155, 175, "[QUIT]")):
        w = c.text_width(label, 2, 1)
        c.text(x0 + (x1 - x0 + 1 - w) // 2, y0 + 4, label, GREEN, 2, 1)
    return c


def icon(size, letter, ink, ground):
    c = Canvas(size, size, MAGENTA)
    r = size // 6
    c.rect(r, 0, size - 1 - r, size - 1, ground)
    c.rect(0, r, size - 1, size - 1 - r, ground)
    for (cx, cy) in ((r, r), (size - 1 - r, r), (r, size - 1 - r), (size - 1 - r, size - 1 - r)):
        c.disc(cx + 0.5, cy + 0.5, r, ground)
    # Camouflage blobs.
    for (fx, fy, fr, col) in ((0.3, 0.3, 0.16, OLIVE_DARK), (0.72, 0.28, 0.12, SAND), (0.25, 0.75, 0.13, SAND),
                              (0.75, 0.72, 0.17, OLIVE_DARK)):
        c.disc(fx * size, fy * size, fr * size, col)
    scale = max(1, size // 10)
    w = c.text_width(letter, scale, 0)
    c.text((size - w) // 2, (size - 7 * scale) // 2, letter, ink, scale, 0)
    return c


def main():
    with open("patcher/win32/background.bmp", "wb") as f:
        f.write(bmp24(background()))
    with open("patcher/win32/morrent.ico", "wb") as f:
        f.write(ico([icon(32, "M", GREEN, PANEL), icon(16, "M", GREEN, PANEL)]))
    with open("inserter/win32/vellix.ico", "wb") as f:
        f.write(ico([icon(32, "V", (240, 240, 230), OLIVE), icon(16, "V", (240, 240, 230), OLIVE)]))


if __name__ == "__main__":
    main()
