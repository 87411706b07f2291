"""Dragging onto the bar: a file, a folder, a shell link and an internet
shortcut dragged together through OLE (as from Explorer) and dropped between
the first two buttons become buttons there, in their order; a web address
dragged from a browser lands after the last button; a marker shows the place
while dragging; an autohide bar slides out under the drag and collapses after
it; "lbars.acc", read with olefile, holds the new buttons, and they are on the
bar after a restart; they launch at once. A drop of thousands of files never
holds the source: its drag ends at once and the question comes afterwards."""

import sys
import threading
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import olefile  # noqa: E402

import dbmake  # noqa: E402
import qrbench as qr  # noqa: E402
from qrmouse import click_on_screen  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, set_ini  # noqa: E402

scenario = qr.Scenario("bar_drop")
state = SimpleNamespace(install=None, process=None, bar=None, work=None, screen=None)

BUTTONS_TOOLBAR_ID = 0xE800
AUTOHIDE = 32773
WORK = "C:\\qrdrop"
MANY_FILES = 3000
# Far more than a drop needs; a target that waits for the question takes as long as nobody answers.
DROP_RETURNS_MS = 2000


def toolbar_buttons():
    """[(command, screen rectangle)] of the buttons toolbar, in order."""
    for child in qr.children(state.bar["hwnd"]):
        if child.get("class") == "ToolbarWindow32" and int(child["id"]) == BUTTONS_TOOLBAR_ID:
            return [(int(b["cmd"]), qr.Rect.parse(b["rect"])) for b in child.get("toolbar_buttons", [])]
    return []


def stored_buttons():
    """[(name, target, kind)] of bar 0 as lbars.acc holds them."""
    def texts(data, count):
        values, at = [], 0
        for _ in range(count):
            length = int.from_bytes(data[at:at + 4], "little", signed=True)
            values.append(data[at + 4:at + 4 + length].decode("latin-1"))
            at += 4 + length
        return values, at

    with olefile.OleFileIO(str(state.install.file("lbars.acc"))) as ole:
        positions = sorted(int(e[1]) for e in ole.listdir(streams=True) if len(e) == 2 and e[0] == "0"
                           and e[1].isdigit())
        buttons = []
        for position in positions:
            data = ole.openstream(["0", str(position)]).read()
            (name, target, _, _), at = texts(data, 4)
            buttons.append((name, target, int.from_bytes(data[at + 4:at + 8], "little", signed=True)))
        return buttons


def drag(points, *data, hold_ms=400, while_held=None):
    """A real OLE drag from the driver along `points`, dropped at the last one;
    `while_held` runs while the drag rests there. Returns the driver's record."""
    result = {}

    def run():
        result.update(qr.records("drag", ";".join(f"{x},{y}" for x, y in points), *data, "--hold", hold_ms,
                                 timeout=120)[0])

    worker = threading.Thread(target=run)
    worker.start()
    if while_held:
        while_held()
    worker.join(timeout=150)
    expect(not worker.is_alive() and result, f"the drag ended: {result}")
    return result


def marker_shown():
    return qr.windows(visible_only=True, cls="OrvantisDropMarker")


def close_notepads():
    for process in qr.processes(exe="notepad.exe"):
        qr.driver("terminate", process["pid"], check=False)


def start_bar():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)


@scenario.step
def install_with_a_bar_and_things_to_drag():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    state.screen = qr.screen()
    notepad = qr.folder("windows") + "\\notepad.exe"
    dbmake.write(state.install.unix_dir, [
        dbmake.bar("Drops"),
        dbmake.button("first", notepad),
        dbmake.button("second", notepad),
    ])
    state.work = qr.unix_path("C:\\") / "qrdrop"
    (state.work / "Tools").mkdir(parents=True, exist_ok=True)
    (state.work / "notes.txt").write_bytes(b"dropped notes")
    (state.work / "site.url").write_bytes(b"[InternetShortcut]\r\nURL=http://www.example.com/page\r\n")
    qr.make_lnk(state.work / "Editor.lnk", notepad, args=WORK + "\\notes.txt")


@scenario.step
def files_dropped_between_the_first_two_buttons():
    start_bar()
    buttons = qr.wait_until(lambda: len(toolbar_buttons()) == 2 and toolbar_buttons(), timeout=10,
                            what="the two buttons")
    first = buttons[0][1]
    target = (first.right - 3, (first.top + first.bottom) // 2)
    away = (state.screen["width"] // 2, state.screen["height"] // 2)
    files = "|".join(WORK + "\\" + name for name in ("notes.txt", "Tools", "Editor.lnk", "site.url"))

    def marker_in_the_gap():
        marker = qr.wait_until(marker_shown, timeout=20, what="the marker while dragging")[0]
        line = qr.rect(marker["hwnd"])[0]
        expect(abs(line.center[0] - first.right) <= 1, f"the marker {line} stands after the first button {first}")
        qr.screenshot("bar_drop-marker")

    result = drag([away, target], "--files", files, hold_ms=3000, while_held=marker_in_the_gap)
    expect(result["result"] == "drop" and result["effect"] == "link", f"the bar took the drop as links: {result}")
    qr.wait_until(lambda: len(toolbar_buttons()) == 6, timeout=10, what="six buttons on the bar")
    want = [("first", 0), ("notes", 0), ("Tools", 1), ("Editor", 0), ("www.example.com/page", 2), ("second", 0)]
    have = [(name, kind) for name, _, kind in stored_buttons()]
    expect(have == want, f"lbars.acc holds {have}")
    qr.screenshot("bar_drop-dropped")
    # The new buttons launch at once: the dropped link opens Notepad on the dropped file.
    click_on_screen(*toolbar_buttons()[3][1].center)
    qr.wait_window(timeout_ms=20000, exe="notepad.exe", title_contains="notes")
    close_notepads()


@scenario.step
def a_web_address_from_a_browser_goes_after_the_last():
    last = toolbar_buttons()[-1][1]
    away = (state.screen["width"] // 2, state.screen["height"] // 2)
    result = drag([away, (last.right + 40, last.top + 5)], "--url", "https://www.example.org/news")
    expect(result["effect"] != "none", f"the address was taken: {result}")
    qr.wait_until(lambda: len(toolbar_buttons()) == 7, timeout=10, what="seven buttons on the bar")
    name, target, kind = stored_buttons()[-1]
    expect((name, target, kind) == ("www.example.org/news", "https://www.example.org/news", 2),
           f"the last button is the web link: {(name, target, kind)}")


@scenario.step
def nothing_lands_on_the_bar_switch_button():
    switch = next(c for c in qr.children(state.bar["hwnd"])
                  if c.get("class") == "ToolbarWindow32" and int(c["id"]) != BUTTONS_TOOLBAR_ID)
    at = qr.Rect.parse(switch["rect"]).center
    away = (state.screen["width"] // 2, state.screen["height"] // 2)
    result = drag([away, at], "--files", WORK + "\\notes.txt")
    expect(result["effect"] == "none", f"refused over the bar-switch button: {result}")
    expect(len(stored_buttons()) == 7, "no button was added")


def collapse_with_pointer_at(place, what):
    """Waits for the autohide bar to collapse with the pointer at `place`. The
    pointer is moved again every few seconds: under load Wine can lose a
    single warp, and the bar then still sees the pointer over itself."""
    deadline = time.monotonic() + 30
    for step in range(100):
        qr.move(place[0] + step % 2, place[1])
        try:
            qr.wait_until(lambda: qr.rect(state.bar["hwnd"])[0].height == 1, timeout=4, what=what)
            return
        except qr.BenchError:
            if time.monotonic() >= deadline:
                raise


@scenario.step
def an_autohide_bar_slides_out_under_the_drag():
    first = toolbar_buttons()[0][1]  # where it stands while the bar is out
    qr.send_command(state.bar["hwnd"], AUTOHIDE)
    middle = (state.screen["width"] // 2, state.screen["height"] // 2)
    collapse_with_pointer_at(middle, "the bar on its strip")
    inside = (first.left + 2, (first.top + first.bottom) // 2)
    thickness = first.bottom - first.top

    def out_with_the_marker():
        qr.wait_until(lambda: qr.rect(state.bar["hwnd"])[0].height > thickness and marker_shown(), timeout=20,
                      what="the bar out under the drag, with the marker")
        time.sleep(1.0)
        expect(qr.rect(state.bar["hwnd"])[0].height > thickness, "the bar stays out while the drag is over it")
        qr.screenshot("bar_drop-autohide-out")

    result = drag([middle, (middle[0], 0), inside], "--files", WORK + "\\notes.txt", "--cancel", hold_ms=4000,
                  while_held=out_with_the_marker)
    expect(result["result"] == "cancel", f"the drag was cancelled over the bar: {result}")
    expect(len(stored_buttons()) == 7, "a cancelled drag adds nothing")
    collapse_with_pointer_at(middle, "the bar back on its strip after the drag")
    qr.send_command(state.bar["hwnd"], AUTOHIDE)


@scenario.step
def thousands_of_files_never_hold_the_source():
    """The drag of several thousand files passes over the bar and is dropped
    there: the source's DoDragDrop returns at once, and only then does the bar
    ask; answered No, nothing is added."""
    names = "\r\n".join(f"{WORK}\\many\\file{i:05}.txt" for i in range(MANY_FILES))
    (state.work / "many.txt").write_bytes(names.encode("latin-1"))
    last = toolbar_buttons()[-1][1]
    away = (state.screen["width"] // 2, state.screen["height"] // 2)
    edge = (state.screen["width"] - 5, last.top + 5)
    result = drag([away, edge, (last.right + 40, last.top + 5)], "--files-from", WORK + "\\many.txt", hold_ms=300)
    expect(result["result"] == "drop" and result["effect"] == "link", f"the bar took the drop: {result}")
    expect(int(result["drop_ms"]) < DROP_RETURNS_MS, f"the drop returned at once: {result['drop_ms']} ms")
    box = qr.answer_message_box(qr.IDNO, timeout_ms=20000, exe=EXE)
    expect(f"{MANY_FILES} items" in box["text"], f"the question names the count: {box['text']!r}")
    time.sleep(0.5)
    expect(len(toolbar_buttons()) == 7 and len(stored_buttons()) == 7, "answered No, nothing was added")


@scenario.step
def after_a_restart_the_dropped_buttons_are_there():
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    start_bar()
    qr.wait_until(lambda: len(toolbar_buttons()) == 7, timeout=10, what="the seven buttons after the restart")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.cleanup
def end_program():
    close_notepads()
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
