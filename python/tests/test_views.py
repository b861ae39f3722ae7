"""Arrays that show the library's stored samples in place: read-only, valid
after every file is closed, holding the store until the last one goes, and
copies wherever the viewer's values differ from the stored ones."""

import os
import subprocess
import sys
import textwrap

import numpy as np
import pytest

import zan
from zan import _library, _store
from conftest import write_stream, write_text


def shows_store(array):
    """True when the array (or the array it was made from) is a view of the
    library's memory."""
    while isinstance(array, np.ndarray):
        array = array.base
    return isinstance(array, _store._StoredSamples)


def store_released():
    result = _library._I(0)
    _library.lib.daloc(_library.ctypes.byref(result))
    return result.value == 1 and _store.slots_in_use() == 0


def ramp(tmp_path, name, rows=100000):
    """A file of doubles large enough that its block is a mapping of its
    own, which the system takes back at once when it is freed."""
    t = np.arange(rows, dtype=np.float64)
    return write_stream(tmp_path / name, ["t", "v"], np.column_stack([t, 3.0 * t + 1.0]), width=80, single=False)


def test_arrays_outlive_their_file_and_every_file_and_still_read_right(tmp_path):
    a, b = zan.open(ramp(tmp_path, "a.bin")), zan.open(ramp(tmp_path, "b.bin", rows=10))
    columns = a.columns()
    one = b["v"]
    a.close()
    b.close()
    assert all(shows_store(x) for x in list(columns.values()) + [one])
    # Memory the garbage collector or new arrays might reuse stays the store's.
    import gc
    gc.collect()
    _ = [np.full(200000, 7.0) for _ in range(20)]
    assert not store_released()
    t = np.arange(100000, dtype=np.float64)
    np.testing.assert_array_equal(columns["t"], t)
    np.testing.assert_array_equal(columns["v"], 3.0 * t + 1.0)
    assert one.tolist() == [3.0 * k + 1.0 for k in range(10)]


def test_the_store_is_released_when_the_last_array_showing_it_goes(tmp_path):
    with zan.open(ramp(tmp_path, "a.bin")) as f:
        whole = f["v"]
        again = f["v"]
        part = f["t"][10:20]
    cases = [
        # (what is dropped, store released after it)
        ("whole", False),
        ("again", False),
        ("part", True),
    ]
    kept = {"whole": whole, "again": again, "part": part}
    del whole, again, part
    for name, released in cases:
        assert kept[name][0] == kept[name][0]
        del kept[name]
        assert store_released() == released, name


def test_a_variable_whose_values_differ_from_the_stored_ones_comes_as_a_copy(tmp_path):
    path = write_text(tmp_path / "run.csv", "t,y,z\n0,-0,2\n1,-0.000,3\n2,5,4\n")
    with zan.open(path) as f:
        f.factor["z"], f.shift["z"] = 2.0, 0.5
        cases = [
            # (name, in place, values, sign bits)
            ("t", True, [0.0, 1.0, 2.0], [False, False, False]),
            # The stored -0.0 is shown as 0.0, as the viewer reads it.
            ("y", False, [0.0, 0.0, 5.0], [False, False, False]),
            ("z", False, [4.5, 6.5, 8.5], [False, False, False]),
        ]
        arrays = {name: f[name] for name, *_ in cases}
        for name, in_place, values, signs in cases:
            a = arrays[name]
            assert (shows_store(a), a.tolist(), np.signbit(a).tolist()) == (in_place, values, signs), name
        f.factor["z"], f.shift["z"] = 1.0, 0.0
        assert shows_store(f["z"])
    del arrays["t"]
    # Copies do not hold the store.
    assert store_released()
    assert arrays["z"].tolist() == [4.5, 6.5, 8.5]


def test_arrays_are_read_only_and_copies_of_them_are_not(tmp_path):
    path = write_text(tmp_path / "run.csv", "t,y\n0,1\n1,2\n")
    with zan.open(path) as f:
        f.factor["y"] = 3.0
        view, copy, empty = f["t"], f["y"], None
        columns = f.columns()
    with zan.open(write_text(tmp_path / "header.csv", "t,y\n")) as g:
        empty = g["t"]
    for array in (view, copy, columns["t"], columns["y"], empty, view[1:]):
        assert not array.flags.writeable
        with pytest.raises(ValueError):
            array[...] = 0.0
        # The library's memory cannot be opened for writing; a copy is one's own.
        if shows_store(array):
            with pytest.raises(ValueError):
                array.flags.writeable = True
    own = view.copy()
    own[0] = 9.0
    assert (own.tolist(), view.tolist()) == ([9.0, 1.0], [0.0, 1.0])


def test_arrays_stay_readable_while_the_interpreter_ends(tmp_path):
    path = ramp(tmp_path, "a.bin")
    script = textwrap.dedent("""
        import atexit, sys

        kept = {}

        # Registered before zan's own: runs after it, as the interpreter ends.
        @atexit.register
        def read_at_exit():
            print("at exit", float(kept["v"].sum()), float(kept["t"][-1]))
            sys.stdout.flush()

        import zan
        with zan.open(sys.argv[1]) as f:
            kept.update(f.columns())
    """)
    out = subprocess.run([sys.executable, "-c", script, path], capture_output=True, text=True,
                         env=dict(os.environ), timeout=60)
    assert out.returncode == 0, out.stderr
    total = float((3.0 * np.arange(100000) + 1.0).sum())
    assert out.stdout.split() == ["at", "exit", repr(total), "99999.0"]
