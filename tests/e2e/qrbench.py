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

REPO = Path(__file__).resolve().parents[2]
PRODUCT_KEY = r"HKCU\SOFTWARE\Orvantis Software"

# Command ids a message box's buttons carry.
IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO = 1, 2, 3, 4, 5, 6, 7

WM_CLOSE = 0x0010
WM_COMMAND = 0x0111


class BenchError(AssertionError):
    """A bench step failed; the message says what was asked and what came back."""


class DriverError(BenchError):
    def __init__(self, args, returncode, stdout, stderr):
        self.returncode = returncode
        self.stdout = stdout
        self.stderr = stderr
        super().__init__(
            f"qrdriver {' '.join(map(str, args))} exited {returncode}\n"
            f"stdout: {stdout.strip()}\nstderr: {stderr.strip()}"
        )


# --- places -------------------------------------------------------------------------


def build_dir() -> Path:
    return Path(os.environ.get("QR_BUILD_DIR") or REPO / "build" / "win32").resolve()


def session_dir() -> Path:
    path = os.environ.get("QR_SESSION_DIR")
    if not path:
        raise BenchError("not inside a Wine session: run through scripts/wine-session.sh")
    return Path(path)


def driver_exe() -> Path:
    return build_dir() / "qrdriver.exe"


def screenshot_dir() -> Path:
    return Path(os.environ.get("QR_SCREENSHOT_DIR") or build_dir() / "screenshots")


# --- waiting ------------------------------------------------------------------------


def wait_until(predicate: Callable[[], object], timeout: float = 10.0, interval: float = 0.1,
               what: str = "condition"):
    """Calls `predicate` until it returns something true and returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise BenchError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


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
