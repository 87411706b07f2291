"""Arranging the bar with the mouse, pressed on the screen with xdotool: a
short press on a button still launches it; the second of five buttons dragged
past the fourth stands there at once (a click on the fourth place opens its
file), with the drop marker and the button's picture shown while dragging,
and "lbars.acc" holds the new order, which a restart keeps; a drag let go off
the bar, or called off with Escape, changes and saves nothing; a button held
on the bar-switch button opens its menu and, let go over another bar's entry,
goes to the end of that bar while the shown bar stays. One function per step."""

import os
import subprocess
import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import dbmake  # noqa: E402
import dbread  # noqa: E402
import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, set_ini  # noqa: E402

scenario = qr.Scenario("bar_arrange")
state = SimpleNamespace(install=None, process=None, bar=None)

BUTTONS_TOOLBAR_ID = 0xE800
SWITCH_TOOLBAR_ID = 0xE801
NAMES = ["one", "two", "three", "four", "five"]
WORK = "C:\\qrarrange"


# --- what the user does and sees --------------------------------------------------


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30, env=os.environ)


def click_on_screen(x, y):
    xdotool("mousemove", x, y)
    time.sleep(0.3)
    xdotool("click", 1)


def drag_on_screen(start, end, steps=8, while_held=None, before_release=None):
    """Presses the left button at `start`, moves to `end` in steps as a hand
    would; `while_held` runs there with the button still down, then
    `before_release` (a key, say), then the button comes up."""
    xdotool("mousemove", *start)
    time.sleep(0.3)
    xdotool("mousedown", 1)
    time.sleep(0.2)
    for i in range(1, steps + 1):
        x = start[0] + (end[0] - start[0]) * i // steps
        y = start[1] + (end[1] - start[1]) * i // steps
        xdotool("mousemove", x, y)
        time.sleep(0.08)
    time.sleep(0.3)
    try:
        if while_held:
            while_held()
        if before_release:
            before_release()
    finally:
        xdotool("mouseup", 1)
    time.sleep(0.5)


def toolbar_buttons(toolbar_id=BUTTONS_TOOLBAR_ID):
    """Screen rectangles of a toolbar's items, in order."""
    for child in qr.children(state.bar["hwnd"]):
        if child.get("class") == "ToolbarWindow32" and int(child["id"]) == toolbar_id:
            return [qr.Rect.parse(b["rect"]) for b in child.get("toolbar_buttons", [])]
    raise qr.BenchError(f"the bar has no toolbar {toolbar_id:#x}")


def stored_bars():
    return dbread.read_bars(state.install.file("lbars.acc"))


def stored_names(bar=0):
    return [button[0] for button in stored_bars()[bar][1]]


def note_opened_by_place(index):
    """Clicks the bar's button at `index` and returns the name of the note Notepad shows."""
    click_on_screen(*toolbar_buttons()[index].center)
    window = qr.wait_window(timeout_ms=20000, exe="notepad.exe", title_contains=".txt")
    close_notepads()
    return next(name for name in NAMES if f"{name}.txt" in window["text"])


def close_notepads():
    for process in qr.processes(exe="notepad.exe"):
        qr.driver("terminate", process["pid"], check=False)
    qr.wait_until(lambda: not qr.processes(exe="notepad.exe"), timeout=15, what="Notepad to end")


def start_bar():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    time.sleep(0.5)


def unchanged_by(action):
    """Runs `action` and checks that the database file was neither changed nor written."""
    database = state.install.file("lbars.acc")
    before = (database.stat().st_mtime_ns, stored_bars())
    action()
    time.sleep(1)
    after = (database.stat().st_mtime_ns, stored_bars())
    expect(after == before, f"nothing saved: {before} -> {after}")
    expect(not qr.windows(visible_only=True, cls="OrvantisDropMarker"), "the marker has gone")
    expect(not qr.processes(exe="notepad.exe"), "nothing launched")


# --- steps ------------------------------------------------------------------------


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
        lines.append(dbmake.button(name, notepad, args=f"{WORK}\\{name}.txt"))
    lines += [dbmake.bar("Other"), dbmake.button("other", notepad)]
    dbmake.write(state.install.unix_dir, lines)
    start_bar()


@scenario.step
def short_press_launches():
    expect(len(toolbar_buttons()) == 5, f"five buttons: {toolbar_buttons()}")
    expect(note_opened_by_place(1) == "two", "the second button opens its note")


@scenario.step
def drag_second_past_fourth():
    buttons = toolbar_buttons()
    seen = {}

    def look():
        seen["marker"] = qr.windows(visible_only=True, cls="OrvantisDropMarker")
        seen["image"] = qr.windows(visible_only=True, cls="OrvantisDragImage")
        qr.screenshot("bar_arrange-dragging")

    # Past the middle of the fourth: the gap between it and the fifth.
    drag_on_screen(buttons[1].center, (buttons[3].right - 3, buttons[3].center[1]), while_held=look)
    expect(seen["marker"] and seen["image"], f"marker and picture while dragging: {seen}")
    qr.wait_until(lambda: stored_names() == ["one", "three", "four", "two", "five"], timeout=10,
                  what=f"the new order saved at once: {stored_names()}")
    qr.screenshot("bar_arrange-moved")
    expect(note_opened_by_place(3) == "two", "the moved button opens from its new place")
    expect(note_opened_by_place(1) == "three", "the next one took its old place")


@scenario.step
def drag_off_the_bar_changes_nothing():
    buttons = toolbar_buttons()
    screen = qr.screen()
    unchanged_by(lambda: drag_on_screen(buttons[0].center, (screen["width"] // 2, screen["height"] // 2)))


@scenario.step
def escape_calls_a_drag_off():
    buttons = toolbar_buttons()
    unchanged_by(lambda: drag_on_screen(buttons[0].center, (buttons[4].right - 2, buttons[4].center[1]),
                                        before_release=lambda: xdotool("key", "Escape")))


@scenario.step
def held_on_the_switch_button_goes_to_another_bar():
    buttons = toolbar_buttons()
    switch = toolbar_buttons(SWITCH_TOOLBAR_ID)[0]

    def choose_other():
        menu = qr.wait_window(timeout_ms=5000, cls="#32768", exe=EXE)
        qr.screenshot("bar_arrange-switch-menu")
        entries = qr.Rect.parse(menu["rect"])
        # The bars' entries, then a separator and "Buttons manager...": "Other",
        # the second bar, stands a little above the menu's middle.
        x, y = entries.center[0], entries.top + entries.height * 45 // 100
        for i in range(1, 6):
            xdotool("mousemove", switch.center[0] + (x - switch.center[0]) * i // 5,
                    switch.center[1] + (y - switch.center[1]) * i // 5)
            time.sleep(0.1)
        time.sleep(0.3)

    drag_on_screen(buttons[4].center, switch.center, while_held=lambda: (time.sleep(1.2), choose_other()))
    qr.wait_until(lambda: stored_names(1) == ["other", "five"], timeout=10,
                  what=f"the button at the other bar's end: {stored_bars()}")
    expect(stored_names(0) == ["one", "three", "four", "two"], f"gone from the shown bar: {stored_bars()}")
    expect(len(toolbar_buttons()) == 4, "the shown bar stays, one button fewer")


@scenario.step
def restart_keeps_the_order():
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    start_bar()
    expect(note_opened_by_place(3) == "two", "the order after a restart")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.cleanup
def end_programs():
    close_notepads()
    if state.process:
        qr.stop(state.process)


if __name__ == "__main__":
    sys.exit(scenario.run())
