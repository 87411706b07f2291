"""The bar's menus and what they open: a right click on the bar opens the
context menu at the mouse, its "Screen edge" > "Left" docks the bar on the left;
the menu key and Shift+F10 open it a third of the way down the bar's inner side;
the bar-switch button's menu opens under the button and switches bars; About
shows both links; Exit answered No, Enter and Escape leave the bar running; the
tray icon is there (and not with SysTrayIcon 0), its right-button press opens
the plain menu whose "Left" docks the bar, releases and double clicks open
nothing; after the shell lost the icon, "TaskbarCreated" brings it back; the
end of the logon writes options.ini and removes the icon."""

import os
import subprocess
import sys
import time
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import dbmake  # noqa: E402
import qrbench as qr  # noqa: E402
from startup_steps import EXE, bar_window, exit_through_menu, expect, ini_path, set_ini  # noqa: E402

scenario = qr.Scenario("bar_menus")
state = SimpleNamespace(install=None, process=None, bar=None)

BUTTONS_TOOLBAR_ID = 0xE800
SWITCH_TOOLBAR_ID = 0xE801
SWITCH_COMMAND = 32789
ABOUT_COMMAND = 32771
EXIT_COMMAND = 32772
TOP_EDGE = 32794
TRAY_ICON_ID = 32793
WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP = 0x201, 0x203, 0x204, 0x205
WM_ENDSESSION = 0x16
WM_QUERYENDSESSION = 0x11
HOME_COMMANDS = [1124]
SECOND_COMMANDS = [1188, 1189]
# From a closed menu: the first Down selects "Autohide mode", the second "Screen
# edge", Right opens it on "Top", two more Downs reach "Left".
CHOOSE_LEFT = ["DOWN", "DOWN", "RIGHT", "DOWN", "DOWN", "RETURN"]


def mouse_to(x, y):
    """Moves the X pointer itself: every Wine process then reads the new place."""
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True, timeout=30, env=os.environ)
    time.sleep(0.3)


def start_bar():
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    time.sleep(0.5)


def bar_rect():
    return qr.rect(state.bar["hwnd"])[0]


def open_menu(timeout=10):
    """The popup menu window the program shows."""
    return qr.wait_until(lambda: next(iter(qr.windows(visible_only=True, exe=EXE, cls="#32768")), None),
                         timeout=timeout, what="an open menu")


def no_menu_for(seconds):
    time.sleep(seconds)
    shown = qr.windows(visible_only=True, exe=EXE, cls="#32768")
    expect(not shown, f"no menu should be open: {shown}")


def menu_corner(menu):
    r, _ = qr.rect(menu["hwnd"])
    return r.left, r.top


def close_menu():
    qr.key("ESCAPE")
    qr.wait_until(lambda: not qr.windows(visible_only=True, exe=EXE, cls="#32768"), timeout=5,
                  what="the menu closed")


def toolbar(control_id):
    for child in qr.children(state.bar["hwnd"]):
        if child.get("class") == "ToolbarWindow32" and int(child["id"]) == control_id:
            return child
    return None


def shown_commands():
    found = toolbar(BUTTONS_TOOLBAR_ID)
    return sorted(int(b["cmd"]) for b in (found or {}).get("toolbar_buttons", []) if int(b["cmd"]))


def docked_left():
    screen = qr.screen()
    return qr.wait_until(lambda: (lambda r: r.left == 0 and r.top == 0 and r.height == screen["height"]
                                  and r.width < 100 and r)(bar_rect()),
                         timeout=10, what="the bar docked on the left edge")


def docked_top():
    screen = qr.screen()
    return qr.wait_until(lambda: (lambda r: r.left == 0 and r.top == 0 and r.width == screen["width"]
                                  and r.height < 100 and r)(bar_rect()),
                         timeout=10, what="the bar docked on the top edge")


def tray_icon_exists():
    """A modify request succeeds only for an icon the shell has."""
    try:
        qr.driver("tray", "modify", state.bar["hwnd"], TRAY_ICON_ID)
        return True
    except qr.DriverError:
        return False


@scenario.step
def install_with_two_bars():
    state.install = qr.install()
    set_ini(state.install, "prog", "Splash", "0")
    notepad = qr.folder("windows") + "\\notepad.exe"
    dbmake.write(state.install.unix_dir, [
        dbmake.bar("Home", home=True),
        dbmake.button("Home note", notepad),
        dbmake.bar("Second"),
        dbmake.button("Second note", notepad),
        dbmake.button("Folder", "C:\\", kind="folder"),
    ])


@scenario.step
def right_click_opens_the_context_menu_and_left_docks_left():
    start_bar()
    window = bar_rect()
    x, y = window.right - 250, window.top + window.height // 2  # room for the menu on its right
    qr.move(x, y)
    time.sleep(0.3)
    qr.click(x, y, "right")
    menu = open_menu()
    expect(menu_corner(menu) == (x, y), f"the menu opens at the mouse ({x}, {y}): {qr.rect(menu['hwnd'])[0]}")
    qr.key("DOWN", "DOWN", "RIGHT")
    time.sleep(0.5)
    qr.screenshot("bar_menus-context")
    qr.key("DOWN", "DOWN", "RETURN")
    docked_left()
    time.sleep(0.5)


@scenario.step
def menu_key_and_shift_f10_open_it_beside_the_left_bar():
    window = bar_rect()
    expected = (window.right - 2, window.top + window.height // 3)
    for chord in ("APPS", "SHIFT+F10"):
        qr.activate(state.bar["hwnd"])
        qr.key(chord)
        menu = open_menu()
        expect(menu_corner(menu) == expected, f"{chord}: the menu opens at {expected}: {qr.rect(menu['hwnd'])[0]}")
        qr.screenshot(f"bar_menus-keyboard-{chord.lower().replace('+', '-')}")
        close_menu()
    qr.send_command(state.bar["hwnd"], TOP_EDGE)
    docked_top()


@scenario.step
def bar_switch_menu_opens_under_its_button_and_switches():
    expect(shown_commands() == HOME_COMMANDS, f"the home bar at start: {shown_commands()}")
    button = toolbar(SWITCH_TOOLBAR_ID)
    expect(button is not None, "the bar-switch button")
    switch_rect, _ = qr.rect(button["hwnd"])
    qr.send_command(state.bar["hwnd"], SWITCH_COMMAND)
    menu = open_menu()
    expect(menu_corner(menu) == (switch_rect.left, switch_rect.bottom),
           f"the menu opens at the button's bottom-left {switch_rect}: {qr.rect(menu['hwnd'])[0]}")
    qr.key("DOWN")
    time.sleep(0.5)
    qr.screenshot("bar_menus-switch")
    qr.key("DOWN", "RETURN")
    qr.wait_until(lambda: shown_commands() == SECOND_COMMANDS, timeout=10, what="the second bar shown")


@scenario.step
def about_shows_both_links():
    qr.send_command(state.bar["hwnd"], ABOUT_COMMAND)
    about = qr.wait_window(timeout_ms=10000, exe=EXE, title="About Orvantis")
    texts = {int(c["id"]): qr.window_text(c["hwnd"]) for c in qr.children(about["hwnd"])}
    expect(texts.get(1102) == "Web-site: https://www.orvantis.example/", f"web-site link: {texts.get(1102)!r}")
    expect(texts.get(1103) == "E-mail: support@orvantis.example", f"e-mail link: {texts.get(1103)!r}")
    time.sleep(0.5)
    qr.screenshot("bar_menus-about")
    qr.press(about["hwnd"], 1)
    qr.wait_gone(about["hwnd"], timeout_ms=5000)


@scenario.step
def exit_no_enter_and_escape_leave_the_bar_running():
    qr.send_command(state.bar["hwnd"], EXIT_COMMAND)
    box = qr.answer_message_box(qr.IDNO, exe=EXE)
    expect(box["text"] == "Do you want to close Orvantis.Quickrail?", f"exit question {box['text']!r}")
    qr.activate(state.bar["hwnd"])
    qr.key("RETURN")
    qr.key("ESCAPE")
    time.sleep(1.0)
    expect(state.process.poll() is None, "the bar still runs")
    expect(qr.info(state.bar["hwnd"]).get("visible") == "1", "the bar window is still shown")


@scenario.step
def tray_icon_menu_checks_the_edge_and_left_docks_left():
    # The icon is added right after the bar's first paint.
    qr.wait_until(tray_icon_exists, timeout=10, what="the tray icon after start")
    # Releases and double clicks open nothing.
    for mouse in (WM_RBUTTONUP, WM_LBUTTONDBLCLK):
        qr.post(state.bar["hwnd"], "register:OrvantisSysTrayNotify", TRAY_ICON_ID, mouse)
    no_menu_for(1.0)
    mouse_to(500, 400)
    qr.post(state.bar["hwnd"], "register:OrvantisSysTrayNotify", TRAY_ICON_ID, WM_RBUTTONDOWN)
    menu = open_menu()
    expect(menu_corner(menu) == (500, 400), f"the tray menu opens at the mouse: {qr.rect(menu['hwnd'])[0]}")
    qr.key("DOWN", "DOWN", "RIGHT")
    time.sleep(0.5)
    qr.screenshot("bar_menus-tray")
    qr.key("DOWN", "DOWN", "RETURN")
    docked_left()
    # A left press opens the same menu.
    qr.post(state.bar["hwnd"], "register:OrvantisSysTrayNotify", TRAY_ICON_ID, WM_LBUTTONDOWN)
    open_menu()
    close_menu()


@scenario.step
def taskbar_created_brings_the_lost_icon_back():
    qr.driver("tray", "delete", state.bar["hwnd"], TRAY_ICON_ID)
    expect(not tray_icon_exists(), "the icon is gone from the shell")
    before = bar_rect()
    qr.post(state.bar["hwnd"], "register:TaskbarCreated")
    qr.wait_until(tray_icon_exists, timeout=10, what="the tray icon back")
    time.sleep(0.5)
    expect(bar_rect() == before, f"the bar keeps its place on its edge: {before} -> {bar_rect()}")


@scenario.step
def cancelled_logoff_leaves_the_bar_docked_with_its_icon():
    before = bar_rect()
    qr.send(state.bar["hwnd"], WM_QUERYENDSESSION, 0, 0)
    view = {k.strip(): v.strip() for k, v in qr.read_ini(ini_path(state.install))["view"].items()}
    expect(view["Edge"] == "0", f"the settings written at the question: {view['Edge']}")
    qr.send(state.bar["hwnd"], WM_ENDSESSION, 0, 0)
    time.sleep(0.5)
    expect(bar_rect() == before, f"the bar keeps its place: {before} -> {bar_rect()}")
    expect(tray_icon_exists(), "the tray icon stays after a cancelled logoff")
    set_ini(state.install, "view", "Edge", "1")  # for the next step to see what the real end writes


@scenario.step
def end_of_logon_writes_the_settings_and_removes_the_icon():
    view = {k.strip(): v.strip() for k, v in qr.read_ini(ini_path(state.install))["view"].items()}
    expect(view["Edge"] == "1", f"options.ini still holds the start edge: {view['Edge']}")
    qr.send(state.bar["hwnd"], WM_ENDSESSION, 1, 0)
    view = {k.strip(): v.strip() for k, v in qr.read_ini(ini_path(state.install))["view"].items()}
    expect(view["Edge"] == "0", f"the left edge written at the end of the logon: {view['Edge']}")
    expect(not tray_icon_exists(), "the tray icon removed at the end of the logon")
    qr.stop(state.process)
    state.process = None


@scenario.step
def no_tray_icon_with_sys_tray_icon_off():
    set_ini(state.install, "prog", "SysTrayIcon", "0")
    start_bar()
    expect(not tray_icon_exists(), "no tray icon with SysTrayIcon 0")
    expect(exit_through_menu(state.process, state.bar) == 0, "exit code")
    state.process = None


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
