#!/usr/bin/python3
"""Silent install, upgrade and uninstall of Orvantis-Setup.exe in a Wine prefix.

Run inside scripts/wine-session.sh (WINEPREFIX and DISPLAY set):
    installer_silent.py path/to/Orvantis-Setup.exe
Each step checks what a user would find on disk and in the registry afterwards.
"""
import os
import re
import subprocess
import sys
import time
from pathlib import Path

PROGRAM_KEY = r"HKCU\SOFTWARE\Orvantis Software"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvantis.Quickrail"
URL_FILE = "Orvantis.Quickrail Web Site.url"
WEB_ADDRESS = "https://www.orvantis.example/"
# Files the program itself leaves in its folder: the bars and settings, which an
# uninstall keeps unless told otherwise, and what it takes in any case.
KEPT_DATA = ["options.ini", "lbars.acc", "tmp_db.acc", "lbars_unreadable.acc", "backups/lbars-2026-03-01.acc"]
PROGRAM_DATA = KEPT_DATA + ["undo_tmp.acc", "iconcache.dat", "new_db.acc", "backups/lbars-copy.tmp"]

failures = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def wine(*args, timeout=180):
    return subprocess.run(["wine", *args], capture_output=True, text=True,
                          encoding="latin-1", timeout=timeout)


def registry_values(key):
    """The values under key as {name: (type, data)}, or None when the key is missing."""
    result = wine("reg", "query", key)
    if result.returncode != 0:
        return None
    values = {}
    for line in result.stdout.splitlines():
        match = re.match(r"^\s+(.+?)\s{4}(REG_\w+)\s{4}(.*)$", line)
        if match:
            values[match.group(1)] = (match.group(2), match.group(3).rstrip("\r"))
    return values


PLACES_KEY = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\ComDlg32\PlacesBar"
COPY_KEY = r"HKEY_CURRENT_USER\SOFTWARE\Orvantis Software\PlacesBarBackup"
# A place outside any single-byte code page, as REG_EXPAND_SZ bytes.
WIDE_PLACE = "%USERPROFILE%\\\u041f\u0440\u043e\u0435\u043a\u0442 \u6587\u4ef6".encode("utf-16-le") + b"\0\0"


def reg_hex(data):
    return ",".join(f"{b:02x}" for b in data)


def import_reg(text):
    """Imports a registry file written in UTF-16, so no text passes a code page."""
    path = Path(os.environ["WINEPREFIX"]) / "drive_c" / "places.reg"
    path.write_bytes(("Windows Registry Editor Version 5.00\r\n\r\n" + text).encode("utf-16"))
    wine("regedit", "/s", r"C:\places.reg")


def exported_values(key):
    """The values of key as {name: raw text after '='}, from a UTF-16 export."""
    path = Path(os.environ["WINEPREFIX"]) / "drive_c" / "export.reg"
    path.unlink(missing_ok=True)
    wine("regedit", "/e", r"C:\export.reg", key)
    if not path.exists():
        return None
    text = path.read_bytes().decode("utf-16").replace("\\\r\n  ", "")
    return dict(re.findall(r'^"([^"]+)"=(.*?)\r?$', text, re.M))


def unix_path(windows_path):
    result = subprocess.run(["winepath", "-u", windows_path], capture_output=True,
                            text=True, encoding="latin-1")
    return Path(result.stdout.strip())


def user_folder():
    users = Path(os.environ["WINEPREFIX"]) / "drive_c" / "users"
    found = [p for p in users.iterdir() if p.name != "Public" and (p / "AppData").is_dir()]
    if len(found) != 1:
        sys.exit(f"cannot tell the Wine user's folder among {found}")
    return found[0]


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.5)
    return condition()


def run_setup(setup):
    result = wine(setup, "/S")
    return check(result.returncode == 0, f"silent setup exits with 0 (got {result.returncode})")


def check_installed(install_dir, start_menu):
    values = registry_values(PROGRAM_KEY) or {}
    check(values.get("Version") == ("REG_SZ", "100"), f"Version is REG_SZ \"100\": {values.get('Version')}")
    kind, text = values.get("InstallDir", (None, ""))
    check(kind == "REG_SZ" and not text.endswith("\\"), f"InstallDir is REG_SZ without trailing backslash: {text!r}")
    check(unix_path(text).resolve() == install_dir.resolve(), f"InstallDir names {install_dir}: {text!r}")

    exe = install_dir / "Orvantis.exe"
    check(exe.is_file() and exe.read_bytes()[:2] == b"MZ", "Orvantis.exe installed")
    chm = install_dir / "Orvantis.chm"
    check(chm.is_file() and chm.read_bytes()[:4] == b"ITSF", "Orvantis.chm installed")
    url = install_dir / URL_FILE
    url_lines = url.read_bytes().decode("latin-1").splitlines() if url.is_file() else []
    check(url_lines[:1] == ["[InternetShortcut]"] and f"URL={WEB_ADDRESS}" in url_lines,
          f"{URL_FILE} points at {WEB_ADDRESS}: {url_lines}")
    check((install_dir / "Uninstall.exe").is_file(), "Uninstall.exe written")

    link = start_menu / "Orvantis.Quickrail.lnk"
    target = text + "\\Orvantis.exe"
    link_bytes = link.read_bytes() if link.is_file() else b""
    check(target.encode("latin-1") in link_bytes or target.encode("utf-16-le") in link_bytes,
          f"Start-menu shortcut {link.name} points at {target}")

    entry = registry_values(UNINSTALL_KEY) or {}
    check(entry.get("UninstallString", ("", ""))[1] == f'"{text}\\Uninstall.exe"',
          f"Add/Remove Programs entry names the uninstaller: {entry.get('UninstallString')}")
    return values


def uninstall(install_dir, *options):
    # The uninstaller copies itself to the temp folder and returns at once; its
    # copy finishes the work, so wait for the version to go (the key stays
    # with the folder's name when the bars are kept).
    wine(str(install_dir / "Uninstall.exe"), "/S", *options)
    wait_until(lambda: "Version" not in (registry_values(PROGRAM_KEY) or {})
               and not (install_dir / "Uninstall.exe").exists()
               and not (install_dir / "Orvantis.exe").exists()
               and registry_values(UNINSTALL_KEY) is None, 90)


def main():
    setup = os.path.abspath(sys.argv[1])
    user = user_folder()
    install_dir = user / "AppData" / "Local" / "Orvantis.Quickrail"
    programs = user / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" / "Programs"
    start_menu = programs / "Orvantis.Quickrail"
    # Wine names it "StartUp"; Windows paths are case-blind, this file system is not.
    startup = next((p for p in programs.iterdir() if p.name.lower() == "startup"), programs / "StartUp")
    startup_link = startup / "Orvantis.Quickrail.lnk"

    print("-- fresh install")
    run_setup(setup)
    values = check_installed(install_dir, start_menu)
    check(values.get("FirstRun") == ("REG_SZ", "1"), f"fresh install: FirstRun is \"1\": {values.get('FirstRun')}")

    print("-- upgrade over a started install")
    wine("reg", "add", PROGRAM_KEY, "/v", "FirstRun", "/t", "REG_SZ", "/d", "0", "/f")
    wine("reg", "add", PROGRAM_KEY, "/v", "Version", "/t", "REG_SZ", "/d", "99", "/f")
    run_setup(setup)
    values = check_installed(install_dir, start_menu)
    check(values.get("FirstRun") == ("REG_SZ", "0"), f"upgrade keeps FirstRun \"0\": {values.get('FirstRun')}")

    print("-- uninstall with the program's files and a file of the user's")
    for name in PROGRAM_DATA:
        (install_dir / name).parent.mkdir(exist_ok=True)
        (install_dir / name).write_bytes(b"x")
    (install_dir / "mine.txt").write_text("the user's own file")
    startup_link.parent.mkdir(parents=True, exist_ok=True)
    startup_link.write_bytes(b"L\0\0\0")
    # A run ended with the buttons manager open: its places are in force and
    # the user's wait in the marked copy.
    import_reg(f"[{PLACES_KEY}]\r\n" + "".join(f'"Place{i}"=dword:{v:08x}\r\n' for i, v in enumerate([23, 5, 18, 8, 6]))
               + f"\r\n[{COPY_KEY}]\r\n\"Place0\"=hex(2):{reg_hex(WIDE_PLACE)}\r\n"
               + "\"Place1\"=dword:00000011\r\n\"CreatedLevels\"=dword:00000000\r\n")
    uninstall(install_dir)
    places = exported_values(PLACES_KEY)
    check(places == {"Place0": "hex(2):" + reg_hex(WIDE_PLACE), "Place1": "dword:00000011"},
          f"the user's places are back byte for byte: {places}")
    kept_key = registry_values(PROGRAM_KEY) or {}
    check(sorted(kept_key) == ["InstallDir"], f"only the folder of the kept bars stays in the key: {kept_key}")
    check(registry_values(UNINSTALL_KEY) is None, "Add/Remove Programs entry removed")
    left = sorted(str(p.relative_to(install_dir)) for p in install_dir.rglob("*") if p.is_file())
    check(left == sorted(KEPT_DATA + ["mine.txt"]), f"a silent uninstall keeps the bars and settings: {left}")
    check(not start_menu.exists(), "Start-menu folder removed")
    check(not startup_link.exists(), "start-up shortcut removed")

    print("-- reinstall finds the kept bars, then an uninstall that removes them")
    (install_dir / "mine.txt").unlink()
    run_setup(setup)
    values = check_installed(install_dir, start_menu)
    check(values.get("FirstRun") == ("REG_SZ", "0"), f"reinstall over kept bars: FirstRun is \"0\": {values.get('FirstRun')}")
    check((install_dir / "lbars.acc").read_bytes() == b"x", "the kept database is untouched by the install")
    uninstall(install_dir, "/REMOVEBARS")
    check(registry_values(PROGRAM_KEY) is None, "program key removed")
    check(not install_dir.exists(), "program folder removed with the bars")

    print("-- a fresh install after that builds the sample bar")
    run_setup(setup)
    values = check_installed(install_dir, start_menu)
    check(values.get("FirstRun") == ("REG_SZ", "1"), f"FirstRun is \"1\" again: {values.get('FirstRun')}")
    uninstall(install_dir, "/REMOVEBARS")

    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
