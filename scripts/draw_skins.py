#!/usr/bin/env python3
"""Draws the skins shipped in data/skins/ as 24-bit Windows bitmaps.

Every skin tiles without a seam in both directions (the player repeats it across a 1600-pixel
strip and down the full-screen panel), and is drawn dark: the window strip brightens a skin by
115 steps at the default settings and the full-screen panel darkens it by 50, so mid-dark
colours give a light window strip and a dark full-screen panel.

Usage: scripts/draw_skins.py [output folder]   (default: data/skins beside this script's folder)
"""

import math
import os
import random
import struct
import sys

WIDTH = 128
HEIGHT = 48


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b) with y = 0 at the top; rows are written bottom-up."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = (max(0, min(255, int(round(c)))) for c in pixel(x, y))
            row += bytes((b, g, r))
        row += b"\0" * (stride - width * 3)
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def periodic_noise(seed, length, terms=6):
    """A smooth 1-D noise that repeats after `length` samples (a sum of whole-period waves)."""
    rnd = random.Random(seed)
    waves = [(rnd.randint(1, 12), rnd.uniform(0, 2 * math.pi), rnd.uniform(0.3, 1.0)) for _ in range(terms)]
    total = sum(a for _, _, a in waves)
    return [sum(a * math.sin(2 * math.pi * k * i / length + p) for k, p, a in waves) / total for i in range(length)]


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def aurora(x, y):
    # A deep blue band lit from the middle, with slow teal waves running across it.
    band = 0.5 - 0.5 * math.cos(2 * math.pi * y / HEIGHT)          # 0 at the edges, 1 in the middle
    wave = 0.5 + 0.5 * math.sin(2 * math.pi * (x / WIDTH * 2 + y / HEIGHT))
    base = mix((14, 22, 48), (30, 62, 100), band)
    return mix(base, (22, 96, 104), 0.35 * wave * band)


_brushed_rows = [periodic_noise(1000 + y, WIDTH, 8) for y in range(HEIGHT)]
_brushed_grain = periodic_noise(7, HEIGHT, 5)


def brushed(x, y):
    # Brushed steel: fine horizontal streaks over a soft sheen that rises and falls down the strip.
    sheen = 0.5 - 0.5 * math.cos(2 * math.pi * y / HEIGHT)
    streak = 0.6 * _brushed_rows[y][x] + 0.4 * _brushed_grain[y]
    v = 58 + 22 * sheen + 9 * streak
    return (v, v + 3, v + 8)


def ember(x, y):
    # Copper diamonds: a lattice of soft-edged rhombi on a dark wine ground.
    cell = 16
    u = (x % cell) / cell - 0.5
    v = (y % cell) / cell - 0.5
    d = abs(u) + abs(v)                      # 0 in a diamond's centre, 0.5 at its corners
    light = max(0.0, 1.0 - d * 2.2)
    ground = mix((40, 14, 16), (58, 22, 20), 0.5 - 0.5 * math.cos(2 * math.pi * y / HEIGHT))
    return mix(ground, (112, 62, 26), 0.75 * light ** 1.5)


def moss(x, y):
    # A woven green: two sets of threads crossing over and under each other.
    period = 8
    over = ((x // period) + (y // period)) % 2 == 0
    tx = 0.5 - 0.5 * math.cos(2 * math.pi * (y % period) / period)
    ty = 0.5 - 0.5 * math.cos(2 * math.pi * (x % period) / period)
    shade = tx if over else ty
    return mix((18, 40, 24), (52, 88, 46), 0.25 + 0.6 * shade)


SKINS = {"aurora.bmp": aurora, "brushed.bmp": brushed, "ember.bmp": ember, "moss.bmp": moss}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "skins")
    os.makedirs(out, exist_ok=True)
    for name, draw in SKINS.items():
        write_bmp(os.path.join(out, name), WIDTH, HEIGHT, draw)
        print(os.path.join(out, name))


if __name__ == "__main__":
    main()
