"""Autohide: switched on by its command, the bar collapses to a strip of two
pixels at the bottom (one at the top) once the mouse is away, a touch slides it
out again; the program started a second time ends and brings the running bar
out for a moment instead; below a full-screen application it is no longer topmost and does
not slide out; always on top keeps it where it is; with "Smoothly" off it still
shows and hides; after Exit options.ini holds the autohide and edge in effect."""

import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402
from startup_steps import EXE, TITLE, bar_window, exit_through_menu, expect, ini_path, set_ini  # noqa: E402

scenario = qr.Scenario("bar_autohide")
state = SimpleNamespace(install=None, process=None, bar=None, thickness=0, screen=None)

AUTOHIDE = 32773
ALWAYS_ON_TOP = 32783
TOP = 32794
WS_EX_TOPMOST = 0x8
APPBAR_NOTIFY = "register:OrvantisNotify"
ABN_FULLSCREENAPP = 2


def bar_rect():
    return qr.rect(state.bar["hwnd"])[0]


# A slide takes a fraction of a second; the deadline is generous because a
# loaded two-core machine can hold Wine's timers back for seconds.
def wait_rect(predicate, what):
    return qr.wait_until(lambda: predicate(bar_rect()), timeout=30, what=what)


# Touches the strip the way a hand does: the pointer keeps moving along the edge.
# Under load Wine can lose a single warp of the pointer, and no mouse message
# then reaches the strip at all; a second movement a few seconds on brings it.
def touch_until(x, y, predicate, what):
    deadline = time.monotonic() + 30
    step = 0
    while True:
        qr.move(x + (step % 2), y)
        try:
            return qr.wait_until(lambda: predicate(bar_rect()), timeout=4, what=what)
        except qr.BenchError:
            if time.monotonic() >= deadline:
                raise
        step += 1


def mouse_away():
    qr.move(state.screen["width"] // 2, state.screen["height"] // 2)


def away_until(predicate, what):
    return touch_until(state.screen["width"] // 2, state.screen["height"] // 2, predicate, what)


def collapsed_at_bottom(r):
    return r.height == 2 and r.bottom == state.screen["height"] and r.width == state.screen["width"]


def collapsed_at_top(r):
    return r.height == 1 and r.top == 0 and r.width == state.screen["width"]


def start_bar():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    state.screen = qr.screen()


@scenario.step
def install():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    set_ini(state.install, "view", "Edge", "3")


@scenario.step
def collapses_to_two_pixels_at_the_bottom_and_slides_out_on_touch():
    start_bar()
    docked = bar_rect()
    state.thickness = docked.height
    expect(docked.bottom == state.screen["height"], f"docked at the bottom: {docked}")
    qr.send_command(state.bar["hwnd"], AUTOHIDE)
    away_until(collapsed_at_bottom, "the 2-pixel strip at the bottom")
    expect(int(qr.info(state.bar["hwnd"])["exstyle"], 16) & WS_EX_TOPMOST, "an autohide bar is topmost")
    qr.screenshot("bar_autohide-collapsed-bottom")
    touch_until(state.screen["width"] // 2, state.screen["height"] - 1, lambda r: r == docked,
                "the bar slid out to its docked place")
    qr.screenshot("bar_autohide-shown-bottom")
    away_until(collapsed_at_bottom, "the bar collapsed again")


def topmost():
    return bool(int(qr.info(state.bar["hwnd"])["exstyle"], 16) & WS_EX_TOPMOST)


@scenario.step
def a_second_start_brings_the_running_bar_out_and_ends():
    files = [state.install.file(name) for name in ("options.ini", "lbars.acc")]
    before = [(f.stat().st_mtime_ns, f.read_bytes()) for f in files]
    second = qr.start(state.install.exe)
    wait_rect(lambda r: r.height == state.thickness, "the running bar out for the second start")
    qr.screenshot("bar_autohide-second-start")
    expect(second.wait(timeout=30) == 0, f"the second start ends by itself: {second.returncode}")
    bars = qr.windows(visible_only=True, exe=EXE, cls="#32770", title=TITLE)
    expect(len(qr.processes(exe=EXE)) == 1 and [b["hwnd"] for b in bars] == [state.bar["hwnd"]],
           f"one copy with one bar window: {bars}")
    expect(qr.foreground()["hwnd"] == state.bar["hwnd"], "the running bar came to the front")
    expect([(f.stat().st_mtime_ns, f.read_bytes()) for f in files] == before, "a file was written")
    away_until(collapsed_at_bottom, "the bar collapsed again after a moment")


@scenario.step
def a_full_screen_application_keeps_it_in_and_below():
    # Wine's shell never tells of full-screen applications: the notice is sent
    # as the shell would send it (ABN_FULLSCREENAPP with the flag).
    qr.send(state.bar["hwnd"], APPBAR_NOTIFY, ABN_FULLSCREENAPP, 1)
    expect(not topmost(), "below a full-screen application the bar is not topmost")
    qr.move(state.screen["width"] // 2, state.screen["height"] - 1)
    time.sleep(1.0)
    expect(collapsed_at_bottom(bar_rect()), f"no slide out over a full-screen application: {bar_rect()}")
    mouse_away()
    qr.send(state.bar["hwnd"], APPBAR_NOTIFY, ABN_FULLSCREENAPP, 0)
    expect(topmost(), "topmost again once the full-screen application has gone")
    touch_until(state.screen["width"] // 2, state.screen["height"] - 1, lambda r: r.height == state.thickness,
                "the bar slides out again")
    away_until(collapsed_at_bottom, "and collapses again")


@scenario.step
def on_the_top_edge_one_pixel_stays():
    qr.send_command(state.bar["hwnd"], TOP)
    away_until(collapsed_at_top, "the 1-pixel strip at the top")
    touch_until(state.screen["width"] // 2, 0, lambda r: r.top == 0 and r.height == state.thickness,
                "the bar slid out at the top")
    away_until(collapsed_at_top, "the bar collapsed at the top again")
    qr.screenshot("bar_autohide-collapsed-top")


@scenario.step
def exit_keeps_autohide_and_edge():
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    view = {k.strip(): v for k, v in qr.read_ini(ini_path(state.install))["view"].items()}
    expect(view["AutoHide"] == "1" and view["Edge"] == "1", f"AutoHide {view['AutoHide']}, Edge {view['Edge']}")


@scenario.step
def without_smoothly_it_still_shows_and_hides():
    set_ini(state.install, "prog", "Smoothly", "0")
    start_bar()
    away_until(collapsed_at_top, "the stored autohide bar on its strip")
    touch_until(state.screen["width"] // 2, 0, lambda r: r.top == 0 and r.height == state.thickness,
                "the bar out at once")
    away_until(collapsed_at_top, "the bar back on its strip")


@scenario.step
def autohide_off_docks_normally_and_always_on_top_toggles():
    qr.send_command(state.bar["hwnd"], AUTOHIDE)
    wait_rect(lambda r: r.top == 0 and r.height == state.thickness, "the bar docked again")
    mouse_away()
    time.sleep(1.0)
    expect(bar_rect().height == state.thickness, "without autohide the bar stays out")
    expect(not int(qr.info(state.bar["hwnd"])["exstyle"], 16) & WS_EX_TOPMOST, "a plain bar is not topmost")
    qr.send_command(state.bar["hwnd"], ALWAYS_ON_TOP)
    qr.wait_until(lambda: int(qr.info(state.bar["hwnd"])["exstyle"], 16) & WS_EX_TOPMOST, timeout=5,
                  what="always on top")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    view = {k.strip(): v for k, v in qr.read_ini(ini_path(state.install))["view"].items()}
    expect(view["AutoHide"] == "0" and view["AlwaysOnTop"] == "1", f"view {view}")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
