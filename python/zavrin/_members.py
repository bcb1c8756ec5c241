"""What the members of a class are, from `zavrin members CLASS`.

Attribute access needs to know whether a name is a method (to be called) or
a property (to be read at once): in the automation model a property read and a
method call are the same request, so asking the host would call the method.
"""

from __future__ import annotations

import re
import subprocess
from typing import Dict, FrozenSet, Mapping, Optional

from ._errors import HostError

# "  0x60030002  1610809346  method  BinToDec(ByRef BinaryValue As String) As Variant"
# "  0x40030000  1073938432  field   KeyNames As String"
_MEMBER_LINE = re.compile(
    r"^\s+0x[0-9A-Fa-f]{8}\s+-?\d+\s+(method|get|let|set|field)\s+([A-Za-z_]\w*)(\(([^)]*)\))?")


class Member:
    """The kinds under which one name is declared (a property may have get,
    let and set), and whether its get takes parameters."""

    __slots__ = ("name", "kinds", "get_has_parameters")

    def __init__(self, name: str) -> None:
        self.name = name
        self.kinds: FrozenSet[str] = frozenset()
        self.get_has_parameters = False

    @property
    def is_method(self) -> bool:
        return "method" in self.kinds

    @property
    def readable(self) -> bool:
        return bool(self.kinds & {"get", "field"})

    def write_kind(self, is_object: bool) -> Optional[str]:
        """The kind of call that assigns a value: set for an object where the
        member takes one, let otherwise; None for a read-only member."""
        can_let = bool(self.kinds & {"let", "field"})
        can_set = bool(self.kinds & {"set", "field"})
        if is_object and can_set:
            return "set"
        if can_let:
            return "let"
        return "set" if can_set else None


def parse(text: str) -> Dict[str, Member]:
    """The members listed by `zavrin members`, by case-folded name."""
    members: Dict[str, Member] = {}
    for line in text.splitlines():
        match = _MEMBER_LINE.match(line)
        if not match:
            continue
        kind, name, parameters = match.group(1), match.group(2), match.group(4)
        member = members.setdefault(name.casefold(), Member(name))
        member.kinds = member.kinds | {kind}
        if kind == "get" and parameters and parameters.strip():
            member.get_has_parameters = True
    return members


def load(command: str, class_name: str, env: Optional[Mapping[str, str]]) -> Dict[str, Member]:
    """Runs `zavrin members CLASS` (no shell) and parses its output."""
    try:
        done = subprocess.run([command, "members", class_name], env=env, stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=60, check=False)
    except (OSError, subprocess.SubprocessError) as e:
        raise HostError(f"{command} members {class_name}: {e}") from e
    if done.returncode != 0:
        message = done.stderr.decode("utf-8", "replace").strip()
        raise HostError(f"{command} members {class_name}: status {done.returncode}: {message}")
    return parse(done.stdout.decode("utf-8", "replace"))
