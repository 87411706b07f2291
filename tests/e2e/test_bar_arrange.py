"""Arranging the bar with the real mouse (xdotool): a short press on a button
launches it; the second of five buttons dragged past the fourth stands there
at once, with the drop marker and its picture shown while dragging, and
"lbars.acc" holds the new order, which a restart keeps; a drag let go off the
bar or called off with Escape saves nothing; a button held on the bar-switch
button opens its menu and, let go over another bar, goes to that bar's end."""

import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import dbmake  # noqa: E402
import dbread  # noqa: E402
import qrbench as qr  # noqa: E402
from qrmouse import drag_on_screen, glide, xdotool  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, set_ini  # noqa: E402

scenario = qr.Scenario("bar_arrange")
state = SimpleNamespace(install=None, process=None, bar=None)
BUTTONS_TOOLBAR_ID, SWITCH_TOOLBAR_ID = 0xE800, 0xE801
NAMES = ["one", "two", "three", "four", "five"]


def toolbar_buttons(toolbar_id=BUTTONS_TOOLBAR_ID):
    """Screen rectangles of a toolbar's items, in order."""
    toolbar = next(c for c in qr.children(state.bar["hwnd"])
                   if c.get("class") == "ToolbarWindow32" and int(c["id"]) == toolbar_id)
    return [qr.Rect.parse(b["rect"]) for b in toolbar.get("toolbar_buttons", [])]


def stored_names(bar=0):
    return [button[0] for button in dbread.read_bars(state.install.file("lbars.acc"))[bar][1]]


def note_opened_by_place(index):
    """Clicks the bar's button at `index`; the name of the note Notepad opens."""
    xdotool("mousemove", *toolbar_buttons()[index].center)
    time.sleep(0.3)
    xdotool("click", 1)
    window = qr.wait_window(timeout_ms=20000, exe="notepad.exe", title_contains=".txt")
    for process in qr.processes(exe="notepad.exe"):
        qr.driver("terminate", process["pid"], check=False)
    qr.wait_until(lambda: not qr.processes(exe="notepad.exe"), timeout=15, what="Notepad to end")
    return next(name for name in NAMES if f"{name}.txt" in window["text"])


def start_bar():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    time.sleep(0.5)


def unchanged_by(action):
    """Runs `action`; the database file is neither changed nor written, nothing launched."""
    database = state.install.file("lbars.acc")
    before = (database.stat().st_mtime_ns, stored_names())
    action()
    time.sleep(1)
    expect((database.stat().st_mtime_ns, stored_names()) == before, f"nothing saved: {before}, {stored_names()}")
    expect(not qr.windows(visible_only=True, cls="OrvantisDropMarker"), "the marker has gone")
    expect(not qr.processes(exe="notepad.exe"), "nothing launched")


@scenario.step
def install_with_five_note_buttons():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    work = qr.unix_path("C:\\") / "qrarrange"
    work.mkdir(parents=True, exist_ok=True)
    notepad = qr.folder("windows") + "\\notepad.exe"
    lines = [dbmake.bar("Arrange")]
    for name in NAMES:
        (work / f"{name}.txt").write_bytes(f"note {name}".encode("ascii"))
        lines.append(dbmake.button(name, notepad, args=f"C:\\qrarrange\\{name}.txt"))
    dbmake.write(state.install.unix_dir, lines + [dbmake.bar("Other"), dbmake.button("other", notepad)])
    start_bar()


@scenario.step
def short_press_launches():
    expect(len(toolbar_buttons()) == 5, f"five buttons: {toolbar_buttons()}")
    expect(note_opened_by_place(1) == "two", "the second button opens its note")


@scenario.step
def drag_second_past_fourth():
    buttons, seen = toolbar_buttons(), []

    def look():
        seen.extend(qr.windows(visible_only=True, cls=cls) for cls in ("OrvantisDropMarker", "OrvantisDragImage"))
        qr.screenshot("bar_arrange-dragging")

    # Past the middle of the fourth: the gap between it and the fifth.
    drag_on_screen(buttons[1].center, (buttons[3].right - 3, buttons[3].center[1]), look)
    expect(all(seen), f"marker and picture while dragging: {seen}")
    qr.wait_until(lambda: stored_names() == ["one", "three", "four", "two", "five"], timeout=10,
                  what="the new order saved at once")
    qr.screenshot("bar_arrange-moved")
    expect(note_opened_by_place(3) == "two", "the moved button opens from its new place")
    expect(note_opened_by_place(1) == "three", "the next one took its old place")


@scenario.step
def drag_off_the_bar_or_called_off_changes_nothing():
    buttons, screen = toolbar_buttons(), qr.screen()
    unchanged_by(lambda: drag_on_screen(buttons[0].center, (screen["width"] // 2, screen["height"] // 2)))
    unchanged_by(lambda: drag_on_screen(buttons[0].center, (buttons[4].right - 2, buttons[4].center[1]),
                                        lambda: xdotool("key", "Escape")))


@scenario.step
def held_on_the_switch_button_goes_to_another_bar():
    buttons, switch = toolbar_buttons(), toolbar_buttons(SWITCH_TOOLBAR_ID)[0]

    def choose_other():
        menu = qr.Rect.parse(qr.wait_window(timeout_ms=5000, cls="#32768", exe=EXE)["rect"])
        qr.screenshot("bar_arrange-switch-menu")
        # The bars, a separator, "Buttons manager...": "Other" stands a little above the middle.
        glide(switch.center, (menu.center[0], menu.top + menu.height * 45 // 100), steps=5)
        time.sleep(0.3)

    drag_on_screen(buttons[4].center, switch.center, lambda: (time.sleep(1.2), choose_other()))
    qr.wait_until(lambda: stored_names(1) == ["other", "five"], timeout=10, what="the button at the other bar's end")
    expect(stored_names(0) == ["one", "three", "four", "two"], f"gone from the shown bar: {stored_names()}")
    expect(len(toolbar_buttons()) == 4, "the shown bar stays, one button fewer")


@scenario.step
def restart_keeps_the_order():
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    start_bar()
    expect(note_opened_by_place(3) == "two", "the order after a restart")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.cleanup
def end_programs():
    for process in qr.processes(exe="notepad.exe"):
        qr.driver("terminate", process["pid"], check=False)
    if state.process:
        qr.stop(state.process)


if __name__ == "__main__":
    sys.exit(scenario.run())
