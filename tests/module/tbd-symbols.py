#!/usr/bin/env python3
"""Prints, one a line, every symbol a text-based library stub (.tbd, version 4)
offers a target: the library's own and those of the libraries it re-exports,
whose documents follow it in the same file.

Usage: tbd-symbols.py STUB.tbd TARGET      e.g. libSystem.11.tbd arm64-macos
"""
import re
import sys

# The keys of a list of names under exports: or reexports:.
SYMBOL_KEYS = {"symbols", "weak-symbols", "thread-local-symbols"}
# A key, and its value: a [ list ] that may run over lines, or the rest of the line.
ENTRY = re.compile(r"^([ \t]*)(-[ \t]+)?([a-z-]+):[ \t]*(\[[^\]]*\]|[^\n]*)", re.MULTILINE)


def names(value):
    return [name.strip().strip("'\"") for name in value.strip("[] \n").split(",") if name.strip()]


def offered(text, target):
    found = set()
    section = None
    targets = []
    for indent, _, key, value in ENTRY.findall(text):
        if not indent:
            section = key
        elif section in ("exports", "reexports"):
            if key == "targets":
                targets = names(value)
            elif key in SYMBOL_KEYS and target in targets:
                found.update(names(value))
    return found


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as stub:
        symbols = offered(stub.read(), sys.argv[2])
    if not symbols:
        sys.exit(f"{sys.argv[1]} offers no symbol to {sys.argv[2]}")
    print("\n".join(sorted(symbols)))


main()
