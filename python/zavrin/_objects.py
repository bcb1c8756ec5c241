"""Proxies of the host's objects."""

from __future__ import annotations

import collections
from typing import TYPE_CHECKING, Any, Deque, Iterator, Union

from ._errors import ZavrinError
from ._values import Nothing

if TYPE_CHECKING:
    from ._session import Session

_NOT_SUPPORTED = 438  # Object doesn't support this property or method
_NEW_ENUM = -4  # the dispatch id of a collection's enumerator
_DEFAULT_MEMBER = 0


class Object:
    """An object the host holds. Attributes are its members, in any letter
    case: a method or a property with parameters comes back as something to
    call, a property or field without parameters is read at once; assigning
    an attribute sets the property (let, or set for an object). `obj[key]`
    calls the default member (Item), `for x in obj` enumerates a collection.
    The host releases the object when the last proxy reference goes away.
    """

    __slots__ = ("_session", "_handle", "_class", "__weakref__")

    def __init__(self, session: "Session", handle: int, class_name: "str | None") -> None:
        object.__setattr__(self, "_session", session)
        object.__setattr__(self, "_handle", handle)
        object.__setattr__(self, "_class", class_name)

    def _invoke(self, member: Union[str, int], *args: Any, kind: "str | None" = None) -> Any:
        """Invokes a member by name or dispatch id with an explicit kind of
        call ("method", "get", "let", "set"; None: the default)."""
        return self._session._invoke(self._handle, member, args, kind)

    def __getattr__(self, name: str) -> Any:
        if name.startswith("_"):
            raise AttributeError(name)
        member = self._session._member(self._class, name)
        if member is None:
            raise AttributeError(f"{self._class} has no member {name!r}")
        if member.is_method:
            return _BoundMember(self, member.name, "method")
        if member.readable:
            if member.get_has_parameters:
                return _BoundMember(self, member.name, "get")
            return self._invoke(member.name, kind="get")
        raise AttributeError(f"{self._class}.{member.name} cannot be read")

    def __setattr__(self, name: str, value: Any) -> None:
        if name.startswith("_"):
            raise AttributeError(f"cannot assign {name!r} of a host object")
        member = self._session._member(self._class, name)
        if member is None:
            raise AttributeError(f"{self._class} has no member {name!r}")
        kind = member.write_kind(isinstance(value, Object) or value is Nothing)
        if kind is None:
            raise AttributeError(f"{self._class}.{member.name} cannot be assigned")
        self._invoke(member.name, value, kind=kind)

    def __getitem__(self, key: Any) -> Any:
        args = key if isinstance(key, tuple) else (key,)
        return self._invoke(_DEFAULT_MEMBER, *args)

    def __iter__(self) -> "Enumerator":
        try:
            enumerator = self._invoke(_NEW_ENUM)
        except ZavrinError as e:
            if e.number == _NOT_SUPPORTED:
                raise TypeError(f"{self._class} is not a collection") from e
            raise
        if not isinstance(enumerator, Enumerator):
            raise TypeError(f"{self._class} gave no enumerator")
        return enumerator

    def __repr__(self) -> str:
        return f"<zavrin.Object {self._class} #{self._handle}>"


class Enumerator(Object):
    """An enumerator the host holds: a Python iterator fetching its values in
    batches."""

    __slots__ = ("_buffer", "_done")
    batch = 64

    def __init__(self, session: "Session", handle: int, class_name: "str | None") -> None:
        super().__init__(session, handle, class_name)
        object.__setattr__(self, "_buffer", collections.deque())
        object.__setattr__(self, "_done", False)

    def __iter__(self) -> Iterator[Any]:
        return self

    def __next__(self) -> Any:
        buffer: Deque[Any] = self._buffer
        if not buffer and not self._done:
            values = self._session._next(self._handle, self.batch)
            buffer.extend(values)
            object.__setattr__(self, "_done", len(values) < self.batch)
        if not buffer:
            raise StopIteration
        return buffer.popleft()

    def reset(self) -> None:
        """Starts again at the first position."""
        self._session._reset(self._handle)
        self._buffer.clear()
        object.__setattr__(self, "_done", False)

    def __repr__(self) -> str:
        return f"<zavrin.Enumerator #{self._handle}>"


class _BoundMember:
    """A method, or a property with parameters, of one object: calling it
    invokes the member."""

    __slots__ = ("_target", "_name", "_kind")

    def __init__(self, target: Object, name: str, kind: str) -> None:
        self._target = target
        self._name = name
        self._kind = kind

    def __call__(self, *args: Any) -> Any:
        return self._target._invoke(self._name, *args, kind=self._kind)

    def __repr__(self) -> str:
        return f"<zavrin member {self._target._class}.{self._name}>"
