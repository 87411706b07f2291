"""Bar window benchmark, run inside one Wine session (bench/run_bar_bench.sh):

1. Start-up to a docked, painted bar (Splash 0) against the baseline program
   that only shows an empty dialog: both timed from the start of the Wine
   process to the painted window (bar_startup_probe watches for it),
   alternately, several times; medians and their ratio (goal: at most 1.2).
2. CPU time of the idle program over 60 s with the clock ticking, read from
   /proc/<pid>/stat (utime + stime) of the Wine process of Orvantis.exe, beside
   the idle baseline over the same 60 s (goal: under 0.2 % of one core).
3. Handle use over 200 bar switches and 200 "rebuild all" (bar_handles_bench:
   GDI/USER counts where the system gives them, windows, memory).

Environment: QR_BUILD_DIR (the Windows tree), QR_BENCH_RUNS (start-ups per
program, default 7), QR_BENCH_IDLE_SECONDS (default 60).
"""

import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

import qrbench as qr  # noqa: E402
from startup_steps import bar_window, exit_through_menu, set_ini  # noqa: E402

RUNS = int(os.environ.get("QR_BENCH_RUNS", "7"))
IDLE_SECONDS = float(os.environ.get("QR_BENCH_IDLE_SECONDS", "60"))
ROUNDS = 200
STARTUP_GOAL = 1.2
IDLE_GOAL_PERCENT = 0.2


def program(name):
    path = qr.build_dir() / name
    if not path.exists():
        raise qr.BenchError(f"{path} is missing: build the target bar_bench_programs")
    return path


def probe_startup(exe, docked):
    """Milliseconds from starting the program to its painted window: the probe
    watches before the program starts and answers the moment it is painted."""
    args = ["wine", str(program("bar_startup_probe.exe")), exe.name, "--class", "#32770"]
    if docked:
        args.append("--docked")
    probe = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    process = None
    try:
        if probe.stdout.readline().strip() != b"watching":
            raise qr.BenchError(f"bar_startup_probe did not start: {qr.decode(probe.stderr.read())}")
        started = time.monotonic()
        process = qr.start(exe)
        line = probe.stdout.readline().strip()
        elapsed = 1000.0 * (time.monotonic() - started)
        if not line.startswith(b"painted"):
            probe.wait(timeout=30)
            raise qr.BenchError(f"{exe.name}: {qr.decode(probe.stderr.read()).strip()}")
        return elapsed
    finally:
        if process is not None:
            end(process, docked)
        if probe.poll() is None:
            probe.kill()
        probe.wait(timeout=30)


def end(process, is_bar):
    """The bar leaves through its own Exit so that it takes its appbar off the
    edge (Wine keeps the appbar of a killed window, and the next bar would dock
    beside it); anything else is simply ended."""
    if is_bar and process.poll() is None:
        try:
            exit_through_menu(process, bar_window(process, timeout_ms=10000))
            return
        except qr.BenchError as error:
            print(f"(the bar did not exit by itself: {error})", file=sys.stderr)
    qr.stop(process)


def linux_pids(exe_name):
    """The Linux processes Wine runs the Windows program in."""
    pids = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            argv0 = (entry / "cmdline").read_bytes().split(b"\0")[0].decode("latin-1")
        except OSError:
            continue
        if argv0.replace("\\", "/").lower().endswith("/" + exe_name.lower()):
            pids.append(int(entry.name))
    return pids


def cpu_seconds(pids):
    ticks = 0
    for pid in pids:
        fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
        ticks += int(fields[11]) + int(fields[12])  # utime, stime
    return ticks / os.sysconf("SC_CLK_TCK")


def wineserver_pids():
    pids = []
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                if (entry / "comm").read_text().strip() == "wineserver":
                    pids.append(int(entry.name))
            except OSError:
                pass
    return pids


def startup_section(installation, baseline):
    # The first start builds the sample bar and the first Wine start of each
    # program fills caches: neither is measured.
    probe_startup(baseline, docked=False)
    probe_startup(installation.exe, docked=True)
    bar_times, base_times = [], []
    for _ in range(RUNS):
        base_times.append(probe_startup(baseline, docked=False))
        bar_times.append(probe_startup(installation.exe, docked=True))
    bar, base = statistics.median(bar_times), statistics.median(base_times)
    return {"bar": bar_times, "baseline": base_times, "bar_median": bar, "baseline_median": base,
            "ratio": bar / base}


def idle_section(installation, baseline):
    bar_process = qr.start(installation.exe)
    base_process = qr.start(baseline)
    try:
        bar_window(bar_process, timeout_ms=30000)
        qr.wait_window(timeout_ms=30000, title="Baseline dialog")
        time.sleep(5)  # start-up work over
        bar_pids, base_pids = linux_pids("Orvantis.exe"), linux_pids("baseline_dialog.exe")
        server_pids = wineserver_pids()
        if not bar_pids or not base_pids:
            raise qr.BenchError(f"no Linux process found: Orvantis {bar_pids}, baseline {base_pids}")
        before = (cpu_seconds(bar_pids), cpu_seconds(base_pids), cpu_seconds(server_pids))
        started = time.monotonic()
        time.sleep(IDLE_SECONDS)
        after = (cpu_seconds(bar_pids), cpu_seconds(base_pids), cpu_seconds(server_pids))
        wall = time.monotonic() - started
    finally:
        end(bar_process, True)
        end(base_process, False)
    percent = [100.0 * (a - b) / wall for a, b in zip(after, before)]
    return {"wall": wall, "bar": percent[0], "baseline": percent[1], "wineserver": percent[2],
            "bar_pids": bar_pids, "bar_cpu_total": after[0]}


def handles_section():
    done = subprocess.run(["wine", str(program("bar_handles_bench.exe")), str(ROUNDS)], capture_output=True,
                          timeout=300)
    if done.returncode != 0:
        raise qr.BenchError(f"bar_handles_bench exited {done.returncode}: {qr.decode(done.stderr).strip()}")
    return [qr.parse_record(line) for line in qr.decode(done.stdout).splitlines() if line.startswith("phase=")]


def verdict(ok):
    return "goal met" if ok else "GOAL MISSED"


def main():
    baseline = program("baseline_dialog.exe")
    installation = qr.install()
    set_ini(installation, "prog", "Splash", "0")

    startup = startup_section(installation, baseline)
    idle = idle_section(installation, baseline)
    handles = handles_section()

    print()
    print("Bar window benchmark (one Wine session)")
    print(f"{'measure':<44}{'Orvantis':>12}{'baseline':>12}{'ratio':>9}")
    print(f"{'start-up to painted window, median ms':<44}{startup['bar_median']:>12.0f}"
          f"{startup['baseline_median']:>12.0f}{startup['ratio']:>9.2f}   "
          f"{verdict(startup['ratio'] <= STARTUP_GOAL)} (<= {STARTUP_GOAL})")
    print(f"{'  runs, ms':<44}{' '.join(f'{t:.0f}' for t in startup['bar'])}  |  "
          f"{' '.join(f'{t:.0f}' for t in startup['baseline'])}")
    idle_label = f"idle CPU over {idle['wall']:.0f} s, % of one core"
    print(f"{idle_label:<44}{idle['bar']:>12.3f}{idle['baseline']:>12.3f}{'':>9}   "
          f"{verdict(idle['bar'] < IDLE_GOAL_PERCENT)} (< {IDLE_GOAL_PERCENT} %)")
    print(f"{'  wineserver, both programs together, %':<44}{idle['wineserver']:>12.3f}")
    print(f"{'  (Orvantis Linux pid, CPU since its start, s)':<44}{str(idle['bar_pids']):>12}"
          f"{idle['bar_cpu_total']:>12.2f}")
    print()
    print(f"Handle use over {ROUNDS} bar switches and {ROUNDS} rebuild-all (in-process bar window)")
    print(f"{'phase':<20}{'GDI':>8}{'USER':>8}{'windows':>9}{'private KB':>12}{'working set KB':>16}")
    for row in handles:
        print(f"{row['phase']:<20}{row['gdi']:>8}{row['user']:>8}{row['windows']:>9}{row['private_kb']:>12}"
              f"{row['working_set_kb']:>16}")
    if handles and all(r["gdi"] == "0" and r["user"] == "0" for r in handles):
        print("(GetGuiResources answers 0 here: this Wine does not count GDI and USER objects; "
              "windows and memory stand in for them)")
    growth = int(handles[-1]["working_set_kb"]) - int(handles[0]["working_set_kb"]) if handles else 0
    windows_stable = len({r["windows"] for r in handles}) == 1
    print(f"working set growth {growth} KB, windows {'stable' if windows_stable else 'CHANGED'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
