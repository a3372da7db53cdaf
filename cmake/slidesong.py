#!/usr/bin/python3
"""Writes the slides' Song face: the system's Song face cut down to the characters
the player can show on a slide.

    slidesong.py FONT_FILE FACE_INDEX OUTPUT FAMILY SOURCE...

FONT_FILE and FACE_INDEX name the Song face (fc-list gives both). Each SOURCE is a
file or a folder (read recursively); every character of every file in them is
kept, with printable ASCII. The face keeps its outlines, hinting and embedded
bitmaps for those characters, and is renamed FAMILY so that it never stands in
for the installed face elsewhere.

A player's slides touch only the pages of this small file instead of a 20 MB
face spread over the address space; a character typed that is not in it falls
back to the installed face, so it looks the same.
"""

import logging
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def characters(sources):
    found = {chr(c) for c in range(0x20, 0x7F)}
    for source in sources:
        paths = [source]
        if os.path.isdir(source):
            paths = [os.path.join(folder, name) for folder, _, names in os.walk(source) for name in names]
        for path in sorted(paths):
            with open(path, encoding="utf-8", errors="ignore") as f:
                found.update(ch for ch in f.read() if ch.isprintable())
    return "".join(sorted(found))


def rename(font, family):
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (1, 3, 4, 6, 16, 17, 18, 21, 22):
            names.removeNames(nameID=record.nameID)
    names.setName(family, 1, 3, 1, 0x409)
    names.setName("Regular", 2, 3, 1, 0x409)
    names.setName(family, 3, 3, 1, 0x409)
    names.setName(family, 4, 3, 1, 0x409)
    names.setName(family.replace(" ", ""), 6, 3, 1, 0x409)
    version = names.getDebugName(5) or ""
    names.setName(version + "; the characters of pptdrill's slides only", 5, 3, 1, 0x409)


def main(argv):
    if len(argv) < 6:
        sys.stderr.write(__doc__)
        return 2
    logging.disable(logging.WARNING)
    font_file, index, output, family = argv[1], int(argv[2]), argv[3], argv[4]
    text = characters(argv[5:])
    font = TTFont(font_file, fontNumber=index, lazy=False)
    options = subset.Options()
    options.drop_tables = ["BDF ", "FFTM", "DSIG"]
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.hinting = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    rename(font, family)
    temporary = output + ".part"
    font.save(temporary)
    os.replace(temporary, output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
