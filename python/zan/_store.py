"""The library's store as the package uses it.

The library loads files into numbered slots 1, 2, 3, ... of one store per
process and can release them only all together. The package therefore keeps
the slots of closed files until no file of the process is open any more, and
then releases the whole store: memory held for a closed file comes back when
the last open file is closed, never later, and nothing is left behind.
"""

import atexit

from . import _library
from ._library import lib, lock

_used = 0        # slots 1.._used are taken (loaded files and failed loads alike)
_open = {}       # number of each file not yet closed -> the token of its load


def next_number():
    """The file number the next load goes to, or None when the store is full."""
    with lock:
        return _used + 1 if _used < _library.MAX_FILES else None


def reserve(number):
    """Takes number's slot for a load about to run and returns the token
    that stands for this load of it. It counts as open until the load has
    failed or its file is closed, so that a file closed meanwhile (by the
    garbage collector, at any moment) does not release the store under the
    load. Numbers come back once the store is released; the token tells a
    file from a later one under the same number."""
    global _used
    token = object()
    with lock:
        _used = max(_used, number)
        _open[number] = token
    return token


def closed(number, token):
    """Records that the load the token stands for was closed."""
    with lock:
        if _open.get(number) is token:
            del _open[number]
        _release_if_idle()


def is_open(number, token):
    with lock:
        return _open.get(number) is token


def slots_in_use():
    """How many slots the store holds now, those of closed files included."""
    with lock:
        return _used


def _release_if_idle():
    global _used
    if _open or _used == 0:
        return
    lib.dclos(_library.int_ref())
    _used = 0


@atexit.register
def _release_at_exit():
    global _used
    with lock:
        _open.clear()
        if _used:
            lib.dclos(_library.int_ref())
            _used = 0
