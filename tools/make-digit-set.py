#!/usr/bin/env python3
"""Writes a large, fixed set of batch input lines whose reading is plain and correct, so that two
builds of korvane-batch can be compared byte for byte: every ellipsoid, both directions, the
window's eight fields and signed decimal degrees, zone edges, the poles and the equator, and
numbers with enough digits that some land within a micrometre of a rounding point.

Usage: make-digit-set.py FOLDER [POINTS_PER_ELLIPSOID]
Writes FOLDER/datums.txt, the ellipsoids' list names one a line, and for each direction and
ellipsoid FOLDER/DIRECTION.POSITION.txt, POSITION counted from 0."""
import random
import sys
from pathlib import Path

DATUMS = ["WGS 84", "NAD 83", "GRS 80", "WGS 72", "Australian 1965", "Krasovsky 1940",
          "North American 1927", "International 1924", "Hayford 1909", "Clarke 1880",
          "Clarke 1866", "Airy 1830", "Bessel 1841", "Everest 1830"]


def decimal(rng, low, high, decimals):
    return f"{rng.uniform(low, high):.{decimals}f}"


def to_utm_lines(rng, count):
    special = ["0,0", "-0,0", "90,0", "-90,0", "0,180", "0,-180", "45,3", "-33.86,151.21",
               "40.7,-74", "72,10", "84,10", "-80,10", "-85,10", "-72,0", "-84,0"]
    special += [f"{lat},{lon}" for lat in ("0", "8", "-8", "56", "64", "-0.000001")
                for lon in range(-180, 181, 6)]
    yield from special
    for _ in range(count):
        shape = rng.random()
        if shape < 0.45:  # signed decimal degrees, many digits
            yield f"{decimal(rng, -90, 90, rng.randint(0, 13))},{decimal(rng, -180, 180, rng.randint(0, 13))}"
        elif shape < 0.55:  # next to a zone edge
            edge = rng.randrange(-180, 181, 6)
            yield f"{decimal(rng, -80, 84, 6)},{edge + rng.choice((-1, 1)) * rng.uniform(0, 1e-6):.12f}"
        else:  # the window's eight fields
            fields = []
            for limit, letters in ((89, "NSns"), (179, "EWew")):
                fields += [str(rng.randint(0, limit)), str(rng.randint(0, 59)),
                           decimal(rng, 0, 59.99, rng.randint(0, 5)), rng.choice(letters)]
            separator = rng.choice(",\t")
            yield separator.join(fields)


def to_latlong_lines(rng, count):
    special = ["1755352.105,402336.0,38,N", "8244644.57,597660.65,23,S",
               "6251925.36,334416.39,56,S", "4505935.87,584482.35,18,N",
               "4982950.40,500000,31,N", "9997964.94,500000,31,N", "10700000,500000,31,N",
               "0,500000,31,N", "10000000,500000,31,S", "0,166021.55,31,N"]
    yield from special
    for _ in range(count):
        shape = rng.random()
        northing = decimal(rng, 0, 9999999, rng.randint(0, 4))
        easting = decimal(rng, 160000, 840000, rng.randint(0, 4))
        if shape < 0.2:  # exactly on a half hundredth
            hundredths = rng.randint(0, 999999999)
            northing = f"{hundredths // 100}.{hundredths % 100:02d}5"
        elif shape < 0.3:  # beyond a zone's usual eastings
            easting = decimal(rng, 0, 1000000, 2)
        separator = rng.choice(",\t")
        yield separator.join((northing, easting, str(rng.randint(1, 60)), rng.choice("NSns")))


def main():
    folder = Path(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 60000
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "datums.txt").write_text("".join(name + "\n" for name in DATUMS))
    for direction, lines in (("to-utm", to_utm_lines), ("to-latlong", to_latlong_lines)):
        rng = random.Random(direction)
        for position in range(len(DATUMS)):
            with open(folder / f"{direction}.{position}.txt", "w", encoding="ascii") as out:
                out.writelines(line + "\n" for line in lines(rng, count))


if __name__ == "__main__":
    main()
