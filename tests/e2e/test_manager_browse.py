"""Choosing targets in the buttons manager with the real system dialogs: a file
button added through the file dialog (a typed path and "Open") gets its target,
working folder, name and icon; a folder preset made from a folder chosen in the
folder browser holds that folder's entries, subfolders first, and the bar window
shows them after OK; the user's places-bar policy is in force again after OK and
after Cancel, the manager's five places only while it is open; a session that
ends with the manager open puts the user's places back at once; and when the
program is killed with the manager open, the next start puts them back.

Needs the bar window to open the manager with the shell services and the start-up
to restore a places copy left by an earlier run."""

import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import dbmake  # noqa: E402
import olefile  # noqa: E402
import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, set_ini  # noqa: E402

scenario = qr.Scenario("manager_browse")
state = SimpleNamespace(install=None, process=None, bar=None, manager=None, folder=None, preset=None)

POLICIES_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Policies"
PLACES_KEY = POLICIES_KEY + r"\ComDlg32\PlacesBar"
BACKUP_KEY = qr.PRODUCT_KEY + r"\PlacesBarBackup"
USER_PLACES = {"Place0": ("REG_DWORD", "0x11"), "Place1": ("REG_SZ", "C:\\qrplaces")}
MANAGER_PLACES = {f"Place{i}": ("REG_DWORD", hex(n)) for i, n in enumerate([23, 5, 18, 8, 6])}

CMD_BUTTONS_MANAGER = 32785
CMD_ADD_BUTTON, CMD_ADD_PRESET = 32815, 32825
CMD_SHOW_BAR = 17509
TARGET, NAME, WORKDIR, ICON_UPPER = 1123, 1008, 1137, 1127
FILE_NAME_BOXES = (0x47C, 0x480)  # the file dialog's name box: combo box cmb13, or edit edt1
STM_GETICON = 0x0171
BUTTONS_TOOLBAR_ID = 0xE800


# --- what the steps look at ------------------------------------------------------------


def places():
    return {f"Place{i}": v for i in range(5) if (v := qr.reg_value(PLACES_KEY, f"Place{i}")) is not None}


def dialog(title):
    return qr.wait_window(timeout_ms=20000, exe=EXE, cls="#32770", title=title)


def control(window, control_id):
    return next(c for c in qr.children(window["hwnd"]) if int(c["id"]) == control_id)


def open_manager():
    qr.send_command(state.bar["hwnd"], CMD_BUTTONS_MANAGER)
    state.manager = dialog("Buttons Manager")
    qr.wait_until(lambda: places() == MANAGER_PLACES, timeout=10, what="the manager's five places")
    return state.manager


def close_manager(button):
    qr.press(state.manager["hwnd"], button)
    qr.wait_gone(state.manager["hwnd"], timeout_ms=20000, destroyed=True)
    state.manager = None


def choose_in_folder_browser(browser, moves):
    """Walks the browser's tree as a user does with the keyboard: a click puts the
    focus on the tree, then each move is typed letters (which select an item among
    the shown ones) or a key ("RIGHT" opens the selected item, "DOWN" goes to the
    next shown one)."""
    tree = next(c for c in qr.children(browser["hwnd"]) if c["class"] == "SysTreeView32")
    area = qr.Rect.parse(tree["rect"])
    qr.click(area.left + 40, area.top + 9)  # the root item, "Desktop"
    time.sleep(0.5)
    for kind, what in moves:
        if kind == "type":
            qr.type_text(what)
            time.sleep(1.2)  # past the tree's incremental-search pause
        else:
            qr.key(what)
            time.sleep(0.5)


def launch_commands():
    for child in qr.children(state.bar["hwnd"]):
        if child.get("class") == "ToolbarWindow32" and int(child["id"]) == BUTTONS_TOOLBAR_ID:
            return sorted(int(b["cmd"]) for b in child.get("toolbar_buttons", []) if int(b["cmd"]))
    return []


def stored_bars():
    """[(bar name, [(name, target, working folder, kind), ...]), ...] as lbars.acc holds them."""
    def texts(data, count):
        values, at = [], 0
        for _ in range(count):
            length = int.from_bytes(data[at:at + 4], "little", signed=True)
            values.append(data[at + 4:at + 4 + length].decode("latin-1"))
            at += 4 + length
        return values, at

    with olefile.OleFileIO(str(state.install.file("lbars.acc"))) as ole:
        entries = [e for e in ole.listdir(streams=True) if len(e) == 2]
        bars = []
        for ordinal in sorted({int(e[0]) for e in entries}):
            name = texts(ole.openstream([str(ordinal), "__quickrail_info__"]).read(), 1)[0][0]
            buttons = []
            for position in sorted(int(e[1]) for e in entries if e[0] == str(ordinal) and e[1].isdigit()):
                data = ole.openstream([str(ordinal), str(position)]).read()
                (button, target, workdir, _), at = texts(data, 4)
                kind = int.from_bytes(data[at + 4:at + 8], "little", signed=True)  # after the show command
                buttons.append((button, target, workdir, kind))
            bars.append((name, buttons))
        return bars


# --- the scenario ----------------------------------------------------------------------


@scenario.step
def install_with_user_places_and_a_bar():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    dbmake.write(state.install.unix_dir, [
        dbmake.bar("Browse"),
        dbmake.button("Notepad", qr.folder("windows") + "\\notepad.exe"),
    ])
    # A Windows system always has the per-user policy tree; a fresh Wine prefix does not.
    qr.reg_set(POLICIES_KEY, "QrMarker", 1, "REG_DWORD")
    qr.reg_set(PLACES_KEY, "Place1", 17, "REG_DWORD")
    qr.reg_set(PLACES_KEY, "Place3", "C:\\qrplaces", "REG_SZ")
    state.folder = qr.unix_path("C:\\qrbrowse")
    state.folder.mkdir(parents=True, exist_ok=True)
    (state.folder / "notes.txt").write_bytes(b"notes")
    # Inside the prefix's drive C:, never the desktop: Wine maps that onto the host's home.
    state.preset = qr.unix_path("C:\\") / "qrpreset"
    (state.preset / "Docs").mkdir(parents=True, exist_ok=True)
    (state.preset / "readme.txt").write_bytes(b"read me")
    (state.preset / "tool.exe").write_bytes(b"MZ")


@scenario.step
def file_button_through_the_file_dialog():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    expect(launch_commands() == [1124], f"one button at start: {launch_commands()}")
    manager = open_manager()
    qr.screenshot("manager_browse-opened")
    qr.send_command(manager["hwnd"], CMD_ADD_BUTTON)
    kinds = dialog("Type select")
    qr.press(kinds["hwnd"], qr.IDOK)  # the first kind, a file, is preselected
    files = dialog("Open")
    box = next((c for c in qr.children(files["hwnd"]) if int(c["id"]) in FILE_NAME_BOXES), None)
    expect(box is not None, f"the file dialog has a name box: {qr.children(files['hwnd'])}")
    qr.set_text(box["hwnd"], "C:\\qrbrowse\\notes.txt")
    qr.screenshot("manager_browse-file-dialog")
    qr.press(files["hwnd"], qr.IDOK)
    qr.wait_gone(files["hwnd"], timeout_ms=20000, destroyed=True)

    def field(control_id):
        return qr.window_text(control(manager, control_id)["hwnd"])
    qr.wait_until(lambda: field(TARGET) == "C:\\qrbrowse\\notes.txt", timeout=10, what="the chosen target")
    expect(field(NAME) == "notes", f"name {field(NAME)!r}")
    expect(field(WORKDIR) == "C:\\qrbrowse\\", f"working folder {field(WORKDIR)!r}")
    expect(qr.send(control(manager, ICON_UPPER)["hwnd"], STM_GETICON) != 0, "the target's icon is shown")
    qr.screenshot("manager_browse-file-chosen")


@scenario.step
def ok_puts_the_users_places_back_and_the_bar_shows_the_button():
    close_manager(qr.IDOK)
    expect(places() == USER_PLACES, f"the user's places, renumbered: {places()}")
    expect(qr.reg_value(BACKUP_KEY, "CreatedLevels") is None, "no copy of the places is left")
    qr.wait_until(lambda: launch_commands() == [1124, 1125], timeout=10, what="the new button on the bar")
    bars = stored_bars()
    expect(bars[0][1][1] == ("notes", "C:\\qrbrowse\\notes.txt", "C:\\qrbrowse\\", 0),
           f"the new file button is stored: {bars}")


@scenario.step
def cancel_also_puts_the_users_places_back():
    open_manager()
    close_manager(qr.IDCANCEL)
    expect(places() == USER_PLACES, f"the user's places after Cancel: {places()}")


@scenario.step
def folder_preset_from_a_folder_made_for_the_test():
    manager = open_manager()
    qr.send_command(manager["hwnd"], CMD_ADD_PRESET)
    qr.wait_until(lambda: qr.windows(visible_only=True, cls="#32768"), timeout=10, what="the preset menu")
    qr.screenshot("manager_browse-preset-menu")
    qr.key("DOWN", "RETURN")  # "All files from Your folder"
    browser = qr.wait_window(timeout_ms=20000, exe=EXE, cls="#32770", title_contains="Browse")
    texts = [c.get("text", "") for c in qr.children(browser["hwnd"])]
    expect("Folder selection" in texts, f"the browser's title text: {texts}")
    # My Computer, its first drive (C:), the folder made for the test.
    choose_in_folder_browser(browser, [("type", "My Computer"), ("key", "RIGHT"), ("key", "DOWN"), ("key", "RIGHT"),
                                       ("type", "qrpreset")])
    qr.screenshot("manager_browse-folder-browser")
    qr.press(browser["hwnd"], qr.IDOK)
    qr.wait_gone(browser["hwnd"], timeout_ms=20000, destroyed=True)
    qr.screenshot("manager_browse-preset-added")
    close_manager(qr.IDOK)
    bars = stored_bars()
    expect(len(bars) == 2 and bars[1][0] == "qrpreset", f"a second bar named after the folder: {bars}")
    preset = qr.wine_path(state.preset)
    buttons = bars[1][1]
    expect(buttons[0] == ("Docs", preset + "\\Docs", preset + "\\Docs", 1), f"the subfolder first: {buttons}")
    expect(sorted(buttons[1:]) == [("readme", preset + "\\readme.txt", preset + "\\", 0),
                                   ("tool", preset + "\\tool.exe", preset + "\\", 0)], f"then the files: {buttons}")
    qr.send_command(state.bar["hwnd"], CMD_SHOW_BAR + 1)
    qr.wait_until(lambda: launch_commands() == [1188, 1189, 1190], timeout=10, what="the preset bar's three buttons")
    qr.screenshot("manager_browse-preset-bar")


@scenario.step
def a_logoff_with_the_manager_open_puts_the_users_places_back():
    open_manager()
    qr.send(state.bar["hwnd"], "WM_QUERYENDSESSION")
    expect(places() == MANAGER_PLACES, f"the logoff may still be cancelled: {places()}")
    qr.send(state.bar["hwnd"], "WM_ENDSESSION", 1)
    expect(places() == USER_PLACES, f"the user's places when the session ends: {places()}")
    expect(qr.reg_value(BACKUP_KEY, "CreatedLevels") is None, "no copy of the places is left")
    qr.driver("terminate", qr.processes(exe=EXE)[0]["pid"])  # as Windows ends it
    state.process.wait(timeout=30)
    state.manager = None
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)


@scenario.step
def killed_with_the_manager_open_the_next_start_restores_the_places():
    open_manager()
    qr.driver("terminate", qr.processes(exe=EXE)[0]["pid"])
    state.process.wait(timeout=30)
    state.manager = None
    expect(places() == MANAGER_PLACES, f"the manager's places are left behind: {places()}")
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    qr.wait_until(lambda: places() == USER_PLACES, timeout=10, what="the user's places back after the restart")
    expect(qr.reg_value(BACKUP_KEY, "CreatedLevels") is None, "the copy is gone")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
