#!/usr/bin/python3
"""A parameter study's CSV read back by Python's csv reader: every cell of a number column is a
number as spreadsheets read it (no bare point, one digit before the point of a power of ten),
to the decimals of its quantity, and the value of the window's own text for that point.

Usage: study_csv_check.py PYLORA_CLI DATABASE_DIR SCRATCH_DIR
"""
import csv
import json
import os
import re
import subprocess
import sys

CLI, DATABASE, SCRATCH = sys.argv[1:4]
NUMBER = re.compile(r"-?(0|[1-9]\d*)(\.\d+)?|-?[1-9](\.\d+)?E[+-]\d\d")

STUDIES = [
    # window, the varied input and its range, results with their decimals (None: as shown)
    ("输气流量公式", ("P1", "9:12:1"), {"Re": None, "Lambda": None, "Q": None, "Compare(3)": None}),
    ("壁厚计算", ("Text1", "5:1205:300"), {"Text6": 3, "Text7": 3}),
    ("弹性敷设参数计算", ("Text41", "500:1500:250"), {"Text27": 2, "Text29": 3, "Text5": 2, "Text28": 2}),
]

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


def window_texts(window, control, value):
    out = subprocess.run([CLI, "--database", DATABASE, "run", window, "--set", f"{control}={value}"],
                         capture_output=True, text=True)
    return {name: c["text"] for name, c in json.loads(out.stdout)["controls"].items()}


def shown_value(text):
    text = text.strip()
    return float("0" if text in (".", "-.") else text)


os.makedirs(SCRATCH, exist_ok=True)
for window, (control, span), results in STUDIES:
    path = os.path.join(SCRATCH, window + ".csv")
    command = [CLI, "--database", DATABASE, "sweep", window, "--vary", f"{control}={span}", "-o", path]
    for result in results:
        command += ["--result", result]
    subprocess.run(command, check=True, capture_output=True)
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    heading, points = rows[0], rows[1:]
    check(len(points) > 2, f"{window}: {len(points)} points")
    for row in points:
        if row[-1]:
            continue  # a failed point: its cause, no results
        typed = row[0]
        check(NUMBER.fullmatch(typed), f"{window}: input {typed!r} is no number")
        texts = window_texts(window, control, typed)
        for (result, decimals), cell in zip(results.items(), row[1:-1]):
            if not check(NUMBER.fullmatch(cell), f"{window} {result} at {typed}: {cell!r} is no number"):
                continue
            shown = texts[result]
            value, places = float(cell), len(cell.split("E")[0].partition(".")[2])
            if decimals is not None:
                check(places <= decimals, f"{window} {result} at {typed}: {cell} has more than {decimals} decimals")
                tolerance = 0.5 * 10 ** -decimals + 1e-12
            else:
                tolerance = 1e-12 * abs(value)
            check(abs(value - shown_value(shown)) <= tolerance,
                  f"{window} {result} at {typed}: {cell}, the window shows {shown!r}")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
