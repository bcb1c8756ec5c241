"""The exceptions of the client."""

from __future__ import annotations


class ZavrinError(Exception):
    """A run-time error raised by a member or by the host: its number,
    description and source, as a script would see them."""

    def __init__(self, number: int, description: str, source: str) -> None:
        super().__init__(number, description, source)
        self.number = number
        self.description = description
        self.source = source

    def __str__(self) -> str:
        return f"Error {self.number}: {self.description} (source: {self.source})"


class HostError(RuntimeError):
    """The host process cannot be started, has ended, or broke the protocol."""
