#!/usr/bin/env python3
"""Splits the PowerPoint kit in one document (movie/kit/kit.json) into its files.

    scripts/split-kit.py [KIT_JSON] [KIT_FOLDER]

KIT_JSON defaults to movie/kit/kit.json, KIT_FOLDER to the folder it is in. Writes

    menus.json, toolbars.json, contextmenus.json, keys.json, icons.json
        each {"<part>": …}, the part as it stands in the document;
    dialogs/<name>.json, taskpanes/<name>.json
        one dialog or task pane each, named by its own name ("dialogs/字体.json"),

then reads the files back, checks that together they are the document's content
exactly, and removes KIT_JSON. Files left in dialogs/ and taskpanes/ from an
earlier split are removed first, so the script can be run again on a kit.json
that a merge brought back. Python 3 standard library only.
"""

import json
import os
import sys

PARTS = ["menus", "toolbars", "contextmenus", "keys", "icons"]
FORMS = ["dialogs", "taskpanes"]
# Characters a file name of one of the usual systems cannot hold.
UNSAFE = set('/\\:*?"<>|\0')


def fail(message):
    print("split-kit.py: " + message, file=sys.stderr)
    sys.exit(1)


def refuse_duplicates(pairs):
    keys = [key for key, _ in pairs]
    for key in keys:
        if keys.count(key) > 1:
            fail("the key %r is given twice in one object" % key)
    return dict(pairs)


def read(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f, object_pairs_hook=refuse_duplicates)


def write(path, value):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(json.dumps(value, ensure_ascii=False, indent=2) + "\n")


def file_name(name):
    if not name or name.startswith(".") or name != name.strip() or UNSAFE & set(name):
        fail("%r cannot be a file name: rename it in the kit" % name)
    return name + ".json"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    source = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "movie", "kit", "kit.json")
    folder = sys.argv[2] if len(sys.argv) > 2 else os.path.dirname(os.path.abspath(source))
    kit = read(source)
    unknown = [key for key in kit if key not in PARTS + FORMS]
    if unknown:
        fail("the kit has parts this script does not know: %s" % ", ".join(unknown))

    for part in FORMS:
        os.makedirs(os.path.join(folder, part), exist_ok=True)
        for old in os.listdir(os.path.join(folder, part)):
            if old.endswith(".json"):
                os.remove(os.path.join(folder, part, old))
    for part in PARTS:
        if part in kit:
            write(os.path.join(folder, part + ".json"), {part: kit[part]})
        elif os.path.exists(os.path.join(folder, part + ".json")):
            os.remove(os.path.join(folder, part + ".json"))
    for part in FORMS:
        names = {}
        for name, form in kit.get(part, {}).items():
            fname = file_name(name)
            if fname.casefold() in names:
                fail("%r and %r differ only in case" % (name, names[fname.casefold()]))
            names[fname.casefold()] = name
            write(os.path.join(folder, part, fname), form)

    # The files, read back, must be the document.
    assembled = {}
    for part in PARTS:
        path = os.path.join(folder, part + ".json")
        if os.path.exists(path):
            assembled.update(read(path))
    for part in FORMS:
        forms = {}
        for fname in sorted(os.listdir(os.path.join(folder, part))):
            if fname.endswith(".json"):
                forms[fname[: -len(".json")]] = read(os.path.join(folder, part, fname))
        if forms or part in kit:
            assembled[part] = forms
    if assembled != kit:
        fail("the files written do not add up to %s; it is left in place" % source)
    if os.path.abspath(source) == os.path.abspath(os.path.join(folder, "kit.json")):
        os.remove(source)
    print("split-kit.py: %d dialogs, %d task panes" % (len(kit.get("dialogs", {})), len(kit.get("taskpanes", {}))))


if __name__ == "__main__":
    main()
