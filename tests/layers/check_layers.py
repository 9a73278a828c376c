#!/usr/bin/env python3
"""Keeps the folders' arrows pointing one way.

  check_layers.py SOURCE_ROOT [TABLE]
  check_layers.py --dot SOURCE_ROOT    prints the folders' include arrows as a Graphviz drawing

Reads the program's own sources (tests, benchmarks and fuzz targets aside) and its CMake files, and fails on:
  - an #include, quoted or in angle brackets, of a header in a folder the table does not list for the
    including file's folder;
  - a CMake link from a target to a target of a folder the table does not list for the first one's folder;
  - a table that lets two folders reach each other, directly or round a circle;
  - two units of one folder that include each other, directly or round a circle (a unit is a header with
    its source files: X.h, X.cpp, XMore.cpp ... share the unit of the header they include first by name).
A folder is the directory a file sits in, so gui/ and gui/main/ are two. A target's folder is the one its
sources sit in. TABLE defaults to allowed_edges.txt beside this script.
"""
import pathlib
import re
import sys

OUTSIDE = {"tests", "bench", "fuzz", "build", ".git", "data", "docs", "package", "scripts"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)
COMMAND = re.compile(r"\b(add_library|add_executable|target_sources|target_link_libraries)\s*\(([^)]*)\)", re.S)
KEYWORDS = {"STATIC", "SHARED", "MODULE", "OBJECT", "INTERFACE", "PUBLIC", "PRIVATE", "EXCLUDE_FROM_ALL"}


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


def sources(root):
    for path in sorted(root.rglob("*")):
        rel = path.relative_to(root)
        if path.suffix in (".h", ".cpp") and rel.parts[0] not in OUTSIDE and path.is_file():
            yield path, rel


def resolve(root, rel, bracket, name):
    """The project file an include names, or None for a system or generated header."""
    if bracket == '"' and (root / rel.parent / name).is_file() and "/" not in name:
        return (rel.parent / name).as_posix()
    if "/" in name and name.split("/", 1)[0] not in OUTSIDE and (root / name).is_file():
        return name
    return None


def include_graph(root):
    """{file: [(included file, how it was written)]} for the program's own files."""
    graph = {}
    for path, rel in sources(root):
        found = []
        for bracket, name in INCLUDE.findall(path.read_text(errors="replace")):
            target = resolve(root, rel, bracket, name)
            if target:
                found.append((target, f"#include {bracket}{name}{'>' if bracket == '<' else bracket}"))
        graph[rel.as_posix()] = found
    return graph


def folder(file):
    return pathlib.PurePosixPath(file).parent.as_posix()


def include_problems(graph, allowed):
    problems = []
    for file, includes in graph.items():
        for target, written in includes:
            source, dest = folder(file), folder(target)
            if source != dest and dest not in allowed.get(source, ()):
                problems.append(f"{source} may not include {dest}: {file} has {written}")
    return problems


def unit_of(file, graph):
    """A header is its own unit; a source file joins the first header of its folder whose name starts its own."""
    path = pathlib.PurePosixPath(file)
    if path.suffix == ".h":
        return path.with_suffix("").as_posix()
    for target, _ in graph.get(file, ()):
        header = pathlib.PurePosixPath(target)
        if header.parent == path.parent and path.stem.startswith(header.stem):
            return header.with_suffix("").as_posix()
    return path.with_suffix("").as_posix()


def find_cycle(edges):
    """A path through edges {node: set} that comes back to where it started, or None."""
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                return trail[trail.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt, trail + [nxt])
                if found:
                    return found
        state[node] = "done"
        return None

    for node in sorted(edges):
        if node not in state:
            found = visit(node, [node])
            if found:
                return found
    return None


def unit_cycle_problems(graph):
    edges = {}
    for file, includes in graph.items():
        unit = unit_of(file, graph)
        for target, _ in includes:
            other = unit_of(target, graph)
            if other != unit and folder(other) == folder(unit):
                edges.setdefault(unit, set()).add(other)
    loop = find_cycle(edges)
    return [f"units of one folder include each other: {' -> '.join(loop)}"] if loop else []


def cmake_targets(root):
    """({target: folder}, [(target, linked target, CMakeLists)]) for the program's own CMake files."""
    files, links = {}, []
    for lists in sorted(root.rglob("CMakeLists.txt")):
        rel = lists.relative_to(root)
        if len(rel.parts) == 1 or rel.parts[0] in OUTSIDE:
            continue
        base = rel.parent
        text = re.sub(r"#[^\n]*", "", lists.read_text())
        for command, args in COMMAND.findall(text):
            words = args.split()
            if not words:
                continue
            name, rest = words[0], words[1:]
            if command == "target_link_libraries":
                links.extend((name, lib, rel.as_posix()) for lib in rest if lib not in KEYWORDS)
                continue
            for word in rest:
                if word in KEYWORDS or "$" in word or not re.search(r"\.(h|cpp)$", word):
                    continue
                files.setdefault(name, set()).add(folder((base / word).as_posix()))
    targets = {}
    for name, folders in files.items():
        targets[name] = folders.pop() if len(folders) == 1 else "mixed: " + " ".join(sorted(folders))
    return targets, links


def link_problems(root, allowed):
    targets, links = cmake_targets(root)
    problems = [f"target {name} has sources in more than one folder ({where[7:]})"
                for name, where in sorted(targets.items()) if where.startswith("mixed: ")]
    for name, lib, where in links:
        if name not in targets or lib not in targets:
            continue  # Qt, system libraries, test executables
        source, dest = targets[name], targets[lib]
        if source != dest and dest not in allowed.get(source, ()):
            problems.append(f"{source} may not link {dest}: {where} links {name} to {lib}")
    return problems


def dot(root):
    edges = sorted({(folder(file), folder(target)) for file, includes in include_graph(root).items()
                    for target, _ in includes if folder(file) != folder(target)})
    print("digraph folders {\n    rankdir=TB;")
    for source, dest in edges:
        print(f'    "{source}" -> "{dest}";')
    print("}")


def main():
    if sys.argv[1] == "--dot":
        dot(pathlib.Path(sys.argv[2]).resolve())
        return 0
    root = pathlib.Path(sys.argv[1]).resolve()
    table = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else pathlib.Path(__file__).with_name("allowed_edges.txt")
    allowed = read_table(table)
    problems = []
    loop = find_cycle(allowed)
    if loop:
        problems.append("the table lets folders reach each other: " + " -> ".join(loop))
    graph = include_graph(root)
    problems += include_problems(graph, allowed)
    problems += unit_cycle_problems(graph)
    problems += link_problems(root, allowed)
    for problem in problems:
        print("FAIL:", problem)
    print(f"{0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
