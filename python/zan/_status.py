"""The status a load of the data library ends with."""

import enum
import errno
import os


class Status(enum.IntEnum):
    """How the library's load of a file ended, as the library reports it.

    Besides the members below, a positive value is the platform's error
    number of a failed open or read (``Status(2)`` is ``ENOENT``, "No such
    file or directory"), and another negative value a read error; such values
    come as members made on demand, with the platform's name. Every member
    says what it means in words in ``meaning``.
    """

    OK = 0
    END_OF_FILE = -1
    NO_MARKER = 100
    NO_MEMORY = 200
    NO_EXTENSION = 300
    BAD_FILE_NUMBER = 400
    CANCELLED = 500
    RELOAD = 501
    TOO_MANY_VARS = 999

    @classmethod
    def _missing_(cls, value):
        if not isinstance(value, int):
            return None
        member = int.__new__(cls, value)
        if value > 0:
            member._name_ = errno.errorcode.get(value, "E%d" % value)
        else:
            member._name_ = "READ_ERROR_%d" % -value
        member._value_ = value
        return member

    @property
    def meaning(self):
        """What the status means, in words."""
        words = _MEANINGS.get(self.value)
        if words:
            return words
        if self.value > 0:
            return "%s (the platform's error number %d)" % (os.strerror(self.value), self.value)
        return "the reading stopped at a read error (%d)" % self.value

    def __str__(self):
        return "%s: %s" % (self.name, self.meaning)


_MEANINGS = {
    0: "every row the file's size promised was read",
    -1: "the file ended before the rows its size promised: the usual end of a load "
        "(or, when nothing was loaded, the file ends inside its header or is empty)",
    100: "not a data file: the record layout must begin with the marker \" ## \"",
    200: "not enough memory for the samples, even keeping only every 64th row",
    300: "the file name has no extension, so no reader can be chosen (.bin, .csv, or another for the record layout)",
    400: "more files are loaded than the library holds at once (1001)",
    500: "the load was stopped before it ended",
    501: "the file changed other than by growing",
    999: "the file declares more than 5000 variables",
}
