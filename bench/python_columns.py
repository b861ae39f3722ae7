"""Times how fast a run's variables reach numpy through the Python package,
against the load the viewer itself does, measured in the same process and
the same minutes: round by round, first the viewer's load of the file (dopen
as file 1 with step 1, the call the viewer's loading makes, then dclos),
then zan.open(FILE).columns() and close. Also reports the peak memory of the
process during the Python step of the first round against the library's
sample block plus the arrays' own memory (views of the block have none) plus
64 MiB, and how many of the arrays are such views.

Memory that the system has not handed out for a while costs much more to
touch on a virtual machine (its host must supply it again) than memory freed
a moment ago, and the Python step needs twice the memory of the viewer's
load. So that all allocations meet the same memory, each later round
touches and frees --warm MiB (default 2048) right before the viewer's load,
before zan.open and before columns() (the Python step's time is that of the
two calls). The first round of each file runs without that and shows the
cost of fresh memory; the summary gives it and the median of the later
rounds.

Usage (with the build tree's package):
  PYTHONPATH=build/python /usr/bin/python3 bench/python_columns.py [--rounds N] FILE...
"""

import argparse
import ctypes
import os
import resource
import statistics
import time

import numpy as np

import zan
from zan import _library

MIB = 1 << 20


def reset_peak():
    with open("/proc/self/clear_refs", "w") as f:
        f.write("5")


def peak_bytes():
    with open("/proc/self/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) * 1024
    return -1


def warm(mib):
    """Touches and frees mib MiB, so that the next allocations reuse it."""
    if mib > 0:
        np.ones(mib * MIB // 8)  # written, and freed at once


def cpu_seconds():
    u = resource.getrusage(resource.RUSAGE_SELF)
    return u.ru_utime + u.ru_stime


def viewer_load(path):
    """The library call the viewer's load makes; returns wall and processor
    seconds and the sample block's size in bytes."""
    I = ctypes.c_int32
    codes = _library.codes(os.fsencode(os.path.abspath(path)), _library.PATH_LEN)
    names = (I * (_library.MAX_VARS * _library.NAME_LEN))()
    title = (I * _library.NAME_LEN)()
    nvar, nstored, nrows, step, status, close_status = I(0), I(0), I(0), I(1), I(0), I(0)
    cpu = cpu_seconds()
    start = time.perf_counter()
    _library.lib.dopen(_library.int_ref(1), codes, names, title, ctypes.byref(nvar), ctypes.byref(nstored),
                       ctypes.byref(nrows), ctypes.byref(step), ctypes.byref(status), ctypes.byref(close_status))
    seconds = time.perf_counter() - start
    cpu = cpu_seconds() - cpu
    _library.lib.dclos(_library.int_ref())
    if nvar.value < 1:
        raise SystemExit("%s does not load (status %d)" % (path, status.value))
    return seconds, cpu, nvar.value * (nrows.value // step.value) * 8


def python_columns(path, warm_mib):
    """zan.open and columns(), timed apart so that the memory the arrays take
    can be warmed in between like the memory of the loads; returns wall and
    processor seconds of the two together, the bytes the arrays hold of their
    own, how many of them are views of the library's block, and the peak."""
    reset_peak()
    cpu = cpu_seconds()
    start = time.perf_counter()
    f = zan.open(path)
    seconds = time.perf_counter() - start
    cpu = cpu_seconds() - cpu
    warm(warm_mib)
    cpu_columns = cpu_seconds()
    start = time.perf_counter()
    columns = f.columns()
    seconds += time.perf_counter() - start
    cpu += cpu_seconds() - cpu_columns
    f.close()
    arrays = sum(a.nbytes for a in columns.values() if a.flags.owndata)
    views = sum(1 for a in columns.values() if not a.flags.owndata)
    return seconds, cpu, arrays, "%d/%d" % (views, len(columns)), peak_bytes()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--warm", type=int, default=2048, help="MiB touched before each step of later rounds")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()
    print("%-10s %5s | %8s %8s %6s | %8s %8s %6s | %9s %9s %9s %9s %6s" % (
        "file", "round", "viewer", "python", "ratio", "viewer", "python", "ratio", "block MiB", "array MiB",
        "peak MiB", "limit MiB", "views"))
    print("%-10s %5s | %24s | %24s |" % ("", "", "wall seconds", "processor seconds"))
    summary = []
    for path in args.files:
        walls, cpus = [], []
        for r in range(1, args.rounds + 1):
            warm(args.warm if r > 1 else 0)
            viewer, viewer_cpu, block = viewer_load(path)
            warm(args.warm if r > 1 else 0)
            python, python_cpu, arrays, views, peak = python_columns(path, args.warm if r > 1 else 0)
            limit = block + arrays + 64 * MIB
            walls.append(python / viewer)
            cpus.append(python_cpu / viewer_cpu)
            # The warming of later rounds happens while the block is held:
            # the peak says something only in the first round.
            memory = "%9.1f %9.1f %9.1f %9.1f %6s %s" % (
                block / MIB, arrays / MIB, peak / MIB, limit / MIB, views,
                "ok" if peak <= limit else "OVER") if r == 1 else ""
            print("%-10s %5d | %8.3f %8.3f %6.2f | %8.3f %8.3f %6.2f | %s" % (
                os.path.basename(path), r, viewer, python, walls[-1], viewer_cpu, python_cpu, cpus[-1], memory),
                flush=True)
        summary.append((os.path.basename(path), walls, cpus))
    print()
    for name, walls, cpus in summary:
        print("%-10s ratio python / viewer: wall first round %.2f, median of the others %.2f; "
              "processor median %.2f" % (name, walls[0], statistics.median(walls[1:] or walls),
                                          statistics.median(cpus)))


if __name__ == "__main__":
    main()
