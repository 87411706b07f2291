"""Editing bars in the buttons manager: a double click on the bar opens it; a file
button added with the type choice and typed fields is on the bar at once after OK
and again after a restart; a bar added, named and moved up, a button deleted, then
Apply and Cancel keep what was applied; a Cancel while another program holds
"lbars.acc" locked says so and shows the undo copy; "lbars.acc", read by olefile, holds exactly
the expected bars and buttons; and Cancel leaves the file byte for byte as it was
when the manager opened, with no "undo_tmp.acc" left. The hot key under the
manager, after a delete of a shown button, brings the manager forward.

Needs the bar window to open the manager (command 32785 and a double click) and
rebuild its buttons after it closes."""

import struct
import subprocess
import sys
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import dbmake  # noqa: E402
import olefile  # noqa: E402
import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, set_ini  # noqa: E402

scenario = qr.Scenario("buttons_manager")
state = SimpleNamespace(install=None, process=None, bar=None, manager=None, notepad=None, applied=None)

CMD_BUTTONS_MANAGER = 32785
CMD_ADD_BUTTON, CMD_DELETE, CMD_MOVE_UP, CMD_ADD_BAR = 32815, 32816, 32818, 32821
TREE, TARGET, NAME, RESTORE, APPLY = 1132, 1123, 1008, 1141, 1144
TVM_GETNEXTITEM, TVM_SELECTITEM = 0x110A, 0x110B
TVGN_ROOT, TVGN_NEXT, TVGN_CHILD, TVGN_CARET = 0, 1, 4, 9


# --- the bar and the manager ---------------------------------------------------------


def wait_commands(commands, what):
    qr.wait_until(lambda: qr.launch_commands(state.bar["hwnd"]) == commands, timeout=10, what=what)


def start_bar():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)


def free_spot_on_bar():
    """A point of the bar window that no child covers."""
    bar, _ = qr.rect(state.bar["hwnd"])
    covered = [qr.Rect.parse(c["rect"]) for c in qr.children(state.bar["hwnd"], direct=True)
               if c.get("visible", "1") == "1"]
    y = (bar.top + bar.bottom) // 2
    for x in range(bar.right - 3, bar.left, -4):
        if not any(r.left <= x < r.right and r.top <= y < r.bottom for r in covered):
            return x, y
    raise qr.BenchError(f"no free spot on the bar {bar}")


def wait_manager():
    state.manager = qr.wait_window(timeout_ms=20000, exe=EXE, cls="#32770", title="Buttons Manager")
    return state.manager


def control(control_id):
    found = [c for c in qr.children(state.manager["hwnd"]) if int(c["id"]) == control_id]
    expect(found, f"control {control_id} in the manager")
    return found[0]["hwnd"]


def command(command_id):
    qr.send_command(state.manager["hwnd"], command_id)


def close_manager(button):
    qr.press(state.manager["hwnd"], button)
    qr.wait_gone(state.manager["hwnd"], timeout_ms=20000, destroyed=True)
    state.manager = None


def wait_text(hwnd, text, what):
    qr.wait_until(lambda: qr.window_text(hwnd) == text, timeout=10, what=what)


def tree_item(*path):
    """The tree item at a path of child numbers under the root: () the root, (0,) the
    first bar, (2, 0) the first button of the third bar."""
    tree = control(TREE)
    item = qr.send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)
    for index in path:
        item = qr.send(tree, TVM_GETNEXTITEM, TVGN_CHILD, item)
        for _ in range(index):
            item = qr.send(tree, TVM_GETNEXTITEM, TVGN_NEXT, item)
        expect(item, f"tree item {path}")
    return item


def select(*path):
    qr.send(control(TREE), TVM_SELECTITEM, TVGN_CARET, tree_item(*path))


def cancel_browsing():
    """The browse step after the type choice opens a file dialog where the shell
    services are wired; it is cancelled, as a user who types the target does."""
    def owned_dialog():
        for window in qr.windows(visible_only=True, exe=EXE, cls="#32770", owner=state.manager["hwnd"]):
            if window.get("text") != "Type select":
                return window
        return None
    try:
        browser = qr.wait_until(owned_dialog, timeout=5, what="the file dialog")
    except qr.BenchError:
        return
    qr.press(browser["hwnd"], qr.IDCANCEL)
    qr.wait_gone(browser["hwnd"], timeout_ms=10000, destroyed=True)


# --- the database file ---------------------------------------------------------------


def read_text(data, at):
    (length,) = struct.unpack_from("<i", data, at)
    at += 4
    return data[at:at + length].decode("latin-1"), at + length


def database():
    """[(bar name, [button name or "-"])] in stored order, read with olefile."""
    path = state.install.file("lbars.acc")
    expect(olefile.isOleFile(str(path)), f"{path} is a compound file")
    ole = olefile.OleFileIO(str(path))
    try:
        entries = ole.listdir(streams=True, storages=False)
        bars = sorted({int(e[0]) for e in entries if len(e) == 2})
        out = []
        for bar in bars:
            name, _ = read_text(ole.openstream([str(bar), "__quickrail_info__"]).read(), 0)
            buttons = sorted(int(e[1]) for e in entries if len(e) == 2 and e[0] == str(bar)
                             and e[1] != "__quickrail_info__")
            names = []
            for button in buttons:
                data = ole.openstream([str(bar), str(button)]).read()
                text, at = read_text(data, 0)
                for _ in range(3):  # target, working folder, arguments
                    _, at = read_text(data, at)
                at += 8  # show command, kind
                _, at = read_text(data, at)  # icon file
                at += 8  # icon index, available
                (separator,) = struct.unpack_from("<i", data, at)
                names.append("-" if separator else text)
            out.append((name, names))
        return out
    finally:
        ole.close()


def file_bytes():
    return state.install.file("lbars.acc").read_bytes()


def undo_copy_left():
    return state.install.file("undo_tmp.acc").exists()


# --- the steps -----------------------------------------------------------------------


@scenario.step
def install_with_two_bars():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    state.notepad = qr.folder("windows") + "\\notepad.exe"
    dbmake.write(state.install.unix_dir, [
        dbmake.bar("Tools"),
        dbmake.button("Notepad", state.notepad),
        dbmake.button("Drive C", "C:\\", kind="folder"),
        dbmake.bar("Spare"),
        dbmake.button("Spare note", state.notepad),
    ])
    start_bar()
    wait_commands([1124, 1125], "the two buttons of Tools")


@scenario.step
def double_click_on_the_bar_opens_the_manager():
    qr.click(*free_spot_on_bar(), "double")
    wait_manager()
    qr.screenshot("buttons_manager-open")
    expect(qr.window_text(control(NAME)) == "Notepad", "the first button of the shown bar is selected")


@scenario.step
def a_typed_file_button_is_on_the_bar_after_ok():
    command(CMD_ADD_BUTTON)
    choice = qr.wait_window(timeout_ms=10000, exe=EXE, cls="#32770", title="Type select")
    qr.press(choice["hwnd"], qr.IDOK)
    qr.wait_gone(choice["hwnd"], timeout_ms=10000, destroyed=True)
    cancel_browsing()
    wait_text(control(RESTORE), "Decline", "the new button pending")
    qr.set_text(control(TARGET), state.notepad)
    qr.set_text(control(NAME), "Notes")
    qr.screenshot("buttons_manager-new-button")
    close_manager(qr.IDOK)
    wait_commands([1124, 1125, 1126], "the new button on the bar")
    expect(not undo_copy_left(), "no undo copy after OK")
    have = database()
    expect(have == [("Tools", ["Notepad", "Notes", "Drive C"]), ("Spare", ["Spare note"])],
           f"lbars.acc after OK: {have}")


@scenario.step
def the_new_button_is_there_after_a_restart():
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    start_bar()
    wait_commands([1124, 1125, 1126], "three buttons after the restart")


@scenario.step
def add_a_bar_move_it_up_delete_a_button_and_apply():
    qr.send_command(state.bar["hwnd"], CMD_BUTTONS_MANAGER)
    wait_manager()
    command(CMD_ADD_BAR)
    wait_text(control(RESTORE), "Decline", "the new bar pending")
    qr.set_text(control(NAME), "Added")
    command(CMD_MOVE_UP)
    qr.wait_until(lambda: qr.window_text(control(NAME)) == "Added" and
                  qr.send(control(TREE), TVM_GETNEXTITEM, TVGN_CARET, 0) == tree_item(1),
                  timeout=10, what="the new bar second")
    select(2, 0)
    wait_text(control(NAME), "Spare note", "the spare bar's button selected")
    command(CMD_DELETE)
    wait_text(control(NAME), "Spare", "the spare bar selected, now empty")
    qr.screenshot("buttons_manager-before-apply")
    qr.press(state.manager["hwnd"], APPLY)
    want = [("Tools", ["Notepad", "Notes", "Drive C"]), ("Added", []), ("Spare", [])]
    qr.wait_until(lambda: database() == want, timeout=10, what=f"lbars.acc after Apply to hold {want}")
    # The undo copy is taken after the database is written: on a loaded
    # machine it can come a moment after the file already reads as applied.
    qr.wait_until(undo_copy_left, timeout=10, what="Apply takes a new undo copy")
    state.applied = file_bytes()


@scenario.step
def cancel_after_apply_keeps_what_was_applied():
    select(0, 0)
    wait_text(control(NAME), "Notepad", "the first button selected")
    command(CMD_DELETE)
    close_manager(qr.IDCANCEL)
    expect(file_bytes() == state.applied, "Cancel went back to the file of the Apply")
    expect(not undo_copy_left(), "no undo copy after Cancel")
    wait_commands([1124, 1125, 1126], "the bar after Cancel")


@scenario.step
def cancel_with_the_file_locked_shows_what_a_file_holds():
    """Another program holds "lbars.acc" open without sharing while Cancel tries to
    put it back: the step is reported, the bar shows the undo copy (the file as the
    manager found it) and the next OK writes that, once the file is free."""
    kept = database()
    release = state.install.file("release-lock.flag")
    qr.send_command(state.bar["hwnd"], CMD_BUTTONS_MANAGER)
    wait_manager()
    select(0, 0)
    wait_text(control(NAME), "Notepad", "the first button selected")
    command(CMD_DELETE)
    qr.wait_until(lambda: qr.window_text(control(NAME)) != "Notepad", timeout=10, what="the button deleted")
    holder = subprocess.Popen(["wine", str(qr.driver_exe()), "hold-file", qr.wine_path(state.install.file("lbars.acc")),
                               "--until", qr.wine_path(release), "--timeout", "60000"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        expect(holder.stdout.readline().strip() == b"held", "lbars.acc held open by another program")
        qr.press(state.manager["hwnd"], qr.IDCANCEL)
        box = qr.answer_message_box(qr.IDOK, exe=EXE)
        expect(box["text"] == "System error:\n (IStorage:  CDB::RollbackUndo 1)", f"the failed step {box['text']!r}")
        box = qr.answer_message_box(qr.IDOK, exe=EXE)
        expect(box["text"].startswith("Cancel could not put the database file back or read it.\nThe bars are shown as the undo copy"),
               f"what the bar shows {box['text']!r}")
        qr.wait_gone(state.manager["hwnd"], timeout_ms=20000, destroyed=True)
        state.manager = None
        wait_commands([1124, 1125, 1126], "the bar as the undo copy holds it, the deleted button back")
        qr.screenshot("buttons_manager-cancel-locked")
    finally:
        release.write_text("")
        holder.wait(timeout=30)
        release.unlink()
    expect(database() == kept and undo_copy_left(), "lbars.acc untouched, the undo copy kept")
    qr.send_command(state.bar["hwnd"], CMD_BUTTONS_MANAGER)
    wait_manager()
    close_manager(qr.IDOK)
    expect(database() == kept and not undo_copy_left(), "OK wrote the bars the bar shows")
    wait_commands([1124, 1125, 1126], "the bar after OK")


@scenario.step
def cancel_leaves_the_file_as_it_was():
    before = file_bytes()
    qr.send_command(state.bar["hwnd"], CMD_BUTTONS_MANAGER)
    wait_manager()
    command(CMD_ADD_BAR)
    wait_text(control(RESTORE), "Decline", "the new bar pending")
    qr.set_text(control(NAME), "Dropped")
    select(0)
    command(CMD_DELETE)
    box = qr.answer_message_box(qr.IDYES, exe=EXE)
    expect(box["text"] == "Remove the following quickrail with all its buttons:\nTools\nAre you sure ?",
           f"delete question {box['text']!r}")
    wait_text(control(NAME), "Added", "the next bar selected")
    # A bar whose name was cleared cannot be left: the tree keeps it selected.
    qr.set_text(control(NAME), "")
    qr.post(control(TREE), TVM_SELECTITEM, TVGN_CARET, tree_item(1))
    box = qr.answer_message_box(qr.IDOK, exe=EXE)
    expect(box["text"] == "The button (quickrail) name is not specified", f"message {box['text']!r}")
    expect(qr.send(control(TREE), TVM_GETNEXTITEM, TVGN_CARET, 0) == tree_item(0), "the bar stays selected")
    qr.screenshot("buttons_manager-name-missing")
    close_manager(qr.IDCANCEL)
    expect(file_bytes() == before, "lbars.acc byte for byte as before the manager opened")
    expect(not undo_copy_left(), "no undo copy after Cancel")
    wait_commands([1124, 1125, 1126], "the bar after Cancel")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.step
def the_tray_menu_brings_the_open_manager_forward_instead_of_a_second():
    start_bar()
    qr.send_command(state.bar["hwnd"], CMD_BUTTONS_MANAGER)
    first = wait_manager()
    # The tray icon's left press opens its menu over the manager; its bold
    # "Buttons manager..." comes after "Autohide mode" and "Screen edge".
    qr.post(state.bar["hwnd"], "register:OrvantisSysTrayNotify", 32793, 0x0201)
    qr.wait_until(lambda: qr.windows(visible_only=True, exe=EXE, cls="#32768"), timeout=10, what="the tray menu")
    qr.key("DOWN", "DOWN", "DOWN", "RETURN")
    qr.wait_until(lambda: not qr.windows(visible_only=True, exe=EXE, cls="#32768"), timeout=5,
                  what="the tray menu closed")
    managers = lambda: qr.windows(visible_only=True, exe=EXE, cls="#32770", title="Buttons Manager")  # noqa: E731
    qr.wait_until(lambda: qr.foreground().get("hwnd") == first["hwnd"], timeout=10,
                  what="the open manager in front")
    qr.screenshot("buttons_manager-brought-forward")
    expect([m["hwnd"] for m in managers()] == [first["hwnd"]], f"one manager: {managers()}")
    close_manager(qr.IDCANCEL)
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.step
def the_hot_key_under_the_manager_brings_it_forward_after_a_delete():
    set_ini(state.install, "extras", "HotKey", str(0x651))  # Ctrl+Alt+Q
    start_bar()
    qr.send_command(state.bar["hwnd"], CMD_BUTTONS_MANAGER)
    manager = wait_manager()
    select(0, 0)  # the shown bar's first button, deleted without Apply
    wait_text(control(NAME), "Notepad", "the shown bar's first button selected")
    command(CMD_DELETE)
    qr.wait_until(lambda: qr.window_text(control(NAME)) != "Notepad", timeout=10, what="the button deleted")
    qr.key("CTRL+ALT+Q")
    qr.wait_until(lambda: qr.foreground().get("hwnd") == manager["hwnd"], timeout=10, what="the manager in front")
    qr.screenshot("buttons_manager-hot-key-under-manager")
    expect(state.process.poll() is None, "the program still runs after the hot key")
    close_manager(qr.IDCANCEL)
    wait_commands([1124, 1125, 1126], "the bar as before after Cancel")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
