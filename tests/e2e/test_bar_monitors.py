"""The bar on the monitor the user chooses, with two monitors: the primary one
of 1280 x 800 and one of 1024 x 768, both at the origin (Xvfb's Xinerama), so
the bar's length tells them apart. Monitor 2 chosen on the View page docks the
bar there, Cancel puts it back, OK keeps it; autohide works there; a stored
monitor that is not there leaves the bar on the primary one and the choice in
options.ini as it was."""
# session: QR_MONITORS=1280x800,1024x768

import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, ini_path, set_ini  # noqa: E402

scenario = qr.Scenario("bar_monitors")
state = SimpleNamespace(install=None, process=None, bar=None, sheet=None, thickness=None)

OPTIONS, AUTOHIDE, MONITOR_LIST = 32777, 32773, 1451
PSM_SETCURSEL, CB_SETCURSEL = 0x0465, 0x014E
PRIMARY, SECOND = 1280, 1024
KEYS = ("Monitor", "MonitorLeft", "MonitorTop", "MonitorRight", "MonitorBottom")
ABSENT = ("\\\\.\\DISPLAY3", "1280", "0", "2304", "768")


def bar_rect():
    return qr.rect(state.bar["hwnd"])[0]


def wait_bar(width, height, what):
    return qr.wait_until(lambda: (lambda r: r if (r.left, r.top, r.width) == (0, 0, width) and (
        height is None or r.height == height) else None)(bar_rect()), timeout=30, what=what)


def start_bar():
    set_ini(state.install, "prog", "Splash", "0")
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)


def stop_bar():
    expect(exit_through_menu(state.process, state.bar) == 0, "clean exit")


def stored():
    extras = qr.read_ini(ini_path(state.install)).get("extras", {})
    return tuple(extras.get(key) for key in KEYS)


def view_page():
    """Opens the options on the View page; its window and its Monitor list."""
    qr.send_command(state.bar["hwnd"], OPTIONS)
    state.sheet = qr.wait_until(lambda: next((w for w in qr.windows(visible_only=True, exe=EXE, cls="#32770") if any(
        c["class"] == "SysTabControl32" for c in qr.children(w["hwnd"], direct=True))), None), what="the options")
    qr.send(state.sheet["hwnd"], PSM_SETCURSEL, 1, 0)
    page = qr.wait_until(lambda: next((c["hwnd"] for c in qr.children(state.sheet["hwnd"], direct=True) if (
        c["text"], c["visible"]) == ("View options", "1")), None), what="the View page")
    return page, next(c["hwnd"] for c in qr.children(page) if int(c["id"]) == MONITOR_LIST)


def choose(page, combo, index):
    qr.send(combo, CB_SETCURSEL, index)
    qr.driver("send-command", page, MONITOR_LIST, "--code", 1, "--control", combo, "--sync")  # CBN_SELCHANGE


def close_sheet(button):
    qr.press(state.sheet["hwnd"], button)
    qr.wait_gone(state.sheet["hwnd"], timeout_ms=15000, destroyed=True)


@scenario.step
def monitor_2_chosen_cancelled_and_kept():
    state.install = qr.install()
    start_bar()
    state.thickness = wait_bar(PRIMARY, None, "the bar on the primary monitor").height
    page, combo = view_page()
    choose(page, combo, 2)
    expect(qr.window_text(combo) == "2: 1024 x 768", f"the list shows {qr.window_text(combo)!r}")
    wait_bar(SECOND, state.thickness, "the bar along monitor 2's top edge")
    qr.screenshot("bar_monitors-view_page_monitor_2")
    close_sheet(qr.IDCANCEL)
    wait_bar(PRIMARY, state.thickness, "Cancel puts the bar back on the primary monitor")
    choose(*view_page(), 2)
    close_sheet(qr.IDOK)
    wait_bar(SECOND, state.thickness, "OK keeps the bar on monitor 2")
    qr.wait_until(lambda: stored() == ("\\\\.\\DISPLAY2", None, None, "1024", "768"), timeout=15,
                  what="options.ini naming monitor 2")


@scenario.step
def autohide_works_on_monitor_2():
    qr.send_command(state.bar["hwnd"], AUTOHIDE)
    qr.move(900, 500)
    wait_bar(SECOND, 1, "the 1-pixel strip along monitor 2's top edge")
    deadline = time.monotonic() + 30
    while bar_rect().height != state.thickness:
        expect(time.monotonic() < deadline, f"the strip slides out on a touch: {bar_rect()}")
        qr.move(400 + int(time.monotonic()) % 2, 0)
        time.sleep(0.5)
    qr.screenshot("bar_monitors-autohide_out_on_monitor_2")
    qr.send_command(state.bar["hwnd"], AUTOHIDE)


@scenario.step
def a_monitor_not_there_leaves_the_bar_on_the_primary():
    stop_bar()
    for key, value in zip(KEYS, ABSENT):
        set_ini(state.install, "extras", key, value)
    start_bar()
    wait_bar(PRIMARY, state.thickness, "the bar on the primary monitor")
    stop_bar()
    state.process = None
    expect(stored() == ABSENT, f"options.ini still names the chosen monitor: {stored()}")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
