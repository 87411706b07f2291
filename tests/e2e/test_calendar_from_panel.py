"""A click on the bar's clock panel opens the calendar dialog; its
Close button ends it and the bar goes on."""

import os
import subprocess
import sys
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, set_ini  # noqa: E402

MONTH_CALENDAR = 1090

scenario = qr.Scenario("calendar_from_panel")
state = SimpleNamespace(install=None, process=None, bar=None)


@scenario.step
def start_the_bar():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process)


@scenario.step
def click_on_the_panel_opens_the_calendar():
    panels = [c for c in qr.children(state.bar["hwnd"]) if c["class"] == "OrvantisClockPanel"]
    expect(len(panels) == 1, f"one clock panel on the bar: {panels}")
    x, y = qr.Rect.parse(panels[0]["rect"]).center
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True,
                   env=dict(os.environ))
    dialog = qr.wait_window(timeout_ms=10000, exe=EXE, title="Calendar")
    controls = {int(c["id"]): c for c in qr.children(dialog["hwnd"])}
    expect(MONTH_CALENDAR in controls, f"a month calendar in the dialog: {controls}")
    expect(controls.get(qr.IDCANCEL, {}).get("text") == "Close", "a Close button")
    qr.screenshot("calendar_from_panel")
    state.dialog = dialog


@scenario.step
def close_ends_the_calendar_and_the_bar_goes_on():
    qr.press(state.dialog["hwnd"], qr.IDCANCEL)
    qr.wait_gone(state.dialog["hwnd"], timeout_ms=10000, destroyed=True)
    expect(state.process.poll() is None, "the program still runs")
    expect(exit_through_menu(state.process, state.bar) == 0, "clean exit")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
