"""Shift and factor of the variables of one file, as a dict-like table."""

import collections.abc
import ctypes

from . import _library


class ScalingTable(collections.abc.MutableMapping):
    """``file.shift`` and ``file.factor``: name (or number) -> value.

    Every value the file gives (arrays, ranges, extracted files) is the
    stored value times the factor plus the shift. Setting changes only what
    is read afterwards; arrays taken before keep their values. A fresh load
    starts at shift 0.0 and factor 1.0. Entries cannot be deleted: set the
    shift to 0.0 or the factor to 1.0 instead.
    """

    def __init__(self, file, which):
        self._file = file
        self._which = which
        self._get = getattr(_library.lib, "gshft" if which == "shift" else "gfact")
        self._set = getattr(_library.lib, "sshft" if which == "shift" else "sfact")

    def __getitem__(self, name):
        with _library.lock:
            var = self._file._var(name)
            value = ctypes.c_double(0.0)
            self._get(_library.int_ref(self._file.number), _library.int_ref(var), ctypes.byref(value))
            return value.value

    def __setitem__(self, name, value):
        with _library.lock:
            var = self._file._var(name)
            self._set(_library.int_ref(self._file.number), _library.int_ref(var),
                      ctypes.byref(ctypes.c_double(float(value))))

    def __delitem__(self, name):
        raise TypeError("the %s of a variable cannot be deleted, only set" % self._which)

    def __iter__(self):
        return iter(list(self._file._index))

    def __len__(self):
        return len(self._file._index)

    def __repr__(self):
        return "<zan %s of %r>" % (self._which, self._file.path)
