#!/usr/bin/python3
"""Reads a database file written by the ole32 backend with python3-olefile, a
compound-file reader nobody here wrote, and checks its tree and bytes.

usage: db_olefile_check.py <qr_win_db_tests.exe> [wine-run.sh]
Runs the Windows test that writes the known database into a temporary folder
(seen from Wine through drive Z:), then checks lbars.acc there."""
import os
import struct
import subprocess
import sys
import tempfile

import olefile


def text(s):
    b = s.encode("latin-1")
    return struct.pack("<i", len(b)) + b


def num(v):
    return struct.pack("<i", v)


def button(name, target, workdir, args, show, kind, icon, index, available, separator):
    return (text(name) + text(target) + text(workdir) + text(args) + num(show) + num(kind) + text(icon)
            + num(index) + num(available) + num(separator) + bytes(128))


def bar(name, icon):
    return text(name) + num(0) + num(0) + num(0) + text(icon) + num(0) + num(1)


def expected(folder_win):
    exe = folder_win + "\\Orvantis.exe"
    streams = {"__database_info__": num(11)}
    streams["0/__quickrail_info__"] = bar("Tools", exe)
    streams["0/0"] = button("Notepad", "C:\\windows\\notepad.exe", "C:\\windows", "-x",
                            1, 0, "C:\\windows\\notepad.exe", 0, 1, 0)
    streams["0/1"] = button("", "", "", "", 1, -1, "", 0, 1, 1)
    streams["0/2"] = button("Web", "http://example.com/", "", "", 3, 2, "http://example.com/", 0, 1, 0)
    for n in range(1, 12):
        streams["%d/__quickrail_info__" % n] = bar("Bar %d" % n, exe)
    return streams


def main():
    exe = sys.argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    runner = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "..", "scripts", "wine-run.sh")
    with tempfile.TemporaryDirectory(prefix="qr-olefile-") as folder:
        folder_win = "Z:" + folder.replace("/", "\\")
        env = dict(os.environ, QR_OLEFILE_OUT=folder_win, WINEDEBUG="-all")
        subprocess.run([runner, exe, "--gtest_filter=OleFileTest.WritesTheKnownDatabaseForAnOutsideReader"],
                       env=env, check=True)
        path = os.path.join(folder, "lbars.acc")
        if not olefile.isOleFile(path):
            sys.exit("not a compound file: " + path)
        ole = olefile.OleFileIO(path)
        want = expected(folder_win)
        have = {"/".join(entry): ole.openstream(entry).read() for entry in ole.listdir(streams=True)}
        storages = sorted("/".join(e) for e in ole.listdir(streams=False, storages=True))
        ole.close()
        errors = []
        if storages != sorted(str(n) for n in range(12)):
            errors.append("storages: %r" % storages)
        for name in sorted(set(want) | set(have)):
            if want.get(name) != have.get(name):
                errors.append("%s: want %r, have %r" % (name, want.get(name), have.get(name)))
        if errors:
            sys.exit("\n".join(errors))
        print("olefile read %d streams as written" % len(have))


if __name__ == "__main__":
    main()
