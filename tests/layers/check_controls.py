#!/usr/bin/env python3
"""Keeps each window's controls its own.

  check_controls.py SOURCE_ROOT

A control is a member of a class declared in a header under gui/ whose type is a pointer to a Qt (Q...)
or program (T...) class, such as `QPushButton* btnApply;`. The check fails when a file of gui/ or app/
other than the class's own files (X.h, X.cpp, XMore.cpp beside them) goes through such a member to reach
the control itself: `window->btnApply->click()` or `tab.edFee->setText(...)`. Others talk to a window
through its signals and render methods. Tests are left out: they find controls by name as a user's tool
would.

Before the real tree, the check runs on a small planted tree and fails if it misses the reach-in there.
"""
import pathlib
import re
import sys
import tempfile

CLASS = re.compile(r"^(?:class|struct)\s+(\w+)\s+(?:final\s*)?(?::[^{;]*)?\{(.*?)^\};", re.S | re.M)
CONTROL = re.compile(r"^\s*(?:Q|T)[A-Z]\w*\*\s+(\w+)\s*(?:=\s*nullptr\s*)?;", re.M)
SOURCE_SUFFIXES = {".h", ".cpp"}


def controls_by_class(root):
    """{class: (its header's folder, {control names})} for every class declared under gui/."""
    found = {}
    for header in sorted((root / "gui").rglob("*.h")):
        for match in CLASS.finditer(header.read_text(errors="replace")):
            names = set(CONTROL.findall(match.group(2)))
            if names:
                found[match.group(1)] = (header.parent, names)
    return found


def own_classes(path, classes):
    """The classes whose own files include `path`: X.h, X.cpp and XMore.cpp in X's folder."""
    return {name for name, (folder, _) in classes.items() if path.parent == folder and path.stem.startswith(name)}


def reach_ins(root):
    classes = controls_by_class(root)
    owners = {}
    for name, (_, controls) in classes.items():
        for control in controls:
            owners.setdefault(control, set()).add(name)
    if not owners:
        return []
    reach = re.compile(r"\b\w+(?:\(\))?\s*(?:->|\.)\s*(" + "|".join(sorted(owners)) + r")\b(?!\s*\()")
    problems = []
    for folder in ("gui", "app"):
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
                continue
            mine = own_classes(path, classes)
            for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
                if line.lstrip().startswith("//"):
                    continue
                for match in reach.finditer(line):
                    others = owners[match.group(1)] - mine
                    if others and not owners[match.group(1)] & mine:
                        problems.append(
                            f"{path.relative_to(root)}:{number}: reaches into {'/'.join(sorted(others))}'s "
                            f"control {match.group(1)}: {line.strip()}"
                        )
    return problems


PLANTED = {
    "gui/main/Window.h": "#pragma once\nclass Window final : public QWidget\n{\npublic:\n    void render();\n\n"
                         "private:\n    QPushButton* btnApply;\n    QLabel* lblFee = nullptr;\n};\n",
    "gui/main/Window.cpp": "void Window::render()\n{\n    btnApply->setEnabled(true);\n}\n",
    "gui/main/WindowMore.cpp": "void Window::other(Window& w)\n{\n    lblFee->clear();\n}\n",
    "app/Program.cpp": "void run(Window& window)\n{\n    window.render();\n}\n",
}


def self_test():
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        for name, text in PLANTED.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text)
        if reach_ins(root):
            return "the planted tree without a reach-in fails: " + "; ".join(reach_ins(root))
        (root / "app/Program.cpp").write_text("void run(Window* window)\n{\n    window->lblFee->setText(x);\n}\n")
        found = reach_ins(root)
        if len(found) != 1 or "app/Program.cpp:3" not in found[0] or "lblFee" not in found[0]:
            return "the planted reach-in into Window's lblFee is not found: " + "; ".join(found)
    return None


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    failure = self_test()
    if failure:
        sys.exit("check_controls.py is broken: " + failure)
    problems = reach_ins(pathlib.Path(sys.argv[1]))
    for problem in problems:
        print(problem)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
