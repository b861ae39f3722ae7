"""Every demo file read through the package: its facts and ranges as zan-info
reports them, and every value as an independent reader of the layout finds
it. Then the small cases of the library's own reader tests, by layout."""

import math

import numpy as np

import zan
from conftest import (info_report, read_csv, read_record_layout, read_stream_shape_a, read_stream_shape_c,
                      shown, write_record, write_stream, write_text)


def check_against_info(path):
    """The file's facts and each variable's shown range as zan-info reports them."""
    fields, variables = info_report(path)
    with zan.open(path) as f:
        assert f.title == fields["title"]
        assert fields["status"].startswith("%d " % f.status)
        assert int(fields["variables"]) == len(f.names)
        assert fields["rows"] == "%d stored of %d expected" % (f.rows, f.expected_rows)
        assert int(fields["step"]) == f.step
        assert [v[0] for v in variables] == f.names
        columns = f.columns()
        for name, low, high in variables:
            values = columns[name]
            assert (shown(values.min()), shown(values.max())) == (low, high), name
            r = f.range(name)
            assert (r.lower, r.upper) == (values.min(), values.max()), name
        return columns


def check_values(columns, names, table):
    assert list(columns) == names
    for k, name in enumerate(names):
        np.testing.assert_array_equal(columns[name], table[:, k], err_msg=name)


class TestStreamLayout:
    def test_demo_file_of_singles_matches_zan_info_and_every_value(self, demo):
        columns = check_against_info(demo / "flight.bin")
        names = list(columns)
        check_values(columns, names, read_stream_shape_a(demo / "flight.bin", len(names)))

    def test_demo_file_of_doubles_matches_zan_info_and_every_value(self, demo):
        columns = check_against_info(demo / "flight_c.bin")
        names = list(columns)
        assert names[1] == "altitude [m]"
        check_values(columns, names, read_stream_shape_c(demo / "flight_c.bin", len(names)))

    def test_small_files_load_as_the_reader_tests_expect(self, tmp_path):
        rows = [[1, 2, 3], [4, 5, 6], [7, 8, 9], [10, 11, 12]]
        cases = [
            # (file, step, rows, expected rows, status, first column)
            (write_stream(tmp_path / "a.bin", ["x", "y", "z"], rows), 1, 4, 4, zan.Status.OK, [1, 4, 7, 10]),
            (write_stream(tmp_path / "b.bin", ["x", "y", "z"], rows, width=20), 1, 4, 4, zan.Status.OK,
             [1, 4, 7, 10]),
            (write_stream(tmp_path / "c.bin", ["x", "y", "z"], rows, width=80, single=False), 2, 2, 4,
             zan.Status.OK, [1, 7]),
            (write_stream(tmp_path / "lower.bin", ["x"], [[float(r)] for r in range(10)]), 3, 3, 10,
             zan.Status.OK, [0, 3, 6]),
        ]
        for path, step, stored, expected, status, first in cases:
            with zan.open(path, step=step) as f:
                assert (f.rows, f.expected_rows, f.status, f.step) == (stored, expected, status, step), path
                assert f[1].tolist() == first, path

    def test_an_incomplete_last_row_is_left_out(self, tmp_path):
        path = write_stream(tmp_path / "cut.bin", ["x", "y", "z"], [[1, 2, 3]] * 4)
        with open(path, "ab") as f:
            f.write(b"\0" * 8)
        with zan.open(path) as f:
            assert (f.rows, f.expected_rows, f.status) == (4, 4, zan.Status.OK)

    def test_substitutes_not_a_number_and_limits_values(self, tmp_path):
        path = write_stream(tmp_path / "odd.bin", ["v"], [[math.nan], [5.0e12], [-math.inf], [-3e9], [0.5]],
                            width=80, single=False)
        with zan.open(path) as f:
            assert f["v"].tolist() == [-999999999.0, 1.0e9, -1.0e9, -1.0e9, 0.5]


class TestRecordLayout:
    def test_demo_file_matches_zan_info_and_every_value(self, demo):
        columns = check_against_info(demo / "flight.dat")
        check_values(columns, list(columns), read_record_layout(demo / "flight.dat"))

    def test_ends_at_the_end_of_the_file_with_the_path_as_title(self, tmp_path):
        rows = [[float(r), 2.0 * r, -r] for r in range(7)]
        path = write_record(tmp_path / "run.dat", " ## t  z", rows)
        with zan.open(path) as f:
            assert f.names == ["t", "", "z"]
            assert (f.rows, f.status) == (7, zan.Status.END_OF_FILE)
            assert f.expected_rows > 7
            assert f.title == str(path).upper()[:80]
            assert f["z"].tolist() == [-r for r in range(7)]


class TestCsvLayout:
    def test_demo_files_match_zan_info_and_every_value(self, demo):
        for name in ("flight.csv", "flight2.csv"):
            columns = check_against_info(demo / name)
            header, table = read_csv(demo / name)
            check_values(columns, header, table)

    def test_small_files_load_as_the_reader_tests_expect(self, tmp_path):
        long_name = "n" * 100
        cases = [
            # (text, step, names, rows of the first variable, expected rows)
            ("time,alt,speed\n1,2,3\n4,5,6\n7,8,9\n", 1, ["time", "alt", "speed"], [1, 4, 7], 4),
            ("# comment\nt,x\n1,2\n3,4\n", 1, ["t", "x"], [1, 3], 4),
            ("a,b,c\n1,2,3\n4,5\n6,7,8\n", 1, ["a", "b", "c"], [1, 6], 4),
            ("a,,b\n1,2\n", 1, ["a", "b"], [1], 2),
            (long_name + ",y\n1,2\n", 1, ["n" * 78, "y"], [1], 2),
            ("t,x\n" + "".join("%d,0\n" % r for r in range(1, 10)), 2, ["t", "x"], [1, 3, 5, 7, 9], 10),
        ]
        for k, (text, step, names, first, expected) in enumerate(cases):
            path = write_text(tmp_path / ("case%d.csv" % k), text)
            with zan.open(path, step=step) as f:
                assert f.names == names, text
                assert f[1].tolist() == first, text
                assert (f.expected_rows, f.status) == (expected, zan.Status.END_OF_FILE), text
                assert f.title == path.upper()[:80]

    def test_repeated_names_and_a_header_without_rows(self, tmp_path):
        with zan.open(write_text(tmp_path / "twice.csv", "a,a,b\n1,2,3\n")) as f:
            assert f.names == ["a", "a", "b"]
            assert {k: v.tolist() for k, v in f.columns().items()} == {"a": [1.0], "b": [3.0]}
            assert (f["a"].tolist(), f[2].tolist()) == ([1.0], [2.0])
        with zan.open(write_text(tmp_path / "header.csv", "t,x\n")) as f:
            assert (f.rows, f.names) == (0, ["t", "x"])
            assert f["x"].shape == (0,) and f["x"].dtype == np.float64
