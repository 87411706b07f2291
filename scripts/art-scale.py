#!/usr/bin/env python3
"""Runs ImageMagick's convert on a drawing written in the pixel grid of a base
size (16 or 32), rendered at another size: art-scale.py SIZE BASE convert-args...

Anti-aliasing is off in these drawings, so a primitive covers the pixels whose
centres it contains. A filled rectangle "x1,y1 x2,y2" covers the base pixels
x1..x2, that is the span [x1, x2 + 1) of pixel edges; it is drawn over the
pixels whose centres lie in that span times k. Outlines (a rectangle with a
stroke), polygons, circles and lines map their points as pixel centres,
(c + 0.5) * k - 0.5, with the stroke width times k, so an outline of one base
pixel becomes k pixels on the edge of the same area. At k = 1 every
coordinate is the base drawing's own."""

import re
import subprocess
import sys


def fmt(v):
    return f"{v:.3f}".rstrip("0").rstrip(".")


def main():
    size, base = int(sys.argv[1]), int(sys.argv[2])
    k = size / base
    args = sys.argv[3:]
    centre = lambda c: (c + 0.5) * k - 0.5  # noqa: E731
    stroked = False
    width = 1.0
    out = []
    i = 0
    while i < len(args):
        a = args[i]
        if a == "-stroke" and i + 1 < len(args):
            stroked = args[i + 1] != "none"
        if a == "-strokewidth" and i + 1 < len(args):
            width = float(args[i + 1])
            out += [a, fmt(width * k)]
            i += 2
            continue
        if a == "-draw" and i + 1 < len(args):
            out += [a, scale_primitive(args[i + 1], k, centre, stroked)]
            if stroked:
                out[-2:-2] = ["-strokewidth", fmt(width * k)]
            i += 2
            continue
        out.append(a)
        i += 1
    subprocess.run(["convert"] + out, check=True)


def scale_primitive(text, k, centre, stroked):
    kind, _, rest = text.partition(" ")
    numbers = [float(n) for n in re.findall(r"-?\d+(?:\.\d+)?", rest)]
    if kind == "rectangle" and not stroked:
        x1, y1, x2, y2 = numbers
        lo = lambda c: c * k - 0.5 + 0.01  # noqa: E731
        hi = lambda c: (c + 1) * k - 0.5 - 0.01  # noqa: E731
        return f"rectangle {fmt(lo(x1))},{fmt(lo(y1))} {fmt(hi(x2))},{fmt(hi(y2))}"
    if kind == "circle":
        cx, cy, px, py = numbers
        return f"circle {fmt(centre(cx))},{fmt(centre(cy))} {fmt(centre(px))},{fmt(centre(py))}"
    points = [fmt(centre(n)) for n in numbers]
    pairs = " ".join(f"{points[j]},{points[j + 1]}" for j in range(0, len(points), 2))
    return f"{kind} {pairs}"


if __name__ == "__main__":
    main()
