#!/usr/bin/env python3
"""Writes random profile files, byte by byte, for comparing two qd6 programs:
   random_profiles.py FOLDER COUNT SEED
Most are ".QD6" files, some older ".QD5" ones; their kinds, key events, play modes,
labels and macro names are random (labels of every length up to the field, without a
terminator, with lone surrogate halves and characters beyond U+FFFF), and a few are cut
short or carry bytes past their end."""

import random
import struct
import sys


def text_units(rng):
    """The units of a random label or macro name field: 256 units, NUL-padded."""
    length = rng.choice([0, 1, 5, 20, 100, 254, 255, 256])
    units = []
    while len(units) < length:
        kind = rng.random()
        if kind < 0.5:
            units.append(rng.randrange(0x20, 0x7F))
        elif kind < 0.7:
            units.append(rng.randrange(0x80, 0xD800))
        elif kind < 0.8:  # a pair: a character beyond U+FFFF
            units += [rng.randrange(0xD800, 0xDC00), rng.randrange(0xDC00, 0xE000)]
        elif kind < 0.9:  # a lone half
            units.append(rng.randrange(0xD800, 0xE000))
        else:
            units.append(rng.randrange(0xE000, 0x10000))
    units = units[:256]
    return units + [0] * (256 - len(units))


def field(units):
    return struct.pack("<256H", *units)


def action(rng):
    events = bytes(rng.choice([0, rng.randrange(256)]) for _ in range(16))
    return events + bytes([rng.choice([0xA0, 0xA1, 0xA2, 0xA3, rng.randrange(256)])])


def profile(rng, older):
    slots = 36 if older else 48
    macros = rng.choice([0, 0, 1, 3, 17, rng.randrange(60)])
    header = bytearray(128)
    struct.pack_into("<4H", header, 0, *(ord(c) for c in (".QD5" if older else ".QD6")))
    struct.pack_into("<H", header, 8, macros)
    for i in range(slots):
        kind = rng.choice([0, 1, 2, 3, 4, 10 + rng.randrange(max(macros, 1)),
                           rng.randrange(65536)])
        struct.pack_into("<H", header, 32 + 2 * i, kind)
    body = bytearray(header)
    for _ in range(slots):
        body += action(rng) + bytes([rng.randrange(256)]) + field(text_units(rng))
    for _ in range(macros):
        body += field(text_units(rng))
    for _ in range(macros):
        body += action(rng)
    ending = rng.random()
    if ending < 0.05:
        body = body[: rng.randrange(len(body))]  # cut short: refused
    elif ending < 0.1:
        body += bytes(rng.randrange(256) for _ in range(rng.randrange(1, 40)))
    return bytes(body)


def main():
    folder, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(seed)
    for n in range(count):
        older = rng.random() < 0.1
        name = "%s/random%03d.%s" % (folder, n, "qd5" if older else "qd6")
        with open(name, "wb") as out:
            out.write(profile(rng, older))


if __name__ == "__main__":
    main()
