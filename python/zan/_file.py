"""A data file loaded by the library, with its variables as numpy arrays."""

import ctypes
import errno
import os

import numpy as np

from . import _library, _store
from ._errors import ArgumentError, ClosedFileError, LoadError, VariableError
from ._extraction import extract_file
from ._ranges import window_range, whole_range
from ._scaling import ScalingTable
from ._status import Status

_I = ctypes.c_int32


def open(path, step=1):  # noqa: A001 - the package's open, as zan.open
    """Loads the data file at path (".bin" stream layout, ".csv" text, any
    other extension the record layout) and returns it as a ``File``.

    step keeps every step-th row only (1: all rows). When memory is short the
    library doubles the step (up to 64) and ``File.step`` tells the one used.
    Raises ``LoadError`` (with ``path`` and the library's ``status``) when the
    file gives no variables, ``ArgumentError`` for a step below 1 or a path
    longer than 255 bytes.
    """
    return File._load(os.fspath(path), step)


class File:
    """One loaded data file.

    Its variables come as read-only numpy arrays of 64-bit floats, each value
    as the viewer shows it: the stored value times the variable's factor plus
    its shift (``shift`` and ``factor``, 0.0 and 1.0 after the load). Where
    that gives every stored value unchanged, bit for bit (so always after the
    load, unless the variable holds a -0.0, which the viewer reads as 0.0),
    the array is a view of the library's memory, made without copying;
    otherwise it is a copy. Either way it holds the values as they are at the
    call and never changes: the library does not change a loaded file's
    values, and a shift or factor set later applies to arrays taken after it.
    ``a.copy()`` (or ``np.array(a)``) gives a writable array of one's own.

    Several files may be open at once. ``close()`` (or the end of a ``with``
    block, or the object's end) closes the file; its arrays stay valid. The
    library can release its files only all together, so the memory of closed
    files is given back once no file of the process is open and no array
    that views the library's memory is left, nor a slice or view of one
    (``a.flags.owndata`` is False for such an array). To work through many
    runs with little memory, close each before opening the next and keep
    copies, not the arrays themselves, of what you keep from each.
    """

    def __init__(self):
        raise TypeError("zan.File objects come from zan.open(path)")

    @classmethod
    def _load(cls, path, step):
        if isinstance(step, bool) or not isinstance(step, int) or step < 1:
            raise ArgumentError("zan.open: step must be a whole number from 1, not %r" % (step,), path)
        if os.path.isdir(path):
            # The library would judge a folder by its name's extension.
            st = Status(errno.EISDIR)
            raise LoadError("%s: is a folder, not a data file" % path, path, st)
        name = _library_path(path)
        if len(name) > _library.PATH_LEN:
            raise ArgumentError("zan.open: the path is longer than %d bytes" % _library.PATH_LEN, path)
        with _library.lock:
            number = _store.next_number()
            if number is None:
                raise LoadError("%s: the library holds %d files at most; they are released when every file "
                                "is closed and no array shows their values in place (keep copies instead)"
                                % (path, _library.MAX_FILES), path, Status.BAD_FILE_NUMBER)
            token = _store.reserve(number)
            try:
                return cls._read(path, name, number, token, step)
            except BaseException:
                _store.closed(number, token)
                raise

    @classmethod
    def _read(cls, path, name, number, token, step):
        names = (_I * (_library.MAX_VARS * _library.NAME_LEN))()
        title = (_I * _library.NAME_LEN)()
        nvar, nstored, nrows, used_step, status, close_status = (_I(0), _I(0), _I(0), _I(step), _I(0), _I(0))
        _library.lib.dopen(_library.int_ref(number), _library.codes(name, _library.PATH_LEN), names, title,
                           ctypes.byref(nvar), ctypes.byref(nstored), ctypes.byref(nrows),
                           ctypes.byref(used_step), ctypes.byref(status), ctypes.byref(close_status))
        if nvar.value < 1:
            st = Status(status.value)
            raise LoadError("%s: %s" % (path, _failure_reason(path, st)), path, st)
        variables = _names(names, nvar.value)
        index = {}
        for i, n in enumerate(variables):
            index.setdefault(n, i + 1)
        self = object.__new__(cls)
        self.path = path
        self.title = _library.text(title)
        self.names = variables
        self.rows = nstored.value
        self.expected_rows = nrows.value
        self.step = used_step.value
        self.status = Status(status.value)
        self.close_status = close_status.value
        self._library_path = name
        self._index = index
        # Last: only a complete object closes its load.
        self.number = number
        self._token = token
        return self

    @property
    def shift(self):
        """The shift of each variable: ``file.shift[name]``, settable."""
        return ScalingTable(self, "shift")

    @property
    def factor(self):
        """The factor of each variable: ``file.factor[name]``, settable."""
        return ScalingTable(self, "factor")

    # -- state -------------------------------------------------------------

    @property
    def closed(self):
        return not _store.is_open(self.number, self._token)

    def close(self):
        """Closes the file; closing again does nothing."""
        token = getattr(self, "_token", None)
        if token is not None:
            _store.closed(self.number, token)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def __del__(self):
        try:
            self.close()
        except Exception:
            pass

    def __repr__(self):
        state = "closed" if self.closed else "%d variables, %d rows" % (len(self.names), self.rows)
        return "<zan.File %r, %s>" % (self.path, state)

    def __len__(self):
        return len(self.names)

    def __contains__(self, name):
        return self._find(name, quiet=True) is not None

    # -- values ------------------------------------------------------------

    def __getitem__(self, name):
        """The variable with this name (or number, counted from 1) as a
        read-only array of ``rows`` values, a view or a copy as ``File``
        says. A name that occurs more than once names its first variable."""
        with _library.lock:
            return self._column(self._var(name))

    def columns(self):
        """Every variable as a dict name -> read-only array (see ``File``),
        in file order. A name that occurs more than once is there once, with
        its first variable."""
        with _library.lock:
            self._check_open()
            return {n: self._column(v) for n, v in self._index.items()}

    def _column(self, var):
        self._check_open()
        if self.rows:
            samples, count, exact = ctypes.c_void_p(), _I(0), _I(0)
            _library.lib.pdata(_library.int_ref(self.number), _library.int_ref(var), ctypes.byref(samples),
                               ctypes.byref(count), ctypes.byref(exact))
            if exact.value and samples.value and count.value >= self.rows:
                return _store.shown_in_place(samples.value, self.rows)
        values = np.empty(self.rows, dtype=np.float64)
        if self.rows:
            _library.lib.cdata(_library.int_ref(self.number), _library.int_ref(var), _library.int_ref(1),
                               _library.int_ref(self.rows), values.ctypes.data)
        values.flags.writeable = False
        return values

    # -- library queries ---------------------------------------------------

    def range(self, name, xname=None, lo=None, hi=None):
        """The least and greatest value of a variable, as ``Range(lower,
        upper, magnitude)`` with magnitude = max(|lower|, |upper|), or 1.0
        when both are 0.

        Without xname, lo and hi: over all samples, from the extremes kept
        while loading. Otherwise over the samples whose X variable (xname,
        else the first variable) lies in lo..hi, both ends included (a bound
        left out is open). When no sample lies there, lower is 1e10 and upper
        -1e10, so upper < lower tells it.
        """
        with _library.lock:
            var = self._var(name)
            if xname is None and lo is None and hi is None:
                return whole_range(self.number, var)
            xvar = 1 if xname is None else self._var(xname)
            low = -np.inf if lo is None else float(lo)
            high = np.inf if hi is None else float(hi)
            return window_range(self.number, var, xvar, low, high)

    def extract(self, names=None, bounds=None, kind="double", number=0):
        """Writes the variables names (default: all) of the samples inside
        bounds into a new data file beside this one and returns its path.

        bounds maps names to (lower, upper), both included; a sample is
        written when every bounded variable lies inside its bounds (a bound of
        None is open). Values are written with shift and factor applied.
        kind "double" writes NAME_exdNNN.bin (doubles), "single"
        NAME_extNNN.bin (singles), "csv" NAME_extNNN.csv; NNN is number, 0 to
        999. An existing file of that name is replaced. Raises
        ``ExtractError`` when the file was not written.
        """
        with _library.lock:
            self._check_open()
            chosen = list(self._index) if names is None else list(names)
            if not chosen:
                raise ArgumentError("extract: no variable to write", self.path)
            vars_ = [self._var(n) for n in chosen]
            labels = [self.names[v - 1] for v in vars_]
            lower = [-np.inf] * len(vars_)
            upper = [np.inf] * len(vars_)
            for key, (low, high) in (bounds or {}).items():
                var = self._var(key)
                if var not in vars_:
                    raise ArgumentError("extract: %r has bounds but is not written" % (key,), self.path)
                k = vars_.index(var)
                lower[k] = -np.inf if low is None else float(low)
                upper[k] = np.inf if high is None else float(high)
            return extract_file(self, vars_, labels, lower, upper, kind, number)

    # -- helpers -----------------------------------------------------------

    def _check_open(self):
        if self.closed:
            raise ClosedFileError("%s: the file is closed" % self.path, self.path)

    def _var(self, name):
        self._check_open()
        return self._find(name, quiet=False)

    def _find(self, name, quiet):
        if isinstance(name, (int, np.integer)) and not isinstance(name, bool):
            if 1 <= name <= len(self.names):
                return int(name)
        elif isinstance(name, str):
            var = self._index.get(name)
            if var is None:
                var = self._index.get(name.rstrip(" "))
            if var is not None:
                return var
        if quiet:
            return None
        raise VariableError("%s: %r is not a variable of the file" % (self.path, name), self.path)


def _library_path(path):
    """The path as the library takes it: absolute, so that extractions still
    go beside the file after a change of folder, unless that is too long."""
    exact = _library.path_bytes(path)
    full = _library.path_bytes(os.path.abspath(path))
    return full if len(full) <= _library.PATH_LEN else exact


def _names(codes, count):
    if count <= 0:
        return []
    n = min(count, _library.MAX_VARS)
    table = np.ctypeslib.as_array(codes)[: n * _library.NAME_LEN].reshape(n, _library.NAME_LEN)
    rows = (table & 0xFF).astype(np.uint8)
    return [bytes(row).rstrip(b" ").decode("utf-8", errors="surrogateescape") for row in rows]


def _failure_reason(path, status):
    if status == Status.END_OF_FILE:
        try:
            if os.path.getsize(path) == 0:
                return "the file is empty"
        except OSError:
            pass
        return "the file ends inside its header"
    if status == Status.OK:
        return "the file holds no variables"
    return status.meaning
