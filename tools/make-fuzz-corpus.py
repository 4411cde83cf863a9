#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus, tests/fuzz/corpus/<target>/, from the cases of the
conversion tables. Run from the top of the tree: python3 tools/make-fuzz-corpus.py"""
import hashlib
import struct
from pathlib import Path

UNIT = b"\x1f"

READ_NUMBER = ["", "abc", "15", "31.11", " 1 2", "\t1\n2 . 5", "+7", "-5", "--5", ".5", "5.",
               "1.5e3", "1D2", "1d-2", "1e", "12abc", "1,5", "1.2.3", "9e999", "-9e999", "1e-999",
               "&HFFFF", "&hff", "&H8000", "&H10000", "&HFFFFFFFF", "&H100000000", "&O17",
               "&o177777", "&H", "&", "1755352.105", "402336.0", "-0", "1.7976931348623157e308"]

LAT_LONG = [  # latitude d, m, s, hemisphere, longitude d, m, s, hemisphere, datum position
    ("15", "52", "31.11", "N", "44", "5", "16.11", "E", "0"),
    ("15", "52", "31.11", "S", "44", "5", "16.11", "W", "0"),
    ("", "", "", "N", "", "", "", "E", "0"),
    ("45", "", "", "N", "3", "", "", "E", "0"),
    ("0", "0", "0", "S", "0", "0", "0", "E", "0"),
    ("90", "", "", "N", "0", "", "", "E", "0"),
    ("0", "", "", "N", "180", "", "", "E", "0"),
    ("0", "", "", "N", "180", "", "", "W", "0"),
    ("33.86", "", "", "S", "151.21", "", "", "E", "0"),
    ("40.7", "", "", "N", "74", "", "", "W", "0"),
    ("72", "", "", "N", "10", "", "", "E", "0"),
    ("84", "", "", "N", "10", "", "", "E", "0"),
    ("80", "", "", "S", "10", "", "", "E", "0"),
    ("85", "", "", "S", "10", "", "", "E", "0"),
    ("90", "0", "1", "N", "44", "5", "16.11", "E", "0"),
    ("15", "52", "31.11", "N", "181", "", "", "E", "0"),
    ("-5", "0", "0", "N", "44", "5", "16.11", "E", "0"),
    ("15", "52", "9e999", "N", "44", "5", "16.11", "E", "0"),
    ("15", "52", "31.11", "N", "44", "5", "16.11", "E", "13"),
    ("15", "52", "31.11", "N", "44", "5", "16.11", "E", "-1"),
    ("15", "52", "31.11", "N", "44", "5", "16.11", "E", "14"),
]

UTM = [  # northing, easting, zone, hemisphere, datum position
    ("1755352.105", "402336.0", "38", "N", "0"),
    ("8244644.57", "597660.65", "23", "S", "0"),
    ("6251925.36", "334416.39", "56", "S", "0"),
    ("4505935.87", "584482.35", "18", "N", "0"),
    ("4982950.40", "500000", "31", "N", "0"),
    ("9997964.94", "500000", "31", "N", "0"),
    ("10700000", "500000", "31", "N", "0"),
    ("", "", "", "N", "0"),
    ("1755352.105", "402336.0", ".5", "N", "0"),
    ("1755352.105", "402336.0", "38", "N", "13"),
    ("1755352.105", "402336.0", "38", "N", "-1"),
    ("9e999", "402336.0", "38", "N", "0"),
    ("1755352.105", "402336.0", "5462", "N", "0"),
    ("1755352.105", "3.3e9", "38", "N", "0"),
]

GRID = [  # latitude, easting, northing, zone
    (0, 166021.55, 0, 31), (45, 500000, 4982950.40, 31), (90, 500000, 9997964.94, 31),
    (72, 534489.02, 7989218.75, 32), (-33.86, 334416.39, 6251925.36, 56),
    (40.7, 584482.35, 4505935.87, 18), (15.875, 402339.35, 1755355.43, 38),
    (0, 500000, -5, 0), (0, 3.3e9, 0, 31), (0, -1234, -123456, -1),
]


def printf_b(text):
    """The bytes that printf %b makes of the table's text: \\t, \\n, \\r, \\xHH, \\uHHHH, \\c."""
    out = bytearray()
    i = 0
    while i < len(text):
        if text[i] != "\\" or i + 1 == len(text):
            out += text[i].encode("utf-8")
            i += 1
            continue
        kind = text[i + 1]
        if kind in "tnr":
            out += {"t": b"\t", "n": b"\n", "r": b"\r"}[kind]
            i += 2
        elif kind == "x":
            out.append(int(text[i + 2:i + 4], 16))
            i += 4
        elif kind == "u":
            out += chr(int(text[i + 2:i + 6], 16)).encode("utf-8")
            i += 6
        elif kind == "c":
            break
        else:
            out += text[i:i + 2].encode("utf-8")
            i += 2
    return bytes(out)


def batch_lines():
    """Every input line of the end-to-end table, behind its direction, datum and option bytes,
    and each once more with an identifier in front for the picked-fields option."""
    for case in Path("tests/batch/lines.table").read_text(encoding="utf-8").splitlines():
        if not case or case.startswith("#"):
            continue
        arguments, text, _ = case.split(" | ")
        direction = 1 if arguments.startswith("to-latlong") else 0
        compact = 1 if "--compact-reference" in arguments else 0
        for line in printf_b(text).split(b"\n"):
            yield bytes([direction, 0, compact]) + line
            yield bytes([direction, 0, compact | 2]) + b"id," + line


def write(target, seeds):
    folder = Path("tests/fuzz/corpus") / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for seed in seeds:
        (folder / hashlib.sha1(seed).hexdigest()).write_bytes(seed)


def main():
    write("ReadNumber", [text.encode() for text in READ_NUMBER])
    write("LatLongCommand", [UNIT.join(f.encode() for f in row) for row in LAT_LONG])
    write("UtmCommand", [UNIT.join(f.encode() for f in row) for row in UTM])
    write("GridReference", [struct.pack("<dddh", lat, e, n, zone) for lat, e, n, zone in GRID])
    write("BatchLine", list(batch_lines()))


if __name__ == "__main__":
    main()
