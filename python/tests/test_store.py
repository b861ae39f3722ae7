"""Several files at once over the library's one store: numbering, arrays
that outlive their file, and the store released once every file is closed."""

import pytest

import zan
from zan import _library, _store
from conftest import write_stream


def files(tmp_path, count):
    return [write_stream(tmp_path / ("f%d.bin" % k), ["t", "v"], [[0, k], [1, k + 1]]) for k in range(count)]


def test_files_open_together_keep_their_own_values(tmp_path):
    paths = files(tmp_path, 3)
    opened = [zan.open(p) for p in paths]
    assert [f.number for f in opened] == [1, 2, 3]
    for k, f in enumerate(opened):
        assert f["v"].tolist() == [k, k + 1]
    for f in opened:
        f.close()


def test_a_closed_files_arrays_stay_and_the_others_still_answer(tmp_path):
    a, b = (zan.open(p) for p in files(tmp_path, 2))
    kept = a.columns()
    a.close()
    a.close()
    assert a.closed and not b.closed
    assert kept["v"].tolist() == [0, 1]
    # The closed file keeps its slot while another file is open ...
    assert _store.slots_in_use() == 2
    assert b.range("v") == (1.0, 2.0, 2.0)
    c = zan.open(b.path)
    assert c.number == 3
    b.close()
    c.close()
    # ... and the store is released with the last one once no array shows
    # its samples any more.
    assert _store.slots_in_use() == 3
    assert kept["v"].tolist() == [0, 1]
    del kept
    assert _store.slots_in_use() == 0


def test_a_file_dropped_without_close_is_closed_at_once(tmp_path):
    path = files(tmp_path, 1)[0]
    values = zan.open(path)["v"]
    factor = zan.open(path).factor["v"]
    assert values.tolist() == [0, 1] and factor == 1.0
    # Only the array of the first keeps the store.
    assert _store.slots_in_use() == 2
    del values
    assert _store.slots_in_use() == 0


def test_a_file_closed_before_keeps_off_the_next_file_under_its_number(tmp_path):
    first, second = files(tmp_path, 2)
    old = zan.open(first)
    old.close()
    with zan.open(second) as new:
        assert new.number == old.number
        old.close()
        assert old.closed and not new.closed
        with pytest.raises(zan.ClosedFileError):
            old["v"]
        assert new["v"].tolist() == [1, 2]


def test_a_file_closed_while_another_loads_leaves_the_new_one_loaded(tmp_path, monkeypatch):
    first, second = files(tmp_path, 2)
    a = zan.open(first)
    real = _library.lib.dopen

    def dopen_then_close_the_other(*args):
        real(*args)
        a.close()  # as the garbage collector may do at any moment

    monkeypatch.setattr(_library.lib, "dopen", dopen_then_close_the_other)
    with zan.open(second) as b:
        assert a.closed
        assert b["v"].tolist() == [1, 2]


def test_a_full_store_refuses_more_files_until_all_are_closed(tmp_path, monkeypatch):
    monkeypatch.setattr(_library, "MAX_FILES", 2)
    paths = files(tmp_path, 3)
    first, second = zan.open(paths[0]), zan.open(paths[1])
    second.close()
    with pytest.raises(zan.LoadError) as e:
        zan.open(paths[2])
    assert (e.value.status, e.value.path) == (zan.Status.BAD_FILE_NUMBER, paths[2])
    first.close()
    with zan.open(paths[2]) as third:
        assert third.number == 1


def test_a_failed_load_among_open_files_keeps_the_numbers_in_step(tmp_path):
    good = files(tmp_path, 2)
    with zan.open(good[0]) as a:
        with pytest.raises(zan.LoadError):
            zan.open(tmp_path / "missing.bin")
        with zan.open(good[1]) as b:
            assert b.number == 3
            assert (a["v"].tolist(), b["v"].tolist()) == ([0, 1], [1, 2])
