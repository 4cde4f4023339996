#!/usr/bin/python3
"""Makes the two 152 x 112 pictures of the preview window, stored as JPEG:

  preview_grid.jpg        Img_Prev: bright green grid lines of a floor and a
                          ceiling running in perspective towards a horizon, with
                          a few vertical lines between them, on black, as the
                          saver shows them;
  preview_background.jpg  the window's background: translucent grid panels
                          tilted in a dark space.

Drawn four times larger and reduced, so the lines are smooth.
Run: /usr/bin/python3 shell/preview/pictures/make_preview.py
"""
import math
import os
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

WIDTH, HEIGHT = 152, 112
SCALE = 4
W, H = WIDTH * SCALE, HEIGHT * SCALE
FOCAL = 0.9 * W  # pixels per unit at distance 1


def project(x, y, z, cx=W / 2, cy=H / 2):
    return cx + FOCAL * x / z, cy - FOCAL * y / z


def fade(z, near=1.0, far=40.0):
    """Brightness of a line at distance z: full near, gone at the far end."""
    return max(0.0, min(1.0, 1.0 - (z - near) / (far - near))) ** 1.8


def line_segments(a, b, steps):
    for i in range(steps):
        t0, t1 = i / steps, (i + 1) / steps
        yield tuple(p + (q - p) * t0 for p, q in zip(a, b)), tuple(p + (q - p) * t1 for p, q in zip(a, b))


def draw_grid():
    layer = Image.new("RGB", (W, H), (0, 0, 0))
    draw = ImageDraw.Draw(layer)
    near, far, step = 0.35, 22.0, 0.7
    width = SCALE - 1
    for plane in (-1.0, 1.0):
        # Lines running away from the camera, converging at the horizon.
        for i in range(-40, 41):
            x = (i + 0.5) * step
            for (x0, y0, z0), (x1, y1, z1) in line_segments((x, plane, near), (x, plane, far), 60):
                g = fade((z0 + z1) / 2, near, far)
                if g <= 0:
                    continue
                draw.line([project(x0, y0, z0), project(x1, y1, z1)], fill=(0, round(255 * g), round(40 * g)),
                          width=width)
        # Lines across, closer together towards the horizon.
        z = 0.6
        while z < far:
            g = fade(z, near, far)
            draw.line([project(-60, plane, z), project(60, plane, z)], fill=(0, round(255 * g), round(40 * g)),
                      width=width)
            z += step
    # A few of the vertical lines between floor and ceiling, dimmer with distance.
    rng = random.Random(7)
    for _ in range(26):
        x, z = rng.uniform(-9, 9), rng.uniform(1.5, 16.0)
        g = 0.8 * fade(z, 1.0, 18.0)
        draw.line([project(x, -1, z), project(x, 1, z)], fill=(0, round(230 * g), round(30 * g)), width=width)
    # A soft glow around every line, as the saver's blended lines show.
    glow = layer.filter(ImageFilter.GaussianBlur(SCALE * 1.5))
    picture = ImageChops.add(layer, glow)
    return picture.resize((WIDTH, HEIGHT), Image.LANCZOS)


def rotate(point, ax, ay, az):
    x, y, z = point
    y, z = y * math.cos(ax) - z * math.sin(ax), y * math.sin(ax) + z * math.cos(ax)
    x, z = x * math.cos(ay) + z * math.sin(ay), -x * math.sin(ay) + z * math.cos(ay)
    x, y = x * math.cos(az) - y * math.sin(az), x * math.sin(az) + y * math.cos(az)
    return x, y, z


def draw_background():
    picture = Image.new("RGBA", (W, H), (2, 6, 22, 255))
    # Faint stars of the dark space.
    rng = random.Random(3)
    stars = ImageDraw.Draw(picture)
    for _ in range(60):
        x, y, v = rng.uniform(0, W), rng.uniform(0, H), rng.randint(40, 110)
        stars.ellipse([x, y, x + SCALE * 0.6, y + SCALE * 0.6], fill=(v, v, v + 20, 255))
    panels = [
        # centre (x, y, z), size, tilt angles, colour
        ((-1.6, 0.7, 6.0), (2.4, 1.7), (0.5, 0.7, 0.2), (40, 200, 120)),
        ((1.7, -0.4, 5.0), (2.2, 2.0), (-0.3, -0.8, -0.3), (40, 150, 220)),
        ((0.2, 0.1, 8.5), (3.6, 2.4), (0.9, 0.2, 0.5), (60, 230, 90)),
        ((-1.2, -1.3, 4.5), (1.6, 1.2), (-0.6, 0.4, 0.9), (50, 170, 200)),
        ((2.4, 1.5, 9.0), (2.0, 1.6), (0.2, -0.5, -0.7), (80, 220, 160)),
    ]
    for (cx, cy, cz), (sw, sh), (ax, ay, az), colour in sorted(panels, key=lambda p: -p[0][2]):
        layer = Image.new("RGBA", (W, H), (0, 0, 0, 0))
        draw = ImageDraw.Draw(layer)

        def at(u, v):
            x, y, z = rotate(((u - 0.5) * sw, (v - 0.5) * sh, 0.0), ax, ay, az)
            return project(x + cx, y + cy, z + cz)

        draw.polygon([at(0, 0), at(1, 0), at(1, 1), at(0, 1)], fill=colour + (46,))
        for k in range(9):
            t = k / 8
            alpha = 190 if k in (0, 8) else 110
            draw.line([at(t, 0), at(t, 1)], fill=colour + (alpha,), width=SCALE // 2)
            draw.line([at(0, t), at(1, t)], fill=colour + (alpha,), width=SCALE // 2)
        picture = Image.alpha_composite(picture, layer)
    return picture.convert("RGB").resize((WIDTH, HEIGHT), Image.LANCZOS)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    draw_grid().save(os.path.join(here, "preview_grid.jpg"), quality=92, subsampling=0)
    draw_background().save(os.path.join(here, "preview_background.jpg"), quality=92, subsampling=0)


if __name__ == "__main__":
    main()
