"""Simulation runs as numpy arrays, read by the Zan data library.

    import zan
    with zan.open("run.bin") as run:
        t, alt = run["time"], run["altitude"]

``zan.open(path, step=1)`` loads a data file (".bin", ".csv", ".dat" and the
other layouts the viewer reads) and returns a ``File``: its ``names``,
``rows``, ``status``, the variables as arrays (``file[name]``,
``file.columns()``), ranges (``file.range``), shift and factor per variable
(``file.shift``, ``file.factor``) and extraction into new data files
(``file.extract``). The values are the viewer's: the same substitutions,
decimation and shift and factor. Errors raise ``zan.Error`` subclasses that
carry ``path`` and ``status``.
"""

from ._errors import ArgumentError, ClosedFileError, Error, ExtractError, LoadError, VariableError
from ._file import File, open
from ._ranges import Range
from ._status import Status

__all__ = ["open", "File", "Range", "Status", "Error", "LoadError", "VariableError", "ClosedFileError",
           "ArgumentError", "ExtractError"]
