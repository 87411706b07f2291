"""Bar window benchmark, run inside one Wine session (bench/run_bar_bench.sh).
Every row is printed with its runs, beside its baseline where it has one;
nothing is asserted about time.

1. Start-up to a docked, painted bar (Splash 0) against the baseline program
   that only shows an empty dialog, alternately, timed from starting the Wine
   process to the painted window (bar_startup_probe watches for it): later
   starts (the icon cache in place) and first starts (no icon cache yet).
   Beside them, for reference, the same empty dialog loading the program's
   system libraries (baseline_dialog_imports): the system's share.
2. The start-up trace: OrvantisTrace.exe, the program built with trace points,
   prints when each phase of start-up and exit was reached.
3. The database load against a raw ole32 read of the same file
   (qr_win_db_save_bench, its whole table printed too).
4. Exit: from the "Yes" to the exit question to the end of the process, and
   from the end of the logon (WM_ENDSESSION) to the settings written.
5. Idle: working set of the idle bar beside the dialog loading the same
   libraries, and its CPU time beside the clock floor (bench/bar_idle_bench.py).
6. Handle use over 200 bar switches and 200 "rebuild all" (bar_handles_bench).

Environment: QR_BUILD_DIR (the Windows tree), QR_BENCH_RUNS (start-ups per
row, default 11), QR_BENCH_ONLY (idle or startup: that part alone), and the
idle part's own (bench/bar_idle_bench.py).
"""

import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
sys.path.insert(0, str(Path(__file__).resolve().parent))

import qrbench as qr  # noqa: E402
from startup_steps import set_ini  # noqa: E402
from bar_bench_runs import exit_probe, exit_with_yes, program, runs_text, spread, start_painted  # noqa: E402
from bar_idle_bench import idle_section, print_idle, print_idle_alone  # noqa: E402

# Fifteen: a Wine start-up here spreads over a factor of two from run to run.
RUNS = int(os.environ.get("QR_BENCH_RUNS", "15"))
ROUNDS = 200
GOALS = {"later": 1.1, "first": 1.4, "load": 1.3, "exit_ms": 100.0, "session_ms": 100.0}
# QR_BENCH_ONLY=idle or =startup runs that part alone (with its trace) and prints its rows.
ONLY = os.environ.get("QR_BENCH_ONLY", "")
TRACE_EXE = "OrvantisTrace.exe"
ICON_CACHE = "iconcache.dat"
SETTLE_S = 0.5  # the bar finishes its start before it is asked to exit


def time_bar(installation, exe, first_start):
    if first_start:
        installation.file(ICON_CACHE).unlink(missing_ok=True)
    run = start_painted(exe, docked=True)
    time.sleep(SETTLE_S)
    exit_ms = exit_with_yes(run)
    return run.painted - run.started, exit_ms


def time_baseline(baseline):
    run = start_painted(baseline, docked=False)
    run.stop()
    return run.painted - run.started


def startup_section(installation, baseline, imports, first_start):
    bar_times, base_times, import_times, exits = [], [], [], []
    for _ in range(RUNS):
        base_times.append(time_baseline(baseline))
        import_times.append(time_baseline(imports))
        painted, exit_ms = time_bar(installation, installation.exe, first_start)
        bar_times.append(painted)
        exits.append(exit_ms)
    return {"bar": bar_times, "baseline": base_times, "imports": import_times, "exit": exits,
            "ratio": statistics.median(bar_times) / statistics.median(base_times)}


def trace_section(installation, first_start=False):
    """Phase times of OrvantisTrace.exe: start-up ones from the start of the
    Wine process, exit ones from the "Yes"."""
    exe = program(TRACE_EXE)
    start_phases, exit_phases, order = {}, {}, []
    for _ in range(RUNS):
        if first_start:
            installation.file(ICON_CACHE).unlink(missing_ok=True)
        run = start_painted(exe, docked=True, capture=True)
        time.sleep(SETTLE_S)
        yes = exit_probe(TRACE_EXE, "yes")
        run.wait_end()
        marks = [line.split("\t") for line in run.output_lines() if line.startswith("trace\t")]
        for _, phase, ms in marks:
            if phase not in order:
                order.append(phase)
            is_exit = float(ms) > yes
            (exit_phases if is_exit else start_phases).setdefault(phase, []).append(
                float(ms) - (yes if is_exit else run.started))
        start_phases.setdefault("(probe) window painted", []).append(run.painted - run.started)
        exit_phases.setdefault("(host) process ended", []).append(run.ended - yes)
    return start_phases, exit_phases, order


def end_session_section(installation):
    times = []
    for _ in range(3):
        run = start_painted(installation.exe, docked=True)
        time.sleep(SETTLE_S)
        times.append(exit_probe(installation.exe.name, "endsession"))
        exit_with_yes(run)
    return times


def database_section():
    done = subprocess.run(["wine", str(program("qr_win_db_save_bench.exe")), "15", "5"], capture_output=True,
                          timeout=1800)
    text = qr.decode(done.stdout)
    rows = {}
    for line in text.splitlines():
        if line.startswith("load\t"):
            fields = qr.parse_record(line)
            rows[fields["size"]] = {k: [float(x) for x in fields[k].split(",")] for k in ("raw", "program")}
    table = "\n".join(line for line in text.splitlines() if not line.startswith("load\t")).rstrip()
    if done.returncode != 0:
        table += f"\n(qr_win_db_save_bench exited {done.returncode}: {qr.decode(done.stderr).strip()})"
    return table, rows


def handles_section():
    done = subprocess.run(["wine", str(program("bar_handles_bench.exe")), str(ROUNDS)], capture_output=True,
                          timeout=300)
    if done.returncode != 0:
        raise qr.BenchError(f"bar_handles_bench exited {done.returncode}: {qr.decode(done.stderr).strip()}")
    return [qr.parse_record(line) for line in qr.decode(done.stdout).splitlines() if line.startswith("phase=")]


def verdict(ok, goal):
    return ("goal met" if ok else "GOAL MISSED") + f" ({goal})"


def median(times):
    return statistics.median(times) if times else float("nan")


def row(label, ours, base, ratio, goal_text, ok):
    base_text = f"{base:>10.0f}" if base is not None else f"{'':>10}"
    ratio_text = f"{ratio:>7.2f}" if ratio is not None else f"{'':>7}"
    print(f"{label:<46}{ours:>10.0f}{base_text}{ratio_text}   {verdict(ok, goal_text)}")


def print_startup(label, section, goal):
    row(label, median(section["bar"]), median(section["baseline"]), section["ratio"], f"<= {goal} x",
        section["ratio"] <= goal)
    print(f"{'  runs, ms (Orvantis | baseline)':<46}{runs_text(section['bar'])}  |  {runs_text(section['baseline'])}")
    print(f"{'  noise: baseline spread, ms':<46}{spread(section['baseline'])}")
    # Each bar start beside the dialog started just before it: a load that
    # comes and goes over the run weighs on both sides of such a pair.
    paired = [bar / base for bar, base in zip(section["bar"], section["baseline"])]
    print(f"{'  (reference) per-round ratio, median':<46}{'':>20}{median(paired):>7.2f}   "
          f"spread {spread(paired, 2)}")
    imports = median(section["imports"])
    print(f"{'  (reference) dialog + program libraries, ms':<46}{imports:>10.0f}{'':>10}"
          f"{median(section['bar']) / imports:>7.2f}   runs {runs_text(section['imports'])}")


def print_startup_alone(later, first):
    print()
    print(f"Start-up benchmark (one Wine session; medians, every run listed; load {os.getloadavg()[0]:.2f})")
    print(f"{'measure':<46}{'Orvantis':>10}{'baseline':>10}{'ratio':>7}")
    print_startup("start-up to painted bar, later starts, ms", later, GOALS["later"])
    print_startup("start-up to painted bar, first start, ms", first, GOALS["first"])


def print_report(later, first, loads, exits, session, idle):
    print()
    print("Start-up and exit benchmark (one Wine session; medians, every run listed)")
    print(f"{'measure':<46}{'Orvantis':>10}{'baseline':>10}{'ratio':>7}")
    print_startup("start-up to painted bar, later starts, ms", later, GOALS["later"])
    print_startup("start-up to painted bar, first start, ms", first, GOALS["first"])
    for size in ("128x64", "10x20", "256x64"):
        if size not in loads:
            continue
        raw, ours = loads[size]["raw"], loads[size]["program"]
        ratio = median(ours) / median(raw)
        label = f"database load {size.replace('x', ' x ')} vs raw ole32 read, ms"
        if size == "128x64":
            row(label, median(ours), median(raw), ratio, f"<= {GOALS['load']} x", ratio <= GOALS["load"])
        else:
            print(f"{label:<46}{median(ours):>10.1f}{median(raw):>10.1f}{ratio:>7.2f}   (reported)")
        print(f"{'  runs, ms (Orvantis | raw read)':<46}{runs_text(ours)}  |  {runs_text(raw)}")
    row('"Yes" to process end, ms', median(exits), None, None, f"< {GOALS['exit_ms']:.0f} ms",
        median(exits) < GOALS["exit_ms"])
    print(f"{'  runs, ms':<46}{runs_text(exits)}")
    row("end of logon to settings written, ms", median(session), None, None, f"< {GOALS['session_ms']:.0f} ms",
        median(session) < GOALS["session_ms"])
    print(f"{'  runs, ms':<46}{runs_text(session)}")
    print_idle(idle)


def print_trace(start_phases, exit_phases, order, starts="later starts"):
    print()
    print(f"Start-up trace ({TRACE_EXE}, {starts}): ms since the Wine process was started, median | runs")
    for phase in order + ["(probe) window painted"]:
        if phase in start_phases:
            print(f"  {phase:<40}{median(start_phases[phase]):>8.1f}  | {runs_text(start_phases[phase])}")
    if not exit_phases:
        return
    print('Exit trace: ms since the "Yes", median | runs')
    for phase in order + ["(host) process ended"]:
        if phase in exit_phases:
            print(f"  {phase:<40}{median(exit_phases[phase]):>8.1f}  | {runs_text(exit_phases[phase])}")


def print_handles(handles):
    print()
    print(f"Handle use over {ROUNDS} bar switches and {ROUNDS} rebuild-all (in-process bar window)")
    print(f"{'phase':<20}{'GDI':>8}{'USER':>8}{'windows':>9}{'private KB':>12}{'working set KB':>16}")
    for r in handles:
        print(f"{r['phase']:<20}{r['gdi']:>8}{r['user']:>8}{r['windows']:>9}{r['private_kb']:>12}"
              f"{r['working_set_kb']:>16}")
    if handles and all(r["gdi"] == "0" and r["user"] == "0" for r in handles):
        print("(GetGuiResources answers 0 here: this Wine does not count GDI and USER objects; "
              "windows and memory stand in for them)")
    growth = int(handles[-1]["working_set_kb"]) - int(handles[0]["working_set_kb"]) if handles else 0
    windows_stable = len({r["windows"] for r in handles}) == 1
    print(f"working set growth {growth} KB, windows {'stable' if windows_stable else 'CHANGED'}")


def main():
    baseline = program("baseline_dialog.exe")
    imports = program("baseline_dialog_imports.exe")
    installation = qr.install()
    set_ini(installation, "prog", "Splash", "0")

    # The first start builds the sample bar and its icon cache, and the first
    # Wine start of each program fills the system's caches: none is measured.
    time_baseline(baseline)
    time_baseline(imports)
    time_bar(installation, installation.exe, first_start=False)
    exit_with_yes(start_painted(program(TRACE_EXE), docked=True))

    if ONLY == "idle":
        print_idle_alone(idle_section(installation, baseline, imports))
        return 0
    later = startup_section(installation, baseline, imports, first_start=False)
    first = startup_section(installation, baseline, imports, first_start=True)
    start_phases, exit_phases, order = trace_section(installation)
    first_phases, _, first_order = trace_section(installation, first_start=True)
    if ONLY == "startup":
        print_startup_alone(later, first)
        print_trace(start_phases, exit_phases, order)
        print_trace(first_phases, {}, first_order, "first starts")
        return 0
    session = end_session_section(installation)
    db_table, loads = database_section()
    idle = idle_section(installation, baseline, imports)
    handles = handles_section()

    print()
    print(db_table)
    print_report(later, first, loads, later["exit"] + first["exit"], session, idle)
    print_trace(start_phases, exit_phases, order)
    print_trace(first_phases, {}, first_order, "first starts")
    print_handles(handles)
    return 0


if __name__ == "__main__":
    sys.exit(main())
