#!/usr/bin/python3
"""Makes the settings dialog's pictures: the two 12 x 12 selection marks
(JPEG) and the 32 x 32 two-colour hand pointer of the web address (.cur, hot
spot at the fingertip). Run with Debian's python3 (it has PIL):

    /usr/bin/python3 shell/dialog/pictures/make_pictures.py
"""
import os
import struct

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def mark(selected):
    """An empty sunken box; the selected one holds a blue square."""
    size = 12
    img = Image.new("RGB", (size, size), (255, 255, 255))
    px = img.load()
    for y in range(size):
        for x in range(size):
            # Outline: near-black, lighter on the right and bottom edges.
            if x == 0 or y == 0:
                px[x, y] = (37, 37, 37)
            elif x == size - 1 or y == size - 1:
                px[x, y] = (96, 96, 96)
            else:
                # Shadow along the top and left that fades to white toward
                # the bottom right.
                depth = min(x - 1, y - 1)
                if depth == 0:
                    t = (x + y) / (2 * (size - 2))
                    px[x, y] = lerp((139, 139, 139), (201, 201, 201), t)
                elif depth == 1:
                    t = (x + y) / (2 * (size - 2))
                    px[x, y] = lerp((201, 201, 201), (236, 236, 236), t)
                else:
                    t = (x + y) / (2 * (size - 2))
                    px[x, y] = lerp((244, 244, 244), (255, 255, 255), t)
    if selected:
        for y in range(2, 10):
            for x in range(2, 10):
                t = ((x - 2) + (y - 2)) / 14
                if x in (2, 9) or y in (2, 9):
                    px[x, y] = lerp((0, 58, 106), (11, 87, 131), t)
                else:
                    px[x, y] = lerp((26, 154, 233), (49, 177, 255), t)
    return img


# The hand, drawn row by row: an index finger pointing up, three folded
# fingers, a thumb on the left and the palm. 'W' white, 'B' the black outline,
# '.' transparent. The hot spot is the fingertip.
HOT_SPOT = (12, 10)
HAND = [
    "................................",  # 0
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",  # 5
    "................................",
    "................................",
    "................................",
    "................................",
    "...........BBB..................",  # 10
    "..........BWWWB.................",
    "..........BWWWB.................",
    "..........BWWWB.................",
    "..........BWWWB.................",
    "..........BWWWBBBB..............",  # 15
    "..........BWWWBWWWBBBB..........",
    "..........BWWWBWWWBWWWBBB.......",
    "..........BWWWBWWWBWWWBWWB......",
    "......BBB.BWWWWWWWBWWWBWWB......",
    ".....BWWWBBWWWWWWWWWWWBWWB......",  # 20
    ".....BWWWWBWWWWWWWWWWWWWWB......",
    "......BWWWWWWWWWWWWWWWWWWB......",
    ".......BWWWWWWWWWWWWWWWWWB......",
    "........BWWWWWWWWWWWWWWWWB......",
    ".........BWWWWWWWWWWWWWWB.......",  # 25
    "..........BWWWWWWWWWWWWWB.......",
    "...........BWWWWWWWWWWWB........",
    "...........BWWWWWWWWWWWB........",
    "...........BBBBBBBBBBBBB........",
    "................................",  # 30
    "................................",
]


def hand_cursor():
    assert len(HAND) == 32 and all(len(row) == 32 for row in HAND)
    return HAND


def cursor_file(rows, hot_spot):
    """A .cur file with one 32 x 32 monochrome image."""
    def bits(pick):
        data = b""
        for row in reversed(rows):  # bottom-up
            value = 0
            for ch in row:
                value = (value << 1) | pick(ch)
            data += struct.pack(">I", value)
        return data

    xor = bits(lambda ch: 1 if ch == "W" else 0)
    mask = bits(lambda ch: 1 if ch == "." else 0)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hot_spot[0], hot_spot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    for name, selected in (("mark_unselected.jpg", False), ("mark_selected.jpg", True)):
        mark(selected).save(os.path.join(HERE, name), "JPEG", quality=100, subsampling=0)
    rows = hand_cursor()
    assert rows[HOT_SPOT[1]][HOT_SPOT[0]] == "B", "the hot spot is the fingertip's outline"
    with open(os.path.join(HERE, "hand.cur"), "wb") as out:
        out.write(cursor_file(rows, HOT_SPOT))
    if os.environ.get("SHOW"):
        print("\n".join(rows))


if __name__ == "__main__":
    main()
