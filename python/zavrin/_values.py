"""Values between Python and the automation host's JSON encoding."""

from __future__ import annotations

import decimal
import math
from typing import Any, Callable

# Whole numbers travel as Integer (16-bit) or Long (32-bit) when they fit, as
# Double beyond that when the Double holds them exactly.
_INTEGER = (-(2**15), 2**15 - 1)
_LONG = (-(2**31), 2**31 - 1)

TYPES = frozenset(
    ["Empty", "Null", "Integer", "Long", "Single", "Double", "Currency", "String",
     "Boolean", "Error"])


class _Marker:
    """A value of its own kind, compared by identity."""

    __slots__ = ("_name",)

    def __init__(self, name: str) -> None:
        self._name = name

    def __repr__(self) -> str:
        return "zavrin." + self._name

    def __bool__(self) -> bool:
        return False

    def __reduce__(self) -> str:
        return self._name


Null = _Marker("Null")
"""The Null value (Python's None is Empty)."""
Missing = _Marker("Missing")
"""An omitted argument."""
Nothing = _Marker("Nothing")
"""No object."""


class Typed:
    """A value with its host type spelled out: Typed("Single", 2.5),
    Typed("Long", 5). Error values come back as Typed("Error", code)."""

    __slots__ = ("type", "value")

    def __init__(self, type: str, value: Any = None) -> None:
        if type not in TYPES:
            raise ValueError(f"unknown type {type!r}; one of {', '.join(sorted(TYPES))}")
        self.type = type
        self.value = value

    def __eq__(self, other: object) -> bool:
        return (isinstance(other, Typed) and other.type == self.type
                and other.value == self.value)

    def __hash__(self) -> int:
        return hash((self.type, self.value))

    def __repr__(self) -> str:
        return f"zavrin.Typed({self.type!r}, {self.value!r})"


class Ref:
    """A by-reference argument: after the call (also one that raised) `value`
    holds what the member left in it."""

    __slots__ = ("value",)

    def __init__(self, value: Any = None) -> None:
        self.value = value

    def __repr__(self) -> str:
        return f"zavrin.Ref({self.value!r})"


def _floating(value: float) -> Any:
    if math.isnan(value):
        return "NaN"
    if math.isinf(value):
        return "Infinity" if value > 0 else "-Infinity"
    return value


def _currency(value: Any) -> str:
    number = decimal.Decimal(value)
    if not number.is_finite():
        raise ValueError(f"a Currency must be finite, not {value!r}")
    return format(number, "f")


def _whole(value: int) -> dict:
    if _INTEGER[0] <= value <= _INTEGER[1]:
        return {"type": "Integer", "value": value}
    if _LONG[0] <= value <= _LONG[1]:
        return {"type": "Long", "value": value}
    if int(float(value)) == value:
        return {"type": "Double", "value": float(value)}
    raise OverflowError(
        f"{value} is beyond Long and not exact as a Double; pass a float or a Decimal")


def encode(value: Any, object_handle: Callable[[Any], "int | None"]) -> dict:
    """The JSON form of a Python value. `object_handle` gives the handle of a
    proxy of this session (None for anything else)."""
    if value is None:
        return {"type": "Empty"}
    if value is Null:
        return {"type": "Null"}
    if value is Missing:
        return {"missing": True}
    if value is Nothing:
        return {"type": "Object", "handle": None}
    if isinstance(value, bool):
        return {"type": "Boolean", "value": value}
    if isinstance(value, int):
        return _whole(value)
    if isinstance(value, float):
        return {"type": "Double", "value": _floating(value)}
    if isinstance(value, decimal.Decimal):
        return {"type": "Currency", "value": _currency(value)}
    if isinstance(value, str):
        return {"type": "String", "value": value}
    if isinstance(value, Typed):
        return _encode_typed(value)
    handle = object_handle(value)
    if handle is not None:
        return {"type": "Object", "handle": handle}
    raise TypeError(f"cannot pass a {type(value).__name__} to the host")


def _encode_typed(typed: Typed) -> dict:
    if typed.type in ("Empty", "Null"):
        return {"type": typed.type}
    value = typed.value
    if typed.type in ("Single", "Double"):
        value = _floating(float(value))
    elif typed.type == "Currency":
        value = _currency(value)
    elif typed.type == "Boolean":
        value = bool(value)
    return {"type": typed.type, "value": value}


def decode(value: dict, object_proxy: Callable[[int, "str | None"], Any]) -> Any:
    """The Python value of a JSON value; `object_proxy(handle, class)` gives
    the proxy of an object."""
    kind = value.get("type")
    if kind == "Empty":
        return None
    if kind == "Null":
        return Null
    if kind in ("Integer", "Long"):
        return int(value["value"])
    if kind in ("Single", "Double"):
        return float(value["value"])  # also "NaN", "Infinity", "-Infinity"
    if kind == "Currency":
        return decimal.Decimal(value["value"])
    if kind == "String":
        return value["value"]
    if kind == "Boolean":
        return bool(value["value"])
    if kind == "Error":
        return Typed("Error", int(value["value"]))
    if kind == "Object":
        handle = value.get("handle")
        return Nothing if handle is None else object_proxy(handle, value.get("class"))
    raise ValueError(f"unknown value type {kind!r}")
