"""The element sheet's pieces, read from the manifest the asset generator draws it from, so
the scenarios size what they look at by the same pieces the game draws."""
import os

MANIFEST = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "assetgen",
                        "sheet_manifest.tsv")


def _pieces():
    pieces = {}
    with open(MANIFEST, encoding="utf-8") as rows:
        for row in rows:
            fields = row.rstrip("\n").split("\t")
            if row.startswith("#") or fields[0] == "size":
                continue
            pieces[fields[0]] = tuple(int(v) for v in fields[1:5])
    return pieces


PIECES = _pieces()


def size(name):
    """(width, height) of the named piece."""
    return PIECES[name][2:4]


def origin(name):
    """(x, y) of the named piece in the sheet."""
    return PIECES[name][0:2]
