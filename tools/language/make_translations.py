#!/usr/bin/python3
"""Writes the shipped language folders from the German set.

    tarvo --save-language-files /tmp/de
    tools/language/make_translations.py /tmp/de data/language

Every value of every German file is looked up in translations.txt (German | English | Dutch |
French | Polish | Italian, one text a line; one blank on each side of a "|" belongs to the
separator, so texts with blanks at their ends keep them). Texts that read the same in every
language (numbers, axis letters, "OK", the language names) are listed below; the result list's
column header is built so that its words stay above their columns. A German text without a
translation stops the run, and so do result names that the program would take for one another
(a name holding the line's name is recalled as a line): the shipped files are complete or not
written at all.
"""
import pathlib
import sys

LANGUAGES = ["English", "Dutch", "French", "Polnisch", "Italian"]
NEUTRAL = {"", "-", "******", "1.0000", "ASCII", "D", "R", "OK", "X", "Y", "X:", "Y:",
           "Deutsch", "English", "Nederlands", "Français", "Polski", "Italiano", "2000", "1200",
           " OT <= UT ", " OT <= 0 ", "COM%1 Error", "...", "F4", "200", "20.0"}
HEADER = " #  Merkmal               Ergebnis    X-Pos.    Y-Pos     Abw.         ."
HEADER_WORDS = {
    "English": ("Feature", "Result", "X-Pos.", "Y-Pos", "Dev."),
    "Dutch": ("Kenmerk", "Resultaat", "X-pos.", "Y-pos", "Afw."),
    "French": ("Caractéristique", "Résultat", "Pos. X", "Pos. Y", "Écart"),
    "Polnisch": ("Cecha", "Wynik", "Poz. X", "Poz. Y", "Odch."),
    "Italian": ("Caratteristica", "Risultato", "Pos. X", "Pos. Y", "Scost."),
}


def header(words):
    w = words
    return " #  " + w[0].ljust(22) + w[1].ljust(12) + w[2].ljust(10) + w[3].ljust(10) + w[4].ljust(13) + "."


def load_table(path):
    table = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        fields = line.split("|")
        if len(fields) != 6:
            sys.exit(f"translations.txt: not six texts: {line!r}")
        cleaned = []
        for i, f in enumerate(fields):
            if i > 0 and f.startswith(" "):
                f = f[1:]
            if i < len(fields) - 1 and f.endswith(" "):
                f = f[:-1]
            cleaned.append(f)
        table[cleaned[0]] = dict(zip(LANGUAGES, cleaned[1:]))
    return table


def unquote(value):
    if len(value) >= 2 and value[0] == value[-1] and value[0] in "\"'":
        return value[1:-1]
    return value


def quote(value):
    if value and (value[0] in " \t" or value[-1] in " \t"):
        return '"' + value + '"'
    return value


# The result names the program tells kinds of lines by (the element graphic in this order,
# exactly as written; the recall upper-cased): circle, symmetry line, point, angle, line.
KIND_NAMES = (0, 8, 7, 5, 6)


def name_clashes(names):
    """The result names that the program's tests would take for another kind, as texts."""
    clashes = []
    for n, name in enumerate(names):
        drawn = next((k for k in KIND_NAMES if names[k] and names[k] in name), None)
        if drawn != (n if n in KIND_NAMES else None):
            clashes.append(f"{n} {name!r} drawn as {drawn}")
        upper = name.upper()
        recalled_line = any(names[k].upper() in upper for k in (6, 8))
        if recalled_line != (n in (6, 8)):
            clashes.append(f"{n} {name!r} recalled as a line: {recalled_line}")
        if not recalled_line and (names[0].upper() in upper) != (n == 0):
            clashes.append(f"{n} {name!r} recalled as a circle")
    return clashes


def result_names(lines):
    names, inside = [], False
    for line in lines:
        if line.startswith("["):
            inside = line == "[result_namesItems]"
        elif inside and "=" in line:
            names.append(unquote(line.split("=", 1)[1]))
    return names


def main():
    if header(("Merkmal", "Ergebnis", "X-Pos.", "Y-Pos", "Abw.")) != HEADER:
        sys.exit("the column header no longer matches the German one")
    german, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    table = load_table(pathlib.Path(__file__).with_name("translations.txt"))
    missing = set()
    files = {}
    for ini in sorted(german.glob("*.ini")):
        lines = ini.read_bytes().decode("cp1252").split("\r\n")
        for language in LANGUAGES:
            translated = []
            for line in lines:
                if "=" not in line or line.startswith("["):
                    translated.append(line)
                    continue
                key, value = line.split("=", 1)
                text = unquote(value)
                if text == HEADER:
                    new = header(HEADER_WORDS[language])
                elif text in NEUTRAL:
                    new = text
                elif text in table:
                    new = table[text][language]
                else:
                    missing.add(text)
                    new = text
                translated.append(key + "=" + quote(new))
            files[(language, ini.name)] = "\r\n".join(translated)
    if missing:
        sys.exit("no translation for: " + " | ".join(sorted(missing)))
    for language in ["German"] + LANGUAGES:
        main_file = german / "tarvo_main.ini" if language == "German" else None
        text = (main_file.read_bytes().decode("cp1252") if main_file
                else files.get((language, "tarvo_main.ini"), ""))
        clashes = name_clashes(result_names(text.split("\r\n")))
        if clashes:
            sys.exit(f"{language}: result names the program cannot tell apart: " + "; ".join(clashes))
    for (language, name), text in files.items():
        folder = out / language
        folder.mkdir(parents=True, exist_ok=True)
        (folder / name).write_bytes(text.encode("cp1252"))
    print(f"{len(files)} files in {len(LANGUAGES)} languages")


if __name__ == "__main__":
    main()
