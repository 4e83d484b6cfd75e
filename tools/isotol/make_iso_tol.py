#!/usr/bin/python3
"""Writes "iso_tol.dat", the ISO tolerance table shipped with TARVO, for nominal sizes up to
500 mm.

    tools/isotol/make_iso_tol.py data/iso_tol.dat

Where every figure comes from:
- IT grades IT5 ... IT11 per size range: ISO 286-1:2010, Table 1 (standard tolerance grades).
- Fundamental deviations of shafts (d, e, f, g: upper deviation es; k, m, n, p, r, s: lower
  deviation ei): ISO 286-1:2010, Table 2; r and s with the subdivided ranges above 50 mm.
- Holes: ISO 286-1:2010, Table 3 and its rules: D, E, F, G have EI = -es of the shaft of the
  same letter; K, M, N (grades up to 8) and P (grades up to 7) have ES = -ei of the shaft of the
  same letter + delta, delta = IT(n) - IT(n-1) (0 for sizes up to 3 mm); JS/js are +-IT/2, and for
  grades 7 to 11 an odd IT value is first lowered by 1.
- The other limit of each class is the fundamental deviation plus or minus the IT value.
The results are the limit deviations of ISO 286-2:2010, Tables 2 to 17; the test
tests/data/isotolerance_test.cpp checks published values of those tables against this file.

File layout (what the lookup reads): three free lines; line 4 the upper limits of the size
ranges in columns of 7 characters; then per class a line with the class code, a free line, the
upper and the lower deviations in micrometres in the same columns.
"""
import sys

# Upper limits of the size ranges (mm); the main ranges of Table 1 and the subdivisions above
# 50 mm that r and s need.
LIMITS = [3, 6, 10, 18, 30, 50, 65, 80, 100, 120, 140, 160, 180, 200, 225, 250, 280, 315, 355, 400, 450, 500]
MAIN = [3, 6, 10, 18, 30, 50, 80, 120, 180, 250, 315, 400, 500]

IT = {
    5: [4, 5, 6, 8, 9, 11, 13, 15, 18, 20, 23, 25, 27],
    6: [6, 8, 9, 11, 13, 16, 19, 22, 25, 29, 32, 36, 40],
    7: [10, 12, 15, 18, 21, 25, 30, 35, 40, 46, 52, 57, 63],
    8: [14, 18, 22, 27, 33, 39, 46, 54, 63, 72, 81, 89, 97],
    9: [25, 30, 36, 43, 52, 62, 74, 87, 100, 115, 130, 140, 155],
    10: [40, 48, 58, 70, 84, 100, 120, 140, 160, 185, 210, 230, 250],
    11: [60, 75, 90, 110, 130, 160, 190, 220, 250, 290, 320, 360, 400],
}
# Shafts: magnitude of es (d, e, f, g, all negative) or ei (k, m, n, p, positive), main ranges.
SHAFT = {
    "d": [20, 30, 40, 50, 65, 80, 100, 120, 145, 170, 190, 210, 230],
    "e": [14, 20, 25, 32, 40, 50, 60, 72, 85, 100, 110, 125, 135],
    "f": [6, 10, 13, 16, 20, 25, 30, 36, 43, 50, 56, 62, 68],
    "g": [2, 4, 5, 6, 7, 9, 10, 12, 14, 15, 17, 18, 20],
    "k": [0, 1, 1, 1, 2, 2, 2, 3, 3, 4, 4, 4, 5],
    "m": [2, 4, 6, 7, 8, 9, 11, 13, 15, 17, 20, 21, 23],
    "n": [4, 8, 10, 12, 15, 17, 20, 23, 27, 31, 34, 37, 40],
    "p": [6, 12, 15, 18, 22, 26, 32, 37, 43, 50, 56, 62, 68],
}
# r and s: ei for every column of LIMITS.
SHAFT_FINE = {
    "r": [10, 15, 19, 23, 28, 34, 41, 43, 51, 54, 63, 65, 68, 77, 80, 84, 94, 98, 108, 114, 126, 132],
    "s": [14, 19, 23, 28, 35, 43, 53, 59, 71, 79, 92, 100, 108, 122, 130, 140, 158, 170, 190, 208, 232, 252],
}

HOLES = ["H6", "H7", "H8", "H9", "H10", "H11", "G6", "G7", "F7", "F8", "E8", "E9", "D9", "D10",
         "JS6", "JS7", "JS8", "JS9", "K6", "K7", "M6", "M7", "N6", "N7", "P6", "P7"]
SHAFTS = ["h5", "h6", "h7", "h8", "h9", "h10", "h11", "g5", "g6", "f6", "f7", "e7", "e8", "d8", "d9",
          "js5", "js6", "js7", "js8", "js9", "k5", "k6", "m5", "m6", "n5", "n6", "p5", "p6", "r6", "s6"]


def main_index(column):
    limit = LIMITS[column]
    return next(i for i, m in enumerate(MAIN) if limit <= m)


def half(it, grade):
    if grade >= 7 and it % 2 == 1:
        it -= 1
    return it / 2


def limits(code, column):
    """(upper, lower) deviation in micrometres of a class in a column."""
    letter, grade = code.rstrip("0123456789"), int(code.lstrip("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"))
    i = main_index(column)
    it = IT[grade][i]
    if letter in ("js", "JS"):
        h = half(it, grade)
        return h, -h
    if letter == "h":
        return 0, -it
    if letter == "H":
        return it, 0
    if letter in ("d", "e", "f", "g"):
        es = -SHAFT[letter][i]
        return es, es - it
    if letter in ("k", "m", "n", "p"):
        ei = SHAFT[letter][i]
        return ei + it, ei
    if letter in ("r", "s"):
        ei = SHAFT_FINE[letter][column]
        return ei + it, ei
    if letter in ("D", "E", "F", "G"):
        ei = SHAFT[letter.lower()][i]
        return ei + it, ei
    if letter in ("K", "M", "N", "P"):
        delta = 0 if MAIN[i] == 3 else it - IT[grade - 1][i]
        es = -SHAFT[letter.lower()][i] + delta
        return es, es - it
    raise ValueError(code)


def number(v):
    text = f"{v:.1f}" if v != int(v) else str(int(v))
    return text.rjust(7)


def main():
    out = [
        "ISO 286 Grenzabmaße in Mikrometer (ISO 286-1:2010 Tabellen 1-3, ISO 286-2:2010)",
        "Zeile 4: obere Grenzen der Nennmaßbereiche in mm; je Toleranzklasse: Kürzel, frei, oberes, unteres Abmaß",
        "geschrieben von tools/isotol/make_iso_tol.py",
        "".join(str(limit).rjust(7) for limit in LIMITS),
    ]
    for code in HOLES + SHAFTS:
        rows = [limits(code, c) for c in range(len(LIMITS))]
        out.append(code)
        out.append("")
        out.append("".join(number(u) for u, _ in rows))
        out.append("".join(number(l) for _, l in rows))
    with open(sys.argv[1], "w", encoding="cp1252", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
