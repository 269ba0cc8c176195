#!/usr/bin/env python3
"""Every window's 计算书 as a checker reads its PDF pages (pdftotext, an independent reader):

- no heading and no line that announces what follows ("代入数值：", "式中：") stands last on a page;
- every 式中 line of the report is on the pages once: none dropped, none printed twice;
- numbers in engineering form: no "1.21762e+17", "46.76620E+06", ".2907" or "5.".

Usage: report_pages_check.py PYLORA_CLI DATABASE_DIR SCRATCH_DIR
"""
import json
import os
import re
import subprocess
import sys

cli, database, scratch = sys.argv[1:4]
os.makedirs(scratch, exist_ok=True)
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", PYLORA_DATA_DIR=database)

HEADING = re.compile(r"^(\d+\.\s+\S|[一二三四五六七八九十]+、)")
FOOTER = re.compile(r"第\s*\d+\s*页\s*共\s*\d+\s*页")
NOT_ENGINEERING = [
    (re.compile(r"\d[eE][+-]?\d"), "a number with an exponent letter"),
    (re.compile(r"(?<![\w.)])\.\d"), "a number without its leading zero"),
    (re.compile(r"(?<=\S)(?<![.\d])\d+\.(?![\d.])(?!\s*$)"), "a number ending in a point"),
]


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, env=env, timeout=120)


def windows():
    return [line.split("\t")[0] for line in run(cli, "list").stdout.splitlines() if line.strip()]


def check(form, index):
    problems = []
    pdf = os.path.join(scratch, f"report{index}.pdf")
    report = json.loads(run(cli, "report", form, "-o", "-", "--format", "json").stdout)
    run(cli, "report", form, "-o", pdf)
    pages = run("pdftotext", "-layout", pdf, "-").stdout.split("\f")
    for number, page in enumerate(pages, 1):
        lines = [line.strip() for line in page.splitlines() if line.strip()]
        lines = [line for line in lines if not FOOTER.search(line)]
        if not lines or "附图" in page:
            continue
        last = lines[-1]
        if number < len(pages) - 1 and (HEADING.match(last) or last.endswith("：")):
            problems.append(f"page {number} ends with \"{last}\"")
        for line in lines:
            for pattern, what in NOT_ENGINEERING:
                if HEADING.match(line) and pattern.pattern.endswith(r"(?!\s*$)"):
                    line = HEADING.sub("", line)
                if pattern.search(line):
                    problems.append(f"page {number}: {what}: \"{line}\"")
    text = "\f".join(pages)
    terms = sum(len(step.get("terms", [])) for step in report["steps"])
    terms += sum(len(table.get("row_formula_terms", [])) for table in report["result_tables"])
    printed = text.count(" — ")
    if printed != terms:
        problems.append(f"{printed} 式中 lines on the pages, {terms} in the report")
    return problems


failures = 0
for index, form in enumerate(windows()):
    for problem in check(form, index):
        print(f"{form}: {problem}")
        failures += 1
sys.exit(1 if failures else 0)
