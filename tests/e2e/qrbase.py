"""The base of the scenario helpers (qrbench): places and waiting. Scenarios import qrbench, which brings all of it."""

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
