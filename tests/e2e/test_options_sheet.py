"""The options sheet opened from the bar's context menu: each page as a
screenshot; "Large buttons" makes the bar thicker at once; "Use standard Windows
colors" and Cancel leave options.ini and the bar as they were; unticking the
tray icon takes the icon away; a font chosen through the real font dialog
changes the clock panel and the page's label; OK writes the new values."""

import subprocess
import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, ini_path, set_ini  # noqa: E402

scenario = qr.Scenario("options_sheet")
state = SimpleNamespace(install=None, process=None, bar=None, sheet=None, thickness=None, ini=None,
                        bar_picture=None, panel=None, font_size=None)

PAGE_TITLES = ["Clock view", "View options", "Program options"]
PSM_SETCURSEL = 0x0400 + 101
CB_GETCOUNT, CB_SETCURSEL, CB_GETCURSEL, CB_GETITEMDATA = 0x0146, 0x014E, 0x0147, 0x0150
CBN_SELCHANGE = 1
FONT_FACE_LIST, FONT_SIZE_LIST = 0x0470, 0x0472  # the font dialog's face and size lists (cmb1, cmb3)
LARGE_BUTTONS, STANDARD_COLORS, FONT_LABEL, CHANGE_FONT = 1056, 1087, 1051, 1053
TRAY_ICON = 1098
APPLY = 0x3021


# --- what the steps look at ------------------------------------------------------------


def bar_rect():
    return qr.rect(state.bar["hwnd"])[0]


def clock_panel():
    panels = [c for c in qr.children(state.bar["hwnd"]) if c["class"] == "OrvantisClockPanel"]
    expect(len(panels) == 1, f"one clock panel on the bar: {panels}")
    return qr.Rect.parse(panels[0]["rect"])


def find_sheet():
    """The options sheet: the program's dialog that holds a tab control."""
    for window in qr.windows(visible_only=True, exe=EXE, cls="#32770"):
        if window["hwnd"] == state.bar["hwnd"]:
            continue
        if any(c["class"] == "SysTabControl32" for c in qr.children(window["hwnd"], direct=True)):
            return window
    return None


def show_page(index):
    """Selects a tab and returns the shown page's window record."""
    qr.send(state.sheet["hwnd"], PSM_SETCURSEL, index, 0)

    def shown():
        pages = [c for c in qr.children(state.sheet["hwnd"], direct=True)
                 if c["class"] == "#32770" and c["visible"] == "1"]
        return pages[0] if len(pages) == 1 and pages[0]["text"] == PAGE_TITLES[index] else None
    return qr.wait_until(shown, timeout=10, what=f"the page {PAGE_TITLES[index]!r}")


def control(page, control_id):
    found = [c for c in qr.children(page["hwnd"]) if int(c["id"]) == control_id]
    expect(found, f"control {control_id} on {page['text']!r}")
    return found[0]


def picture(name, rect):
    """A screenshot and the part of it inside `rect`."""
    shot = qr.screenshot(name)
    part = shot.with_name(shot.stem + "-part.png")
    subprocess.run(["convert", str(shot), "-crop", f"{rect.width}x{rect.height}+{rect.left}+{rect.top}",
                    "+repage", str(part)], check=True)
    return part


def differing_pixels(a, b):
    done = subprocess.run(["compare", "-metric", "AE", str(a), str(b), "null:"], capture_output=True, text=True)
    return int(float(done.stderr.split()[0]))


def tray_area():
    """The right end of the taskbar, where the notification-area icons stand."""
    bars = qr.windows(visible_only=True, cls="Shell_TrayWnd")
    expect(bars, "the Wine desktop has a taskbar")
    r = qr.Rect.parse(bars[0]["rect"])
    return qr.Rect(r.right - 120, r.top + 3, r.right - 3, r.bottom - 3)


def tray_has_icons(name):
    return qr.colours_in(picture(name, tray_area())) > 1


def choose_face(dialog, wanted):
    """Selects a face in the font dialog's list as a click would, when the
    system has it; otherwise the dialog keeps the face it started with."""
    faces = control(dialog, FONT_FACE_LIST)["hwnd"]
    start = qr.send(faces, CB_GETCURSEL)
    for index in range(qr.send(faces, CB_GETCOUNT)):
        qr.send(faces, CB_SETCURSEL, index)
        if qr.window_text(faces) == wanted:
            break
    else:
        index = start
        qr.send(faces, CB_SETCURSEL, index)
    qr.driver("send-command", dialog["hwnd"], FONT_FACE_LIST, "--code", CBN_SELCHANGE, "--control", faces, "--sync")


def open_options_from_the_context_menu(name):
    r = bar_rect()
    qr.click(r.right - 30, (r.top + r.bottom) // 2, "right")
    qr.wait_window(timeout_ms=10000, cls="#32768", exe=EXE)
    qr.screenshot(name)
    # Autohide mode, Screen edge, Buttons manager..., Calendar ..., Options ...
    qr.driver("key", "DOWN", "DOWN", "DOWN", "DOWN", "DOWN", "RETURN", "--delay", "150")
    state.sheet = qr.wait_until(find_sheet, timeout=20, what="the options sheet")


def close_sheet(button, written=lambda ini: True):
    """OK or Cancel; returns options.ini once the closing sheet has written it
    and `written` accepts it. The record is written key by key after the sheet
    has gone (keys whose value is unchanged are left as they are), so the file
    is read until it holds still."""
    path = ini_path(state.install)
    qr.press(state.sheet["hwnd"], button)
    qr.wait_gone(state.sheet["hwnd"], timeout_ms=15000, destroyed=True)
    state.sheet = None

    def settled():
        first = path.read_bytes()
        time.sleep(0.7)
        if first != path.read_bytes():
            return None
        ini = qr.read_ini(path)
        return ini if all(section in ini for section in ("view", "prog", "clock")) and written(ini) else None
    return qr.wait_until(settled, timeout=15, what="options.ini written")


# --- the scenario ------------------------------------------------------------------------


@scenario.step
def start_the_bar():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    # The first start sets the colours of its own; the second one takes ours.
    first = qr.start(state.install.exe)
    expect(exit_through_menu(first, bar_window(first)) == 0, "the first start ends cleanly")
    # Colours of no Windows scheme, so that the standard ones show as a change.
    set_ini(state.install, "view", "ColorBk", str(0xFFE0C0))
    set_ini(state.install, "view", "ColorClockBk", str(0xC0FFFF))
    set_ini(state.install, "view", "ColorText", str(0x800000))
    # A known clock font for the label; the font dialog starts from it where the
    # system has it.
    set_ini(state.install, "clock", "Font_Height", "-11")
    set_ini(state.install, "clock", "Font_CharSet", "0")
    set_ini(state.install, "clock", "Font_PitchAndFamily", "Tahoma")
    set_ini(state.install, "clock", "FontSize", "8")
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process)
    time.sleep(1)
    state.thickness = bar_rect().height
    state.ini = qr.read_ini(ini_path(state.install))
    state.panel = clock_panel()
    r = bar_rect()
    # The bar beyond the clock panel, whose seconds go on ticking.
    state.free_bar = qr.Rect(state.panel.right + 2, r.top, r.right, r.bottom)
    state.bar_picture = picture("options_bar_before", state.free_bar)
    expect(tray_has_icons("options_tray_before"), "the program's icon is in the notification area")


@scenario.step
def open_options_from_the_context_menu_first_time():
    open_options_from_the_context_menu("options_context_menu")


@scenario.step
def each_page_as_a_screenshot():
    for index, title in enumerate(PAGE_TITLES):
        show_page(index)
        qr.screenshot(f"options_page_{index}_{title.lower().replace(' ', '_')}")
    apply = [c for c in qr.children(state.sheet["hwnd"], direct=True) if int(c["id"]) == APPLY]
    expect(apply and apply[0]["enabled"] == "0", f"Apply is disabled: {apply}")


@scenario.step
def large_buttons_make_the_bar_thicker_at_once():
    page = show_page(1)
    qr.check(page["hwnd"], LARGE_BUTTONS, True)
    qr.wait_until(lambda: bar_rect().height > state.thickness, timeout=10,
                  what=f"a bar thicker than {state.thickness}")
    qr.screenshot("options_large_buttons")


@scenario.step
def standard_colours_then_cancel_leave_file_and_bar_as_before():
    page = show_page(1)
    qr.press(page["hwnd"], STANDARD_COLORS)
    time.sleep(1)
    standard = picture("options_standard_colours", state.free_bar)
    expect(differing_pixels(state.bar_picture, standard) > 0, "the bar takes the standard colours at once")
    ini = close_sheet(qr.IDCANCEL)
    expect(ini == state.ini, "options.ini is as before")
    qr.wait_until(lambda: bar_rect().height == state.thickness, timeout=10,
                  what=f"the bar back to {state.thickness} pixels")
    time.sleep(1)
    after = picture("options_bar_after_cancel", state.free_bar)
    differing = differing_pixels(state.bar_picture, after)
    expect(differing == 0, f"the bar looks as before Cancel ({differing} pixels differ)")


@scenario.step
def unticking_the_tray_icon_takes_it_away():
    open_options_from_the_context_menu("options_context_menu_again")
    page = show_page(2)
    qr.check(page["hwnd"], TRAY_ICON, False)
    time.sleep(1)
    expect(not tray_has_icons("options_tray_after"), "the notification area is empty")


@scenario.step
def a_font_from_the_font_dialog_changes_panel_and_label():
    page = show_page(1)
    label = control(page, FONT_LABEL)["text"]
    expect(label == "Tahoma, 8 pt", f"the label shows the file's font: {label!r}")
    qr.press(page["hwnd"], CHANGE_FONT)
    dialog = qr.wait_window(timeout_ms=15000, exe=EXE, title="Font")
    choose_face(dialog, "DejaVu Sans")
    sizes = control(dialog, FONT_SIZE_LIST)["hwnd"]
    count = qr.send(sizes, CB_GETCOUNT)
    points = [qr.send(sizes, CB_GETITEMDATA, i) & 0xFFFF for i in range(count)]
    index = next((i for i, p in enumerate(points) if p >= 16), None)
    expect(index is not None, f"a size of 16 points or more in the list: {points}")
    state.font_size = points[index]
    qr.send(sizes, CB_SETCURSEL, index)
    qr.driver("send-command", dialog["hwnd"], FONT_SIZE_LIST, "--code", CBN_SELCHANGE, "--control", sizes, "--sync")
    face = control(dialog, FONT_FACE_LIST)["text"]
    expect(face, "the font dialog shows a face name")
    qr.screenshot("options_font_dialog")
    qr.press(dialog["hwnd"], qr.IDOK)
    qr.wait_gone(dialog["hwnd"], timeout_ms=10000, destroyed=True)

    label = qr.wait_until(lambda: control(page, FONT_LABEL)["text"].endswith(f", {state.font_size} pt") and
                          control(page, FONT_LABEL)["text"], timeout=10, what="the new font size in the label")
    expect(label == f"{face}, {state.font_size} pt", f"the label names the chosen font {face!r}: {label!r}")
    bigger = qr.wait_until(lambda: (lambda r: r if r.height > state.panel.height else None)(clock_panel()),
                           timeout=10, what="a taller clock panel")
    expect(bigger.width > state.panel.width, f"the panel's text grew: {state.panel} -> {bigger}")
    qr.screenshot("options_new_font")


@scenario.step
def ok_writes_the_new_values():
    ini = close_sheet(qr.IDOK, lambda ini: ini["clock"].get("FontSize") == str(state.font_size))
    expect(ini["prog"]["SysTrayIcon"] == "0", f"SysTrayIcon {ini['prog']['SysTrayIcon']!r}")
    expect(ini["clock"]["FontSize"] == str(state.font_size), f"FontSize {ini['clock']['FontSize']!r}")
    expect(ini["view"]["LargeIcon"] == "0", "the cancelled large buttons stay off")
    expect(int(ini["clock"]["Font_Height"]) < -11, f"a bigger font height {ini['clock']['Font_Height']!r}")
    expect(not tray_has_icons("options_tray_after_ok"), "still no icon in the notification area")
    qr.screenshot("options_after_ok")
    expect(exit_through_menu(state.process, state.bar) == 0, "clean exit")
    ini = qr.read_ini(ini_path(state.install))
    expect(ini["prog"]["SysTrayIcon"] == "0" and ini["clock"]["FontSize"] == str(state.font_size),
           "the values outlive the program")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
