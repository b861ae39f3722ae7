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
_open = set()    # numbers of the files not yet closed


def next_number():
    """The file number the next load goes to, or None when the store is full."""
    with lock:
        return _used + 1 if _used < _library.MAX_FILES else None


def taken(number, loaded):
    """Records that number's slot is in use after a load; loaded tells
    whether the file stays open. A failed load gives its slot back at once
    when no file is open."""
    global _used
    with lock:
        _used = max(_used, number)
        if loaded:
            _open.add(number)
        else:
            _release_if_idle()


def closed(number):
    """Records that the file number was closed."""
    with lock:
        _open.discard(number)
        _release_if_idle()


def is_open(number):
    with lock:
        return number in _open


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
