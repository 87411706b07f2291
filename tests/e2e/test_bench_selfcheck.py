"""The bench checks itself on programs every Wine prefix has (Notepad, WordPad):
the driver finds, reads, types into, clicks and closes their windows, reads a toolbar
of another process, answers a message box, and the helpers for shell links, the
registry, paths and INI files give back what was put in. A broken bench fails here
before any scenario of the program can mislead.

    QR_BUILD_DIR=build/win32 scripts/wine-session.sh /usr/bin/python3 tests/e2e/test_bench_selfcheck.py
"""

import struct
import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402

WORDPAD = r"C:\Program Files\Windows NT\Accessories\wordpad.exe"
BM_GETCHECK = 0x00F0
FIND_MATCH_CASE = 1041  # check box of the common Find dialog
WORDPAD_BOLD = 1400      # command id of WordPad's Bold button

scenario = qr.Scenario("bench_selfcheck")
state = SimpleNamespace(notepad=None, wordpad=None)


def expect(condition, message):
    if not condition:
        raise qr.BenchError(message)


def expect_driver_exit(code, *args):
    try:
        qr.driver(*args)
    except qr.DriverError as error:
        expect(error.returncode == code, f"qrdriver {args}: exit {error.returncode}, wanted {code}")
        return
    raise qr.BenchError(f"qrdriver {args} succeeded, wanted exit {code}")


@scenario.step
def escaping_round_trips():
    cases = [
        ("plain", "plain"),
        (r"tab\there", "tab\there"),
        (r"a\r\nb", "a\r\nb"),
        (r"back\\slash", "back\\slash"),
        (r"\x41\x7f", "A\x7f"),
        (r"keeps \q and a trailing \\", "keeps \\q and a trailing \\"),
    ]
    for escaped, plain in cases:
        expect(qr.unescape(escaped) == plain, f"unescape({escaped!r}) = {qr.unescape(escaped)!r}")
    record = qr.parse_record("hwnd=0x00010020\ttext=a=b\\tc\tempty=")
    expect(record == {"hwnd": "0x00010020", "text": "a=b\tc", "empty": ""}, f"parsed {record}")
    text = "x\\y\té\n"
    expect(qr.unescape(qr.escape(text)) == text, "escape and unescape disagree")


@scenario.step
def driver_exit_codes_tell_usage_from_failure():
    expect_driver_exit(2)
    expect_driver_exit(2, "no-such-command")
    expect_driver_exit(2, "key", "NOT-A-KEY")
    expect_driver_exit(2, "rect", "window")
    expect_driver_exit(1, "rect", "0x7")
    started = time.monotonic()
    expect_driver_exit(1, "wait-window", "--class", "QrNoSuchClass", "--timeout", "400")
    expect(time.monotonic() - started < 20, "wait-window ignored its timeout")


@scenario.step
def waits_for_a_window_of_a_process():
    state.notepad = qr.start("notepad")
    window = qr.wait_window(cls="Notepad", exe="notepad.exe")
    expect(window["text"].endswith("Notepad"), f"title {window['text']!r}")
    expect(window["visible"] == "1", "the window is not visible")
    state.hwnd = window["hwnd"]
    listed = qr.windows(exe="notepad.exe", visible_only=True)
    expect([w["hwnd"] for w in listed] == [state.hwnd], f"windows of notepad.exe: {listed}")
    expect(listed[0]["exe"].lower() == "notepad.exe", f"exe {listed[0]['exe']!r}")
    expect([p["pid"] for p in qr.processes("notepad.exe")] == [window["pid"]], "process list disagrees")


@scenario.step
def lists_children_with_their_geometry():
    outer, client = qr.rect(state.hwnd)
    expect(outer.contains(client) and client.width > 0 and client.height > 0, f"rect {outer} client {client}")
    kids = qr.children(state.hwnd)
    edits = [c for c in kids if c["class"] == "Edit"]
    expect(len(edits) == 1, f"children: {[c['class'] for c in kids]}")
    state.edit = edits[0]["hwnd"]
    expect(client.contains(qr.Rect.parse(edits[0]["rect"])), "the edit lies outside the client area")
    expect(all(c["parent"] == state.hwnd for c in kids if c["class"] in ("Edit", "msctls_statusbar32")),
           "wrong parent reported")


@scenario.step
def sets_and_reads_text_exactly():
    text = "first line\r\nsecond\twith tab, back\\slash and caf\u00e9"
    qr.set_text(state.edit, text)
    expect(qr.window_text(state.edit) == text, f"read back {qr.window_text(state.edit)!r}")


@scenario.step
def types_into_the_focused_window():
    qr.activate(state.hwnd)
    expect(qr.foreground()["hwnd"] == state.hwnd, "notepad is not in the foreground")
    qr.key("CTRL+END")
    qr.type_text(" Typed: A+b=C!")
    qr.wait_until(lambda: qr.window_text(state.edit).endswith("caf\u00e9 Typed: A+b=C!"), timeout=10,
                  what="typed text in the edit")


@scenario.step
def sets_check_boxes_and_presses_buttons():
    qr.key("CTRL+F")
    find = qr.wait_window(cls="#32770", exe="notepad.exe", title="Find")["hwnd"]
    for on, wanted in ((True, 1), (False, 0)):
        qr.check(find, FIND_MATCH_CASE, on)
        box = next(c for c in qr.children(find) if c["id"] == str(FIND_MATCH_CASE))
        expect(qr.send(box["hwnd"], BM_GETCHECK) == wanted, f"Match case is not {wanted}")
    expect_driver_exit(1, "message-box", "--exe", "notepad.exe", "--timeout", "300")  # Find is no message box
    qr.press(find, qr.IDCANCEL)
    qr.wait_gone(find, destroyed=True)


@scenario.step
def screenshot_shows_the_desktop():
    path = qr.screenshot("bench-selfcheck-notepad")
    data = path.read_bytes()
    expect(data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG file")
    width, height = struct.unpack(">II", data[16:24])
    size = qr.screen()
    expect((width, height) == (size["width"], size["height"]), f"picture {width}x{height}, screen {size}")
    expect(len(data) > 4000, "the picture is suspiciously small (blank screen?)")


@scenario.step
def answers_the_message_box_when_closing():
    qr.post(state.hwnd, "WM_CLOSE")
    box = qr.answer_message_box(qr.IDNO, exe="notepad.exe")
    expect(box["title"] and box["text"], f"empty message box {box}")
    expect({qr.IDYES, qr.IDNO, qr.IDCANCEL} <= set(box["buttons"]), f"buttons {box['buttons']}")
    qr.wait_gone(state.hwnd, destroyed=True)
    expect(state.notepad.wait(timeout=20) == 0, f"notepad exit code {state.notepad.returncode}")


@scenario.step
def reads_and_clicks_a_toolbar_of_another_process():
    state.wordpad = qr.start(WORDPAD)
    window = qr.wait_window(exe="wordpad.exe", timeout_ms=30000)
    qr.activate(window["hwnd"])
    toolbars = [c for c in qr.children(window["hwnd"]) if c["class"] == "ToolbarWindow32"]
    expect(toolbars, "no toolbar found")
    for toolbar in toolbars:
        buttons = toolbar.get("toolbar_buttons", [])
        expect(int(toolbar["buttons"]) == len(buttons) > 0, f"count {toolbar['buttons']} vs {len(buttons)}")
        expect([int(b["button"]) for b in buttons] == list(range(len(buttons))), "buttons out of order")
        for b in buttons:
            expect(b["rect"], f"button {b['button']} without a rectangle")
            expect(qr.Rect.parse(toolbar["rect"]).contains(qr.Rect.parse(b["rect"])), f"button {b} outside")
            expect((b["separator"] == "1") == (b["cmd"] == "0"), f"separator and command disagree: {b}")

    def bold():
        return next(b for t in toolbars for b in t["toolbar_buttons"] if b["cmd"] == str(WORDPAD_BOLD))

    expect(bold()["checked"] == "0", "Bold is already on")
    qr.click(*qr.Rect.parse(bold()["rect"]).center)

    def bold_now_checked():
        nonlocal toolbars
        toolbars = [c for c in qr.children(window["hwnd"]) if c["class"] == "ToolbarWindow32"]
        return bold()["checked"] == "1"

    qr.wait_until(bold_now_checked, timeout=10, what="Bold checked after the click")
    qr.screenshot("bench-selfcheck-wordpad")
    qr.send_command(window["hwnd"], WORDPAD_BOLD)
    qr.wait_until(lambda: not bold_now_checked(), timeout=10, what="Bold off after its command")


@scenario.step
def shell_links_round_trip():
    link = qr.startup_folder() / "qrbench check.lnk"
    qr.make_lnk(link, r"C:\windows\notepad.exe", workdir=r"C:\windows", args="/p caf\u00e9.txt",
                description="bench")
    expect(link.is_file(), f"{link} was not written")
    read = qr.lnk_info(link)
    expect(read["path"].lower() == r"c:\windows\notepad.exe", f"path {read['path']!r}")
    expect(read["workdir"].lower() == r"c:\windows", f"workdir {read['workdir']!r}")
    expect(read["args"] == "/p caf\u00e9.txt", f"args {read['args']!r}")
    expect(read["description"] == "bench", f"description {read['description']!r}")
    link.unlink()


@scenario.step
def registry_values_round_trip():
    key = r"HKCU\Software\QrBench Check"
    qr.reg_set(key, "Text ", "two  blanks")
    qr.reg_set(key, "Number", 42, kind="REG_DWORD")
    expect(qr.reg_get(key, "Text ") == "two  blanks", f"text {qr.reg_value(key, 'Text ')}")
    expect(qr.reg_value(key, "Number") == ("REG_DWORD", "0x2a"), f"number {qr.reg_value(key, 'Number')}")
    expect(qr.reg_get(key, "Missing") is None, "a missing value was found")
    qr.reg_delete(key, "Number")
    expect(qr.reg_get(key, "Number") is None, "the value survived its deletion")
    qr.reg_delete(key, whole_key=True)
    expect(qr.reg_get(key, "Text ") is None, "the key survived its deletion")


@scenario.step
def paths_convert_both_ways():
    session = qr.session_dir()
    windows = qr.wine_path(session)
    expect(len(windows) > 3 and windows[1:3] == ":\\", f"windows path {windows!r}")
    expect(qr.unix_path(windows).resolve() == session.resolve(), "paths do not round-trip")
    appdata = qr.local_appdata()
    expect(str(appdata).startswith(str(Path(qr.os.environ["WINEPREFIX"]).resolve()))
           or "drive_c" in str(appdata), f"local appdata {appdata}")


@scenario.step
def ini_files_read_as_written():
    path = qr.session_dir() / "check.ini"
    path.write_bytes(
        b"[view]\r\nColorBk=16777215\r\nShowYear =1\r\n; a comment\r\nFont_FaceName=Caf\xe9 Sans\r\n"
        b"ColorBk=0\r\n[clock]\r\nEmpty=\r\n Spaced = x \r\n[view]\r\nLate=1\r\n"
    )
    ini = qr.read_ini(path)
    expect(list(ini) == ["view", "clock"], f"sections {list(ini)}")
    expect(list(ini["view"].items()) == [("ColorBk", "16777215"), ("ShowYear ", "1"),
                                         ("Font_FaceName", "Caf\u00e9 Sans")],
           f"view {ini['view']}")
    expect(ini["clock"] == {"Empty": "", " Spaced ": " x "}, f"clock {ini['clock']}")
    expect(len(qr.ini_entries(path)) == 7, "duplicates must stay visible in ini_entries")


@scenario.step
def wait_until_gives_the_value_or_times_out():
    calls = []
    expect(qr.wait_until(lambda: calls.append(1) or (len(calls) >= 3 and "done"), interval=0.01) == "done",
           "wait_until lost the value")
    try:
        qr.wait_until(lambda: False, timeout=0.2, interval=0.05, what="nothing")
    except qr.BenchError as error:
        expect("nothing" in str(error), f"message {error}")
    else:
        raise qr.BenchError("wait_until did not time out")


@scenario.cleanup
def end_programs():
    for process in (state.notepad, state.wordpad):
        if process is not None:
            qr.stop(process)


if __name__ == "__main__":
    sys.exit(scenario.run())
