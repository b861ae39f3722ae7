"""The exceptions of the package. Each carries the path of the file it is
about and, where the data library gave one, its status."""


class Error(Exception):
    """Base of the package's exceptions.

    ``path`` is the data file (or for an extraction the output file) the
    error is about, ``status`` the library's ``Status``, or None where the
    library was not asked (a wrong name, a closed file, a bad argument).
    """

    def __init__(self, message, path=None, status=None):
        super().__init__(message)
        self.message = message
        self.path = path
        self.status = status

    def __str__(self):
        return self.message


class LoadError(Error):
    """The file could not be loaded: missing, a folder, not a data file, ..."""


class VariableError(Error, KeyError):
    """A name or number that is not a variable of the file."""


class ClosedFileError(Error, ValueError):
    """The file was closed; its arrays taken before stay valid."""


class ArgumentError(Error, ValueError):
    """An argument the operation cannot take (step below 1, a bad kind, ...)."""


class ExtractError(Error):
    """The extracted file was not written."""
