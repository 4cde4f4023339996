#!/usr/bin/python3
"""Makes tessarine.ico, the program icon: a dark blue square crossed at mid
height by a glowing green line, like one of the saver's grid lines.

Each size is stored as a classic 256-colour bitmap entry (8 bits per pixel with
a palette and an all-opaque mask), which every Windows version reads.
Run: /usr/bin/python3 shell/pictures/make_icon.py
"""
import math
import os
import struct

from PIL import Image

BACKGROUND = (0, 32, 64)
LINE = (40, 255, 90)
CORE = (200, 255, 210)
SIZES = (16, 32, 48)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def draw(size):
    image = Image.new("RGB", (size, size), BACKGROUND)
    pixels = image.load()
    middle = (size - 1) / 2.0
    width = size / 32.0  # glow width scales with the icon
    for y in range(size):
        d = abs(y - middle) / width
        glow = math.exp(-(d / 2.2) ** 2)  # soft halo
        core = max(0.0, 1.0 - d / 1.0)  # bright centre one or two pixels deep
        for x in range(size):
            # The line fades a little towards the edges, as grid lines fade
            # with distance.
            edge = 1.0 - 0.35 * (abs(x - (size - 1) / 2.0) / (size / 2.0)) ** 2
            colour = mix(BACKGROUND, LINE, min(1.0, glow * edge))
            colour = mix(colour, CORE, min(1.0, core * edge))
            pixels[x, y] = colour
    return image


def bitmap_entry(image):
    size = image.width
    quantised = image.quantize(colors=256)
    palette = quantised.getpalette()[: 256 * 3]
    palette += [0] * (256 * 3 - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(
        struct.pack("BBBB", palette[i * 3 + 2], palette[i * 3 + 1], palette[i * 3], 0) for i in range(256)
    )
    data = quantised.load()
    row_bytes = (size + 3) & ~3
    xor = b"".join(
        bytes(data[x, y] for x in range(size)) + b"\0" * (row_bytes - size) for y in reversed(range(size))
    )
    mask_row = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_row * size)
    return header + colours + xor + mask


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    entries = [(size, bitmap_entry(draw(size))) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in entries)
    with open(os.path.join(here, "tessarine.ico"), "wb") as f:
        f.write(out)



if __name__ == "__main__":
    main()
