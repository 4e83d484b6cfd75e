#!/usr/bin/env python3
"""Writes the libFuzzer dictionaries of the readers' own words, taken from the sources each time
the fuzz script runs, so that a key or program word added to the code is fuzzed from then on:

  ini.dict      the settings and calibration files' sections ("[PARAMETER]") and keys ("NK=")
  profile.dict  the interface profile's keys ("ENDPOS=", "MW_SIGN")
  program.dict  the program words ("Kreis:", "SOLLIST-V:")

  python3 fuzz/make_dictionaries.py SOURCE_DIR OUT_DIR
"""
import pathlib
import re
import sys

# A literal handed to a call or chosen by a condition: a key, or a key's stem ("mwi_SIGN").
ARGUMENT = re.compile(r'[(,?:]\s*"([A-Za-z][A-Za-z0-9_]{1,30})"')
SECTION = re.compile(r'kSection\w*\s*=\s*"([^"]+)"|Read\w+\(\s*"([^"]+)"\s*,')
CONSTANT = re.compile(r'(?:const char\*|std::string_view)\s+k\w+\s*=\s*"([^"]+)"')

SOURCES = {
    "ini": ["shell/settings.h", "shell/settings.cpp", "coords/calibrationfile.h", "coords/calibrationfile.cpp",
            "journal/journalconfig.cpp"],
    "profile": ["readout/interfaceprofile.cpp"],
}


def quoted(text):
    return '"' + "".join(c if c.isalnum() or c in "[]=_-:. " else "\\x%02X" % ord(c) for c in text) + '"'


def keys_and_sections(src, files):
    keys, sections = set(), set()
    for name in files:
        text = (src / name).read_text(encoding="utf-8")
        for m in SECTION.finditer(text):
            sections.add(m.group(1) or m.group(2))
        keys.update(ARGUMENT.findall(text))
        if name.endswith(".h"):
            keys.update(k for k in CONSTANT.findall(text) if re.fullmatch(r"[A-Z][A-Z0-9_]+", k))
    keys -= sections
    return ["[%s]" % s for s in sorted(sections)] + ["%s=" % k for k in sorted(keys)]


def main():
    src, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    dictionaries = {name: keys_and_sections(src, files) for name, files in SOURCES.items()}
    dictionaries["program"] = sorted(CONSTANT.findall((src / "shell/programwords.h").read_text(encoding="utf-8")))
    for name, words in dictionaries.items():
        if len(words) < 10:  # the sources were rearranged: this script must follow them
            sys.exit("make_dictionaries.py: only %d words for %s.dict" % (len(words), name))
        (out / (name + ".dict")).write_text("".join(quoted(w) + "\n" for w in words), encoding="ascii")


if __name__ == "__main__":
    main()
