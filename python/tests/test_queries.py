"""Ranges, shift and factor, and extraction through the library."""

import pytest

import zan
from conftest import write_stream


@pytest.fixture
def small(tmp_path):
    # time 0..4, y = raw 2..5 and back, z all zero
    return write_stream(tmp_path / "run.bin", ["time", "y", "z"],
                        [[0, 2, 0], [1, 3, 0], [2, 5, 0], [3, 4, 0], [4, 2, 0]], width=80, single=False)


class TestRanges:
    def test_whole_and_window_ranges(self, small):
        with zan.open(small) as f:
            cases = [
                # (arguments, lower, upper, magnitude)
                (("y",), 2.0, 5.0, 5.0),
                (("z",), 0.0, 0.0, 1.0),
                (("y", None, 1, 3), 3.0, 5.0, 5.0),
                (("y", "time", 1.5, None), 2.0, 5.0, 5.0),
                (("y", "time", None, 0), 2.0, 2.0, 2.0),
                (("time", "y", 4, 5), 2.0, 3.0, 3.0),
                (("y", None, 10, 20), 1.0e10, -1.0e10, 1.0e10),
            ]
            for args, lower, upper, magnitude in cases:
                assert f.range(*args) == (lower, upper, magnitude), args

    def test_a_second_file_gives_its_own_range(self, small, tmp_path):
        other = write_stream(tmp_path / "other.bin", ["time", "y"], [[0, -7], [1, 9]])
        with zan.open(small) as first, zan.open(other) as second:
            assert second.number == first.number + 1
            assert second.range("y") == (-7.0, 9.0, 9.0)
            assert second.range("y", "time", 0.5, 2) == (9.0, 9.0, 9.0)
            assert second.range("y", "time", 5, 6) == (1.0e10, -1.0e10, 1.0e10)
            assert first.range("y") == (2.0, 5.0, 5.0)


class TestShiftAndFactor:
    def test_values_ranges_and_arrays_follow_the_pair(self, small):
        with zan.open(small) as f:
            assert dict(f.shift) == {"time": 0.0, "y": 0.0, "z": 0.0}
            assert dict(f.factor) == {"time": 1.0, "y": 1.0, "z": 1.0}
            before = f["y"]
            f.shift["y"] = 10.0
            f.factor["y"] = 2.0
            assert (f.shift["y"], f.factor["y"]) == (10.0, 2.0)
            # raw 3 reads back as 3 x 2 + 10
            assert f["y"][1] == 16.0
            assert before.tolist() == [2, 3, 5, 4, 2]
            f.shift["y"] = 0.0
            f.factor["y"] = -1.0
            assert f.range("y") == (-5.0, -2.0, 5.0)
            assert f.columns()["y"].tolist() == [-2, -3, -5, -4, -2]
            assert f.shift[1] == 0.0 and f.factor[2] == -1.0
            with pytest.raises(TypeError):
                del f.shift["y"]

    def test_a_new_load_starts_from_shift_0_and_factor_1(self, small):
        with zan.open(small) as f:
            f.shift["y"], f.factor["y"] = 1.0, 3.0
        with zan.open(small) as f:
            assert (f.shift["y"], f.factor["y"]) == (0.0, 1.0)


class TestExtract:
    def test_writes_each_kind_beside_the_file_and_loads_back(self, small, tmp_path):
        with zan.open(small) as f:
            f.factor["y"], f.shift["y"] = 2.0, 1.0
            cases = [
                # (kind, number, name of the file, values of y written)
                ("double", 12, "run_exd012.bin", [5.0, 7.0, 11.0, 9.0]),
                ("single", 7, "run_ext007.bin", [5.0, 7.0, 11.0, 9.0]),
                ("csv", 0, "run_ext000.csv", [5.0, 7.0, 11.0, 9.0]),
            ]
            for kind, number, name, ys in cases:
                out = f.extract(["time", "y"], bounds={"time": (None, 3)}, kind=kind, number=number)
                assert out == str(tmp_path / name)
                with zan.open(out) as back:
                    assert back.names == ["time", "y"]
                    assert back["y"].tolist() == ys, kind
                    assert back["time"].tolist() == [0, 1, 2, 3], kind

    def test_bounds_reject_whole_samples_and_the_text_kind_writes_names_first(self, small, tmp_path):
        with zan.open(small) as f:
            out = f.extract(bounds={"y": (2.5, 4.999)}, kind="csv", number=3)
        assert open(out).read().splitlines() == ["time,y,z", "1.,3.,0.", "3.,4.,0."]

    def test_replaces_an_earlier_extraction(self, small):
        with zan.open(small) as f:
            first = f.extract(["y"], number=1)
            again = f.extract(["y"], bounds={"y": (5, 5)}, number=1)
            assert again == first
            with zan.open(again) as back:
                assert back["y"].tolist() == [5.0]
