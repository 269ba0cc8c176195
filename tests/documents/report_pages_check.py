#!/usr/bin/env python3
"""Every window's 计算书 as a checker reads its PDF pages (pdftotext, an independent reader):

- no heading and no line that announces what follows ("代入数值：", "式中：") stands last on a page;
- every 式中 line of the report is on the pages once: none dropped, none printed twice;
- numbers in engineering form: no "1.21762e+17", "46.76620E+06", ".2907" or "5.";
- no page in the middle of the text left mostly empty by a page break (pdftotext -bbox: where
  the text of each page ends).

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


WORD = re.compile(r'<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>')
PAGE = re.compile(r'<page width="[\d.]+" height="([\d.]+)">(.*?)</page>', re.S)


def text_ends(pdf):
    """For each page, how far down its body text reaches, as a share of the page's height
    (the running header and the page-number footer left out)."""
    ends = []
    for height, words in PAGE.findall(run("pdftotext", "-bbox", pdf, "-").stdout):
        height = float(height)
        body = [float(bottom) for top, bottom, _ in WORD.findall(words) if 0.1 < float(top) / height < 0.9]
        ends.append(max(body) / height if body else 0.0)
    return ends


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
    # A text page followed by another text page is filled at least halfway down; only the
    # last text page (and a 附图 page) ends where its content ends.
    ends = text_ends(pdf)
    for number in range(1, len(pages) - 1):
        if number < len(ends) and "附图" not in pages[number - 1] and "附图" not in pages[number] \
                and pages[number].strip() and ends[number - 1] < 0.5:
            problems.append(f"page {number} is left {ends[number - 1]:.0%} full before page {number + 1}")
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
