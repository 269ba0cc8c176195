#!/bin/sh
# A project book of 1,000 chapters (five crossing calculations, one a drilled profile with its
# ground survey, repeated) bound as one PDF and as one DOCX: wall time and peak memory of the
# whole command, pylora-report included, from /usr/bin/time -v.
#   bench/book/thousand_chapters.sh [build folder] [chapters] [formats, "pdf docx" unless given]
# Measured on two cores shared with other builds (load 13, Dec 2026), PDF only. Before: 100
# chapters 70 s wall, 20.7 s user, 244 MB, 87 MB of PDF; half the time was zlib compressing the
# pages (the formulas' glyphs are outlines, most of a megabyte a page), and pylora-report held
# every chapter's layout and the whole PDF in memory, so 1,000 chapters exceeded 500 MB. Now the
# chapters are laid out to count their pages, then drawn one at a time straight into the file,
# and the pages are compressed at zlib's fastest level: 100 chapters 32 s wall, 10.6 s user,
# 51 MB, 103 MB of PDF; 1,000 chapters 9 min wall under that load (some 110 s of processor
# time), 127 MB, 1.03 GB of PDF, linear in the chapters. What remains is drawing the formula
# pictures (a third), compressing (a quarter) and laying the chapters out twice (a fifth). The
# DOCX book is still built whole in memory (100 chapters 203 s, 310 MB).
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
    grep -E "Elapsed|User time|Maximum resident|Exit status" "$work/time"
    ls -l "$work/book.$format" | awk '{print "size: " $5 " bytes"}'
done
