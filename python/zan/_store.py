"""The library's store as the package uses it.

The library loads files into numbered slots 1, 2, 3, ... of one store per
process and can release them only all together. Arrays may show the stored
samples in place. The package therefore keeps the slots of closed files
until no file of the process is open and no array shows stored samples any
more, and then releases the whole store: memory held for a closed file comes
back as soon as nothing needs it, never later, and nothing is left behind.
"""

import atexit

import numpy as np

from . import _library
from ._library import lib, lock

_used = 0        # slots 1.._used are taken (loaded files and failed loads alike)
_open = {}       # number of each file not yet closed -> the token of its load
_shown = 0       # _StoredSamples alive: runs of stored samples that arrays show
_exiting = False  # the interpreter is ending: arrays may outlive the package


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
        # Open first: a release by the garbage collector in between would
        # forget the slot.
        _open[number] = token
        _used = max(_used, number)
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


def shown_in_place(address, count):
    """A read-only array of the count stored samples at address, which keeps
    the store from being released for as long as it, or any array made from
    it, lives."""
    return np.asarray(_StoredSamples(address, count))


class _StoredSamples:
    """A run of stored samples as numpy sees it: the base of every array
    that shows them in place."""

    __slots__ = ("_interface", "_counted")

    def __init__(self, address, count):
        global _shown
        self._counted = False
        with lock:
            _shown += 1
            self._counted = True
        self._interface = {"version": 3, "typestr": np.dtype(np.float64).str, "shape": (count,),
                           "data": (address, True)}

    @property
    def __array_interface__(self):
        return self._interface

    def __del__(self):
        # Runs when the last array showing the samples has gone, on whatever
        # thread dropped it.
        global _shown
        if not self._counted:
            return
        try:
            with lock:
                _shown -= 1
                _release_if_idle()
        except Exception:
            pass  # the interpreter is ending and has taken the module apart


def _release_if_idle():
    global _used
    if _exiting or _open or _shown or _used == 0:
        return
    lib.dclos(_library.int_ref())
    _used = 0


@atexit.register
def _release_at_exit():
    """Releases the store unless arrays still show its samples: those may
    still be read while the interpreter ends (by later exit functions,
    destructors), and the system takes the memory back with the process."""
    global _used, _exiting
    with lock:
        _exiting = True
        _open.clear()
        if _used and not _shown:
            lib.dclos(_library.int_ref())
            _used = 0
