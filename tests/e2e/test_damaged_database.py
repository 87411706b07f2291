"""A damaged lbars.acc at start-up: the program says which step failed, in a
box that stays until the user presses OK although the splash ends under it,
still comes up, builds no sample bar over it and leaves the damaged file as it was."""

import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, set_ini  # noqa: E402

GARBAGE = b"this is not a compound file\r\n" * 40

scenario = qr.Scenario("damaged_database")
state = SimpleNamespace(install=None, process=None)


@scenario.step
def install_with_a_damaged_database():
    state.install = qr.install()
    state.install.file("lbars.acc").write_bytes(GARBAGE)
    set_ini(state.install, "prog", "Splash", "1")


@scenario.step
def the_load_error_is_shown_over_the_splash():
    state.process = qr.start(state.install.exe)
    splash = qr.wait_window(timeout_ms=20000, cls="OrvantisSplash", exe=EXE)
    box = qr.message_box(timeout_ms=20000, exe=EXE)
    expect(box["text"] == "System error:\n (IStorage:  CDB::Load 1)", f"message reads {box['text']!r}")
    expect(set(box["buttons"]) == {qr.IDOK}, f"a plain OK box: {box['buttons']}")
    expect(qr.info(box["hwnd"])["owner"] != splash["hwnd"], "the box belongs to the splash")
    qr.screenshot("damaged_database-message")
    state.box = box
    state.splash = splash


@scenario.step
def the_box_outlives_the_splash():
    qr.wait_gone(state.splash["hwnd"], timeout_ms=15000, destroyed=True)
    time.sleep(1)  # whatever the splash's end takes with it is gone by now
    boxes = [w["hwnd"] for w in qr.windows(visible_only=True, exe=EXE, cls="#32770")]
    expect(state.box["hwnd"] in boxes, "the message box went away with the splash")
    qr.screenshot("damaged_database-message-after-splash")
    qr.press(state.box["hwnd"], qr.IDOK)


@scenario.step
def the_bar_still_comes_up_and_the_file_is_untouched():
    bar = bar_window(state.process)
    expect(exit_through_menu(state.process, bar) == 0, "clean exit")
    expect(state.install.file("lbars.acc").read_bytes() == GARBAGE, "the damaged file was overwritten")
    expect(qr.reg_get(qr.PRODUCT_KEY, "FirstRun") == "0", "the first run is over")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
