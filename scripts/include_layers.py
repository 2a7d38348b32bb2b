#!/usr/bin/env python3
"""The include graph of src/ between folders, against the folders' layering.

Every folder of src/ is a unit, and so is each of its ui/ folders. A unit may include from
its own layer and the layers below; an include into a higher layer runs the wrong way, and
two units that reach each other through includes form a loop.

    python3 scripts/include_layers.py          # the figures and the offending includes
    python3 scripts/include_layers.py --brief  # the figures only
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")

# Lowest first. Folders of the same layer may include each other (but not in a loop).
LAYERS = [
    # The choice of language and the core's translatable messages: every layer's texts.
    ["language"],
    ["surface"],
    ["fileio"],
    ["png"],
    ["document", "draw", "history", "imageops"],
    ["view", "recovery", "fractal"],
    ["session"],
    ["language/ui", "widgets"],
    # Windows and dialogs of the subsystems.
    ["windows", "view/ui", "document/ui", "draw/ui", "fractal/ui", "history/ui",
     "imageops/ui", "recovery/ui"],
    ["app"],
]
LAYER_OF = {unit: n for n, units in enumerate(LAYERS) for unit in units}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def unit_of(path):
    """The unit of a path below src/: its first folder, with /ui when it is in a ui folder."""
    parts = path.split("/")[:-1]
    if not parts:
        return None
    return parts[0] + "/ui" if "ui" in parts[1:] else parts[0]


def include_edges():
    """(file, included path, from unit, to unit) of every include between two units."""
    edges = []
    for folder, _, names in os.walk(ROOT):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.relpath(os.path.join(folder, name), ROOT)
            with open(os.path.join(ROOT, path), encoding="utf-8") as f:
                text = f.read()
            source = unit_of(path)
            for included in INCLUDE.findall(text):
                target = unit_of(included)
                if target and target != source and os.path.exists(os.path.join(ROOT, included)):
                    edges.append((path, included, source, target))
    return sorted(edges)


def reaches(graph, start):
    seen, todo = set(), [start]
    while todo:
        for nxt in graph.get(todo.pop(), ()):
            if nxt not in seen:
                seen.add(nxt)
                todo.append(nxt)
    return seen


def loops(graph):
    """The groups of units that all reach each other (strongly connected, two or more)."""
    reach = {unit: reaches(graph, unit) for unit in graph}
    groups = set()
    for unit in graph:
        group = frozenset(u for u in reach[unit] if unit in reach.get(u, ()))
        if len(group) > 1:
            groups.add(group)
    return sorted(sorted(g) for g in groups)


def main():
    brief = "--brief" in sys.argv
    edges = include_edges()
    unknown = sorted({u for e in edges for u in e[2:] if u not in LAYER_OF})
    if unknown:
        sys.exit("folders without a layer: " + ", ".join(unknown))
    upward = [e for e in edges if LAYER_OF[e[2]] < LAYER_OF[e[3]]]
    graph = {}
    for _, _, source, target in edges:
        graph.setdefault(source, set()).add(target)
        graph.setdefault(target, set())
    groups = loops(graph)
    pairs = sorted({(s, t) for _, _, s, t in upward})
    mutual = sorted({tuple(sorted((s, t))) for s in graph for t in graph[s] if s in graph[t]})
    print(f"includes from a lower layer to a higher one: {len(upward)} "
          f"(between {len(pairs)} pairs of folders)")
    print(f"include loops between folders: {len(groups)} groups, "
          f"{len(mutual)} pairs including each other")
    if brief:
        return
    for path, included, source, target in upward:
        print(f"  up: {path} -> {included}  ({source} -> {target})")
    for group in groups:
        print("  loop: " + " <-> ".join(group))
    for a, b in mutual:
        print(f"  each other: {a} <-> {b}")


if __name__ == "__main__":
    main()
