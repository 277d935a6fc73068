#!/usr/bin/env python3
"""Keeps the program's folders in their floors: an include may point to the same folder, to a
folder on a lower floor, or across one floor, but never up, and the folders' includes never make
a circle. Only test libraries and the tools around the program may include the library
interface, zelkor.h; the program itself uses its own operations."""
import os
import re
import sys

FLOORS = {
    "framework": 0, "resources": 0, "sdk": 0,
    "registry": 1, "log": 1, "journal": 1, "testlib": 1, "controls": 1,
    "wizard": 2, "editors": 2, "output": 2,
    "host": 3,
    "app": 4,
}
# The resource scripts are compiled into the program itself, above everything they describe;
# resource.h, the ids, is at the bottom so that every folder can use them.
SCRIPTS = "resources (scripts)"
FLOORS_OF_ROOMS = dict(FLOORS, **{SCRIPTS: FLOORS["app"]})
MAY_INCLUDE_INTERFACE = {"host", "sdk"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def program_files(root):
    for folder in FLOORS:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in names:
                if name.endswith((".cpp", ".h", ".c", ".rc")):
                    room = SCRIPTS if folder == "resources" and name.endswith(".rc") else folder
                    yield room, os.path.join(directory, name)


def find_circle(edges):
    """A list of folders that include each other round, or None."""
    state = {}

    def visit(folder, path):
        state[folder] = "open"
        for target in sorted(edges.get(folder, ())):
            if state.get(target) == "open":
                return path[path.index(target):] + [target]
            if target not in state:
                circle = visit(target, path + [target])
                if circle:
                    return circle
        state[folder] = "done"
        return None

    for folder in sorted(edges):
        if folder not in state:
            circle = visit(folder, [folder])
            if circle:
                return circle
    return None


def main(root):
    problems = []
    edges = {}
    for folder, path in program_files(root):
        with open(path, encoding="latin-1") as source:
            text = source.read()
        where = os.path.relpath(path, root)
        for included in INCLUDE.findall(text):
            if os.path.basename(included) == "zelkor.h" and folder not in MAY_INCLUDE_INTERFACE:
                problems.append(f"{where}: includes zelkor.h, the test libraries' interface")
            target = included.split("/")[0] if "/" in included else None
            if target not in FLOORS or target == folder:
                continue
            edges.setdefault(folder, set()).add(target)
            if FLOORS[target] > FLOORS_OF_ROOMS[folder]:
                problems.append(f"{where}: {folder} (floor {FLOORS_OF_ROOMS[folder]}) includes {included} "
                                f"(floor {FLOORS[target]})")
    circle = find_circle(edges)
    if circle:
        problems.append("folders include each other round: " + " -> ".join(circle))
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")))
