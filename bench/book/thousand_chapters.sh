#!/bin/sh
# A project book of 1,000 chapters (five crossing calculations, one a drilled profile with its
# ground survey, repeated) bound as one PDF and as one DOCX: wall time and peak memory of the
# whole command, pylora-report included, from /usr/bin/time -v.
#   bench/book/thousand_chapters.sh [build folder] [chapters] [formats, "pdf docx" unless given]
# Measured on two cores shared with other builds, Dec 2026, user and system time from
# /usr/bin/time -v. Earlier (load 13): 100 chapters as PDF 70 s wall, then 32 s once the chapters
# were drawn one at a time straight into the file at zlib's fastest level.
# Before the present version (load 1-2): 100 chapters as PDF 12.0 s wall, 11.3 s user + 0.1 s
# system, 51 MB, 102 MB of PDF (the formula pictures' glyphs written as outlines, about 1 MB a
# page); as DOCX 25.2 s wall, 22.9 + 0.8 s, 317 MB, 65 MB (every picture of every chapter drawn
# to PNG and stored again: PNG encoding was three quarters of the time).
# Now the formulas are painted with their text as text in an embedded font, a chapter drawn after
# its pages were counted reuses the page breaks the count found, and the DOCX stores each
# distinct picture once. Load 1-2: 100 chapters as PDF 4.2 s wall, 4.0 + 0.1 s, 49 MB, 5.5 MB;
# as DOCX 1.8 s wall, 1.4 + 0.2 s, 65 MB, 10 MB. 1,000 chapters (load 4-6, so the wall time is
# nearly twice the processor time): PDF 85 s wall, 47 + 2.6 s, 126 MB, 54 MB, 6,319 pages; DOCX
# 7.2 s wall, 3.6 + 1.0 s, 337 MB, 76 MB. What the PDF spent was Qt's text layout (a chapter
# laid out to count its pages a third, laid out again to draw it a fifth), drawing the laid-out
# text a third (the formulas a twelfth), recomputing the cases a twentieth; compression 3 %.
# Then the chapters were laid out on worker threads (counted, and laid out again for drawing while
# the writer draws the chapter before), a chapter whose report reads as an earlier one's under a
# heading of one line of the same height takes that one's count (this book: five counted of
# 1,000), the text takes its font at the page's resolution from the start, and a formula read once
# is not read again. The same pages (text and its positions, pages drawn to pixels alike; only
# the embedded fonts stand in another order in the file), 54 MB, 6,319 pages. 1,000 chapters as
# PDF, back to back at load 4: before 68 s wall, 51.8 + 2.6 s, 127 MB; after 35 s wall,
# 31.9 + 2.4 s, 149 MB; through this script at load 3: 34 s wall, 29.0 + 2.3 s (pylora-report
# alone, 31 s, 27.4 + 2.2 s). At load 8-9: before 123 s, 64.4 + 3.3 s; after 82 s, 35.7 + 3.1 s.
# Before at load 0.2: 43 s wall, 41.7 + 1.3 s. 100 chapters at load 4: before 5.8 s, 5.7 + 0.1 s;
# after 5.3 s, 3.0 + 0.2 s: the processor time grows with the chapters (32 ms a chapter).
# Instructions (callgrind, 20 chapters): 7.77 G before, 5.54 G after. What the PDF spends now:
# drawing the laid-out text two fifths (Qt shaping the lines again as it draws them, its tables
# asking each cell's format, the formulas a tenth), laying each chapter out to draw it three
# tenths, recomputing the cases a twentieth, writing the pages (compression) a twentieth. With
# the cores free the layout runs beside the drawing, so the wall time is about the drawing's.
# The DOCX's memory is its document part (about 75 KB a chapter), held while the archive is built.
set -eu
build=${1:-build}
chapters=${2:-1000}
formats=${3:-pdf docx}
cli=$build/bin/pylora-cli
database=$build/share/pylora/database
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for form in 土壤荷载计算 汽车荷载计算 公路穿越强度校核 公路穿越稳定性校核; do
    "$cli" --database "$database" run "$form" --save "$work/$form.pylora" >/dev/null
done
"$cli" --database "$database" run 定向钻穿越地面数据 --press Command1 --press Command3 \
    --ground-file "$database/1.TXT" --save "$work/定向钻穿越地面数据.pylora" >/dev/null
python3 - "$work" "$chapters" <<'PY'
import json, pathlib, sys
work, count = pathlib.Path(sys.argv[1]), int(sys.argv[2])
cases = [json.loads(p.read_text(encoding="utf-8")) for p in sorted(work.glob("*.pylora"))]
book = {"format": "pylora-project", "format_version": 1, "title": "千章计算书",
        "project": {"name": "西气东输三线", "number": "XB-2026-012"},
        "calculations": [{"title": f"第 {i + 1} 个计算", "case": cases[i % len(cases)]} for i in range(count)]}
(work / "book.pylora-project").write_text(json.dumps(book, ensure_ascii=False), encoding="utf-8")
PY
for format in $formats; do
    echo "== $chapters chapters as $format"
    /usr/bin/time -v "$cli" --database "$database" book "$work/book.pylora-project" -o "$work/book.$format" 2>"$work/time" || true
    grep -E "Elapsed|User time|System time|Maximum resident|Exit status" "$work/time"
    ls -l "$work/book.$format" | awk '{print "size: " $5 " bytes"}'
done
