"""Button databases for the scenarios, written by qrdbmake.exe (the Windows tree's
test tool, which saves through the program's own database code).

    import dbmake
    dbmake.write(installation.unix_dir, [
        dbmake.bar("Home", home=True, on_timer=3),
        dbmake.button("Notes", r"C:\\windows\\notepad.exe", args="notes.txt", workdir=r"C:\\work"),
        dbmake.separator(),
    ])

Runs inside a Wine session (scripts/wine-session.sh), like qrbench.
"""

from __future__ import annotations

import os
import subprocess
import tempfile
from pathlib import Path
from typing import Iterable, Optional

import qrbench as qr

KINDS = {"file": 0, "folder": 1, "url": 2}
SHOW = {"normal": 1, "max": 3, "min": 2}


def tool_exe() -> Path:
    return qr.build_dir() / "qrdbmake.exe"


def bar(name: str, home: bool = False, on_launch: bool = False, on_timer: Optional[int] = None,
        hidden: bool = False) -> str:
    """A bar line; `on_timer` is the home-bar delay in seconds."""
    words = [name]
    if home:
        words.append("home")
    if on_launch:
        words.append("onlaunch")
    if on_timer is not None:
        words.append(f"ontimer={int(on_timer)}")
    if hidden:
        words.append("hidden")
    return "bar " + " ".join(words)


def button(name: str, target: str, workdir: str = "", args: str = "", kind: str | int = "file",
           show: str | int = "normal", icon: Optional[str] = None, icon_index: int = 0) -> str:
    fields = [name, target, workdir, args, str(kind), str(show)]
    for text in fields:
        if "|" in text or "\n" in text:
            raise qr.BenchError(f"a database field cannot hold '|' or a line break: {text!r}")
    if icon is not None:
        fields += [icon, str(icon_index)]
    return "button " + "|".join(fields)


def separator() -> str:
    return "separator"


def write(folder: os.PathLike | str, lines: Iterable[str]) -> dict[str, str]:
    """Writes <folder>/lbars.acc (a Linux folder) from description lines; returns
    the tool's summary (bars, home)."""
    exe = tool_exe()
    if not exe.exists():
        raise qr.BenchError(f"{exe} is missing: build the target qrdbmake")
    text = "\r\n".join(lines) + "\r\n"
    with tempfile.NamedTemporaryFile("wb", suffix=".txt", delete=False, dir=qr.session_dir()) as description:
        description.write(text.encode(qr.codepage(), errors="surrogateescape"))
    try:
        done = subprocess.run(["wine", str(exe), qr.wine_path(description.name), qr.wine_path(folder)],
                              capture_output=True, timeout=120)
    finally:
        os.unlink(description.name)
    out = qr.decode(done.stdout).strip()
    if done.returncode != 0:
        raise qr.BenchError(f"qrdbmake exited {done.returncode}: {qr.decode(done.stderr).strip()}\n{text}")
    return qr.parse_record(out.splitlines()[-1])
