"""The real mouse of the scenarios' X display (xdotool): where a user would put it."""

import os
import subprocess
import time


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30, env=os.environ)


def click_on_screen(x, y, button="1"):
    """A real press of the left (or another) button at a point of the screen."""
    xdotool("mousemove", x, y)
    time.sleep(0.3)
    xdotool("click", button)


def glide(start, end, steps=8):
    for i in range(1, steps + 1):
        xdotool("mousemove", start[0] + (end[0] - start[0]) * i // steps, start[1] + (end[1] - start[1]) * i // steps)
        time.sleep(0.08)


def drag_on_screen(start, end, while_held=lambda: None):
    """Presses the left button at `start`, moves to `end` as a hand would,
    runs `while_held` there, and lets the button go."""
    xdotool("mousemove", *start)
    time.sleep(0.3)
    xdotool("mousedown", 1)
    try:
        glide(start, end)
        time.sleep(0.3)
        while_held()
    finally:
        xdotool("mouseup", 1)
    time.sleep(0.5)
