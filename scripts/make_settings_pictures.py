#!/usr/bin/env python3
"""Draws the settings panel's pictures into resources/pictures/ (written as BMP, stored as PNG
with ImageMagick's convert).

mouse       100x50, 24-bit: two 50x50 frames of a two-button mouse, the arrow under the left
            button in the first frame and under the right button in the second. The button
            faces are single-coloured (white) areas around (20, 20) and (30, 20), which the
            panel flood-fills with the left and right colours.
pensize     50x18, 1-bit: a ruler with ticks every 5 pixels, the background of the pen width bar.
brush       8x8, 4-bit with the 16 standard colours: a brick wall, the start brush pattern.
"""
import os
import struct
import subprocess
import tempfile

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "pictures")

SILVER = (192, 192, 192)
BODY = (224, 224, 224)
OUTLINE = (48, 48, 48)
FACE = (255, 255, 255)
ARROW = (0, 0, 128)

STANDARD16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
              (0, 128, 128), (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0),
              (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def bmp(name, width, height, bits, rows, palette=None):
    """rows: top-down lists of (r, g, b) for 24 bits, of indices otherwise."""
    stride = ((width * bits + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, v in enumerate(row):
            if bits == 24:
                line[3 * x:3 * x + 3] = bytes((v[2], v[1], v[0]))
            elif bits == 4:
                line[x // 2] |= v << (4 if x % 2 == 0 else 0)
            else:
                line[x // 8] |= v << (7 - x % 8)
        data += line
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in (palette or []))
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 3780, 3780,
                       len(palette or []), 0)
    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, name + ".bmp")
        with open(path, "wb") as f:
            f.write(header + info + table + data)
        subprocess.run(["convert", path, os.path.join(OUT, name + ".png")], check=True)


def inside_body(x, y):
    """The mouse body: x 9..41, y 3..46, round top corners of radius 9, bottom of radius 12."""
    if not (9 <= x <= 41 and 3 <= y <= 46):
        return False
    for cx, cy, r, top in ((18, 12, 9, True), (32, 12, 9, True), (21, 34, 12, False), (29, 34, 12, False)):
        left_corner = cx < 25
        in_corner_x = x < cx if left_corner else x > cx
        in_corner_y = y < cy if top else y > cy
        if in_corner_x and in_corner_y and (x - cx) ** 2 + (y - cy) ** 2 > r * r:
            return False
    return True


def mouse_frame(active):
    frame = [[SILVER] * 50 for _ in range(50)]
    for y in range(50):
        for x in range(50):
            if not inside_body(x, y):
                continue
            edge = any(not inside_body(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            divider = (y == 24) or (x == 25 and y < 24)
            if edge or divider:
                frame[y][x] = OUTLINE
            else:
                frame[y][x] = FACE if y < 24 else BODY
    for y in range(0, 3):
        frame[y][25] = OUTLINE  # the cord
    tip_x = 17 if active == 0 else 33
    for row in range(6):  # an arrow under the active button, pointing up at it
        for x in range(tip_x - row, tip_x + row + 1):
            frame[29 + row][x] = ARROW
    for y in range(35, 40):
        for x in range(tip_x - 1, tip_x + 2):
            frame[y][x] = ARROW
    return frame


def make_mouse():
    left, right = mouse_frame(0), mouse_frame(1)
    rows = [left[y] + right[y] for y in range(50)]
    bmp("mouse", 100, 50, 24, rows)


def make_pensize():
    rows = [[1] * 50 for _ in range(18)]  # index 1 is white
    for x in range(50):
        if x % 5:
            continue
        length = 4 if x % 10 == 0 else 2
        for y in range(length):
            rows[y][x] = 0
            rows[17 - y][x] = 0
    bmp("pensize", 50, 18, 1, rows, [(0, 0, 0), (255, 255, 255)])


def make_brush():
    maroon, red, silver = 1, 9, 8
    rows = []
    for y in range(8):
        if y in (3, 7):
            rows.append([silver] * 8)
            continue
        joint = 0 if y < 3 else 4
        brick = red if y in (0, 4) else maroon
        rows.append([silver if x == joint else brick for x in range(8)])
    bmp("brush", 8, 8, 4, rows, STANDARD16)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    make_mouse()
    make_pensize()
    make_brush()
