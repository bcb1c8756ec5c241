"""A client for the Zavrin Studio Suite automation host (`zavrin serve`).

    import zavrin

    numbers = zavrin.create("ZSNumbers")          # or "VQZavrinStudio.ZSNumbers"
    numbers.BinToDec("101")                       # 5
    text = zavrin.Ref("11111111")
    numbers.BinToHex(text)                        # "FF"; text.value is now "255"

    with zavrin.Session() as session:             # a host process of its own
        keys = session.create("ZSRegistryKeys")
        keys.Add("first")
        for key in keys:
            print(key.KeyNames)

Values: None is Empty, zavrin.Null is Null, int is Integer or Long (Double
beyond), float is Double, decimal.Decimal is Currency, str is String, bool is
Boolean, zavrin.Typed(type, value) any type spelled out, zavrin.Nothing no
object, zavrin.Missing an omitted argument. Run-time errors raise
zavrin.ZavrinError (number, description, source).
"""

from __future__ import annotations

import threading
from typing import Optional

from ._errors import HostError, ZavrinError
from ._objects import Enumerator, Object
from ._session import COMMAND_VARIABLE, Session, find_command
from ._values import Missing, Nothing, Null, Ref, Typed

__version__ = "1.22"

__all__ = [
    "COMMAND_VARIABLE", "Enumerator", "HostError", "Missing", "Nothing", "Null", "Object", "Ref",
    "Session", "Typed", "ZavrinError", "create", "default_session", "find_command",
]

_default: Optional[Session] = None
_default_lock = threading.Lock()


def default_session() -> Session:
    """The session that create() uses, started at first need (again after it
    was closed)."""
    global _default
    with _default_lock:
        if _default is None or _default.closed:
            _default = Session()
        return _default


def create(class_name: str, predeclared: bool = False) -> Object:
    """Creates an object in the default session by class name, ProgID or
    CLSID."""
    return default_session().create(class_name, predeclared=predeclared)
