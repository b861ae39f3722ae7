"""Writing extracted files through the library, and telling whether the
file was written (the library itself reports nothing)."""

import ctypes
import os

from . import _library
from ._errors import ArgumentError, ExtractError

KINDS = {"double": 0, "single": 2, "csv": 1}


def output_path(library_path, kind, number):
    """Where the library writes: the source path without the extension of
    its file name, "_exd" (doubles) or "_ext", three digits, ".bin" or ".csv"."""
    slash = library_path.rfind(b"/")
    dot = library_path.rfind(b".")
    stem = library_path[:dot] if dot > slash else library_path
    suffix = b"_exd" if kind == 0 else b"_ext"
    ext = b".bin" if kind in (0, 2) else b".csv"
    return stem + suffix + b"%03d" % number + ext


def _identity(path):
    try:
        st = os.stat(path)
    except OSError:
        return None
    return (st.st_ino, st.st_mtime_ns, st.st_size)


def extract_file(file, vars_, labels, lower, upper, kind, number):
    if kind not in KINDS:
        raise ArgumentError("extract: kind is one of %s, not %r" % (", ".join(KINDS), kind), file.path)
    if isinstance(number, bool) or not isinstance(number, int) or not 0 <= number <= 999:
        raise ArgumentError("extract: number is a whole number from 0 to 999, not %r" % (number,), file.path)
    code = KINDS[kind]
    target = output_path(file._library_path, code, number)
    before = _identity(target)

    n = len(vars_)
    names = b"".join(label.encode("utf-8", errors="surrogateescape")[:_library.NAME_LEN]
                     .ljust(_library.NAME_LEN) for label in labels)
    source = file._library_path.ljust(_library.PATH_LEN)
    I = ctypes.c_int32
    D = ctypes.c_double
    _library.lib.efile(_library.int_ref(file.number), _library.int_ref(n), (I * n)(*vars_), (D * n)(*upper),
                       (D * n)(*lower), _library.int_ref(code), source, _library.int_ref(_library.PATH_LEN),
                       names, _library.int_ref(len(names)), _library.int_ref(number))

    # The library writes under another name and renames the file when it is
    # complete: a new file, or one that is not the old one, was written.
    after = _identity(target)
    shown = os.fsdecode(target)
    if after is None or after == before:
        raise ExtractError("%s: the extracted file could not be written" % shown, shown)
    return shown
