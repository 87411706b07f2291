"""The driver program (qrdriver.exe) seen from Python: texts in the Windows code page and one function per command;
records come back as dictionaries of plain strings. Scenarios import qrbench,
which brings all of it."""

from __future__ import annotations

import codecs
import os
import re
import subprocess
import sys
import time
import traceback
from dataclasses import dataclass
from pathlib import Path
from typing import Callable, NamedTuple, Optional

from qrbase import *  # noqa: F401,F403



# --- texts in the Windows code page -------------------------------------------------

_codec: Optional[str] = None


def codepage() -> str:
    """The Python codec of the session's ANSI code page (the driver's output bytes)."""
    global _codec
    if _codec is None:
        acp = records("codepage", _codec="ascii")[0]["acp"]
        try:
            _codec = codecs.lookup(f"cp{acp}").name
        except LookupError:
            _codec = "latin-1"
    return _codec


def decode(data: bytes) -> str:
    return data.decode(codepage(), errors="surrogateescape")


def escape(text: str) -> str:
    """Text for a driver argument given with --escaped: every byte of the code page
    survives Wine's command-line conversion as plain ASCII."""
    out = []
    for byte in text.encode(codepage(), errors="surrogateescape"):
        char = chr(byte)
        if char == "\\":
            out.append("\\\\")
        elif 0x20 <= byte < 0x7F:
            out.append(char)
        else:
            out.append(f"\\x{byte:02X}")
    return "".join(out)


_ESCAPES = {"\\": "\\", "t": "\t", "r": "\r", "n": "\n"}


def unescape(text: str, codec: Optional[str] = None) -> str:
    """Undoes the driver's escaping of a field value."""
    out = []
    i = 0
    while i < len(text):
        char = text[i]
        if char == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            if nxt in _ESCAPES:
                out.append(_ESCAPES[nxt])
                i += 2
                continue
            if nxt == "x" and re.fullmatch(r"[0-9A-Fa-f]{2}", text[i + 2:i + 4]):
                out.append(bytes([int(text[i + 2:i + 4], 16)]).decode(codec or codepage(),
                                                                        errors="surrogateescape"))
                i += 4
                continue
        out.append(char)
        i += 1
    return "".join(out)


# --- the driver ---------------------------------------------------------------------


def driver(*args, timeout: float = 60.0, check: bool = True, _codec: Optional[str] = None) -> list[str]:
    """Runs `qrdriver.exe ARGS` and returns its output lines; raises DriverError when
    it fails (exit code 1: the step failed or timed out; 2: bad usage)."""
    exe = driver_exe()
    if not exe.exists():
        raise BenchError(f"{exe} is missing: build the target qrdriver")
    argv = ["wine", str(exe), *map(str, args)]
    try:
        done = subprocess.run(argv, capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired as error:
        raise BenchError(f"qrdriver {' '.join(map(str, args))} did not end within {timeout:g} s") from error
    codec = _codec or codepage()
    stdout = done.stdout.decode(codec, errors="surrogateescape")
    stderr = done.stderr.decode(codec, errors="surrogateescape")
    if check and done.returncode != 0:
        raise DriverError(args, done.returncode, stdout, stderr)
    return [line.rstrip("\r") for line in stdout.split("\n") if line.rstrip("\r")]


def parse_record(line: str, codec: Optional[str] = None) -> dict[str, str]:
    record = {}
    for field in line.split("\t"):
        key, _, value = field.partition("=")
        record[key] = unescape(value, codec)
    return record


def records(*args, **kwargs) -> list[dict[str, str]]:
    codec = kwargs.get("_codec")
    return [parse_record(line, codec) for line in driver(*args, **kwargs)]


class Rect(NamedTuple):
    left: int
    top: int
    right: int
    bottom: int

    @property
    def width(self) -> int:
        return self.right - self.left

    @property
    def height(self) -> int:
        return self.bottom - self.top

    @property
    def center(self) -> tuple[int, int]:
        return ((self.left + self.right) // 2, (self.top + self.bottom) // 2)

    def contains(self, other: "Rect") -> bool:
        return (self.left <= other.left and self.top <= other.top
                and other.right <= self.right and other.bottom <= self.bottom)

    @staticmethod
    def parse(text: str) -> "Rect":
        return Rect(*(int(part) for part in text.split(",")))


def _timeout_args(timeout_ms: Optional[int]) -> list[str]:
    return [] if timeout_ms is None else ["--timeout", str(timeout_ms)]


def _filter_args(cls=None, title=None, title_contains=None, exe=None, pid=None, owner=None) -> list[str]:
    args = []
    for option, value in (("--class", cls), ("--title", title), ("--title-contains", title_contains),
                          ("--exe", exe), ("--pid", pid), ("--owner", owner)):
        if value is not None:
            args += [option, str(value)]
    return args


def windows(visible_only: bool = False, **filters) -> list[dict[str, str]]:
    """Top-level windows (hwnd, pid, exe, class, text, rect, visible, exstyle, ...)."""
    return records("windows", *_filter_args(**filters), *(["--visible"] if visible_only else []))


def wait_window(timeout_ms: int = 10000, hidden: bool = False, **filters) -> dict[str, str]:
    """Waits for a top-level window (visible unless `hidden`) and returns its record."""
    args = ["wait-window", *_filter_args(**filters), *_timeout_args(timeout_ms)]
    if hidden:
        args.append("--hidden")
    return records(*args, timeout=timeout_ms / 1000 + 30)[0]


def wait_gone(hwnd: str, timeout_ms: int = 10000, destroyed: bool = False) -> None:
    args = ["wait-gone", hwnd, *_timeout_args(timeout_ms)]
    if destroyed:
        args.append("--destroyed")
    driver(*args, timeout=timeout_ms / 1000 + 30)


def children(hwnd: str, direct: bool = False) -> list[dict]:
    """Descendants of a window. A toolbar's record carries "buttons" (the count) and
    "toolbar_buttons", one record per button (cmd, state, style, rect, text, ...)."""
    found: list[dict] = []
    for record in records("children", hwnd, *(["--direct"] if direct else [])):
        if "button" in record and "toolbar" in record:
            owner = next(c for c in reversed(found) if c["hwnd"] == record["toolbar"])
            owner.setdefault("toolbar_buttons", []).append(record)
        else:
            found.append(record)
    return found


BUTTONS_TOOLBAR_ID = 0xE800  # the bar's toolbar of launch buttons


def bar_buttons(bar_hwnd: str) -> list[dict]:
    """The records of the bar's launch buttons and separators, in bar order."""
    toolbars = (c for c in children(bar_hwnd) if c.get("class") == "ToolbarWindow32")
    return next((c.get("toolbar_buttons", []) for c in toolbars if int(c["id"]) == BUTTONS_TOOLBAR_ID), [])


def launch_commands(bar_hwnd: str) -> list[int]:
    """The command numbers of the launch buttons on the bar, sorted (separators left out)."""
    return sorted(int(b["cmd"]) for b in bar_buttons(bar_hwnd) if int(b["cmd"]))


def info(hwnd: str) -> dict[str, str]:
    return records("info", hwnd)[0]


def rect(hwnd: str) -> tuple[Rect, Rect]:
    """The window rectangle and the client rectangle, both in screen coordinates."""
    record = records("rect", hwnd)[0]
    return Rect.parse(record["rect"]), Rect.parse(record["client"])


def window_text(hwnd: str) -> str:
    return records("text", hwnd)[0]["text"]


def set_text(hwnd: str, text: str) -> None:
    driver("set-text", hwnd, escape(text), "--escaped")


def post(hwnd: str, message, wparam: int = 0, lparam: int = 0) -> None:
    driver("post", hwnd, message, wparam, lparam)


def send(hwnd: str, message, wparam: int = 0, lparam: int = 0, timeout_ms: int = 5000) -> int:
    return int(records("send", hwnd, message, wparam, lparam, *_timeout_args(timeout_ms))[0]["result"])


def send_command(hwnd: str, command_id: int, sync: bool = False) -> Optional[int]:
    """WM_COMMAND with the id: posted (as a menu does), or sent with `sync`."""
    if not sync:
        driver("send-command", hwnd, command_id)
        return None
    return int(records("send-command", hwnd, command_id, "--sync")[0]["result"])


def message_box(timeout_ms: int = 10000, **filters) -> dict:
    """Waits for a message box; returns hwnd, pid, title, text and buttons {id: label}."""
    found = records("message-box", *_filter_args(**filters), *_timeout_args(timeout_ms),
                    timeout=timeout_ms / 1000 + 30)
    box = dict(found[0])
    box["buttons"] = {int(r["button"]): r["text"] for r in found[1:]}
    return box


def press(hwnd: str, button_id: int, command: bool = False) -> None:
    driver("press", hwnd, button_id, *(["--command"] if command else []))


def answer_message_box(button_id: int, timeout_ms: int = 10000, **filters) -> dict:
    """Reads the message box, presses a button and waits until the box has gone."""
    box = message_box(timeout_ms=timeout_ms, **filters)
    if button_id not in box["buttons"]:
        raise BenchError(f"message box {box['text']!r} has no button {button_id}: {box['buttons']}")
    press(box["hwnd"], button_id)
    wait_gone(box["hwnd"], timeout_ms=timeout_ms, destroyed=True)
    return box


def check(hwnd: str, control_id: int, on: bool) -> None:
    driver("check", hwnd, control_id, "on" if on else "off")


def click(x: int, y: int, kind: str = "left") -> None:
    driver("click", x, y, kind)


def move(x: int, y: int) -> None:
    driver("move", x, y)


def key(*chords: str) -> None:
    driver("key", *chords)


def type_text(text: str) -> None:
    driver("type", escape(text), "--escaped")


def activate(hwnd: str) -> None:
    driver("activate", hwnd)


def foreground() -> dict[str, str]:
    return records("foreground")[0]


def screen() -> dict[str, object]:
    record = records("screen")[0]
    return {"width": int(record["width"]), "height": int(record["height"]),
            "workarea": Rect.parse(record["workarea"])}


def processes(exe: Optional[str] = None) -> list[dict[str, str]]:
    return records("processes", *(["--exe", exe] if exe else []))
