"""Ranges of a variable from the library: over all samples, or inside a
window of another variable."""

import collections
import ctypes

from . import _library

Range = collections.namedtuple("Range", "lower upper magnitude")
Range.__doc__ = """Least and greatest value of a variable, and the larger of
their magnitudes (1.0 when both are 0)."""

# The range a window without samples leaves, as for the library's first file.
_EMPTY_UPPER = -1.0e10
_EMPTY_LOWER = 1.0e10


def whole_range(number, var):
    # For files after the first the library widens the range it is given:
    # starting from nothing, only this file's samples count.
    upper, lower, magnitude = ctypes.c_double(-float("inf")), ctypes.c_double(float("inf")), ctypes.c_double()
    _library.lib.drang(_library.int_ref(number), _library.int_ref(var), ctypes.byref(upper),
                       ctypes.byref(lower), ctypes.byref(magnitude))
    return Range(lower.value, upper.value, magnitude.value)


def window_range(number, var, xvar, lo, hi):
    upper, lower, magnitude = ctypes.c_double(_EMPTY_UPPER), ctypes.c_double(_EMPTY_LOWER), ctypes.c_double()
    _library.lib.rrang(_library.int_ref(number), _library.int_ref(var), _library.int_ref(xvar),
                       ctypes.byref(ctypes.c_double(lo)), ctypes.byref(ctypes.c_double(hi)),
                       ctypes.byref(upper), ctypes.byref(lower), ctypes.byref(magnitude))
    return Range(lower.value, upper.value, magnitude.value)
