"""The return to the home bar: with "Show on timer" 3 s the home bar is back
about 3 s after a switch to another bar (a second switch starts the delay
again); with "Show on launch" it is back right after a button of another bar
was clicked on the screen. After Exit, options.ini holds the edge, autohide and
displayed bar that were in effect."""

import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import dbmake  # noqa: E402
import qrbench as qr  # noqa: E402
from qrmouse import click_on_screen, xdotool  # noqa: E402
from startup_steps import bar_window, exit_through_menu, expect, ini_path, set_ini  # noqa: E402

scenario = qr.Scenario("bar_home")
state = SimpleNamespace(install=None, process=None, bar=None, notepad=None)

BUTTONS_TOOLBAR_ID = 0xE800
SHOW_BAR = 17509
LEFT_EDGE = 32796
AUTOHIDE = 32773
HOME_COMMANDS = [1124]
OTHER_COMMANDS = [1188, 1189]
THIRD_COMMANDS = [1252]


def launch_buttons():
    """Command and screen rectangle of each launch button the bar shows now."""
    for child in qr.children(state.bar["hwnd"]):
        if child.get("class") == "ToolbarWindow32" and int(child["id"]) == BUTTONS_TOOLBAR_ID:
            # A button read while the bar rebuilds its toolbar has no rectangle
            # yet: it is left out, and the caller's wait reads again.
            return {int(b["cmd"]): qr.Rect.parse(b["rect"]) for b in child.get("toolbar_buttons", [])
                    if int(b["cmd"]) and b.get("rect")}
    return {}


def shown_commands():
    return sorted(launch_buttons())


def wait_for_bar(commands, timeout, what):
    qr.wait_until(lambda: shown_commands() == commands, timeout=timeout, interval=0.05, what=what)
    return time.monotonic()


def start_bar():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    wait_for_bar(HOME_COMMANDS, 10, "the home bar at start")


def write_bars(home_options):
    dbmake.write(state.install.unix_dir, [
        dbmake.bar("Home", home=True, **home_options),
        dbmake.button("Home note", state.notepad),
        dbmake.bar("Other"),
        dbmake.button("Other note", state.notepad, args="C:\\qrhome.txt"),
        dbmake.button("Folder", "C:\\", kind="folder"),
        dbmake.bar("Third"),
        dbmake.button("Third note", state.notepad),
    ])


def close_notepads():
    for process in qr.processes(exe="notepad.exe"):
        qr.driver("terminate", process["pid"], check=False)


@scenario.step
def install_with_a_timed_home_bar():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    state.notepad = qr.folder("windows") + "\\notepad.exe"
    (qr.unix_path("C:\\") / "qrhome.txt").write_bytes(b"home bar scenario")
    write_bars({"on_timer": 3})


@scenario.step
def home_bar_is_back_about_three_seconds_after_a_switch():
    start_bar()
    qr.screenshot("bar_home-timer-home")
    sent = time.monotonic()
    qr.send_command(state.bar["hwnd"], SHOW_BAR + 1)
    wait_for_bar(OTHER_COMMANDS, 2, "the other bar")
    qr.screenshot("bar_home-timer-other")
    back = wait_for_bar(HOME_COMMANDS, 10, "the home bar back by its timer")
    expect(2.5 <= back - sent <= 5.0, f"the home bar came back after {back - sent:.1f} s, about 3 s expected")


@scenario.step
def a_second_switch_starts_the_delay_again():
    qr.send_command(state.bar["hwnd"], SHOW_BAR + 1)
    wait_for_bar(OTHER_COMMANDS, 2, "the other bar")
    time.sleep(2.0)
    switched = time.monotonic()
    qr.send_command(state.bar["hwnd"], SHOW_BAR + 2)
    wait_for_bar(THIRD_COMMANDS, 2, "the third bar")
    back = wait_for_bar(HOME_COMMANDS, 10, "the home bar back after the second switch")
    expect(back - switched >= 2.5, f"the home bar came back {back - switched:.1f} s after the second switch")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")


@scenario.step
def home_bar_is_back_right_after_a_launch_from_another_bar():
    write_bars({"on_launch": True})
    start_bar()
    qr.send_command(state.bar["hwnd"], SHOW_BAR + 1)
    wait_for_bar(OTHER_COMMANDS, 2, "the other bar")
    time.sleep(1.5)
    expect(shown_commands() == OTHER_COMMANDS, "without the timer option the other bar stays")
    qr.screenshot("bar_home-launch-other")
    clicked = time.monotonic()
    click_on_screen(*launch_buttons()[OTHER_COMMANDS[0]].center)
    back = wait_for_bar(HOME_COMMANDS, 5, "the home bar back after the launch")
    expect(back - clicked < 2.0, f"the home bar came back {back - clicked:.1f} s after the click")
    qr.wait_window(timeout_ms=20000, exe="notepad.exe", title_contains="qrhome.txt")
    qr.screenshot("bar_home-launch-back")
    close_notepads()


@scenario.step
def exit_keeps_edge_autohide_and_displayed_bar():
    qr.send_command(state.bar["hwnd"], LEFT_EDGE)
    qr.send_command(state.bar["hwnd"], AUTOHIDE)
    qr.send_command(state.bar["hwnd"], SHOW_BAR + 2)
    wait_for_bar(THIRD_COMMANDS, 5, "the third bar")
    # The first touch of the strip after the bar went there brings it out.
    xdotool("mousemove", 0, 300)
    out = qr.wait_until(lambda: (lambda r: r.left == 0 and r.width > 20 and r)(qr.rect(state.bar["hwnd"])[0]),
                        timeout=10, what="the autohide bar out on the left edge")
    expect(out.height == qr.screen()["height"], f"the bar stands along the whole left edge: {out}")
    qr.screenshot("bar_home-left-autohide")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    ini = qr.read_ini(ini_path(state.install))
    view = {k.strip(): v.strip() for k, v in ini["view"].items()}
    prog = {k.strip(): v.strip() for k, v in ini["prog"].items()}
    saved = (view["Edge"], view["AutoHide"], prog["CurrentBar"])
    expect(saved == ("0", "1", "2"), f"Edge, AutoHide, CurrentBar saved as {saved}")


@scenario.cleanup
def end_programs():
    close_notepads()
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
