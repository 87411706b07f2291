"""Earlier copies and bars taken along: the day's first edit keeps the database as
it was in "backups"; "Earlier copies..." lists it and Restore puts it back, the bar
and "lbars.acc" (read by olefile) as before the edit, today's bars kept as one more
copy; a restore while the buttons manager is open is refused; a bar exported
from the manager and imported back is a second bar with the same buttons after OK
and a restart; a silent uninstall and a new install keep all of it."""

import datetime
import sys
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import dbmake  # noqa: E402
from dbread import read_bars  # noqa: E402
import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, set_ini  # noqa: E402

scenario = qr.Scenario("earlier_copies")
state = SimpleNamespace(install=None, process=None, bar=None, manager=None, before=None, notepad=None)

CMD_BUTTONS_MANAGER, CMD_EARLIER_COPIES, CMD_DELETE = 32785, 33070, 32816
TREE, NAME, EXPORT, IMPORT = 1132, 1008, 1474, 1475
COPIES_LIST, COPIES_RESTORE = 1470, 1471
TVM_GETCOUNT, TVM_GETNEXTITEM, TVM_SELECTITEM = 0x1105, 0x110A, 0x110B
TVGN_ROOT, TVGN_NEXT, TVGN_CHILD, TVGN_CARET = 0, 1, 4, 9
LVM_GETITEMCOUNT = 0x1004
FILE_NAME_BOXES = (0x47C, 0x480)
MANAGER_OPEN = ("An earlier copy cannot be put back while the buttons manager is open.\n"
                "Close the buttons manager (OK or Cancel) and try again.")


def database():
    return read_bars(state.install.file("lbars.acc"))


def copies():
    folder = state.install.file("backups")
    return sorted(p.name for p in folder.iterdir()) if folder.is_dir() else []


def wait_commands(commands, what):
    qr.wait_until(lambda: qr.launch_commands(state.bar["hwnd"]) == commands, timeout=15, what=what)


def control(window, control_id):
    found = [c for c in qr.children(window["hwnd"]) if int(c["id"]) == control_id]
    expect(found, f"control {control_id} in {window.get('text')}")
    return found[0]["hwnd"]


def open_manager():
    qr.send_command(state.bar["hwnd"], CMD_BUTTONS_MANAGER)
    state.manager = qr.wait_window(timeout_ms=20000, exe=EXE, cls="#32770", title="Buttons Manager")
    return state.manager


def close_manager(button):
    qr.press(state.manager["hwnd"], button)
    qr.wait_gone(state.manager["hwnd"], timeout_ms=20000, destroyed=True)
    state.manager = None


def select(*path):
    tree = control(state.manager, TREE)
    item = qr.send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)
    for index in path:
        item = qr.send(tree, TVM_GETNEXTITEM, TVGN_CHILD, item)
        for _ in range(index):
            item = qr.send(tree, TVM_GETNEXTITEM, TVGN_NEXT, item)
        expect(item, f"tree item {path}")
    qr.send(tree, TVM_SELECTITEM, TVGN_CARET, item)


def name_field():
    return qr.window_text(control(state.manager, NAME))


def file_dialog(title, path):
    """The manager's file dialog: the path typed into its name box, then its OK."""
    files = qr.wait_window(timeout_ms=20000, exe=EXE, cls="#32770", title=title)
    box = next((c for c in qr.children(files["hwnd"]) if int(c["id"]) in FILE_NAME_BOXES), None)
    expect(box is not None, f"the file dialog has a name box: {qr.children(files['hwnd'])}")
    qr.set_text(box["hwnd"], path)
    qr.screenshot(f"earlier_copies-{title.lower().replace(' ', '-')}")
    qr.press(files["hwnd"], qr.IDOK)
    qr.wait_gone(files["hwnd"], timeout_ms=20000, destroyed=True)


# --- the steps -----------------------------------------------------------------------


@scenario.step
def install_with_a_bar():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    state.notepad = qr.folder("windows") + "\\notepad.exe"
    dbmake.write(state.install.unix_dir, [
        dbmake.bar("Tools"),
        dbmake.button("Notepad", state.notepad),
        dbmake.separator(),
        dbmake.button("Drive C", "C:\\", kind="folder"),
    ])
    state.before = database()
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    wait_commands([1124, 1126], "the two buttons of Tools (and a separator)")
    expect(copies() == [], f"no copy before the first save: {copies()}")


@scenario.step
def the_days_first_edit_keeps_the_database_as_it_was():
    open_manager()
    select(0, 0)
    qr.wait_until(lambda: name_field() == "Notepad", timeout=10, what="Notepad selected")
    qr.send_command(state.manager["hwnd"], CMD_DELETE)
    qr.wait_until(lambda: qr.send(control(state.manager, TREE), TVM_GETCOUNT, 0, 0) == 4, timeout=10,
                  what="Notepad gone from the tree")
    close_manager(qr.IDOK)
    wait_commands([1125], "the bar without Notepad")
    today = datetime.date.today().isoformat()
    expect(copies() == [f"lbars-{today}.acc"], f"the day's copy: {copies()}")
    expect(read_bars(state.install.file("backups") / f"lbars-{today}.acc") == state.before,
           "the copy holds the bars before the edit")


@scenario.step
def restore_puts_the_bars_back_and_keeps_todays():
    edited = database()
    qr.send_command(state.bar["hwnd"], CMD_EARLIER_COPIES)
    dialog = qr.wait_window(timeout_ms=20000, exe=EXE, cls="#32770", title="Earlier copies of the bars")
    expect(qr.send(control(dialog, COPIES_LIST), LVM_GETITEMCOUNT, 0, 0) == 1, "one copy listed")
    expect(qr.info(control(dialog, COPIES_RESTORE)).get("enabled", "1") == "1", "Restore enabled")
    qr.screenshot("earlier_copies-dialog")
    qr.press(dialog["hwnd"], COPIES_RESTORE)
    box = qr.answer_message_box(qr.IDYES, exe=EXE)
    expect(box["text"].startswith("Put back the bars as they were kept on "), f"question {box['text']!r}")
    qr.wait_gone(dialog["hwnd"], timeout_ms=20000, destroyed=True)
    wait_commands([1124, 1126], "the buttons back on the bar")
    expect(database() == state.before, f"lbars.acc as before the edit: {database()}")
    today = datetime.date.today().isoformat()
    expect(copies() == [f"lbars-{today}.acc", f"lbars-{today}_2.acc"], f"today's bars kept too: {copies()}")
    expect(read_bars(state.install.file("backups") / f"lbars-{today}_2.acc") == edited,
           "the second copy holds the bars the restore replaced")
    expect(not state.install.file("tmp_db.acc").exists(), "no save copy left")
    qr.screenshot("earlier_copies-restored")


@scenario.step
def restore_is_refused_while_the_manager_is_open():
    open_manager()
    qr.send_command(state.bar["hwnd"], CMD_EARLIER_COPIES)
    box = qr.answer_message_box(qr.IDOK, exe=EXE)
    expect(box["text"] == MANAGER_OPEN, f"refusal {box['text']!r}")
    expect(not qr.windows(visible_only=True, exe=EXE, title="Earlier copies of the bars"), "no copies dialog")
    close_manager(qr.IDCANCEL)


@scenario.step
def exported_bar_imported_back_is_a_second_bar_after_ok_and_a_restart():
    exported = "C:\\qrtransfer\\Tools.qrbar"
    qr.unix_path("C:\\").joinpath("qrtransfer").mkdir(exist_ok=True)
    open_manager()
    select(0)
    qr.wait_until(lambda: name_field() == "Tools", timeout=10, what="the bar selected")
    qr.press(state.manager["hwnd"], EXPORT)
    file_dialog("Export bar", exported)
    qr.wait_until(lambda: qr.unix_path(exported).exists(), timeout=10, what="the exported file")
    expect(read_bars(qr.unix_path(exported)) == state.before, "the file holds the bar and its buttons")
    qr.press(state.manager["hwnd"], IMPORT)
    file_dialog("Import bars", exported)
    qr.wait_until(lambda: name_field() == "Notepad", timeout=10, what="the imported bar's first button")
    qr.screenshot("earlier_copies-imported")
    close_manager(qr.IDOK)
    want = state.before + [("Tools (2)", state.before[0][1])]
    expect(database() == want, f"lbars.acc after OK: {database()}")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    open_manager()
    select(1, 2)
    qr.wait_until(lambda: name_field() == "Drive C", timeout=10, what="the second bar's last button")
    close_manager(qr.IDCANCEL)
    expect(database() == want, "the second bar after a restart")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    state.process = None


@scenario.step
def uninstall_and_reinstall_keep_the_bars():
    kept = database()
    backups = copies()
    qr.start(state.install.file("Uninstall.exe"), "/S")
    qr.wait_until(lambda: not state.install.exe.exists() and qr.reg_get(qr.PRODUCT_KEY, "Version") is None,
                  timeout=60, what="the silent uninstall")
    expect(database() == kept and copies() == backups, "the bars and their copies stay")
    state.install = qr.install()
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    wait_commands([1124, 1126], "the kept bar on show")
    expect(database() == kept, f"no sample bar over the kept ones: {database()}")
    qr.screenshot("earlier_copies-reinstalled")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
