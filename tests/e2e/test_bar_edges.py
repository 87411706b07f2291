"""The sample bar docked on each screen edge: position and thickness, the
toolbar's buttons (a row on top and bottom, a column on left and right),
screenshots of each; large icons; a click on the Notepad button opens Notepad;
after Exit options.ini keeps the edge that was in effect."""

import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import olefile  # noqa: E402
import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, ini_path, set_ini  # noqa: E402

scenario = qr.Scenario("bar_edges")
state = SimpleNamespace(install=None, process=None, bar=None, thickness={})

EDGE_COMMANDS = {"top": 32794, "bottom": 32795, "left": 32796, "right": 32797}
EDGE_NUMBERS = {"left": 0, "top": 1, "right": 2, "bottom": 3}
BUTTONS_TOOLBAR_ID = 0xE800
SWITCH_COMMAND = 32789
TBSTYLE_SEP = 0x1


def notepad_command():
    """The command of the sample bar's Notepad button: buttons are numbered by
    their place in the stored bar."""
    with olefile.OleFileIO(str(state.install.file("lbars.acc"))) as ole:
        places = sorted(int(e[1]) for e in ole.listdir() if len(e) == 2 and e[0] == "0" and e[1].isdigit())
        for place in places:
            record = ole.openstream(["0", str(place)]).read()
            name_length = int.from_bytes(record[:4], "little")
            target_length = int.from_bytes(record[4 + name_length:8 + name_length], "little")
            target = record[8 + name_length:8 + name_length + target_length].decode("latin-1")
            if target.lower().endswith("\\notepad.exe"):
                return 1124 + place
    raise qr.BenchError("the sample bar has no Notepad button")


def close_notepad():
    for process in qr.processes(exe="notepad.exe"):
        qr.driver("terminate", process["pid"], check=False)


def start_bar():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)


def toolbar_buttons():
    """The buttons toolbar's buttons (screen rectangles) and the bar-switch button."""
    found = qr.children(state.bar["hwnd"])
    toolbars = [c for c in found if c.get("class") == "ToolbarWindow32"]
    buttons = next((c.get("toolbar_buttons", []) for c in toolbars if int(c["id"]) == BUTTONS_TOOLBAR_ID), [])
    switch = [b for c in toolbars for b in c.get("toolbar_buttons", []) if int(b["cmd"]) == SWITCH_COMMAND]
    return buttons, switch


def is_separator(button):
    return int(button["style"], 16) & TBSTYLE_SEP


def expected_rect(edge, thickness, screen):
    w, h = screen["width"], screen["height"]
    return {"top": qr.Rect(0, 0, w, thickness), "bottom": qr.Rect(0, h - thickness, w, h),
            "left": qr.Rect(0, 0, thickness, h), "right": qr.Rect(w - thickness, 0, w, h)}[edge]


def check_buttons(edge, size):
    buttons, switch = toolbar_buttons()
    expect(len(switch) == 1, f"one bar-switch button, got {switch}")
    launch = [b for b in buttons if not is_separator(b)]
    expect(len(launch) >= 3, f"the sample bar's buttons are on the toolbar: {buttons}")
    expect(any(int(b["cmd"]) == notepad_command() for b in launch), f"the Notepad button is there: {buttons}")
    window, _ = qr.rect(state.bar["hwnd"])
    for b in launch:
        r = qr.Rect.parse(b["rect"])
        expect((r.width, r.height) == size, f"{edge}: button {b['cmd']} is {r.width} x {r.height}")
        expect(window.contains(r), f"{edge}: button {b['cmd']} {r} lies outside the bar {window}")
    rects = [qr.Rect.parse(b["rect"]) for b in launch]
    if edge in ("left", "right"):
        expect(len({r.left for r in rects}) == 1, f"{edge}: the buttons stand in one column: {rects}")
        expect(all(a.bottom <= b.top for a, b in zip(rects, rects[1:])), f"{edge}: one below the other: {rects}")
    else:
        expect(len({r.top for r in rects}) == 1, f"{edge}: the buttons stand in one row: {rects}")
        expect(all(a.right <= b.left for a, b in zip(rects, rects[1:])), f"{edge}: side by side: {rects}")
    seps = [b for b in buttons if is_separator(b)]
    expect(len(seps) == 2, f"the sample bar's two separators: {seps}")


@scenario.step
def install():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")


@scenario.step
def docks_on_every_edge():
    start_bar()
    screen = qr.screen()
    for edge in ("bottom", "left", "right", "top"):
        qr.send_command(state.bar["hwnd"], EDGE_COMMANDS[edge])

        def placed():
            window, _ = qr.rect(state.bar["hwnd"])
            along_ok = (window.width == screen["width"]) if edge in ("top", "bottom") else \
                (window.height == screen["height"])
            thickness = window.height if edge in ("top", "bottom") else window.width
            return along_ok and window == expected_rect(edge, thickness, screen) and (window, thickness)
        window, thickness = qr.wait_until(placed, timeout=10, what=f"the bar on the {edge} edge")
        expect(26 <= thickness <= 90, f"{edge}: thickness {thickness}")
        state.thickness[edge] = thickness
        time.sleep(0.5)
        check_buttons(edge, (23, 22))
        qr.screenshot(f"bar_edges-{edge}")
    t = state.thickness
    expect(t["top"] == t["bottom"] and t["left"] == t["right"], f"opposite edges are equally thick: {t}")


@scenario.step
def click_on_notepad_opens_it():
    buttons, _ = toolbar_buttons()
    notepad = next(b for b in buttons if int(b["cmd"]) == notepad_command())
    x, y = qr.Rect.parse(notepad["rect"]).center
    # A real press on the screen (the driver's SendInput), not a sent command.
    qr.move(x, y)
    time.sleep(0.3)
    qr.click(x, y)
    qr.wait_window(timeout_ms=20000, exe="notepad.exe")
    qr.screenshot("bar_edges-notepad")
    close_notepad()


@scenario.step
def exit_keeps_the_edge():
    qr.send_command(state.bar["hwnd"], EDGE_COMMANDS["bottom"])
    code = exit_through_menu(state.process, state.bar)
    expect(code == 0, f"exit code {code}")
    view = {k.strip(): v for k, v in qr.read_ini(ini_path(state.install))["view"].items()}
    expect(view["Edge"] == str(EDGE_NUMBERS["bottom"]), f"Edge {view['Edge']}")


@scenario.step
def large_icons_on_the_stored_edge():
    set_ini(state.install, "view", "LargeIcon", "1")
    start_bar()
    screen = qr.screen()
    window, _ = qr.rect(state.bar["hwnd"])
    expect(window.bottom == screen["height"] and window.width == screen["width"],
           f"the bar starts on the stored bottom edge: {window}")
    time.sleep(0.5)
    check_buttons("bottom", (39, 38))
    expect(window.height > state.thickness["bottom"], f"large icons make the bar thicker: {window}")
    qr.screenshot("bar_edges-large-bottom")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.cleanup
def end_program():
    close_notepad()
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
