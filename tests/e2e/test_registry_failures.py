"""Without its registry key, or without "Version" in it, the program says so in a
plain message box and ends with exit code 0."""

import sys
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402
from startup_steps import EXE, expect  # noqa: E402

scenario = qr.Scenario("registry_failures")
state = SimpleNamespace(install=None, process=None)


def start_expecting(message):
    state.process = qr.start(state.install.exe)
    box = qr.message_box(timeout_ms=20000, exe=EXE)
    expect(box["text"] == message, f"message reads {box['text']!r}")
    expect(set(box["buttons"]) == {qr.IDOK}, f"a plain OK box: {box['buttons']}")
    qr.screenshot("registry_failure")
    qr.press(box["hwnd"], qr.IDOK)
    state.process.wait(timeout=30)
    expect(state.process.returncode == 0, f"exit code {state.process.returncode}")
    expect(not qr.windows(exe=EXE, title="Orvantis.Quickrail", cls="#32770"), "no bar window")


@scenario.step
def install():
    state.install = qr.install()


@scenario.step
def missing_version_value():
    qr.reg_delete(qr.PRODUCT_KEY, "Version")
    start_expecting("Error:\nCannot read a registry entry")


@scenario.step
def missing_key():
    qr.reg_delete(qr.PRODUCT_KEY, whole_key=True)
    start_expecting("Error:\nCannot open a registry entry")
    expect(not state.install.file("options.ini").exists(), "nothing was written")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
