#!/usr/bin/python3
"""Draws the six look images of the Command button: 64 x 25 pixels, 24-bit
BMP. Only the outer 4-pixel frame of each is ever shown; the middle is a flat
face tone. Run from anywhere: writes the BMP files beside this script."""

import os

from PIL import Image

W, H = 64, 25
HERE = os.path.dirname(os.path.abspath(__file__))

FRAME_BLUE = (0x00, 0x3C, 0x74)
BEIGE_TOP = (0xF0, 0xEE, 0xE0)
BEIGE_BOTTOM = (0xE2, 0xDE, 0xCB)
BEIGE_FLAT = (0xEC, 0xE9, 0xD8)


def hexrgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    """a weighted by t, b by 1 - t."""
    return tuple(round(x * t + y * (1 - t)) for x, y in zip(a, b))


def along(top, bottom, y, first, last):
    """Colour at row y of a band shading from `top` at row first to `bottom` at row last."""
    t = (y - first) / (last - first)
    return mix(bottom, top, t)


def ring(x, y):
    """How many pixels (x, y) lies in from the nearest edge."""
    return min(x, y, W - 1 - x, H - 1 - y)


def draw(background, frame, frame_ring, inner, face):
    """background(x, y): tones outside the frame line; inner(x, y): the rings
    inside it up to the 4-pixel depth; face: the unused middle."""
    image = Image.new("RGB", (W, H))
    px = image.load()
    for y in range(H):
        for x in range(W):
            r = ring(x, y)
            if r < frame_ring:
                colour = background(x, y)
            elif r == frame_ring:
                colour = frame
            elif r < 4:
                colour = inner(x, y)
            else:
                colour = face
            px[x, y] = colour
    # Rounded corners: the frame's corner pixel fades into the background and
    # the pixel diagonally inside it takes half the frame colour.
    f = frame_ring
    for cx, cy, dx, dy in ((f, f, 1, 1), (W - 1 - f, f, -1, 1), (f, H - 1 - f, 1, -1), (W - 1 - f, H - 1 - f, -1, -1)):
        px[cx, cy] = mix(frame, background(cx - dx, cy - dy), 0.35)
        px[cx + dx, cy + dy] = mix(frame, px[cx + dx, cy + dy], 0.5)
    return image


def beige(x, y):
    if y == 0:
        return BEIGE_TOP
    if y == H - 1:
        return BEIGE_BOTTOM
    return along(BEIGE_TOP, BEIGE_BOTTOM, y, 0, H - 1)


def flat_beige(x, y):
    return BEIGE_FLAT


def normal_inner(x, y):
    if y >= H - 4:  # the two bottom rows inside the frame line
        return hexrgb("E2DFD6") if y == H - 4 else hexrgb("D6D0C5")
    if y <= 3 and 2 <= x <= W - 3 and y >= 2:
        return hexrgb("F3F3EE")
    if x <= 3:
        return along(hexrgb("FDFDFC"), hexrgb("ECEBE6"), y, 2, H - 5)
    return along(hexrgb("F6F4F2"), hexrgb("E0DDD4"), y, 2, H - 5)


def ring_inner(top_rows, side_top, side_bottom, bottom_rows):
    def inner(x, y):
        if y == 2:
            return top_rows[0]
        if y == 3 and 3 <= x <= W - 4:
            return top_rows[1]
        if y == H - 3:
            return bottom_rows[1]
        if y == H - 4 and 3 <= x <= W - 4:
            return bottom_rows[0]
        return along(side_top, side_bottom, y, 2, H - 3)
    return inner


highlight_inner = ring_inner((hexrgb("FFF0CF"), hexrgb("FDD889")), hexrgb("FEDF9A"), hexrgb("F9B435"),
                             (hexrgb("F8B330"), hexrgb("E59700")))
selected_inner = ring_inner((hexrgb("CEE7FF"), hexrgb("CEE7FF")), hexrgb("B7D0F4"), hexrgb("8BADE4"),
                            (hexrgb("6982EE"), hexrgb("6982EE")))


def pressed_inner(x, y):
    if y == 3:
        return hexrgb("D1CCC1")
    if y == H - 4:
        return hexrgb("F2F1EE")
    if x == 3:
        return hexrgb("D7D4CB")
    return hexrgb("E2E1D9")


LOOKS = {
    "Normal": draw(beige, FRAME_BLUE, 1, normal_inner, hexrgb("F3F3EE")),
    "HighLight": draw(beige, FRAME_BLUE, 1, highlight_inner, hexrgb("F3F3EE")),
    "Selected": draw(beige, FRAME_BLUE, 1, selected_inner, hexrgb("F3F3EE")),
    "Pressed": draw(flat_beige, FRAME_BLUE, 2, pressed_inner, hexrgb("E2E1D9")),
    "Disable": draw(flat_beige, hexrgb("C9C7BA"), 1, lambda x, y: hexrgb("F5F4EA"), hexrgb("F5F4EA")),
}
LOOKS["HighLightSelect"] = LOOKS["HighLight"].copy()

for name, image in LOOKS.items():
    assert image.size == (W, H) and image.mode == "RGB"
    image.save(os.path.join(HERE, name + ".bmp"), "BMP")
