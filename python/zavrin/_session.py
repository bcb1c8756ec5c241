"""One `zavrin serve` process and the objects it holds."""

from __future__ import annotations

import collections
import json
import os
import shutil
import subprocess
import threading
import weakref
from typing import Any, Deque, Dict, List, Mapping, Optional, Sequence, Union

from . import _members
from ._errors import HostError, ZavrinError
from ._objects import Enumerator, Object
from ._values import Ref, decode, encode

COMMAND_VARIABLE = "ZAVRIN_COMMAND"

# Releases of collected objects are sent at most this many at a time, each
# batch answered before the next: the host's answers then always fit in the
# pipe, however many objects were dropped at once.
_RELEASE_BATCH = 256


def find_command(command: "str | os.PathLike[str] | None" = None) -> str:
    """The zavrin command: the one given, else $ZAVRIN_COMMAND, else zavrin on
    the PATH."""
    if command is not None:
        return os.fspath(command)
    configured = os.environ.get(COMMAND_VARIABLE)
    if configured:
        return configured
    found = shutil.which("zavrin")
    if found is None:
        raise HostError(f"no zavrin command: put it on the PATH or set {COMMAND_VARIABLE}")
    return found


def _stop(process: subprocess.Popen) -> None:
    """Ends the host: end of input, then a kill if it does not end."""
    if process.poll() is None:
        try:
            process.stdin.close()
        except OSError:
            pass
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    for stream in (process.stdin, process.stdout):
        try:
            stream.close()
        except OSError:
            pass


class Session:
    """A `zavrin serve` process of its own. Usable as a context manager; the
    process also ends when the session is collected or Python exits.

    command: path of zavrin (default: $ZAVRIN_COMMAND, else zavrin on PATH).
    env: the environment of the host (default: this process's).
    """

    def __init__(self, command: "str | os.PathLike[str] | None" = None,
                 env: Optional[Mapping[str, str]] = None) -> None:
        self.command = find_command(command)
        self._env = dict(env) if env is not None else None
        try:
            self._process = subprocess.Popen(
                [self.command, "serve"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                env=self._env)
        except OSError as e:
            raise HostError(f"cannot start {self.command} serve: {e}") from e
        self._stopper = weakref.finalize(self, _stop, self._process)
        self._lock = threading.RLock()
        self._next_id = 0
        self._proxies: "weakref.WeakValueDictionary[int, Object]" = weakref.WeakValueDictionary()
        # Handles of collected proxies, released with the next request. The
        # finalizers only append: they may run in the middle of a request.
        self._collected: Deque[int] = collections.deque()
        self._members: Dict[str, Dict[str, _members.Member]] = {}

    # --- public ------------------------------------------------------------

    def create(self, class_name: str, predeclared: bool = False) -> Object:
        """Creates an object by class name, ProgID or CLSID; `predeclared`
        gives the class's default instance instead."""
        request: Dict[str, Any] = {"op": "create", "class": class_name}
        if predeclared:
            request["predeclared"] = True
        with self._lock:
            return self._decode(self._result(self._request(request))["result"])

    def close(self) -> None:
        """Ends the host process; the session's objects are gone with it."""
        self._stopper()

    @property
    def closed(self) -> bool:
        return not self._stopper.alive

    def __enter__(self) -> "Session":
        return self

    def __exit__(self, *exc: object) -> None:
        self.close()

    # --- used by the proxies -------------------------------------------------

    def _invoke(self, handle: int, member: Union[str, int], args: Sequence[Any],
                kind: Optional[str]) -> Any:
        request: Dict[str, Any] = {"op": "invoke", "handle": handle}
        request["dispid" if isinstance(member, int) else "member"] = member
        if kind is not None:
            request["kind"] = kind
        encoded = []
        for argument in args:
            if isinstance(argument, Ref):
                value = encode(argument.value, self._handle_of)
                value["byref"] = True
            else:
                value = encode(argument, self._handle_of)
            encoded.append(value)
        request["args"] = encoded
        with self._lock:
            answer = self._request(request)
            after = answer.get("args")
            if isinstance(after, list):
                for argument, value in zip(args, after):
                    if isinstance(argument, Ref) and value is not None:
                        argument.value = self._decode(value)
            return self._decode(self._result(answer)["result"])

    def _next(self, handle: int, count: int) -> List[Any]:
        with self._lock:
            answer = self._result(self._request({"op": "next", "handle": handle, "count": count}))
            return [self._decode(value) for value in answer["result"]]

    def _reset(self, handle: int) -> None:
        with self._lock:
            self._result(self._request({"op": "reset", "handle": handle}))

    def _member(self, class_name: Optional[str], name: str) -> Optional[_members.Member]:
        if class_name is None:
            return None
        with self._lock:
            table = self._members.get(class_name)
            if table is None:
                table = _members.load(self.command, class_name, self._env)
                self._members[class_name] = table
        return table.get(name.casefold())

    # --- objects and handles ---------------------------------------------------

    def _handle_of(self, value: Any) -> Optional[int]:
        if isinstance(value, Object):
            if value._session is not self:
                raise ValueError("an object of another session cannot be passed")
            return value._handle
        return None

    def _proxy(self, handle: int, class_name: Optional[str]) -> Object:
        """The one proxy of a handle. The host gives an object the same handle
        as long as it holds it, so a handle whose proxy was collected but not
        released yet is kept, and its release called off."""
        proxy = self._proxies.get(handle)
        if proxy is not None:
            return proxy
        try:
            self._collected.remove(handle)
        except ValueError:
            pass
        kind = Enumerator if class_name == "Enumerator" else Object
        proxy = kind(self, handle, class_name)
        self._proxies[handle] = proxy
        release = weakref.finalize(proxy, self._collected.append, handle)
        release.atexit = False  # the host ends with Python anyway
        return proxy

    def _decode(self, value: Any) -> Any:
        if not isinstance(value, dict):
            raise HostError(f"the host answered a value that is not an object: {value!r}")
        try:
            return decode(value, self._proxy)
        except (KeyError, TypeError, ValueError) as e:
            raise HostError(f"the host answered an unreadable value {value!r}") from e

    # --- the wire ----------------------------------------------------------------

    def _request(self, request: Dict[str, Any]) -> Dict[str, Any]:
        """Sends the pending releases and the request; the request's answer."""
        if self.closed:
            raise HostError("the session is closed")
        while self._collected:
            batch = []
            while self._collected and len(batch) < _RELEASE_BATCH:
                batch.append({"op": "release", "handle": self._collected.popleft()})
            self._exchange(batch)  # a handle the host no longer holds answers 424: fine
        return self._exchange([request])[0]

    def _exchange(self, requests: List[Dict[str, Any]]) -> List[Dict[str, Any]]:
        lines = []
        for request in requests:
            self._next_id += 1
            request["id"] = self._next_id
            # The id first: the host echoes it even when the rest is malformed.
            line = json.dumps({"id": self._next_id, **request}, separators=(",", ":"))
            lines.append(line.encode("utf-8") + b"\n")
        try:
            self._process.stdin.write(b"".join(lines))
            self._process.stdin.flush()
        except (OSError, ValueError) as e:
            raise self._ended() from e
        answers = []
        for request in requests:
            line = self._process.stdout.readline()
            if not line:
                raise self._ended()
            try:
                answer = json.loads(line)
            except ValueError as e:
                raise HostError(f"the host answered a line that is not JSON: {line!r}") from e
            if not isinstance(answer, dict) or answer.get("id") != request["id"]:
                raise HostError(f"the host answered {line!r} to request {request['id']}")
            answers.append(answer)
        return answers

    def _ended(self) -> HostError:
        try:
            status = self._process.wait(timeout=1)
        except subprocess.TimeoutExpired:
            status = None
        self.close()
        if status is None:
            return HostError(f"{self.command} serve stopped answering")
        return HostError(f"{self.command} serve ended with status {status}")

    @staticmethod
    def _result(answer: Dict[str, Any]) -> Dict[str, Any]:
        if answer.get("ok") is True:
            return answer
        error = answer.get("error")
        if not isinstance(error, dict):
            raise HostError(f"the host answered a failure without an error: {answer!r}")
        raise ZavrinError(error.get("number"), error.get("description"), error.get("source"))
