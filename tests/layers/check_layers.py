#!/usr/bin/env python3
"""Keeps the folders' arrows pointing one way.

  check_layers.py SOURCE_ROOT

Reads every #include "..." of the program's own sources (tests, benchmarks and fuzz targets aside) and fails
when a folder includes a folder that allowed_edges.txt beside this script does not list for it, or when the
table itself lets two folders reach each other. A folder is the directory a file sits in, so record/ and
record/ui/ are two.
"""
import pathlib
import re
import sys

OUTSIDE = ("tests", "bench", "fuzz", "build", ".git")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def read_table(path):
    allowed = {}
    for number, line in enumerate(path.read_text().splitlines(), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        if ":" not in line:
            sys.exit(f"{path}:{number}: expected 'folder: folder folder ...'")
        source, targets = line.split(":", 1)
        allowed.setdefault(source.strip(), set()).update(targets.split())
    return allowed


def actual_edges(root):
    edges = {}
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or path.relative_to(root).parts[0] in OUTSIDE:
            continue
        source = path.parent.relative_to(root).as_posix()
        for target_file in INCLUDE.findall(path.read_text(errors="replace")):
            if "/" not in target_file:
                continue  # a header beside the file, or a generated one
            target = pathlib.PurePosixPath(target_file).parent.as_posix()
            if target != source:
                edges.setdefault((source, target), []).append(f"{path.relative_to(root)} includes {target_file}")
    return edges


def cycle(allowed):
    """A path that comes back to where it started, or None."""
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(allowed.get(node, ())):
            if state.get(nxt) == "open":
                return trail[trail.index(nxt):] + [nxt] if nxt in trail else [node, nxt]
            if nxt not in state:
                found = visit(nxt, trail + [nxt])
                if found:
                    return found
        state[node] = "done"
        return None

    for node in sorted(allowed):
        if node not in state:
            found = visit(node, [node])
            if found:
                return found
    return None


def main():
    root = pathlib.Path(sys.argv[1]).resolve()
    allowed = read_table(pathlib.Path(__file__).with_name("allowed_edges.txt"))
    problems = []
    loop = cycle(allowed)
    if loop:
        problems.append("the table lets folders reach each other: " + " -> ".join(loop))
    for (source, target), where in sorted(actual_edges(root).items()):
        if target not in allowed.get(source, ()):
            problems.append(f"{source} may not include {target}: " + "; ".join(where[:3]))
    for problem in problems:
        print("FAIL:", problem)
    print(f"{0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
