"""With StartWindows 0 and AskAutoStart 1 the program asks whether to start with
Windows. "No" with "Do not check autorun" ticked stops the question and removes
an old start-up shortcut; "Yes" makes the shortcut and turns StartWindows on."""

import sys
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402
from startup_steps import (AUTOSTART_NO_ASK, EXE, bar_window, exit_through_menu, expect,  # noqa: E402
                           ini_path, set_ini)

QUESTION = ("Working with the program is comfortable if it is run automatically at Windows startup. "
            "Enable autorun?")

scenario = qr.Scenario("autostart_question")
state = SimpleNamespace(install=None, process=None)
LINK = None


def prog_values():
    return {k.strip(): v for k, v in qr.read_ini(ini_path(state.install))["prog"].items()}


def answer_question(yes, tick):
    dialog = qr.wait_window(timeout_ms=20000, exe=EXE, title="Auto start")
    texts = [c.get("text", "") for c in qr.children(dialog["hwnd"])]
    expect(QUESTION in texts, f"the question reads {texts}")
    expect("Do not check autorun" in texts, f"the check box is there: {texts}")
    qr.screenshot("autostart_question")
    if tick:
        qr.check(dialog["hwnd"], AUTOSTART_NO_ASK, True)
    qr.press(dialog["hwnd"], qr.IDOK if yes else qr.IDCANCEL)
    qr.wait_gone(dialog["hwnd"], timeout_ms=10000, destroyed=True)


@scenario.step
def install_with_autostart_off():
    global LINK
    state.install = qr.install()
    set_ini(state.install, "prog", "StartWindows", "0")
    set_ini(state.install, "prog", "AskAutoStart", "1")
    set_ini(state.install, "prog", "Splash", "0")
    LINK = qr.startup_folder() / "Orvantis.Quickrail.lnk"
    qr.make_lnk(LINK, state.install.windows_dir + "\\Orvantis.exe")
    expect(LINK.exists(), "an old shortcut is in place")


@scenario.step
def no_with_tick_stops_asking_and_removes_the_shortcut():
    state.process = qr.start(state.install.exe)
    answer_question(yes=False, tick=True)
    bar = bar_window(state.process)
    # The shortcut is looked after right after the bar's first paint.
    qr.wait_until(lambda: not LINK.exists(), timeout=10, what="the start-up shortcut removed (StartWindows 0)")
    expect(exit_through_menu(state.process, bar) == 0, "clean exit")
    prog = prog_values()
    expect(prog["StartWindows"] == "0" and prog["AskAutoStart"] == "0", f"prog values {prog}")


@scenario.step
def no_question_once_told_so():
    state.process = qr.start(state.install.exe)
    bar = bar_window(state.process)
    expect(not qr.windows(exe=EXE, title="Auto start"), "the question is not asked again")
    expect(exit_through_menu(state.process, bar) == 0, "clean exit")


@scenario.step
def yes_turns_autostart_on():
    set_ini(state.install, "prog", "AskAutoStart", "1")
    state.process = qr.start(state.install.exe)
    answer_question(yes=True, tick=False)
    bar = bar_window(state.process)
    qr.wait_until(LINK.exists, timeout=10, what="the start-up shortcut Yes makes")
    expect(exit_through_menu(state.process, bar) == 0, "clean exit")
    prog = prog_values()
    expect(prog["StartWindows"] == "1" and prog["AskAutoStart"] == "1", f"prog values {prog}")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
