"""A click on a launch button, pressed on the screen with xdotool, starts the
program it names with its arguments, working folder and window size: Notepad
opens a file named relative to the button's working folder, and a quoted path
with blanks given as arguments in a maximised window. With switching to running
programs turned on, further clicks minimise and bring back the one Notepad;
"Add the program in front" makes a Notepad button that a restart keeps. A
button's own submenu (right click) opens the buttons manager on it, or asks and
removes it, saved at once. The bar's hot key gives it the keyboard, the menu
key opens the menu at the highlighted button, and a digit launches a button by
its number, separators not counted. A bar of more buttons than the screen's width
holds shows a chevron whose menu lists the rest; the last of them starts Notepad
in the folder of the file its working folder names, or, right-clicked, offers
its own menu, from which it is removed."""

import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import dbmake  # noqa: E402
import dbread  # noqa: E402
import qrbench as qr  # noqa: E402
from qrmouse import click_on_screen  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, set_ini  # noqa: E402

scenario = qr.Scenario("bar_launch")
state = SimpleNamespace(install=None, process=None, bar=None, work=None)

BUTTONS_TOOLBAR_ID = 0xE800
CHEVRON_TOOLBAR_ID = 0xE802
CROWD = 60  # buttons: more than any screen edge here holds
WS_MAXIMIZE = 0x01000000
WS_MINIMIZE = 0x20000000
RELATIVE_TEXT = "found through the working folder"
QUOTED_TEXT = "found by its quoted full path"


def start_bar(settle=0.5):
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    time.sleep(settle)


def launch_buttons():
    found = qr.children(state.bar["hwnd"])
    toolbar = next((c for c in found if c.get("class") == "ToolbarWindow32" and int(c["id"]) == BUTTONS_TOOLBAR_ID),
                   None)
    expect(toolbar is not None, f"the bar has its buttons toolbar: {found}")
    return {int(b["cmd"]): qr.Rect.parse(b["rect"]) for b in toolbar.get("toolbar_buttons", [])}


def notepad_window(name):
    return qr.wait_window(timeout_ms=20000, exe="notepad.exe", title_contains=name)


def notepad_text(window):
    edits = [c for c in qr.children(window["hwnd"]) if c.get("class", "").lower() == "edit"]
    expect(edits, f"Notepad shows an edit control: {window}")
    return edits[0]["text"]


def close_notepads():
    for process in qr.processes(exe="notepad.exe"):
        qr.driver("terminate", process["pid"], check=False)
    qr.wait_until(lambda: not qr.processes(exe="notepad.exe"), timeout=15, what="Notepad to end")


@scenario.step
def install_with_a_launch_bar():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    drive_c = qr.unix_path("C:\\")
    state.work = drive_c / "qrwork"
    (state.work / "other folder").mkdir(parents=True, exist_ok=True)
    (state.work / "relative.txt").write_bytes(RELATIVE_TEXT.encode("ascii"))
    (state.work / "other folder" / "second note.txt").write_bytes(QUOTED_TEXT.encode("ascii"))
    notepad = qr.folder("windows") + "\\notepad.exe"
    summary = dbmake.write(state.install.unix_dir, [
        dbmake.bar("Launching"),
        dbmake.button("Relative note", notepad, workdir="C:\\qrwork", args="relative.txt"),
        dbmake.separator(),
        dbmake.button("Quoted note", notepad, args='"C:\\qrwork\\other folder\\second note.txt"', show="max"),
    ])
    expect(summary["bars"] == "1", f"one bar written: {summary}")


@scenario.step
def relative_argument_opens_in_the_working_folder():
    start_bar()
    buttons = launch_buttons()
    expect(sorted(buttons) == [0, 1124, 1126], f"two launch buttons and a separator: {sorted(buttons)}")
    qr.screenshot("bar_launch-bar")
    click_on_screen(*buttons[1124].center)
    window = notepad_window("relative.txt")
    qr.wait_until(lambda: notepad_text(window) == RELATIVE_TEXT, timeout=10, what="the file's text in Notepad")
    expect(not int(window["style"], 16) & WS_MAXIMIZE, f"a normal window: {window}")
    qr.screenshot("bar_launch-relative")
    close_notepads()


@scenario.step
def quoted_path_opens_maximised():
    click_on_screen(*launch_buttons()[1126].center)
    window = notepad_window("second note.txt")
    qr.wait_until(lambda: notepad_text(window) == QUOTED_TEXT, timeout=10, what="the quoted file's text")
    qr.wait_until(lambda: int(qr.info(window["hwnd"])["style"], 16) & WS_MAXIMIZE, timeout=10,
                  what="a maximised Notepad")
    qr.screenshot("bar_launch-quoted-maximised")
    close_notepads()


@scenario.step
def exit_ends_the_program():
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


def stored_names():  # bar 0's buttons as lbars.acc holds them, in order
    return [b[0] if b != "-" else "" for b in dbread.read_bars(state.install.file("lbars.acc"))[0][1]]


def is_iconic(hwnd):
    return bool(int(qr.info(hwnd)["style"], 16) & WS_MINIMIZE)


@scenario.step
def with_switching_on_clicks_toggle_the_one_notepad():
    set_ini(state.install, "extras", "SwitchToRunning", "1")
    start_bar()
    click_on_screen(*launch_buttons()[1124].center)
    window = notepad_window("relative.txt")
    qr.wait_until(lambda: qr.foreground()["hwnd"] == window["hwnd"], timeout=10, what="Notepad in front")
    # Wine opens Notepad at the screen's corner, over the bar's buttons: the
    # next clicks come as the button's command, as a click on it sends.
    qr.send_command(state.bar["hwnd"], 1124)
    qr.wait_until(lambda: is_iconic(window["hwnd"]), timeout=10, what="Notepad minimised by the second click")
    qr.send_command(state.bar["hwnd"], 1124)
    qr.wait_until(lambda: not is_iconic(window["hwnd"]) and qr.foreground()["hwnd"] == window["hwnd"],
                  timeout=10, what="Notepad restored and in front by the third click")
    time.sleep(1)
    expect(len(qr.processes(exe="notepad.exe")) == 1, f"one Notepad: {qr.processes(exe='notepad.exe')}")
    qr.screenshot("bar_launch-switched")


@scenario.step
def add_the_program_in_front():
    expect(qr.foreground().get("class") == "Notepad", f"Notepad in front: {qr.foreground()}")
    r = qr.Rect.parse(state.bar["rect"])
    # On a loaded machine a synthetic click is now and then lost: the click
    # is given again when no menu came (the bar keeps the program that was in
    # front before it, whichever click opened the menu).
    for attempt in range(3):
        qr.click(r.right - 30, (r.top + r.bottom) // 2, "right")
        try:
            qr.wait_window(timeout_ms=5000, cls="#32768", exe=EXE)
            break
        except qr.DriverError:
            if attempt == 2:
                raise
    qr.screenshot("bar_launch-add-front-menu")
    # The entry stands before "Earlier copies..." and Exit, the last two.
    qr.driver("key", "UP", "UP", "UP", "RETURN", "--delay", "150")
    qr.wait_until(lambda: sorted(launch_buttons()) == [0, 1124, 1126, 1127], timeout=10,
                  what="a new button at the end of the bar")
    qr.wait_until(lambda: len(stored_names()) == 4 and "notepad" in stored_names()[-1].lower(), timeout=10,
                  what="the button saved at once")
    qr.screenshot("bar_launch-added-front")
    close_notepads()
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    start_bar(settle=0)
    qr.wait_until(lambda: sorted(launch_buttons()) == [0, 1124, 1126, 1127], timeout=10,
                  what="the added button after a restart")
    names = stored_names()
    expect(len(names) == 4 and names[0] == "Relative note" and "notepad" in names[3].lower(), f"stored: {names}")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


def button_menu(cmd, *keys, at=None, shot=None, before=lambda: None):
    """Right-clicks the button (or `at`), opens its submenu (the menu's last entry), presses `keys`."""
    click_on_screen(*(at or launch_buttons()[cmd].center), "3")
    before()
    qr.wait_window(timeout_ms=10000, cls="#32768", exe=EXE)
    qr.driver("key", "UP", "RIGHT", "--delay", "150")
    qr.wait_until(lambda: len(qr.windows(visible_only=True, cls="#32768", exe=EXE)) == 2, 10, what="submenu")
    qr.screenshot(shot or f"bar_launch-button-menu-{cmd}")
    qr.driver("key", *keys, "--delay", "150")


@scenario.step
def button_menu_edits_and_removes_a_button():
    start_bar()
    button_menu(1126, "UP", "UP", "RETURN")  # from "Open" up past "Remove..." to "Edit in the buttons manager..."
    manager = qr.wait_window(timeout_ms=20000, exe=EXE, cls="#32770", title="Buttons Manager")
    name = next(c["hwnd"] for c in qr.children(manager["hwnd"]) if int(c["id"]) == 1008)  # the name field
    qr.wait_until(lambda: qr.window_text(name) == "Quoted note", timeout=10, what="the button selected")
    qr.press(manager["hwnd"], qr.IDCANCEL)
    qr.wait_gone(manager["hwnd"], timeout_ms=20000, destroyed=True)
    button_menu(1127, "UP", "RETURN")  # "Remove from the bar...", the submenu's last entry
    box = qr.answer_message_box(qr.IDYES, exe=EXE)
    expect(box["text"].startswith('Remove "') and '" from the bar?' in box["text"], f"the question: {box['text']!r}")
    qr.wait_until(lambda: sorted(launch_buttons()) == [0, 1124, 1126], timeout=10, what="the button gone")
    expect(stored_names() == ["Relative note", "", "Quoted note"], f"saved at once: {stored_names()}")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.step
def hot_key_and_digit_launch_by_number():
    set_ini(state.install, "extras", "HotKey", str(0x651))  # Ctrl+Alt+Q as the hot-key control gives it
    start_bar(settle=1)
    qr.key("CTRL+ALT+Q")
    qr.wait_until(lambda: qr.foreground()["hwnd"] == state.bar["hwnd"], timeout=10, what="the bar in front")
    time.sleep(0.5)
    qr.screenshot("bar_launch-keyboard-digits")
    expect(sorted(launch_buttons()) == [0, 1124, 1126], "the removed button stays gone after a restart")
    qr.key("APPS")  # the menu opens under the highlighted first button
    menu = qr.wait_window(timeout_ms=10000, cls="#32768", exe=EXE)
    r, first = qr.rect(menu["hwnd"])[0], launch_buttons()[1124]
    expect((r.left, r.top) == (first.left, first.bottom), f"the menu at the button: {r} {first}")
    qr.screenshot("bar_launch-keyboard-button-menu")
    qr.key("ESCAPE")
    qr.wait_gone(menu["hwnd"], timeout_ms=10000)
    # 1 the relative note, then the separator, 2 the quoted note.
    qr.key("2")
    window = notepad_window("second note.txt")
    qr.wait_until(lambda: notepad_text(window) == QUOTED_TEXT, timeout=10, what="the quoted file's text")
    close_notepads()
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


def open_chevron_menu(chevron_rect):
    click_on_screen(*chevron_rect.center)
    menu = qr.wait_window(timeout_ms=10000, cls="#32768", exe=EXE)
    r, _ = qr.rect(menu["hwnd"])
    expect(r.right == chevron_rect.right and r.top == chevron_rect.bottom,
           f"the menu opens under the chevron, flush with its far side: {r} {chevron_rect}")
    return menu


@scenario.step
def chevron_menu_offers_the_buttons_that_do_not_fit():
    notepad = qr.folder("windows") + "\\notepad.exe"
    for n in range(CROWD):
        (state.work / f"filler{n}.txt").write_bytes(f"filler {n}".encode("ascii"))
    dbmake.write(state.install.unix_dir, [
        dbmake.bar("Crowded"),
        *[dbmake.button(f"Filler {n}", notepad, workdir="C:\\qrwork", args=f"filler{n}.txt") for n in range(CROWD)],
        dbmake.separator(),
        # A working folder that names a file: the program starts in that file's folder.
        dbmake.button("Folder named by a file", notepad, workdir="C:\\qrwork\\relative.txt", args="relative.txt"),
    ])
    start_bar()
    found = qr.children(state.bar["hwnd"])
    toolbar = next(c for c in found if c.get("class") == "ToolbarWindow32" and int(c["id"]) == BUTTONS_TOOLBAR_ID)
    chevron = next((c for c in found if c.get("class") == "ToolbarWindow32" and int(c["id"]) == CHEVRON_TOOLBAR_ID
                    and c["visible"] == "1"), None)
    expect(chevron is not None, f"a chevron on the crowded bar: {found}")
    shown, bar_rect = qr.Rect.parse(toolbar["rect"]), qr.Rect.parse(state.bar["rect"])
    chevron_rect = qr.Rect.parse(chevron["rect"])
    expect(shown.right <= chevron_rect.left and chevron_rect.right <= bar_rect.right,
           f"the buttons end before the chevron, the chevron within the bar: {shown} {chevron_rect} {bar_rect}")
    left_off = [int(b["cmd"]) - 1124 for b in toolbar.get("toolbar_buttons", [])
                if int(b["cmd"]) and qr.Rect.parse(b["rect"]).right > shown.right]
    expect(0 < len(left_off) < CROWD + 1, f"some buttons are left off the bar: {left_off}")
    # At rest the chevron shows on the black bar (the theme draws no face there).
    expect(qr.colours_in(qr.screenshot("bar_launch-crowded-rest"), chevron_rect) > 1, "the chevron's glyph is seen")
    # The menu's first entry is the first button left off, its last the bar's last button.
    open_chevron_menu(chevron_rect)
    qr.screenshot("bar_launch-chevron-menu")
    qr.driver("key", "DOWN", "RETURN", "--delay", "150")
    window = notepad_window(f"filler{left_off[0]}.txt")
    qr.wait_until(lambda: notepad_text(window) == f"filler {left_off[0]}", timeout=10, what="the first button left off")
    close_notepads()
    open_chevron_menu(chevron_rect)
    qr.driver("key", "UP", "RETURN", "--delay", "150")
    window = notepad_window("relative.txt")
    qr.wait_until(lambda: notepad_text(window) == RELATIVE_TEXT, timeout=10,
                  what="the file found in the folder of the working folder's file")
    close_notepads()
    # A right click on the last entry: the chevron's menu closes, the button's own opens.
    menu = open_chevron_menu(chevron_rect)["hwnd"]
    r, _ = qr.rect(menu)
    button_menu(0, "UP", "RETURN", at=((r.left + r.right) // 2, r.bottom - 8), shot="bar_launch-chevron-button-menu",
                before=lambda: qr.wait_gone(menu, destroyed=True))
    box = qr.answer_message_box(qr.IDYES, exe=EXE)
    expect('"Folder named by a file"' in box["text"], f"the question names the entry: {box['text']!r}")
    qr.wait_until(lambda: "Folder named by a file" not in stored_names(), timeout=10, what="removed and saved")
    expect(not qr.processes(exe="notepad.exe"), "nothing was started")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.cleanup
def end_programs():
    close_notepads()
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
