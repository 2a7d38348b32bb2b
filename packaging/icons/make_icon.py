#!/usr/bin/env python3
"""Draws the program's icon: a fractal tree grown from one stroke, at dusk, as Zudozo draws it.

Writes zudozo.svg beside this file; with rsvg-convert on the PATH also the PNG sizes of the
hicolor theme (hicolor/NxN/apps/zudozo.png). The tree is the program's own tree rule: each
branch has two children, turned by the spread angle either way and shrunk by the ratio.
"""
import math
import os
import shutil
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
LEVEL_COLOURS = ["#6b4226", "#6b4226", "#3f8f3a", "#58b04a", "#7fcf5f", "#b8e68a", "#f3f0b0"]


def branches(x0, y0, x1, y1, level, levels, ratio=0.72, spread=26.0):
    yield x0, y0, x1, y1, level
    if level + 1 >= levels:
        return
    dx, dy = (x1 - x0) * ratio, (y1 - y0) * ratio
    for turn in (-spread, spread):
        a = math.radians(turn)
        cx = dx * math.cos(a) - dy * math.sin(a)
        cy = dx * math.sin(a) + dy * math.cos(a)
        yield from branches(x1, y1, x1 + cx, y1 + cy, level + 1, levels, ratio, spread)


def svg():
    lines = []
    for x0, y0, x1, y1, level in branches(128, 236, 128, 170, 0, 8):
        width = max(1.5, 16 * (0.62 ** level))
        colour = LEVEL_COLOURS[min(level, len(LEVEL_COLOURS) - 1)]
        lines.append(f'  <line x1="{x0:.1f}" y1="{y0:.1f}" x2="{x1:.1f}" y2="{y1:.1f}" '
                     f'stroke="{colour}" stroke-width="{width:.1f}" stroke-linecap="round"/>')
    return "\n".join([
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
        '  <defs><linearGradient id="dusk" x1="0" y1="0" x2="0" y2="1">',
        '    <stop offset="0" stop-color="#1d2b6b"/><stop offset="1" stop-color="#f0a050"/>',
        '  </linearGradient></defs>',
        '  <rect x="8" y="8" width="240" height="240" rx="40" fill="url(#dusk)"/>',
        '  <circle cx="200" cy="70" r="22" fill="#dcd6e6"/>',
        *lines,
        '</svg>', ''])


def main():
    path = os.path.join(HERE, "zudozo.svg")
    with open(path, "w", encoding="utf-8") as f:
        f.write(svg())
    if not shutil.which("rsvg-convert"):
        print("rsvg-convert not found: wrote", path, "only")
        return
    for n in SIZES:
        out = os.path.join(HERE, "hicolor", f"{n}x{n}", "apps")
        os.makedirs(out, exist_ok=True)
        subprocess.run(["rsvg-convert", "-w", str(n), "-h", str(n), "-o",
                        os.path.join(out, "zudozo.png"), path], check=True)


if __name__ == "__main__":
    main()
