"""Helpers for the end-to-end scenarios.

A scenario runs inside a private Wine session made by scripts/wine-session.sh
(DISPLAY, WINEPREFIX and QR_SESSION_DIR set) under Debian's /usr/bin/python3:

    scripts/wine-session.sh /usr/bin/python3 tests/e2e/test_something.py

It installs the program with its installer, starts it, steers and reads its windows
through the driver program (qrdriver.exe, built in the Windows tree), and checks what
lands on disk and in the registry.

Environment:
    QR_BUILD_DIR       the Windows build tree (default build/win32)
    QR_SCREENSHOT_DIR  where screenshots go (default <build>/screenshots)

Driver output is one record per line: tab-separated key=value fields whose values
are escaped (\\\\, \\t, \\r, \\n, \\xHH) and written in the Windows code page;
`records()` gives them back as dictionaries of plain strings.
"""

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
from qrdriver import *  # noqa: F401,F403
from qrdriver import _filter_args, _timeout_args  # noqa: F401


# --- files, folders and shortcuts ---------------------------------------------------


def wine_path(unix: os.PathLike | str) -> str:
    """The Windows path of a Linux path (winepath -w)."""
    return _winepath("-w", str(unix))


def unix_path(windows_path: str) -> Path:
    """The Linux path of a Windows path (winepath -u)."""
    return Path(_winepath("-u", windows_path))


def _winepath(flag: str, path: str) -> str:
    done = subprocess.run(["winepath", flag, path], capture_output=True, text=True, timeout=60)
    result = done.stdout.strip()
    if done.returncode != 0 or not result:
        raise BenchError(f"winepath {flag} {path!r} failed: {done.stderr.strip()}")
    return result


def folder(name: str) -> str:
    """A special folder's Windows path as the shell gives it ("startup", "local-appdata", ...)."""
    return records("folder", name)[0]["path"]


def startup_folder() -> Path:
    return unix_path(folder("startup"))


def local_appdata() -> Path:
    return unix_path(folder("local-appdata"))


def _as_windows_path(path: os.PathLike | str) -> str:
    return wine_path(path) if isinstance(path, Path) else str(path)


def lnk_info(path: os.PathLike | str) -> dict[str, str]:
    """A shell link as the shell reads it: path, workdir, args, description, icon,
    iconindex, showcmd. `path` is a Linux Path or a Windows path string."""
    return records("lnk-info", escape(_as_windows_path(path)), "--escaped")[0]


def make_lnk(path: os.PathLike | str, target: str, workdir: str = "", args: str = "",
             description: str = "") -> None:
    driver("make-lnk", escape(_as_windows_path(path)), escape(target), "--workdir", escape(workdir),
           "--args", escape(args), "--description", escape(description), "--escaped")


def _ini_lines(path: os.PathLike | str):
    """("section", name) and ("key", key, value) items of an INI file in file order."""
    for line in decode(Path(path).read_bytes()).splitlines():
        stripped = line.strip()
        if stripped.startswith("[") and "]" in stripped:
            yield ("section", stripped[1:stripped.index("]")])
        elif "=" in line and not stripped.startswith(";"):
            key, _, value = line.partition("=")
            yield ("key", key, value)


def ini_entries(path: os.PathLike | str) -> list[tuple[str, str, str]]:
    """(section, key, value) of every key line in file order, duplicates included.
    Keys and values keep their exact spelling, blanks included; only the line end is
    taken off. Keys before the first section belong to section ""."""
    entries = []
    section = ""
    for item in _ini_lines(path):
        if item[0] == "section":
            section = item[1]
        else:
            entries.append((section, item[1], item[2]))
    return entries


def read_ini(path: os.PathLike | str) -> dict[str, dict[str, str]]:
    """Sections and their keys in file order, spelled exactly as in the file. As with
    the profile functions only the first of two equal sections counts, and the first
    of two equal keys in it (compared exactly here, so a key written twice in another
    spelling shows up twice). ini_entries shows every line."""
    sections: dict[str, dict[str, str]] = {}
    current: Optional[dict[str, str]] = None
    header_seen = False
    for item in _ini_lines(path):
        if item[0] == "section":
            header_seen = True
            current = None if item[1] in sections else sections.setdefault(item[1], {})
        else:
            if not header_seen:
                current = sections.setdefault("", {})
            if current is not None:
                current.setdefault(item[1], item[2])
    return sections


# --- registry (wine reg) ------------------------------------------------------------

_REG_LINE = re.compile(r"^    (.*?)    (REG_[A-Z_]+)(?:    (.*))?$")


def reg_value(key: str, name: Optional[str]) -> Optional[tuple[str, str]]:
    """(type, data) of a value as `reg query` prints it, or None when it is missing.
    `name` None means the key's default value."""
    argv = ["wine", "reg", "query", key] + (["/ve"] if name is None else ["/v", name])
    done = subprocess.run(argv, capture_output=True, timeout=60)
    if done.returncode != 0:
        return None
    for line in decode(done.stdout).splitlines():
        match = _REG_LINE.match(line.rstrip("\r"))
        if match and (name is None or match.group(1).lower() == name.lower()):
            return match.group(2), match.group(3) or ""
    return None


def reg_get(key: str, name: Optional[str]) -> Optional[str]:
    value = reg_value(key, name)
    return None if value is None else value[1]


def reg_set(key: str, name: Optional[str], data: str | int, kind: str = "REG_SZ") -> None:
    argv = ["wine", "reg", "add", key] + (["/ve"] if name is None else ["/v", name])
    argv += ["/t", kind, "/d", str(data), "/f"]
    _run_checked(argv)


def reg_delete(key: str, name: Optional[str] = None, whole_key: bool = False) -> None:
    """Deletes one value, or with `whole_key` the key and everything below it."""
    argv = ["wine", "reg", "delete", key]
    if not whole_key:
        argv += ["/ve"] if name is None else ["/v", name]
    _run_checked(argv + ["/f"])


def _run_checked(argv: list[str], timeout: float = 60.0) -> None:
    done = subprocess.run(argv, capture_output=True, timeout=timeout)
    if done.returncode != 0:
        raise BenchError(f"{' '.join(argv)} exited {done.returncode}: "
                         f"{decode(done.stdout + done.stderr).strip()}")


# --- the program --------------------------------------------------------------------


@dataclass
class Installation:
    unix_dir: Path
    windows_dir: str

    def file(self, name: str) -> Path:
        return self.unix_dir / name

    @property
    def exe(self) -> Path:
        return self.unix_dir / "Orvantis.exe"


def install(setup_exe: Optional[os.PathLike | str] = None, timeout: float = 180.0) -> Installation:
    """Runs the installer silently (/S) and returns the folder the registry names."""
    setup = Path(setup_exe) if setup_exe else build_dir() / "Orvantis-Setup.exe"
    if not setup.exists():
        raise BenchError(f"{setup} is missing: build the installer first")
    _run_checked(["wine", str(setup), "/S"], timeout=timeout)
    windows_dir = wait_until(lambda: reg_get(PRODUCT_KEY, "InstallDir"), timeout=30,
                             what="InstallDir in the registry")
    return Installation(unix_path(windows_dir), windows_dir)


def start(exe: os.PathLike | str, *args: str, cwd: Optional[os.PathLike | str] = None) -> subprocess.Popen:
    """Starts a Windows program; its exit code comes back through the Popen. Its
    console output goes to <session>/<name>.log."""
    name = Path(str(exe).replace("\\", "/")).stem or "program"
    log = open(session_dir() / f"{name}.log", "ab")
    try:
        return subprocess.Popen(["wine", str(exe), *map(str, args)], stdout=log, stderr=subprocess.STDOUT,
                                cwd=cwd)
    finally:
        log.close()


def stop(process: subprocess.Popen, timeout: float = 10.0) -> Optional[int]:
    """Ends a started program if it still runs; returns its exit code."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait(timeout=timeout)
    return process.returncode


def screenshot(name: str) -> Path:
    """Saves the virtual desktop as <screenshots>/<name>.png and returns the path."""
    out = screenshot_dir() / f"{name}.png"
    _run_checked([str(REPO / "scripts" / "screenshot.sh"), str(out)])
    print(f"screenshot: {out}", flush=True)
    return out


def colours_in(picture: Path, rect=None) -> int:
    """How many colours a picture holds, within `rect` (a Rect) when given."""
    crop = ["-crop", f"{rect.width}x{rect.height}+{rect.left}+{rect.top}", "+repage"] if rect else []
    done = subprocess.run(["convert", str(picture), *crop, "-format", "%k", "info:"],
                          capture_output=True, text=True, check=True)
    return int(done.stdout.strip())


# --- running a scenario -------------------------------------------------------------


class Scenario:
    """Steps that run in order; the first failure stops the run, takes a screenshot
    and makes `run()` return 1. Clean-ups run last, in reverse order, always."""

    def __init__(self, name: str):
        self.name = name
        self._steps: list[Callable[[], None]] = []
        self._cleanups: list[Callable[[], None]] = []

    def step(self, function: Callable[[], None]) -> Callable[[], None]:
        self._steps.append(function)
        return function

    def cleanup(self, function: Callable[[], None]) -> Callable[[], None]:
        self._cleanups.append(function)
        return function

    def run(self) -> int:
        failed = None
        for function in self._steps:
            label = function.__name__
            print(f"[ RUN  ] {self.name}.{label}", flush=True)
            try:
                function()
            except Exception:  # every failure ends the scenario with its story
                traceback.print_exc()
                failed = label
                print(f"[ FAIL ] {self.name}.{label}", flush=True)
                try:
                    screenshot(f"{self.name}-failed-{label}")
                except Exception as error:
                    print(f"(no screenshot: {error})", file=sys.stderr)
                break
            print(f"[  OK  ] {self.name}.{label}", flush=True)
        for function in reversed(self._cleanups):
            try:
                function()
            except Exception:
                traceback.print_exc()
        return 1 if failed else 0
