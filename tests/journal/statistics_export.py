#!/usr/bin/python3
"""The statistics report and CSV file of `journal export`, read back: the CSV with Python's csv
module, the PDF with pdftotext. The figures are computed here again, independently, from the
values put into the journal.

    statistics_export.py TARVO_CLI PDFTOTEXT WORK
"""
import csv
import math
import random
import sqlite3
import statistics
import subprocess
import sys
import pathlib
import shutil

cli, pdftotext, work = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
shutil.rmtree(work, ignore_errors=True)
work.mkdir(parents=True)


def run(script):
    (work / "s.tarvo").write_text(script, encoding="utf-8")
    out = subprocess.run([cli, "--dir", str(work), str(work / "s.tarvo")], capture_output=True, text=True)
    assert out.returncode == 0, out.stdout + out.stderr
    return out.stdout


run("journal parts\n")  # makes the journal and its schema
feature = 'Ø 25, "Sitz"; B\\1'
rng = random.Random(7)
values = []
db = sqlite3.connect(work / "journal.db")
for i in range(120):
    v = 25.0 + rng.gauss(0.001, 0.003) + (0.004 if 60 <= i < 70 else 0)
    values.append(v)
    pid, started = f"p{i:04d}", f"2024-05-{1 + i // 10:02d} 08:{i % 10:02d}:00"
    station = "M1" if i % 2 else "M2"
    db.execute("INSERT INTO journal_parts (part_id, program, part_number, part_seq, station, operator, started,"
               " ended, finished) VALUES (?, 'WELLE.PRG', ?, ?, ?, 'Jörg', ?, ?, 1)",
               (pid, str(i + 1), i + 1, station, started, started))
    db.execute("INSERT INTO journal_rows (part_id, seq, feature, kind, program, station, started, part_seq, nominal,"
               " upper_limit, lower_limit, actual, deviation, good, line) VALUES (?, 1, ?, 'V', 'WELLE.PRG', ?, ?, ?,"
               " 25.0, 25.01, 24.99, ?, ?, 1, '')", (pid, feature, station, started, i + 1, v, v - 25.0))
db.commit()
db.close()

out = run(f"journal export WELLE.PRG | {feature}\n")
assert "statistik.pdf" in out and "statistik.csv" in out, out

with open(work / "statistik.csv", newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f))
blank = rows.index([])
figures = {r[0]: r[1] for r in rows[1:blank]}
table = rows[blank + 1:]
assert table[0] == ["part", "station", "start", "actual", "nominal", "lower_limit", "upper_limit",
                    "moving_range"], table[0]
table = table[1:]
assert figures["feature"] == feature and figures["program"] == "WELLE.PRG", figures
assert [float(r[3]) for r in table] == [float(f"{v:.10g}") for v in values]
assert table[0][7] == "" and all(abs(float(r[7]) - abs(float(r[3]) - float(p[3]))) < 1e-7
                                 for p, r in zip(table, table[1:]))

n = len(values)
mean = statistics.fmean(values)
s_overall = statistics.stdev(values)
s_within = statistics.fmean(abs(b - a) for a, b in zip(values, values[1:])) / 1.128
lsl, usl = 24.99, 25.01
want = {
    "n": n, "mean": mean, "sigma_overall": s_overall, "sigma_within": s_within,
    "Cp": (usl - lsl) / (6 * s_within), "Cpk": min(usl - mean, mean - lsl) / (3 * s_within),
    "Pp": (usl - lsl) / (6 * s_overall), "Ppk": min(usl - mean, mean - lsl) / (3 * s_overall),
    "outside": sum(v < lsl or v > usl for v in values) / n, "LSL": lsl, "USL": usl,
}
for name, value in want.items():
    got = float(figures[name])
    assert math.isclose(got, value, rel_tol=1e-8, abs_tol=1e-12), (name, got, value)

text = subprocess.run([pdftotext, "-layout", str(work / "statistik.pdf"), "-"], capture_output=True,
                      text=True, check=True).stdout
for needed in ["Statistik WELLE.PRG, Merkmal " + feature, "Einzelwertkarte mit Eingriffsgrenzen",
               "Gleitende Spannweite", "Histogramm", "Cpk", f"{want['Cpk']:.3f}", f"{want['Ppk']:.3f}",
               f"{mean:.4f}", "OEG", "UGW"]:
    assert needed in text, (needed, text)
print(f"statistics export: {n} values, figures as computed here")
