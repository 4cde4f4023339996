#!/usr/bin/python3
"""Makes tessarine.ico, the program icon: the saver's flight seen on a dark
blue tile. The green grid lines of the floor and the ceiling run towards a
bright horizon across the middle, as in the preview picture.

Every size is drawn on its own, with as many lines as it can show clearly: a
16-pixel icon keeps a few lines, the 256-pixel one shows the whole grid.
Sizes 16 to 48 are stored as 32-bit bitmaps with an alpha channel, the
256-pixel one as PNG, as Windows Vista and later read them.
Run: /usr/bin/python3 shell/pictures/make_icon.py
"""
import io
import os
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter

BACKGROUND = (0, 26, 51)  # the saver's clear colour
GRID = (30, 255, 70)
HORIZON = (215, 255, 220)
SIZES = (16, 24, 32, 48, 256)
SCALE = 8  # drawn this many times larger, then reduced

# What each size shows: lines running away on each side of the centre, lines
# across between the tile's edge and the horizon, line width in icon pixels.
DETAIL = {
    16: dict(runs=2, across=1, width=0.8),
    24: dict(runs=2, across=2, width=0.8),
    32: dict(runs=3, across=2, width=1.0),
    48: dict(runs=3, across=3, width=1.2),
    256: dict(runs=5, across=5, width=3.0),
}


def tile_mask(size):
    """The rounded tile, drawn large and reduced so its edge is smooth."""
    big = size * SCALE
    mask = Image.new("L", (big, big), 0)
    radius = max(2, round(size * 0.16)) * SCALE
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, big - 1, big - 1], radius=radius, fill=255)
    return mask.resize((size, size), Image.LANCZOS)


def brightness(distance):
    """Lines fade with distance (0 near, 1 at the horizon), as in the saver."""
    return max(0.0, 1.0 - distance) ** 1.3


def draw_grid(size, runs, across, width):
    big = size * SCALE
    half = big / 2.0
    layer = Image.new("RGB", (big, big), (0, 0, 0))
    draw = ImageDraw.Draw(layer)
    line = max(1, round(width * SCALE))
    spread = half * 1.5 / runs  # where the running lines meet the tile's edge
    for side in (-1, 1):  # ceiling, floor
        edge = half + side * half
        for k in range(runs):
            for sign in (-1, 1):
                x_edge = half + sign * (k + 0.5) * spread
                # Drawn from the edge to the horizon in steps that dim with distance.
                steps = 12
                for i in range(steps):
                    t0, t1 = i / steps, (i + 1) / steps
                    p0 = (x_edge + (half - x_edge) * t0, edge + (half - edge) * t0)
                    p1 = (x_edge + (half - x_edge) * t1, edge + (half - edge) * t1)
                    g = brightness((t0 + t1) / 2)
                    draw.line([p0, p1], fill=tuple(round(c * g) for c in GRID), width=line)
        # Lines across: evenly spaced on the ground, so closer on the screen
        # towards the horizon (1/z).
        for k in range(across):
            z = 1.0 + k * 1.0
            # On a pixel row of the icon, so that the line stays sharp.
            offset = (round(half * 0.7 / z / SCALE - 0.5) + 0.5) * SCALE
            y = half + side * offset
            g = brightness(1.0 - 1.0 / z)
            draw.line([(0, y), (big, y)], fill=tuple(round(c * g) for c in GRID), width=line)
    if size < 32:  # too few pixels for a glow: it would blur the lines together
        return layer
    glow = layer.filter(ImageFilter.GaussianBlur(SCALE * width * 1.2))
    return ImageChops.add(layer, glow)


def draw_horizon(size, width):
    """A glowing band across the middle, whitish at its core."""
    big = size * SCALE
    band = Image.new("RGB", (big, big), (0, 0, 0))
    draw = ImageDraw.Draw(band)
    core = max(SCALE, round(width * SCALE * 1.2))
    draw.rectangle([0, big / 2 - core / 2, big, big / 2 + core / 2], fill=HORIZON)
    halo = band.filter(ImageFilter.GaussianBlur(big * (0.07 if size >= 32 else 0.04)))
    halo = ImageChops.multiply(halo, Image.new("RGB", (big, big), GRID))
    for _ in range(4 if size >= 32 else 2):
        band = ImageChops.add(band, halo)
    return band


def flight(size, runs, across, width):
    """The square picture of the flight, without the tile's rounded corners."""
    big = size * SCALE
    picture = Image.new("RGB", (big, big), BACKGROUND)
    picture = ImageChops.add(picture, draw_grid(size, runs, across, width))
    picture = ImageChops.lighter(picture, draw_horizon(size, width))
    return picture.resize((size, size), Image.LANCZOS)


def draw(size):
    picture = flight(size, **DETAIL[size]).convert("RGBA")
    picture.putalpha(tile_mask(size))
    return picture


def bitmap_entry(image):
    """A 32-bit BGRA bitmap with an AND mask (transparent where alpha is 0)."""
    size = image.width
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = image.load()
    colour = b"".join(
        struct.pack("BBBB", *(lambda p: (p[2], p[1], p[0], p[3]))(pixels[x, y]))
        for y in reversed(range(size))
        for x in range(size)
    )
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_row)
        for x in range(size):
            if pixels[x, y][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + colour + bytes(mask)


def png_entry(image):
    out = io.BytesIO()
    image.save(out, "PNG", optimize=True)
    return out.getvalue()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    entries = []
    for size in SIZES:
        image = draw(size)
        entries.append((size, png_entry(image) if size >= 256 else bitmap_entry(image)))
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in entries)
    with open(os.path.join(here, "tessarine.ico"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
