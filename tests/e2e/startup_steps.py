"""Steps the start-up scenarios share: installing, starting Orvantis.exe and
finding its windows, ending it through its own Exit command."""

import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402

EXE = "Orvantis.exe"
TITLE = "Orvantis.Quickrail"
EXIT_COMMAND = 32772
AUTOSTART_NO_ASK = 1094
EXIT_QUESTION = "Do you want to close Orvantis.Quickrail?"

# Every key a settings write puts into options.ini, section by section, in order.
SAVED_KEYS = {
    "view": ["AutoHide", "AlwaysOnTop", "Edge", "LargeIcon", "FlatButtons", "ColorBk", "ColorText",
             "ColorClockBk"],
    "prog": ["StartWindows", "AskAutoStart", "Smoothly", "CurrentBar", "Logo", "LastAdd", "Splash",
             "UseToolTips", "SysTrayIcon"],
    "clock": ["ShowBlock", "ShowCal", "ShowClock", "PosLeft", "OneLine", "CalType", "CalSepType",
              "DayOfWeek", "ShowYear", "ClockSepType", "Type12h", "Sec", "Font_Height", "Font_Width",
              "Font_Escapement", "Font_Orientation", "Font_Weight", "Font_Italic", "Font_Underline",
              "Font_StrikeOut", "Font_CharSet", "Font_OutPrecision", "Font_ClipPrecision", "Font_Quality",
              "Font_PitchAndFamily", "FontSize"],
}


def expect(condition, message):
    if not condition:
        raise qr.BenchError(message)


def bar_window(process, timeout_ms=20000):
    """The bar window: the program's dialog that carries the tool-window style."""
    def find():
        if process.poll() is not None:
            raise qr.BenchError(f"{EXE} ended early with exit code {process.returncode}")
        for window in qr.windows(visible_only=True, exe=EXE, cls="#32770", title=TITLE):
            if int(window.get("exstyle", "0"), 16) & 0x80:  # WS_EX_TOOLWINDOW
                return window
        return None
    return qr.wait_until(find, timeout=timeout_ms / 1000, what="the bar window")


def exit_through_menu(process, bar):
    """Sends Exit, answers the question with Yes and returns the exit code."""
    qr.send_command(bar["hwnd"], EXIT_COMMAND)
    box = qr.answer_message_box(qr.IDYES, exe=EXE)
    expect(box["text"] == EXIT_QUESTION, f"exit question reads {box['text']!r}")
    expect(set(box["buttons"]) == {qr.IDYES, qr.IDNO}, f"exit question buttons {box['buttons']}")
    process.wait(timeout=30)
    return process.returncode


def ini_path(installation):
    return installation.file("options.ini")


def saved_keys_present(ini):
    for section, keys in SAVED_KEYS.items():
        expect(section in ini, f"options.ini has no [{section}] section: {list(ini)}")
        names = [k.strip() for k in ini[section]]
        for key in keys:
            expect(key in names, f"[{section}] lacks {key}: {names}")
    expect("Floating" not in [k.strip() for k in ini["view"]], "Floating must never be written")


def set_ini(installation, section, key, value):
    """Writes a value by hand the way a user would edit the file."""
    path = ini_path(installation)
    lines = path.read_bytes().decode("latin-1").splitlines() if path.exists() else []
    out, in_section, done = [], False, False
    for line in lines:
        stripped = line.strip()
        if stripped.startswith("["):
            if in_section and not done:
                out.append(f"{key}={value}")
                done = True
            in_section = stripped.lower() == f"[{section.lower()}]"
        elif in_section and stripped.split("=", 1)[0].strip().lower() == key.lower():
            line, done = f"{key}={value}", True
        out.append(line)
    if not done:
        if not in_section:
            out.append(f"[{section}]")
        out.append(f"{key}={value}")
    path.write_bytes(("\r\n".join(out) + "\r\n").encode("latin-1"))


def wait_splash_cycle(process):
    """The splash comes up first and goes by itself after about five seconds."""
    splash = qr.wait_window(timeout_ms=20000, cls="OrvantisSplash", exe=EXE)
    seen = time.monotonic()
    qr.wait_gone(splash["hwnd"], timeout_ms=15000, destroyed=True)
    shown_for = time.monotonic() - seen
    expect(3.5 <= shown_for <= 8.0, f"splash stayed {shown_for:.1f} s, about 5 s expected")
    return splash
