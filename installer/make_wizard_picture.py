#!/usr/bin/python3
"""Makes wizard.bmp, the picture at the left of the setup program's first and
last pages (164 x 314 pixels): the flight of the program icon, drawn tall.
Run: /usr/bin/python3 installer/make_wizard_picture.py
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "shell", "pictures"))
import make_icon  # noqa: E402

WIDTH, HEIGHT = 164, 314


def main():
    square = make_icon.flight(HEIGHT, runs=6, across=6, width=2.0)
    left = (HEIGHT - WIDTH) // 2
    square.crop((left, 0, left + WIDTH, HEIGHT)).save(os.path.join(HERE, "wizard.bmp"))


if __name__ == "__main__":
    main()
