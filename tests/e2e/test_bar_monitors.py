"""The bar on the monitor the user chooses, in a session of two monitors: the
primary one of 1280 x 800 and a second one of 1024 x 768. Xvfb's Xinerama puts
both at the origin, so the bar's length tells them apart. Monitor 2 chosen on
the View page docks the bar along its top edge, Cancel puts it back, OK keeps
it in options.ini; autohide works there; the next start shows the splash and
the bar on monitor 2; a stored monitor that is not there leaves the bar on the
primary one and the choice in options.ini as it was."""
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

OPTIONS, AUTOHIDE = 32777, 32773
PSM_SETCURSEL = 0x0400 + 101
CB_GETCOUNT, CB_SETCURSEL = 0x0146, 0x014E
CBN_SELCHANGE = 1
MONITOR_LIST = 1451
PRIMARY, SECOND = (1280, 800), (1024, 768)
ABSENT = ("\\\\.\\DISPLAY3", 1280, 0, 2304, 768)


def bar_rect():
    return qr.rect(state.bar["hwnd"])[0]


def docked_on(size):
    """The bar along the whole top edge of the monitor of `size`."""
    r = bar_rect()
    return r if (r.left, r.top, r.width) == (0, 0, size[0]) and r.height == state.thickness else None


def wait_docked(size, what):
    return qr.wait_until(lambda: docked_on(size), timeout=20, what=what)


def start_bar():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)


def stop_bar():
    expect(exit_through_menu(state.process, state.bar) == 0, "clean exit")
    state.process = None


def extras():
    return qr.read_ini(ini_path(state.install)).get("extras", {})


def open_view_page():
    qr.send_command(state.bar["hwnd"], OPTIONS)

    def sheet():
        for window in qr.windows(visible_only=True, exe=EXE, cls="#32770"):
            if window["hwnd"] != state.bar["hwnd"] and any(
                    c["class"] == "SysTabControl32" for c in qr.children(window["hwnd"], direct=True)):
                return window
        return None
    state.sheet = qr.wait_until(sheet, timeout=20, what="the options sheet")
    qr.send(state.sheet["hwnd"], PSM_SETCURSEL, 1, 0)

    def monitor_list():
        pages = [c for c in qr.children(state.sheet["hwnd"], direct=True)
                 if c["class"] == "#32770" and c["visible"] == "1" and c["text"] == "View options"]
        found = [c for c in qr.children(pages[0]["hwnd"]) if int(c["id"]) == MONITOR_LIST] if pages else []
        return (pages[0]["hwnd"], found[0]["hwnd"]) if found else None
    return qr.wait_until(monitor_list, timeout=10, what="the Monitor list of the View page")


def choose(page_and_combo, index):
    page, combo = page_and_combo
    qr.send(combo, CB_SETCURSEL, index)
    qr.driver("send-command", page, MONITOR_LIST, "--code", CBN_SELCHANGE, "--control", combo, "--sync")


def close_sheet(button):
    qr.press(state.sheet["hwnd"], button)
    qr.wait_gone(state.sheet["hwnd"], timeout_ms=15000, destroyed=True)
    state.sheet = None


@scenario.step
def starts_on_the_primary_monitor():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    start_bar()
    r = qr.wait_until(lambda: (lambda r: r if r.width == PRIMARY[0] and r.top == 0 else None)(bar_rect()),
                      timeout=20, what="the bar along the primary monitor's top edge")
    state.thickness = r.height
    expect(20 <= state.thickness <= 90, f"thickness {state.thickness}")


@scenario.step
def monitor_2_chosen_then_cancelled_then_kept():
    page_and_combo = open_view_page()
    combo = page_and_combo[1]
    expect(qr.window_text(combo) == "Primary monitor", f"the list shows {qr.window_text(combo)!r}")
    labels = []
    for index in range(qr.send(combo, CB_GETCOUNT)):
        qr.send(combo, CB_SETCURSEL, index)
        labels.append(qr.window_text(combo))
    expect(labels == ["Primary monitor", "1: 1280 x 800", "2: 1024 x 768"], f"the monitors listed: {labels}")
    choose(page_and_combo, 2)
    wait_docked(SECOND, "the bar along monitor 2's top edge")
    qr.screenshot("bar_monitors-view_page_monitor_2")
    close_sheet(qr.IDCANCEL)
    wait_docked(PRIMARY, "Cancel puts the bar back on the primary monitor")
    expect("Monitor" not in extras(), f"nothing stored after Cancel: {extras()}")

    choose(open_view_page(), 2)
    wait_docked(SECOND, "the bar on monitor 2 again")
    close_sheet(qr.IDOK)
    kept = qr.wait_until(lambda: (lambda e: e if e.get("Monitor") == "\\\\.\\DISPLAY2" else None)(extras()),
                         timeout=15, what="options.ini naming monitor 2")
    expect(kept.get("MonitorRight") == "1024" and kept.get("MonitorBottom") == "768", f"its rectangle: {kept}")
    qr.screenshot("bar_monitors-docked_on_monitor_2")


@scenario.step
def autohide_works_on_monitor_2():
    qr.send_command(state.bar["hwnd"], AUTOHIDE)
    qr.move(900, 500)
    qr.wait_until(lambda: bar_rect() == qr.Rect(0, 0, SECOND[0], 1), timeout=30,
                  what="the 1-pixel strip along monitor 2's top edge")
    deadline = time.monotonic() + 30
    while not docked_on(SECOND):
        expect(time.monotonic() < deadline, f"the strip slides out on a touch: {bar_rect()}")
        qr.move(400 + int(time.monotonic()) % 2, 0)
        time.sleep(0.5)
    qr.screenshot("bar_monitors-autohide_out_on_monitor_2")
    qr.send_command(state.bar["hwnd"], AUTOHIDE)
    wait_docked(SECOND, "autohide off: docked on monitor 2")


@scenario.step
def next_start_shows_splash_and_bar_on_monitor_2():
    stop_bar()
    set_ini(state.install, "prog", "Splash", "1")
    state.process = qr.start(state.install.exe)
    splash = qr.wait_window(timeout_ms=20000, cls="OrvantisSplash", exe=EXE)
    r = qr.Rect.parse(splash["rect"])
    expect((r.left, r.top) == ((SECOND[0] - r.width) // 2, (SECOND[1] - r.height) // 2),
           f"the splash {r} is centred on monitor 2")
    qr.screenshot("bar_monitors-splash_on_monitor_2")
    qr.wait_gone(splash["hwnd"], timeout_ms=15000, destroyed=True)
    state.bar = bar_window(state.process, timeout_ms=30000)
    wait_docked(SECOND, "the stored choice docks the bar on monitor 2")


@scenario.step
def a_monitor_not_there_leaves_the_bar_on_the_primary():
    stop_bar()
    set_ini(state.install, "prog", "Splash", "0")
    for key, value in zip(("Monitor", "MonitorLeft", "MonitorTop", "MonitorRight", "MonitorBottom"), ABSENT):
        set_ini(state.install, "extras", key, str(value))
    start_bar()
    wait_docked(PRIMARY, "the bar on the primary monitor")
    qr.screenshot("bar_monitors-chosen_monitor_absent")
    combo = open_view_page()[1]
    expect(qr.window_text(combo) == "3: 1024 x 768 (not connected)", f"the list shows {qr.window_text(combo)!r}")
    close_sheet(qr.IDOK)
    stop_bar()
    kept = extras()
    stored = tuple(kept.get(k) for k in ("Monitor", "MonitorLeft", "MonitorTop", "MonitorRight", "MonitorBottom"))
    expect(stored == tuple(str(v) for v in ABSENT), f"options.ini still names the chosen monitor: {kept}")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
