#!/usr/bin/python3
"""Cuts a Japanese font down to the characters the page can show, as WOFF2.

The IPA Font License lets a derived font be passed on under its own terms and
under a name of its own, so the subset is renamed; the licence and the way
back to the original travel with it (see LICENSE-fonts.txt).

usage: subset_font.py SOURCE OUT FAMILY (--text TEXT | --from FILE...)
"""
import argparse
import pathlib

from fontTools import subset
from fontTools.ttLib import TTFont

# Printable ASCII is always kept: digits, Latin letters and signs the numbers use.
ASCII = "".join(chr(c) for c in range(0x20, 0x7F))
# Name records that carry the family's name; copyright and licence stay.
FAMILY = 1
SUBFAMILY = 2
UNIQUE = 3
FULL = 4
POSTSCRIPT = 6
TYPOGRAPHIC_FAMILY = 16


def characters(args):
    text = set(ASCII)
    if args.text:
        text |= set(args.text)
    for name in args.sources or []:
        text |= set(pathlib.Path(name).read_text(encoding="utf-8"))
    return "".join(sorted(c for c in text if c.isprintable() or c == "\u3000"))


def rename(font, family):
    postscript = family.replace(" ", "")
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (FAMILY, FULL, TYPOGRAPHIC_FAMILY):
            names.setName(family, record.nameID, record.platformID, record.platEncID, record.langID)
        elif record.nameID in (UNIQUE, POSTSCRIPT):
            names.setName(postscript, record.nameID, record.platformID, record.platEncID, record.langID)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("source")
    parser.add_argument("out")
    parser.add_argument("family")
    parser.add_argument("--text")
    parser.add_argument("--from", dest="sources", nargs="*")
    args = parser.parse_args()

    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    font = TTFont(args.source)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters(args))
    subsetter.subset(font)
    rename(font, args.family)
    font.flavor = "woff2"
    font.save(args.out)


if __name__ == "__main__":
    main()
