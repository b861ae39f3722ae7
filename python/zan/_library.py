"""The data library through ctypes: loading it, the argument types of the
operations the package calls, and the text codes of its interface."""

import ctypes
import ctypes.util
import os
import threading

from . import _location

MAX_FILES = 1001
MAX_VARS = 5000
NAME_LEN = 80
PATH_LEN = 255

_I = ctypes.c_int32
_PI = ctypes.POINTER(ctypes.c_int32)
_PD = ctypes.POINTER(ctypes.c_double)

_SIGNATURES = {
    "dopen": [_PI, _PI, _PI, _PI, _PI, _PI, _PI, _PI, _PI, _PI],
    "dclos": [_PI],
    "daloc": [_PI],
    "drang": [_PI, _PI, _PD, _PD, _PD],
    "rrang": [_PI, _PI, _PI, _PD, _PD, _PD, _PD, _PD],
    "cdata": [_PI, _PI, _PI, _PI, ctypes.c_void_p],
    "pdata": [_PI, _PI, ctypes.POINTER(ctypes.c_void_p), _PI, _PI],
    "sshft": [_PI, _PI, _PD],
    "gshft": [_PI, _PI, _PD],
    "sfact": [_PI, _PI, _PD],
    "gfact": [_PI, _PI, _PD],
    "efile": [_PI, _PI, _PI, _PD, _PD, _PI, ctypes.c_char_p, _PI, ctypes.c_char_p, _PI, _PI],
}

# The library keeps one store per process and is not made for calls from
# several threads at once: every call of the package holds this lock.
lock = threading.RLock()


def _candidates():
    here = os.path.dirname(os.path.abspath(__file__))
    yield os.path.normpath(os.path.join(here, _location.LIBRARY_DIR, _location.LIBRARY_NAME))
    # Installed elsewhere than beside the package: the system's search path.
    yield _location.LIBRARY_NAME
    found = ctypes.util.find_library("zan")
    if found:
        yield found


def _load():
    errors = []
    for name in _candidates():
        try:
            lib = ctypes.CDLL(name)
        except OSError as e:
            errors.append(str(e))
            continue
        for op, args in _SIGNATURES.items():
            fn = getattr(lib, op)
            fn.argtypes = args
            fn.restype = None
        return lib
    raise ImportError("zan: the data library libzan cannot be loaded: " + "; ".join(errors))


lib = _load()


def int_ref(value=0):
    return ctypes.byref(_I(value))


def codes(data, width):
    """An array of width character codes: the bytes of data, blank-padded."""
    array = (_I * width)(*data[:width])
    for i in range(len(data), width):
        array[i] = 32
    return array


def text(codes_array, start=0, width=NAME_LEN):
    """The text of width codes from start, trailing blanks dropped."""
    raw = bytes(c & 0xFF for c in codes_array[start:start + width])
    return raw.rstrip(b" ").decode("utf-8", errors="surrogateescape")


def path_bytes(path):
    return os.fsencode(path)
