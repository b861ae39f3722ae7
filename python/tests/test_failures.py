"""Bad input raises a clear exception with path and status, never takes the
interpreter down, and leaves no slot of the library in use (which the
autouse fixture of conftest checks after every test)."""

import errno
import os

import pytest

import zan
from conftest import write_record, write_stream, write_text


class TestLoadFailures:
    def test_each_unloadable_file_names_its_path_and_status(self, tmp_path):
        os.mkdir(tmp_path / "folder")
        os.mkdir(tmp_path / "folder.bin")
        cases = [
            # (path, status, words in the message)
            (str(tmp_path / "missing.bin"), zan.Status(errno.ENOENT), "No such file"),
            (str(tmp_path / "folder"), zan.Status(errno.EISDIR), "is a folder"),
            (str(tmp_path / "folder.bin"), zan.Status(errno.EISDIR), "is a folder"),
            (write_text(tmp_path / "empty.csv", ""), zan.Status.END_OF_FILE, "the file is empty"),
            (write_text(tmp_path / "short.bin", "title"), zan.Status.END_OF_FILE, "ends inside its header"),
            (write_text(tmp_path / "noext", "t,x\n1,2\n"), zan.Status.NO_EXTENSION, "no extension"),
            (write_record(tmp_path / "nomark.dat", "## t x", [[1, 2]]), zan.Status.NO_MARKER, "marker"),
            (write_text(tmp_path / "many.csv", ",".join("v%d" % k for k in range(5001)) + "\n"),
             zan.Status.TOO_MANY_VARS, "more than 5000 variables"),
        ]
        for path, status, words in cases:
            with pytest.raises(zan.LoadError) as e:
                zan.open(path)
            assert e.value.path == path
            assert e.value.status == status, path
            assert words in str(e.value) and path in str(e.value), str(e.value)

    def test_unusable_arguments_are_refused_before_loading(self, tmp_path):
        path = write_stream(tmp_path / "ok.bin", ["t"], [[1]])
        for step in (0, -1, 1.5, True, "2"):
            with pytest.raises(zan.ArgumentError) as e:
                zan.open(path, step=step)
            assert e.value.path == path and e.value.status is None
        long_path = str(tmp_path / ("x" * 250 + ".bin"))
        with pytest.raises(zan.ArgumentError):
            zan.open(long_path)


class TestFileFailures:
    def test_names_and_numbers_that_are_no_variable(self, tmp_path):
        path = write_stream(tmp_path / "run.bin", ["t", "x"], [[1, 2]])
        with zan.open(path) as f:
            for name in ("y", "", 0, 3, -1, 1.0, None, True):
                with pytest.raises(zan.VariableError) as e:
                    f[name]
                assert e.value.path == path
                with pytest.raises(KeyError):
                    f.range(name)
            assert "x" in f and "y" not in f
            assert f["x  "].tolist() == [2.0]

    def test_every_operation_on_a_closed_file_raises(self, tmp_path):
        path = write_stream(tmp_path / "run.bin", ["t", "x"], [[1, 2]])
        f = zan.open(path)
        f.close()
        operations = [
            lambda: f["x"],
            lambda: f.columns(),
            lambda: f.range("x"),
            lambda: f.shift["x"],
            lambda: f.factor.__setitem__("x", 2.0),
            lambda: f.extract(),
        ]
        for operation in operations:
            with pytest.raises(zan.ClosedFileError) as e:
                operation()
            assert e.value.path == path
        assert "closed" in repr(f)

    def test_extraction_arguments_and_a_file_that_cannot_be_written(self, tmp_path):
        folder = tmp_path / "gone"
        folder.mkdir()
        path = write_stream(folder / "run.bin", ["t", "x"], [[1, 2]])
        with zan.open(path) as f:
            bad = [dict(kind="text"), dict(number=1000), dict(number=-1), dict(names=[]),
                   dict(names=["t"], bounds={"x": (0, 1)})]
            for arguments in bad:
                with pytest.raises(zan.ArgumentError):
                    f.extract(**arguments)
            with pytest.raises(zan.VariableError):
                f.extract(["nope"])
            os.remove(path)
            os.rmdir(folder)
            with pytest.raises(zan.ExtractError) as e:
                f.extract()
            assert e.value.path == str(folder / "run_exd000.bin")
            assert f["x"].tolist() == [2.0]


def test_every_status_says_what_it_means():
    for status in list(zan.Status) + [zan.Status(errno.EACCES), zan.Status(-5)]:
        assert status.meaning and status.name in str(status)
    assert zan.Status(errno.ENOENT).name == "ENOENT"
