#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
"""Lists the functions of our own C++ sources that are longer than a limit.

A function is counted from the first line of its declaration to its closing
brace, lambdas and local classes inside it included. The sources are read
with comments, strings and character literals blanked out, then scanned for
braces: a brace that opens after a closing parenthesis at namespace or class
scope opens a function; namespaces, classes, structs, unions and enums open
scopes of their own; every other brace is a block inside a function.

Usage: scripts/function-lengths.py [--limit N] [paths...]
Exit code 1 when a function is longer than the limit (default 80 lines).
"""
import argparse
import pathlib
import re
import sys

SOURCE_DIRS = ["core", "ui", "app", "bench", "tests", "packaging"]


def blank_out(text):
    """Comments, strings and character literals become spaces; lines stay."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif text.startswith('R"', i):
            m = re.match(r'R"([^(]*)\(', text[i:])
            end = ")" + m.group(1) + '"'
            j = text.find(end, i + m.end())
            j = n if j < 0 else j + len(end)
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c in "\"'":
            # A ' between digits is a digit separator, not a literal.
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                out.append(" ")
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(" " * (j + 1 - i))
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def functions(path):
    """(first line, last line, name) of every function defined in the file."""
    text = blank_out(path.read_text(encoding="utf-8"))
    # Preprocessor lines carry no braces of interest.
    text = re.sub(r"(?m)^[ \t]*#.*$", lambda m: " " * len(m.group(0)), text)
    stack = []  # kinds: "scope" (namespace, class) or "function" or "block"
    found = []
    start = 0  # where the text before the next brace begins
    line_of = lambda pos: text.count("\n", 0, pos) + 1
    for m in re.finditer(r"[{};]", text):
        ch, pos = m.group(0), m.start()
        inside_function = any(kind != "scope" for kind, _, _ in stack)
        if ch == "{":
            head = text[start:pos]
            kind = "block"
            if not inside_function:
                if re.search(r"\b(namespace|class|struct|union|enum)\b[^()]*$", head) or re.search(
                    r"\bextern\s*$", head
                ):
                    kind = "scope"
                elif ")" in head:
                    kind = "function"
                elif "=" in head or head.strip() == "":
                    kind = "block"  # an initializer
                else:
                    kind = "scope"
            first = head.lstrip()
            first_pos = pos - len(first)
            name = re.sub(r"\s+", " ", head.strip())[:90]
            stack.append((kind, line_of(first_pos), name))
            start = pos + 1
        elif ch == "}":
            if stack:
                kind, first, name = stack.pop()
                if kind == "function":
                    found.append((first, line_of(pos), name))
            start = pos + 1
        else:
            start = pos + 1
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--limit", type=int, default=80)
    parser.add_argument("paths", nargs="*")
    args = parser.parse_args()
    root = pathlib.Path(__file__).resolve().parent.parent
    given = [pathlib.Path(p) for p in args.paths] or [root / d for d in SOURCE_DIRS]
    paths = []
    for p in given:
        found = sorted(p.rglob("*")) if p.is_dir() else [p]
        paths += [f for f in found if f.suffix in (".cpp", ".h")]
    long_ones = []
    for path in paths:
        for first, last, name in functions(path):
            length = last - first + 1
            if length > args.limit:
                long_ones.append((length, path, first, name))
    for length, path, first, name in sorted(long_ones, reverse=True):
        rel = path.resolve().relative_to(root) if path.resolve().is_relative_to(root) else path
        print(f"{rel}:{first}: {length} lines: {name}")
    return 1 if long_ones else 0


if __name__ == "__main__":
    sys.exit(main())
