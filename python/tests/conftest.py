"""Shared pieces of the package's tests: the demo run written by the example
program, zan-info's report of a file, independent readers of the demo
layouts, and a check that no test leaves the library's store in use."""

import csv
import os
import re
import struct
import subprocess

import numpy as np
import pytest

from zan import _library, _store

_ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def _tool(variable, relative):
    return os.environ.get(variable) or os.path.join(_ROOT, "build", relative)


@pytest.fixture(scope="session")
def demo(tmp_path_factory):
    """Folder with flight.bin, flight_c.bin, flight.dat, flight.csv, flight2.csv."""
    folder = tmp_path_factory.mktemp("demo")
    subprocess.run([_tool("ZAN_DEMO_DATA", "examples/zan_demo_data"), str(folder)], check=True,
                   stdout=subprocess.DEVNULL)
    return folder


@pytest.fixture(autouse=True)
def store_left_empty():
    """Every test must leave no file open and the library's store released."""
    yield
    import gc
    gc.collect()
    assert _store.slots_in_use() == 0, "the store still holds slots after the test"
    result = _library._I(0)
    _library.lib.daloc(_library.ctypes.byref(result))
    assert result.value == 1, "the library still holds files after the test"


def info_report(path):
    """zan-info's report of one file: the fields and per variable
    (name, shown min, shown max) as it prints them."""
    out = subprocess.run([_tool("ZAN_INFO", "tools/zan-info"), str(path)], capture_output=True, text=True).stdout
    fields = dict(re.findall(r"^  (title|status|variables|rows|step): +(.*)$", out, re.M))
    variables = []
    for line in out.splitlines():
        m = re.match(r"^ +(\d+)  (.{24}) +(\S+) +(\S+) +(\S+) +(\S+) +(\S+) +(\S+)$", line)
        if m:
            variables.append((m.group(2).rstrip(), m.group(7), m.group(8)))
    return fields, variables


def shown(value):
    """A value as zan-info prints it."""
    return ("%14.7g" % value).strip()


# Independent readers of the layouts the demo program writes.

def read_stream_shape_a(path, nvar):
    return np.fromfile(path, dtype="<f4", offset=84 + 10 * nvar).reshape(-1, nvar).astype(np.float64)


def read_stream_shape_c(path, nvar):
    return np.fromfile(path, dtype="<f8", offset=96 + 80 * nvar).reshape(-1, nvar)


def read_record_layout(path):
    data = open(path, "rb").read()
    head = struct.unpack_from("<i", data, 0)[0]
    nvar = struct.unpack_from("<i", data, 8)[0]
    rows = np.frombuffer(data, offset=head + 8, dtype=np.dtype([("a", "<i4"), ("v", "<f4", nvar), ("b", "<i4")]))
    return rows["v"].astype(np.float64)


def read_csv(path):
    with open(path, newline="") as f:
        lines = [row for row in csv.reader(f) if row and not row[0].startswith("#")]
    return lines[0], np.array([[float(x) for x in row] for row in lines[1:]])


def write_stream(path, names, rows, width=10, single=True):
    """A stream-layout file of the shape the name width gives (10: A,
    20: B, 80: C with singles or doubles)."""
    out = b"Test run".ljust(80)
    n = len(names)
    if width == 10:
        out += struct.pack("<i", n)
    elif width == 20:
        out += struct.pack("<ii", 0, n)
    else:
        out += struct.pack("<iiii", 0, 0, 0 if single else 1, n)
    out += b"".join(name.encode().ljust(width) for name in names)
    out += np.asarray(rows, dtype="<f4" if single else "<f8").tobytes()
    with open(path, "wb") as f:
        f.write(out)
    return str(path)


def write_record(path, name_string, rows):
    nvar = len(rows[0]) if rows else 1
    text = name_string.encode()
    out = struct.pack("<iii", 8 + len(text), len(text), nvar) + text + struct.pack("<i", 8 + len(text))
    for row in rows:
        out += struct.pack("<i", 4 * nvar) + np.asarray(row, dtype="<f4").tobytes() + struct.pack("<i", 4 * nvar)
    with open(path, "wb") as f:
        f.write(out)
    return str(path)


def write_text(path, text):
    with open(path, "w") as f:
        f.write(text)
    return str(path)
