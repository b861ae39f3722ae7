"""Times how fast a run's variables reach numpy through the Python package,
against the load the viewer itself does, measured in the same process and
the same minutes: round by round, first the viewer's load of the file (dopen
as file 1 with step 1, the call the viewer's loading makes, then dclos),
then zan.open(FILE).columns() and close. Also reports the peak memory of the
Python step against the library's sample block plus the arrays plus 64 MiB.

The first round of each file also pays for memory the process never used
before; the ratio is given for it and for the median of the later rounds.

Usage (with the build tree's package):
  PYTHONPATH=build/python /usr/bin/python3 bench/python_columns.py [--rounds N] FILE...
"""

import argparse
import ctypes
import os
import statistics
import time

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


def viewer_load(path):
    """The library call the viewer's load makes; returns seconds and the
    sample block's size in bytes."""
    I = ctypes.c_int32
    codes = _library.codes(os.fsencode(os.path.abspath(path)), _library.PATH_LEN)
    names = (I * (_library.MAX_VARS * _library.NAME_LEN))()
    title = (I * _library.NAME_LEN)()
    nvar, nstored, nrows, step, status, close_status = I(0), I(0), I(0), I(1), I(0), I(0)
    start = time.perf_counter()
    _library.lib.dopen(_library.int_ref(1), codes, names, title, ctypes.byref(nvar), ctypes.byref(nstored),
                       ctypes.byref(nrows), ctypes.byref(step), ctypes.byref(status), ctypes.byref(close_status))
    seconds = time.perf_counter() - start
    _library.lib.dclos(_library.int_ref())
    if nvar.value < 1:
        raise SystemExit("%s does not load (status %d)" % (path, status.value))
    return seconds, nvar.value * (nrows.value // step.value) * 8


def python_columns(path):
    reset_peak()
    start = time.perf_counter()
    with zan.open(path) as f:
        columns = f.columns()
    seconds = time.perf_counter() - start
    arrays = sum(a.nbytes for a in columns.values())
    return seconds, arrays, peak_bytes()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()
    print("%-12s %5s | %8s %8s %6s | %9s %9s %9s %9s" % ("file", "round", "viewer s", "python s", "ratio",
                                                          "block MiB", "array MiB", "peak MiB", "limit MiB"))
    summary = []
    for path in args.files:
        ratios = []
        for r in range(1, args.rounds + 1):
            viewer, block = viewer_load(path)
            python, arrays, peak = python_columns(path)
            limit = block + arrays + 64 * MIB
            ratios.append(python / viewer)
            print("%-12s %5d | %8.3f %8.3f %6.2f | %9.1f %9.1f %9.1f %9.1f %s" % (
                os.path.basename(path), r, viewer, python, python / viewer, block / MIB, arrays / MIB,
                peak / MIB, limit / MIB, "ok" if peak <= limit else "OVER"), flush=True)
        later = ratios[1:] or ratios
        summary.append((os.path.basename(path), ratios[0], statistics.median(later)))
    print()
    for name, first, median in summary:
        print("%-12s ratio first round %.2f, median of later rounds %.2f" % (name, first, median))


if __name__ == "__main__":
    main()
