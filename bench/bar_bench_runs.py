"""Single timed runs for the bar benchmark (bench/bar_startup_bench.py).

Every time is taken on the host's CLOCK_MONOTONIC_RAW in milliseconds. Under
Wine, QueryPerformanceCounter counts the same clock, so the times the Windows
probes and the traced program print (bar_exit_probe, OrvantisTrace.exe) fall on
the same scale as the benchmark's own.
"""

import os
import statistics
import subprocess
import threading
import time
from pathlib import Path

import qrbench as qr


def now_ms():
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1000.0


def program(name):
    path = qr.build_dir() / name
    if not path.exists():
        raise qr.BenchError(f"{path} is missing: build the target bar_bench_programs")
    return path


class Run:
    """A started program: when it was started, when its window was painted,
    and (once it has ended) when it ended and what it printed."""

    def __init__(self, exe, capture, args=()):
        self.exe = Path(exe)
        self.started = now_ms()
        out = subprocess.PIPE if capture else open(qr.session_dir() / f"{self.exe.stem}.log", "ab")
        self.process = subprocess.Popen(["wine", str(exe), *args], stdout=out, stderr=subprocess.DEVNULL)
        if not capture:
            out.close()
        self.painted = None
        self.ended = None
        self._waiter = threading.Thread(target=self._wait, daemon=True)
        self._waiter.start()

    def _wait(self):
        self.process.wait()
        self.ended = now_ms()

    def wait_end(self, timeout=30.0):
        self._waiter.join(timeout)
        if self.ended is None:
            raise qr.BenchError(f"{self.exe.name} did not end within {timeout:g} s")

    def output_lines(self):
        return qr.decode(self.process.stdout.read()).splitlines() if self.process.stdout else []

    def stop(self):
        qr.stop(self.process)


def start_painted(exe, docked, capture=False, window_class="#32770", args=()):
    """Starts `exe` (with `args`) and returns its Run once its window (of
    `window_class`) is painted: the probe watches before the program starts
    and answers the moment it is painted."""
    probe_args = ["wine", str(program("bar_startup_probe.exe")), Path(exe).name, "--class", window_class]
    if docked:
        probe_args.append("--docked")
    probe = subprocess.Popen(probe_args, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    run = None
    try:
        if probe.stdout.readline().strip() != b"watching":
            raise qr.BenchError(f"bar_startup_probe did not start: {qr.decode(probe.stderr.read())}")
        run = Run(exe, capture, args)
        line = probe.stdout.readline().strip()
        run.painted = now_ms()
        if not line.startswith(b"painted"):
            probe.wait(timeout=30)
            raise qr.BenchError(f"{Path(exe).name}: {qr.decode(probe.stderr.read()).strip()}")
        return run
    except BaseException:
        if run is not None:
            run.stop()
        raise
    finally:
        if probe.poll() is None:
            probe.kill()
        probe.wait(timeout=30)


def exit_probe(exe_name, mode):
    done = subprocess.run(["wine", str(program("bar_exit_probe.exe")), exe_name, mode], capture_output=True,
                          timeout=120)
    for line in qr.decode(done.stdout).splitlines():
        if line.startswith(mode + "\t"):
            return float(line.split("\t")[1])
    raise qr.BenchError(f"bar_exit_probe {mode} failed: {qr.decode(done.stderr).strip()}")


def exit_with_yes(run):
    """Ends the bar through Exit and "Yes" (so that it takes its appbar off the
    edge); returns the milliseconds from the answer to the end of the process."""
    yes = exit_probe(run.exe.name, "yes")
    run.wait_end()
    return run.ended - yes


def in_this_session(entry):
    """Whether the process runs in this Wine session: other sessions on the
    machine (tests running beside the benchmark) start and end the same
    programs, and their processes must not be measured."""
    prefix = os.environ.get("WINEPREFIX", "")
    try:
        environment = (entry / "environ").read_bytes().split(b"\0")
    except OSError:
        return False
    return ("WINEPREFIX=" + prefix).encode() in environment


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
        if argv0.replace("\\", "/").lower().endswith("/" + exe_name.lower()) and in_this_session(entry):
            pids.append(int(entry.name))
    return pids


def _summed_kb(pids, proc_file, field):
    """The sum over the processes of one "Field:  N kB" line of a /proc file."""
    total = 0
    for pid in pids:
        for line in Path(f"/proc/{pid}/{proc_file}").read_text().splitlines():
            if line.startswith(field):
                total += int(line.split()[1])
    return total


def resident_kb(pids):
    """The resident set (the working set as the host sees it) of the processes."""
    return _summed_kb(pids, "status", "VmRSS:")


def private_kb(pids):
    """The private working set: resident pages no other process could share
    (anonymous memory, written copies of mapped files). The rest of the
    resident set is pages of files (the program, the system's libraries,
    fonts) that every process using them shares."""
    return _summed_kb(pids, "smaps_rollup", "Anonymous:")


def resident_by_mapping(pids):
    """The resident set split by what is mapped: each file by its name (the
    program, each library, each font), "[anon]" for anonymous memory (the
    heaps, stacks and Wine's own), and the kernel's named areas."""
    kb = {}
    for pid in pids:
        name = None
        for line in Path(f"/proc/{pid}/smaps").read_text(errors="replace").splitlines():
            fields = line.split(None, 5)
            if fields and "-" in fields[0] and not fields[0].endswith(":"):
                path = fields[5].strip() if len(fields) > 5 else ""
                name = os.path.basename(path) if "/" in path else (path or "[anon]")
            elif fields and fields[0] == "Rss:" and name is not None:
                kb[name] = kb.get(name, 0) + int(fields[1])
    return kb


def thread_names(pids):
    """The names of the processes' threads (Wine names its own helper threads)."""
    return sorted((Path(f"/proc/{pid}/task/{task}/comm").read_text().strip()
                   for pid in pids for task in os.listdir(f"/proc/{pid}/task")))


def cpu_seconds(pids):
    ticks = 0
    for pid in pids:
        fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
        ticks += int(fields[11]) + int(fields[12])  # utime, stime
    return ticks / os.sysconf("SC_CLK_TCK")


def cpu_ns(pids):
    """CPU time of every thread of the processes, in nanoseconds, as the
    scheduler counts it (the clock ticks of /proc/PID/stat are 10 ms steps,
    coarser than an idle minute of a ticking clock)."""
    total = 0
    for pid in pids:
        for task in os.listdir(f"/proc/{pid}/task"):
            try:
                total += int(Path(f"/proc/{pid}/task/{task}/schedstat").read_text().split()[0])
            except (OSError, ValueError, IndexError):
                pass  # a thread that ended meanwhile
    return total


def wineserver_pids():
    pids = []
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                if (entry / "comm").read_text().strip() == "wineserver" and in_this_session(entry):
                    pids.append(int(entry.name))
            except OSError:
                pass
    return pids


def spread(times, digits=0):
    """min-max and the middle half, as text: the noise of the machine."""
    if len(times) < 2:
        return "-"
    q = statistics.quantiles(times, n=4)
    d = digits
    return f"{min(times):.{d}f}-{max(times):.{d}f} (middle half {q[0]:.{d}f}-{q[2]:.{d}f})"


def runs_text(times):
    return " ".join(f"{t:.0f}" for t in times)
