"""The idle part of the bar benchmark (bench/bar_startup_bench.py): the idle
bar's working set beside the empty dialog's, and its CPU time beside the
clock floor's (bench/baseline_clock_win.cpp), a bare window that ticks and
repaints a date and a time.

The bar and its floor idle side by side in the same session over the same
rounds; each round gives both a share of one core, so the machine's load,
which changes from round to round, falls on both alike. Two runs: the clock
with seconds (the default) against the floor ticking once a second, then the
clock without seconds against the floor ticking once a minute.

Environment: QR_BENCH_IDLE_ROUNDS (rounds of each run, default 5),
QR_BENCH_IDLE_SECONDS (length of a round with seconds, default 24; a round
without seconds lasts at least 60 s, so that each holds a tick),
QR_BENCH_IDLE_MINUTE=0 (leave the run without seconds out).
"""

import os
import statistics
import time

import qrbench as qr
from startup_steps import set_ini
from bar_bench_runs import (cpu_ns, exit_with_yes, linux_pids, private_kb, resident_by_mapping, resident_kb,
                            start_painted, thread_names, wineserver_pids)

ROUNDS = int(os.environ.get("QR_BENCH_IDLE_ROUNDS", "5"))
SECONDS = float(os.environ.get("QR_BENCH_IDLE_SECONDS", "24"))
MINUTE_SECONDS = max(SECONDS, 60.0)
GOALS = {"idle_ratio": 1.1, "memory_mb": 2.0}
MEMORY_ROWS = 10  # mappings listed in the working set's split
FLOOR_CLASS = "QrClockFloor"


def idle_rounds(groups, rounds, seconds):
    """Each group's CPU share (% of one core) in each round, measured over the
    same wall time for all of them."""
    shares = {name: [] for name in groups}
    for _ in range(rounds):
        before = {name: cpu_ns(pids) for name, pids in groups.items()}
        started = time.monotonic()
        time.sleep(seconds)
        wall = time.monotonic() - started
        for name, pids in groups.items():
            shares[name].append(100.0 * (cpu_ns(pids) - before[name]) / 1e9 / wall)
    return shares


def memory_facts(bar_pids, base_pids, import_pids):
    return {"bar_kb": resident_kb(bar_pids), "baseline_kb": resident_kb(base_pids),
            "imports_kb": resident_kb(import_pids), "bar_private_kb": private_kb(bar_pids),
            "baseline_private_kb": private_kb(base_pids), "imports_private_kb": private_kb(import_pids),
            "mappings": (resident_by_mapping(bar_pids), resident_by_mapping(base_pids),
                         resident_by_mapping(import_pids)),
            "threads": (thread_names(bar_pids), thread_names(base_pids))}


def idle_run(installation, floor_args, rounds, seconds, baseline=None, imports=None):
    """Starts the bar and the clock floor (and for the memory figures the two
    dialogs), lets them settle, and measures them side by side."""
    bar = start_painted(installation.exe, docked=True)
    runs = [start_painted(qr.build_dir() / "baseline_clock.exe", docked=False, window_class=FLOOR_CLASS,
                          args=floor_args)]
    for dialog in (baseline, imports):
        if dialog is not None:
            runs.append(start_painted(dialog, docked=False))
    try:
        time.sleep(5)  # start-up work over
        groups = {"bar": linux_pids(installation.exe.name), "floor": linux_pids("baseline_clock.exe"),
                  "wineserver": wineserver_pids()}
        if not groups["bar"] or not groups["floor"]:
            raise qr.BenchError(f"no Linux process found: Orvantis {groups['bar']}, floor {groups['floor']}")
        facts = {}
        if baseline is not None:
            facts = memory_facts(groups["bar"], linux_pids(baseline.name), linux_pids(imports.name))
            groups["dialog"] = linux_pids(baseline.name)
        facts["shares"] = idle_rounds(groups, rounds, seconds)
        facts["seconds"] = seconds
        return facts
    finally:
        exit_with_yes(bar)
        for run in runs:
            run.stop()


def idle_section(installation, baseline, imports):
    set_ini(installation, "clock", "Sec", "1")
    with_seconds = idle_run(installation, (), ROUNDS, SECONDS, baseline, imports)
    if os.environ.get("QR_BENCH_IDLE_MINUTE", "1") == "0":
        return with_seconds
    set_ini(installation, "clock", "Sec", "0")
    try:
        without = idle_run(installation, ("--minute",), max(ROUNDS - 2, 2), MINUTE_SECONDS)
    finally:
        set_ini(installation, "clock", "Sec", "1")
    with_seconds["minute"] = without
    return with_seconds


def verdict(ok, goal):
    return ("goal met" if ok else "GOAL MISSED") + f" ({goal})"


def shares_text(shares):
    return " ".join(f"{s:.4f}" for s in shares)


def print_cpu(label, run, floor_label):
    shares = run["shares"]
    bar, floor = statistics.median(shares["bar"]), statistics.median(shares["floor"])
    ratio = bar / floor if floor > 0 else float("inf")
    per_round = [b / f for b, f in zip(shares["bar"], shares["floor"]) if f > 0]
    rounds_label = f"{label}, {len(shares['bar'])} x {run['seconds']:.0f} s, % of a core"
    goal = f"<= {GOALS['idle_ratio']} x {floor_label}"
    print(f"{rounds_label:<46}{bar:>10.4f}{floor:>10.4f}{ratio:>7.2f}   "
          f"{verdict(ratio <= GOALS['idle_ratio'], goal)}")
    print(f"{'  rounds, % (Orvantis | floor)':<46}{shares_text(shares['bar'])}  |  {shares_text(shares['floor'])}")
    if len(per_round) > 1:
        print(f"{'  ratio per round: median, spread':<46}{statistics.median(per_round):>10.2f}"
              f"   {min(per_round):.2f}-{max(per_round):.2f}")
    for extra in ("dialog", "wineserver"):
        if extra in shares:
            print(f"{'  (reference) ' + extra + ', median %':<46}{statistics.median(shares[extra]):>10.4f}"
                  f"   {shares_text(shares[extra])}")


def print_memory(idle):
    own_mb = (idle["bar_kb"] - idle["imports_kb"]) / 1024
    print(f"{'working set of the idle program, MB':<46}{idle['bar_kb'] / 1024:>10.1f}"
          f"{idle['imports_kb'] / 1024:>10.1f}{'':>7}   "
          f"{verdict(own_mb <= GOALS['memory_mb'], '<= dialog + same libraries + 2 MB')}: +{own_mb:.1f} MB")
    print(f"{'  (reference) the empty dialog alone, MB':<46}{idle['baseline_kb'] / 1024:>10.1f}{'':>10}{'':>7}"
          f"   +{(idle['bar_kb'] - idle['baseline_kb']) / 1024:.1f} MB over it")
    extra_private_mb = (idle["bar_private_kb"] - idle["imports_private_kb"]) / 1024
    print(f"{'  private working set (not shareable), MB':<46}{idle['bar_private_kb'] / 1024:>10.1f}"
          f"{idle['imports_private_kb'] / 1024:>10.1f}{'':>7}   +{extra_private_mb:.1f} MB"
          f" (empty dialog: {idle['baseline_private_kb'] / 1024:.1f} MB)")
    bar, base, imports = idle["mappings"]
    names = sorted(set(bar) | set(imports), key=lambda name: imports.get(name, 0) - bar.get(name, 0))
    print(f"{'  working set by mapping, KB':<46}{'Orvantis':>10}{'+libs':>10}{'dialog':>7}   difference")
    for name in [n for n in names if bar.get(n, 0) != imports.get(n, 0)][:MEMORY_ROWS]:
        print(f"{'    ' + name[:40]:<46}{bar.get(name, 0):>10}{imports.get(name, 0):>10}{base.get(name, 0):>7}"
              f"   {bar.get(name, 0) - imports.get(name, 0):+d}")
    for label, names in zip(("Orvantis", "baseline"), idle["threads"]):
        print(f"{'  threads, ' + label:<46}{len(names):>10}   {', '.join(names)}")


def print_idle(idle):
    """The idle rows of the report, under its heading."""
    print_memory(idle)
    print_cpu("idle CPU, clock with seconds", idle, "floor ticking each second")
    if "minute" in idle:
        print_cpu("idle CPU, clock without seconds", idle["minute"], "floor ticking each minute")
    print(f"{'  (load when measured)':<46}{os.getloadavg()[0]:>10.2f}   one-minute load average")


def print_idle_alone(idle):
    print()
    print("Idle benchmark (one Wine session; medians of rounds run side by side)")
    print(f"{'measure':<46}{'Orvantis':>10}{'floor':>10}{'ratio':>7}")
    print_idle(idle)
