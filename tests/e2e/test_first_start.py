"""A first start after installation, then a second one: the splash, the bar,
the start-up shortcut, the sample bar in lbars.acc, the first-run look in
options.ini and FirstRun turned to "0"; a second start changes none of it.
Before that, a first start whose database cannot be saved (over the empty
lbars.acc a killed first save of an older program left): it says so and
leaves FirstRun at "1", so the next start builds the sample bar again."""

import sys
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))

import olefile  # noqa: E402
import qrbench as qr  # noqa: E402
from startup_steps import (EXE, bar_window, exit_through_menu, expect, ini_path,  # noqa: E402
                           saved_keys_present, set_ini, wait_splash_cycle)

scenario = qr.Scenario("first_start")
state = SimpleNamespace(install=None, process=None)


@scenario.step
def install():
    state.install = qr.install()
    expect(qr.reg_get(qr.PRODUCT_KEY, "FirstRun") == "1", "the installer leaves FirstRun = 1")
    expect(not ini_path(state.install).exists(), "no options.ini before the first start")


@scenario.step
def a_first_start_that_cannot_save_is_not_the_first_run():
    # The new database is written aside under new_db.acc: a folder of that
    # name makes the save fail.
    state.install.file("lbars.acc").write_bytes(b"")
    blocker = state.install.file("new_db.acc")
    blocker.mkdir()
    state.process = qr.start(state.install.exe)
    box = qr.message_box(timeout_ms=20000, exe=EXE)
    expect(box["text"] == "System error:\n (IStorage:  CDB::Save 1)",
           f"message reads {box['text']!r}: the empty lbars.acc is no damaged database")
    qr.press(box["hwnd"], qr.IDOK)
    bar = bar_window(state.process)
    expect(exit_through_menu(state.process, bar) == 0, "clean exit")
    expect(qr.reg_get(qr.PRODUCT_KEY, "FirstRun") == "1", "FirstRun became 0 although nothing was saved")
    expect(state.install.file("lbars.acc").read_bytes() == b"", "lbars.acc was changed by a failed save")
    blocker.rmdir()
    ini_path(state.install).unlink()  # the real first start below begins without one


@scenario.step
def first_start_shows_splash_then_bar():
    state.process = qr.start(state.install.exe)
    splash = wait_splash_cycle(state.process)
    expect(splash["text"] == "", "the splash has no title")
    bar = bar_window(state.process)
    expect(not qr.windows(exe=EXE, title="Auto start"), "no autostart question when StartWindows is 1")
    window, _ = qr.rect(bar["hwnd"])
    expect(window.top == 0 and window.left == 0, f"the bar docks at the top: {window}")
    expect(window.width == qr.screen()["width"], f"the bar spans the screen: {window}")
    qr.screenshot("first_start-bar")
    state.bar = bar


@scenario.step
def startup_shortcut_points_at_the_program():
    link = qr.startup_folder() / "Orvantis.Quickrail.lnk"
    # The shortcut is checked and made right after the bar's first paint.
    qr.wait_until(link.exists, timeout=10, what=f"{link}")
    info = qr.lnk_info(link)
    expect(info["path"].lower() == (state.install.windows_dir + "\\Orvantis.exe").lower(),
           f"shortcut target {info['path']}")
    expect(info["workdir"].lower() == state.install.windows_dir.lower(), f"working folder {info['workdir']}")


@scenario.step
def exit_writes_settings_and_first_run_values():
    code = exit_through_menu(state.process, state.bar)
    expect(code == 0, f"exit code {code}")
    ini = qr.read_ini(ini_path(state.install))
    saved_keys_present(ini)
    view = {k.strip(): v for k, v in ini["view"].items()}
    expect(view["FlatButtons"] == "1", f"FlatButtons {view['FlatButtons']}")
    expect(view["ColorClockBk"] == str(0xFFFFFF), f"ColorClockBk {view['ColorClockBk']}")
    expect(view["ColorText"] == "0", f"ColorText {view['ColorText']}")
    expect(int(view["ColorBk"]) != 0, "ColorBk is the button-face colour, not black")
    expect(qr.reg_get(qr.PRODUCT_KEY, "FirstRun") == "0", "FirstRun becomes 0")


@scenario.step
def sample_bar_is_stored():
    db = state.install.file("lbars.acc")
    expect(db.exists(), "lbars.acc was written")
    with olefile.OleFileIO(str(db)) as ole:
        storages = sorted(e[0] for e in ole.listdir(streams=False, storages=True) if len(e) == 1)
        expect(storages == ["0"], f"one bar storage, got {storages}")
    state.db_bytes = db.read_bytes()


@scenario.step
def second_start_keeps_everything():
    # A user's own colour must survive a second start.
    set_ini(state.install, "view", "ColorText", "255")
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    code = exit_through_menu(state.process, state.bar)
    expect(code == 0, f"exit code {code}")
    view = {k.strip(): v for k, v in qr.read_ini(ini_path(state.install))["view"].items()}
    expect(view["ColorText"] == "255", f"ColorText was reset to {view['ColorText']}")
    expect(state.install.file("lbars.acc").read_bytes() == state.db_bytes,
           "the database was rewritten on a second start")
    expect(qr.reg_get(qr.PRODUCT_KEY, "FirstRun") == "0", "FirstRun stays 0")


@scenario.step
def an_oversized_icon_cache_makes_a_cold_start():
    # 1.2 GB of nothing (a sparse file): more than any cache the program writes.
    cache = state.install.file("iconcache.dat")
    with open(cache, "wb") as f:
        f.truncate(1200 * 1024 * 1024)
    state.process = qr.start(state.install.exe)
    state.bar = bar_window(state.process, timeout_ms=30000)
    qr.screenshot("first_start-after-oversized-icon-cache")
    # The cache is written anew after the first paint, at the size of its icons.
    qr.wait_until(lambda: cache.stat().st_size < 1024 * 1024, timeout=20, what="the icon cache written anew")
    code = exit_through_menu(state.process, state.bar)
    expect(code == 0, f"exit code {code}")
    expect(cache.read_bytes()[:4] == b"QRIC", "the cache was not rewritten")


@scenario.cleanup
def end_program():
    if state.process is not None:
        qr.stop(state.process)


sys.exit(scenario.run())
