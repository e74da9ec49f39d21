#!/usr/bin/env python3
"""Writes a synthetic ASCII parts database, deterministically.

The tree has --fanout children per category down to --depth levels; parts
are spread round-robin over the deepest categories, each with --props
property pairs. A fraction --partrefs of the parts is also listed by a part
reference in another leaf category, and --catrefs leaf categories get a
category reference under /links/. The layout is the one the writer
produces (all categories with their parts, then all categories again with
their references), so a read followed by a save gives the same bytes.
"""

import argparse
import random
import sys


def category_paths(fanout, depth):
    """Pre-order list of (path, is_leaf); names are unique tree-wide."""
    paths = []
    counter = [0]

    def walk(prefix, level):
        # Explicit stack instead of recursion: (prefix, level) pairs.
        stack = [(prefix, level)]
        while stack:
            here, lvl = stack.pop()
            paths.append((here, lvl == depth))
            if lvl == depth:
                continue
            children = []
            for _ in range(fanout):
                counter[0] += 1
                children.append(("%sc%d/" % (here, counter[0]), lvl + 1))
            stack.extend(reversed(children))

    walk("/", 0)
    return paths


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--parts", type=int, default=10000)
    ap.add_argument("--fanout", type=int, default=8)
    ap.add_argument("--depth", type=int, default=3)
    ap.add_argument("--props", type=int, default=4, help="pairs per part")
    ap.add_argument("--partrefs", type=float, default=0.05)
    ap.add_argument("--catrefs", type=int, default=64)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("output")
    args = ap.parse_args()
    if args.props > 32:
        sys.exit("at most 32 property pairs per part")

    rng = random.Random(args.seed)
    tree = category_paths(args.fanout, args.depth)
    leaves = [p for p, leaf in tree if leaf]
    help_of = {p: ("" if i % 3 else "Category %d of the benchmark" % i)
               for i, (p, _) in enumerate(tree)}
    help_of["/"] = ""
    tree.append(("/links/", False))
    help_of["/links/"] = "Category references"

    homed = {p: [] for p, _ in tree}
    for n in range(args.parts):
        homed[leaves[n % len(leaves)]].append(n)

    refs = {p: [] for p, _ in tree}
    listed = {p: set(homed[p]) for p, _ in tree}
    for n in rng.sample(range(args.parts), int(args.parts * args.partrefs)):
        where = leaves[rng.randrange(len(leaves))]
        if n not in listed[where]:
            listed[where].add(n)
            refs[where].append(n)
    catrefs = rng.sample(leaves, min(args.catrefs, len(leaves)))

    def category_line(path):
        if help_of[path]:
            return "{[category]} %s {%s}\n" % (path, help_of[path])
        return "[category] %s\n" % path

    kinds = ("kelm", "vhdl", "none")
    with open(args.output, "w", newline="\n") as out:
        for path, _ in tree:
            out.write(category_line(path))
            for n in homed[path]:
                props = " ".join("p%d v%d_%d" % (k, n % 97, k)
                                 for k in range(args.props))
                out.write("[part] P%07d {sym%d lib%d {%s}} {tmpl%d "
                          "{Template %d}} %s\n"
                          % (n, n % 500, n % 7, props, n % 50, n % 50,
                             kinds[n % 3]))
        for path, _ in tree:
            out.write(category_line(path))
            for n in refs[path]:
                out.write("[part=] P%07d\n" % n)
            if path == "/links/":
                for target in catrefs:
                    out.write("[category=] %s\n" % target)


if __name__ == "__main__":
    main()
