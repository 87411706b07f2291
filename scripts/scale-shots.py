#!/usr/bin/env python3
"""Screenshots of the bar, its bar-switch menu, the calendar and the buttons
manager at one display scale, for looking at by eye (not a test). Run it in a
Wine session at the scale wanted, after `make win`:

    QR_DPI=144 bash scripts/wine-session.sh python3 scripts/scale-shots.py

The pictures land in build/win32/screenshots/scale_<dpi>_*.png."""

import os
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

import dbmake  # noqa: E402
import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, set_ini  # noqa: E402

CMD_BUTTONS_MANAGER = 32785
SWITCH_TOOLBAR_ID = 0xE801
WM_COMMAND = 0x111


def shot(name):
    return qr.screenshot(f"scale_{os.environ.get('QR_DPI', '96')}_{name}")


def main():
    install = qr.install()
    set_ini(install, "prog", "Splash", "0")
    large = os.environ.get("QR_LARGE_ICONS", "0")
    set_ini(install, "view", "LargeIcon", large)
    windows = qr.folder("windows")
    dbmake.write(install.unix_dir, [
        dbmake.bar("Home", home=True),
        dbmake.button("Notepad", windows + "\\notepad.exe"),
        dbmake.button("Windows", windows, kind="folder"),
        dbmake.button("Drive C", "C:\\", kind="folder"),
        dbmake.separator(),
        dbmake.button("Regedit", windows + "\\regedit.exe"),
        dbmake.bar("Second"),
        dbmake.button("Second note", windows + "\\notepad.exe"),
    ])
    process = qr.start(install.exe)
    bar = bar_window(process, timeout_ms=30000)
    time.sleep(2)
    shot("bar")
    switch = next(c for c in qr.children(bar["hwnd"])
                  if c.get("class") == "ToolbarWindow32" and int(c["id"]) == SWITCH_TOOLBAR_ID)
    r, _ = qr.rect(switch["hwnd"])
    qr.click(r.left + r.width // 2, r.top + r.height // 2)
    time.sleep(1.5)
    shot("menu")
    qr.key("ESCAPE")
    time.sleep(0.5)
    qr.post(bar["hwnd"], WM_COMMAND, CMD_BUTTONS_MANAGER, 0)
    manager = qr.wait_window(timeout_ms=20000, exe=EXE, cls="#32770", title="Buttons Manager")
    time.sleep(1.5)
    shot("manager")
    qr.post(manager["hwnd"], 0x10, 0, 0)  # WM_CLOSE
    time.sleep(1)
    qr.stop(process)
    return 0


if __name__ == "__main__":
    sys.exit(main())
