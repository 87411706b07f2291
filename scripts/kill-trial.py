#!/usr/bin/python3
"""Kills Orvantis.exe at random moments while it puts an earlier copy back, or
while it saves the bars of an import (the manager's OK), and checks after each
kill that the next start finds one whole database: the bars before or after the
operation, nothing else. A trial run by hand, not part of `make test`:

    scripts/wine-session.sh /usr/bin/python3 scripts/kill-trial.py [restore|import] [runs]
"""
import os
import random
import signal
import subprocess
import sys
import threading
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

import dbmake  # noqa: E402
import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, set_ini  # noqa: E402
from dbread import read_bars  # noqa: E402

# Enough bars and buttons that the operation lasts long enough to be cut off
# in its middle now and then.
OLD = [("Old", [("Notepad", None)])] + [(f"Old {n}", [(f"Folder {i}", None) for i in range(40)]) for n in range(15)]
NEW = [("New", [("Drive C", None), "-"])] + [(f"New {n}", [(f"Folder {i}", None) for i in range(40)]) for n in range(15)]


def lines(bars, notepad):
    out = []
    for name, buttons in bars:
        out.append(dbmake.bar(name))
        for button in buttons:
            if button == "-":
                out.append(dbmake.separator())
            elif button[0] == "Notepad":
                out.append(dbmake.button("Notepad", notepad))
            else:
                out.append(dbmake.button(button[0], "C:\\", kind="folder"))
    return out


def program_pid():
    """The Linux process of the program this session started: among the processes
    running an Orvantis.exe, the one whose Wine prefix is this session's (other
    sessions on the machine run their own, which are none of this trial's business)."""
    found = subprocess.run(["pgrep", "-f", r"Orvantis\.exe"], capture_output=True, text=True).stdout.split()
    mine = f"WINEPREFIX={os.environ['WINEPREFIX']}".encode()
    for pid in map(int, found):
        try:
            environment = Path(f"/proc/{pid}/environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if mine in environment and b"Orvantis.exe" in Path(f"/proc/{pid}/cmdline").read_bytes():
            return pid
    return None


def shape(bars):
    return [(name, [b if b == "-" else (b[0], None) for b in buttons]) for name, buttons in bars]


def start(install):
    process = qr.start(install.exe)
    return process, bar_window(process, timeout_ms=30000)


def kill_after(delay):
    """Kills the program `delay` s from now, while the caller goes on clicking."""
    pid = program_pid()
    if pid is None:
        raise RuntimeError("the program of this session is not running")

    def kill():
        if pid:
            os.kill(pid, signal.SIGKILL)
    timer = threading.Timer(delay, kill)
    timer.start()
    return timer


def click_unless_killed(hwnd, button):
    try:
        qr.press(hwnd, button)
    except qr.DriverError:
        pass  # the kill came first: the window is gone


def restore_once(install, delay):
    """Restore of the earlier copy (OLD over NEW), killed `delay` s after Yes."""
    process, bar = start(install)
    qr.send_command(bar["hwnd"], 33070)
    dialog = qr.wait_window(timeout_ms=20000, exe=EXE, title="Earlier copies of the bars")
    qr.press(dialog["hwnd"], 1471)
    box = qr.message_box(exe=EXE)
    timer = kill_after(delay)
    click_unless_killed(box["hwnd"], qr.IDYES)
    timer.join()
    process.wait(timeout=30)


def import_once(install, delay):
    """Import of a file holding OLD's bar into NEW, then OK, killed `delay` s after OK."""
    process, bar = start(install)
    qr.send_command(bar["hwnd"], 32785)
    manager = qr.wait_window(timeout_ms=20000, exe=EXE, title="Buttons Manager")
    qr.press(manager["hwnd"], 1475)
    files = qr.wait_window(timeout_ms=20000, exe=EXE, title="Import bars")
    box = next(c for c in qr.children(files["hwnd"]) if int(c["id"]) in (0x47C, 0x480))
    qr.set_text(box["hwnd"], qr.wine_path(install.file("old.qrbar")))
    qr.press(files["hwnd"], qr.IDOK)
    qr.wait_gone(files["hwnd"], timeout_ms=20000, destroyed=True)
    time.sleep(0.5)
    timer = kill_after(delay)
    click_unless_killed(manager["hwnd"], qr.IDOK)
    timer.join()
    process.wait(timeout=30)


def main():
    mode = sys.argv[1] if len(sys.argv) > 1 else "restore"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 50
    install = qr.install()
    set_ini(install, "prog", "Splash", "0")
    notepad = qr.folder("windows") + "\\notepad.exe"
    backups = install.file("backups")
    outcomes = {"before": 0, "after": 0}
    for run in range(runs):
        for leftover in ("tmp_db.acc", "new_db.acc", "undo_tmp.acc"):
            install.file(leftover).unlink(missing_ok=True)
        for stale in backups.glob("*") if backups.is_dir() else []:
            stale.unlink()
        dbmake.write(install.unix_dir, lines(OLD, notepad))
        if mode == "restore":
            backups.mkdir(exist_ok=True)
            install.file("lbars.acc").rename(backups / "lbars-2000-01-01.acc")
        else:
            install.file("lbars.acc").rename(install.file("old.qrbar"))
        dbmake.write(install.unix_dir, lines(NEW, notepad))
        delay = random.uniform(0.1, 0.6)
        (restore_once if mode == "restore" else import_once)(install, delay)
        # What the kill left, before the next start recovers from it.
        left = [n for n in ("tmp_db.acc", "new_db.acc", "lbars.acc.part") if install.file(n).exists()]
        left += [p.name for p in backups.glob("*.tmp")] if backups.is_dir() else []
        process, bar = start(install)  # the next start recovers what the kill left
        qr.stop(process)
        have = shape(read_bars(install.file("lbars.acc")))
        after = shape(OLD) if mode == "restore" else shape(NEW + OLD)
        state = "before" if have == shape(NEW) else "after" if have == after else None
        print(f"run {run + 1}: killed {delay * 1000:.0f} ms after the last click began, "
              f"left {left or 'nothing half done'}: {state or have}", flush=True)
        if state is None:
            print("FAIL: neither the database before nor the copy")
            return 1
        outcomes[state] += 1
    print(f"{runs} kills: {outcomes['before']} left the database as it was, "
          f"{outcomes['after']} the result of the {mode}, none anything else")
    return 0


if __name__ == "__main__":
    sys.exit(main())
