#!/usr/bin/python3
"""Marks runs of steps that PowerPoint takes in any order as any-order blocks of a movie.

A unit is a command on what is selected (a 格式 or 表格和边框 toolbar button or box, a menu or a key)
with the dialog steps it leads to; consecutive units that change different things of the same
selection form a block, each unit of several steps a chain of it. The player's bank check then
plays every block in other orders: a block this script marks wrongly is refused there, at its line,
and is put right by hand.

    scripts/mark-any-order.py [--write | --check] MOVIE_OR_FOLDER...

Without --write it only lists the blocks it would mark; --check fails when there are any, for a
movie that fixes an order PowerPoint leaves free.
"""
import glob
import json
import os
import re
import sys

SELECTING = ("thumb:", "click:", "dblclick:", "type:", "draw:", "taskpane:")
CHANGES = {"slide", "titleFont", "bodyFont", "editShape", "master", "printPreview"}
# Keys that say which object a change is made to, not what it changes.
IDENTITY = {"slide", "shape", "index"}


def first(step):
    return step["accept"][0]


def fields(changes, prefix=""):
    """The leaves a step's changes set, as paths ("titleFont.size")."""
    out = set()
    for key, value in changes.items():
        if key in IDENTITY:
            continue
        if isinstance(value, dict):
            out |= fields(value, prefix + key + ".")
        else:
            out.add(prefix + key)
    return out


def units(steps):
    """(start, end) of each unit that sets something of the selection; None between them."""
    out = []
    # The steps another way stands in for stay as they are: a block may not cross such a run.
    covered = set()
    for i, step in enumerate(steps):
        for way in step.get("ways", []):
            covered |= set(range(i, i + way.get("replaces", 1)))
    i = 0
    while i < len(steps):
        action = first(steps[i])
        if i in covered:
            out.append(None)
            i += 1
            continue
        # A command that inserts something selects what it inserted: what comes after acts on that.
        command = (action.startswith(("toolbar:", "menu:", "key:", "context:")) and "视图" not in action and
                   "插入" not in action)
        if not command or action.startswith(SELECTING):
            out.append(None)
            i += 1
            continue
        end = i + 1
        while end < len(steps) and first(steps[end]).startswith("dialog:"):
            end += 1
        run = steps[i:end]
        changes = [s["set"] for s in run if "set" in s]
        # What inserts an object selects it: a later command would act on that instead.
        inserts = any(re.search(r"add|insert|delete", path, re.I) for c in changes for path in fields(c))
        settable = not inserts and all(set(c) <= CHANGES for c in changes) and "ways" not in steps[i] and not any(
            "anyOrder" in s for s in run)
        single_value = end == i + 1 and "=" in action and not changes
        if settable and (changes and "set" in run[-1] or single_value or
                         (not changes and first(run[-1]).endswith("/确定") and action.startswith("toolbar:"))):
            out.append((i, end, set().union(*[fields(c) for c in changes]) if changes else {action.split("=")[0]},
                        bool(changes)))
        else:
            out.append(None)
        i = end
    return out


def blocks(steps):
    found, group = [], []
    for unit in units(steps) + [None]:
        # Settings the toolbar keeps for a later command (边框宽度, 边框颜色) go together, and
        # so do changes of different things; a command that applies settings ends their block.
        if unit and group and unit[3] == group[0][3] and all(not (unit[2] & other[2]) for other in group):
            group.append(unit)
            continue
        if len(group) >= 2:
            found.append(group)
        group = [unit] if unit else []
    return found


def mark(steps, number):
    marked = []
    # New blocks are named after those the movie already has.
    while any(s.get("anyOrder", "").split("/")[0] == "组%d" % number for s in steps):
        number += 1
    for group in blocks(steps):
        name = "组%d" % number
        number += 1
        for k, (start, end, _, _) in enumerate(group):
            for i in range(start, end):
                steps[i]["anyOrder"] = name if end - start == 1 else "%s/%d" % (name, k + 1)
                steps[i]["_new"] = True
        marked.append((group[0][0] + 1, group[-1][1]))
    return marked, number


def movie_files(args):
    for arg in args:
        if os.path.isdir(arg):
            yield from sorted(glob.glob(os.path.join(arg, "**", "*.movie"), recursive=True))
        else:
            yield arg


def main(argv):
    write = "--write" in argv
    unmarked = 0
    for path in movie_files([a for a in argv if not a.startswith("--")]):
        text = open(path, encoding="utf-8").read()
        movie = json.loads(text)
        number = 1
        marked, number = mark(movie["steps"], number)
        for step in movie["steps"]:
            for way in step.get("ways", []):
                more, number = mark(way["steps"], number)
                marked += [("way " + way["name"], m) for m in more]
        if not marked:
            continue
        unmarked += 1
        print(path, "steps that may come in any order:", marked)
        if write:
            lines = text.split("\n")
            write_marks(path, lines, movie)
    return unmarked


def write_marks(path, lines, movie):
    """Adds "anyOrder" after the hint of each step marked, keeping the file's own layout."""
    steps = []
    def collect(list_):
        for step in list_:
            steps.append(step)
            for way in step.get("ways", []):
                collect(way["steps"])
    collect(movie["steps"])
    at = 0
    for step in steps:
        hint = '"hint": %s,' % json.dumps(step["hint"], ensure_ascii=False)
        while at < len(lines) and hint not in lines[at]:
            at += 1
        if at == len(lines):
            sys.exit("%s: no line holds %s" % (path, hint))
        if step.get("_new"):
            lines[at] = lines[at].replace(hint, '%s "anyOrder": "%s",' % (hint, step["anyOrder"]), 1)
        at += 1
    open(path, "w", encoding="utf-8").write("\n".join(lines))


if __name__ == "__main__":
    sys.exit(1 if main(sys.argv[1:]) and "--check" in sys.argv[1:] else 0)
