#!/usr/bin/python3
"""The profile drawings and tables of the four profile windows, read back by an independent
reader (ezdxf): the drawing passes ezdxf's audit, has its layers and its texts in the 宋体
style, draws the ground and the pipe through the stations and elevations the run computed
(exaggeration undone, to 1 mm), the arc on
the circle the window states (sag error under 1 mm), its Chinese texts read back exactly, and
spans the crossing; the CSV table and the drawing's table hold the window's numbers as numbers
(in engineering form, to the precision of each quantity).

Usage: profile_export_check.py PYLORA_CLI DATABASE_DIR SCRATCH_DIR
"""
import csv
import json
import math
import os
import re
import subprocess
import sys

import ezdxf
from ezdxf import recover

CLI, DATABASE, SCRATCH = sys.argv[1:4]
MM = 0.001

DRILLING_STATIONS = ["入土点", "桩点2", "桩点3", "弹性敷设起点", "桩点5", "桩点6", "桩点7", "桩点8",
                     "弹性敷设终点", "桩点10", "桩点11", "出土点"]
WINDOWS = [
    # window, its stations, the rows of the arc's tangent points (none: no arc), the row where the
    # tangents meet (off the pipe), ground from the survey
    ("穿越断面", [f"桩点{k}" for k in range(1, 11)], None, None, False),
    ("定向钻穿越", DRILLING_STATIONS, (4, 9), None, False),
    ("定向钻穿越地面数据", DRILLING_STATIONS, (4, 9), None, True),
    ("弹性敷设参数计算", ["第一点", "桩点1", "左切点", "桩点2", "桩点3", "第二点", "桩点4", "桩点5",
                          "右切点", "桩点6", "第三点"], (3, 9), 6, False),
]
# The decimals the table gives each quantity (the field's meaning, else the profile table's own:
# metres to the centimetre, slopes to 0.01 ‰, angles to 0.001°).
COLUMN_DECIMALS = {"里程 (m)": 2, "地面标高 (m)": 2, "管底标高 (m)": 2, "埋深 (m)": 2, "坡度 (‰)": 2, "倾角 (°)": 3,
                   "管段长度 (m)": 2}
WINDOW_DECIMALS = {"定向钻穿越": {"管底标高 (m)": 3}, "定向钻穿越地面数据": {"管底标高 (m)": 3}}
WINDOW_COLUMNS = {"里程 (m)": "桩点里程", "地面标高 (m)": "地面标高", "管底标高 (m)": "管底标高"}
SEGMENT_COLUMNS = {"坡度 (‰)", "倾角 (°)", "管段长度 (m)"}
# A number as spreadsheets and CAD tables read it: no bare or leading point, one digit before
# the point of a mantissa.
SPREADSHEET_NUMBER = re.compile(r"-?(0|[1-9]\d*)(\.\d+)?|-?[1-9](\.\d+)?E[+-]\d\d")
CHINESE_STYLE = "HZ"
LAYER_COLOURS = {"地面线": 3, "管线": 1, "弹性敷设段": 6, "桩号": 5, "标注": 7, "网格": 8, "图框": 7}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


def run(window, *options):
    out = subprocess.run([CLI, "--database", DATABASE, "run", window, *options], capture_output=True, text=True)
    if out.returncode != 0:
        raise SystemExit(f"{window}: pylora-cli exited {out.returncode}: {out.stderr}")
    return json.loads(out.stdout)


def leading_number(text):
    match = re.match(r"\s*-?\d*\.?\d*", text)
    return float(match.group(0)) if match and re.search(r"\d", match.group(0)) else None


def spreadsheet_number(text):
    return float(text) if SPREADSHEET_NUMBER.fullmatch(text) else None


def window_cells(window):
    """Point-table cells by row (1-based) and quantity name, and single fields by quantity name."""
    described = json.loads(subprocess.run([CLI, "--database", DATABASE, "describe", window],
                                          capture_output=True, text=True, check=True).stdout)
    cells, fields = {}, {}
    for control in described["controls"]:
        meaning = control.get("meaning") or {}
        row = re.search(r"_\{(\d+)\}$", meaning.get("symbol", ""))
        if row and meaning["name"] in ("桩点里程", "地面标高", "管底标高"):
            cells[(int(row.group(1)), meaning["name"])] = control["name"]
        elif meaning.get("name"):
            fields.setdefault(meaning["name"], control["name"])
    return cells, fields


def survey_points(path):
    points = []
    with open(path, encoding="utf-8-sig") as f:
        for line in f:
            values = [v.strip() for v in line.strip().split(",") if v.strip()]
            if len(values) >= 2:
                points.append((float(values[0]), float(values[1])))
    return points


def shown_to(text):
    """How near a shown elevation is to the value computed: 1 mm, or half its last decimal."""
    decimals = len(text.strip().partition(".")[2])
    return max(MM, 0.5 * 10 ** -decimals + 1e-9)


def near(a, b, tolerance=MM):
    return math.hypot(a[0] - b[0], a[1] - b[1]) <= tolerance


def check_window(window, names, arc_rows, apex, survey):
    dxf_path = os.path.join(SCRATCH, window + ".dxf")
    csv_path = os.path.join(SCRATCH, window + ".csv")
    result = run(window, "--dxf", dxf_path, "--csv", csv_path)
    texts = {name: c["text"] for name, c in result["controls"].items()}
    cells, fields = window_cells(window)
    rows = len(names)

    # The stations and elevations the window shows.
    station = {r: leading_number(texts[cells[(r, "桩点里程")]]) for r in range(1, rows + 1)}
    pipe = {r: leading_number(texts[cells[(r, "管底标高")]]) for r in range(1, rows + 1)}
    if survey:
        ground = survey_points(result["data_files"][0]["path"])
    elif (1, "地面标高") in cells:
        ground = [(station[r], leading_number(texts[cells[(r, "地面标高")]])) for r in range(1, rows + 1)]
    else:
        ground = []

    doc, recovered = recover.readfile(dxf_path)
    check(not recovered.has_errors, f"{window}: ezdxf recovered errors {recovered.errors}")
    audit = doc.audit()
    check(not audit.has_errors, f"{window}: ezdxf audit errors {[str(e) for e in audit.errors]}")
    check(doc.dxfversion == "AC1015" and doc.encoding == "gbk", f"{window}: {doc.dxfversion} {doc.encoding}")
    for layer, colour in LAYER_COLOURS.items():
        if check(doc.layers.has_entry(layer), f"{window}: no layer {layer}"):
            check(doc.layers.get(layer).color == colour, f"{window}: layer {layer} colour")

    msp = doc.modelspace()
    words = [t.dxf.text for t in msp.query("TEXT")]
    # Every text in the Chinese style: 宋体 by its file and by its family, which CAD programs
    # find the font by, no big font (a TrueType style has none).
    styles = {t.dxf.style for t in msp.query("TEXT")}
    if check(styles == {CHINESE_STYLE} and doc.styles.has_entry(CHINESE_STYLE), f"{window}: text styles {styles}"):
        style = doc.styles.get(CHINESE_STYLE)
        check((style.dxf.font, style.dxf.bigfont) == ("simsun.ttc", ""), f"{window}: style font {style.dxf.font}")
        check(style.has_extended_font_data and style.get_extended_font_data()[0] == "SimSun",
              f"{window}: style without the family SimSun")
    statement = next((w for w in words if "高程放大" in w), "")
    e = float(re.search(r"高程放大 (\S+) 倍", statement).group(1))
    datum = float(re.search(r"高程基准 (\S+) m", statement).group(1))

    def true(x, y):
        return (x, y / e + datum)

    # The ground line at the survey's own points or the typed stations.
    ground_lines = msp.query('LWPOLYLINE[layer=="地面线"]')
    if ground:
        drawn = [true(x, y) for line in ground_lines for x, y in line.get_points("xy")]
        check(len(drawn) == len(ground) and all(near(a, b) for a, b in zip(drawn, ground)),
              f"{window}: ground line off the computed points")
    else:
        check(len(ground_lines) == 0, f"{window}: a ground line without ground elevations")

    # The pipe: every station on a straight's vertex or on the arc, every vertex a station.
    straights = [[true(x, y) for x, y in line.get_points("xy")] for line in msp.query('LWPOLYLINE[layer=="管线"]')]
    vertices = [p for line in straights for p in line]
    points = [(station[r], pipe[r]) for r in range(1, rows + 1)]
    check(all(any(near(v, p) for p in points) for v in vertices), f"{window}: a pipe vertex at no station")
    if arc_rows:
        centre = (leading_number(texts[fields["弹性敷设段圆心里程"]]), leading_number(texts[fields["弹性敷设段圆心高程"]]))
        rho = leading_number(texts[fields["弹性敷设曲率半径"]])
        first, last = arc_rows
        upper = pipe[apex] > pipe[1] if apex else False  # a crest bend when the tangents meet above

        def circle_at(x):
            half = math.sqrt(rho * rho - (x - centre[0]) ** 2)
            return centre[1] + half if upper else centre[1] - half
        if apex:
            tangents = [(true(l.dxf.start.x, l.dxf.start.y), true(l.dxf.end.x, l.dxf.end.y))
                        for l in msp.query('LINE[layer=="标注"]')]
            meeting = sum(1 for a, b in tangents if near(a, points[apex - 1]) or near(b, points[apex - 1]))
            check(meeting == 2, f"{window}: the tangents do not meet at {names[apex - 1]}")
        for r in range(1, rows + 1):
            if r == apex:
                continue
            on_straight = any(near(v, points[r - 1]) for v in vertices)
            on_arc = first < r < last and abs(circle_at(station[r]) - pipe[r]) <= shown_to(texts[cells[(r, "管底标高")]])
            check(on_straight or on_arc, f"{window}: {names[r - 1]} off the pipe")
        curves = msp.query('ELLIPSE[layer=="弹性敷设段"]')
        if check(len(curves) == 1, f"{window}: the arc is not one ellipse"):
            curve = curves[0]
            # Counter-clockwise from the start parameter to the end, as CAD programs draw it.
            start, end = curve.dxf.start_param, curve.dxf.end_param
            if end <= start:
                end += 2 * math.pi
            params = [start + (end - start) * i / 400 for i in range(401)]
            drawn = [true(v.x, v.y) for v in curve.vertices(params)]
            sag = max(abs(math.dist(p, centre) - rho) for p in drawn)
            check(sag < MM, f"{window}: the arc strays {sag} m from its circle")
            # The drawn curve itself passes the stations on the arc (not the circle's other half).
            for r in range(first + 1, last):
                if r == apex:
                    continue
                below = max((p for p in drawn if p[0] <= station[r]), key=lambda p: p[0], default=None)
                above = min((p for p in drawn if p[0] >= station[r]), key=lambda p: p[0], default=None)
                if check(below and above, f"{window}: the arc misses {names[r - 1]}"):
                    t = 0 if above[0] == below[0] else (station[r] - below[0]) / (above[0] - below[0])
                    z = below[1] + t * (above[1] - below[1])
                    check(abs(z - pipe[r]) <= shown_to(texts[cells[(r, "管底标高")]]),
                          f"{window}: the arc passes {names[r - 1]} at {z}, not {pipe[r]}")
            # Its ends at the tangent points as the window shows them (to the centimetre).
            ends = [(station[first], pipe[first]), (station[last], pipe[last])]
            check(all(any(near(p, end, 0.01) for p in (drawn[0], drawn[-1])) for end in ends),
                  f"{window}: the arc does not end at the tangent points")
    else:
        check(all(any(near(v, p) for v in vertices) for p in points), f"{window}: a station off the pipe")

    # The profile spans the crossing: first to last station.
    xs = vertices + ([true(v.x, v.y) for c in msp.query("ELLIPSE") for v in c.vertices([c.dxf.start_param, c.dxf.end_param])])
    check(abs(min(p[0] for p in xs) - station[1]) <= MM and abs(max(p[0] for p in xs) - station[rows]) <= MM,
          f"{window}: the pipe does not span the crossing")
    extmin, extmax = doc.header["$EXTMIN"], doc.header["$EXTMAX"]
    check(extmin[0] < station[1] and extmax[0] > station[rows], f"{window}: header extents miss the crossing")

    # Chinese texts as written.
    for expected in [window + " 纵断面图", "桩号", "里程(m)", "管底标高(m)", *names]:
        check(expected in words, f"{window}: no text {expected!r}")

    # The CSV: the window's numbers in engineering form, a row per station; the drawing's table
    # gives the same texts.
    with open(csv_path, "rb") as f:
        check(f.read(3) == b"\xef\xbb\xbf", f"{window}: CSV without BOM")
    with open(csv_path, encoding="utf-8-sig", newline="") as f:
        table = list(csv.DictReader(f))
    check([row["桩号"] for row in table] == names, f"{window}: CSV stations {[row['桩号'] for row in table]}")
    decimals = {**COLUMN_DECIMALS, **WINDOW_DECIMALS.get(window, {})}
    shown_values = [v for v in (leading_number(t) for t in texts.values()) if v is not None]
    for r, row in enumerate(table, start=1):
        for column, cell in row.items():
            if column in ("桩号", "管段") or cell == "":
                continue
            value = spreadsheet_number(cell)
            if not check(value is not None, f"{window}: CSV {column} of {names[r - 1]} {cell!r} is no number"):
                continue
            places = len(cell.partition(".")[2])
            check(places <= decimals[column], f"{window}: CSV {column} {cell} has more than {decimals[column]} decimals")
            if column in WINDOW_COLUMNS and (r, WINDOW_COLUMNS[column]) in cells:
                shown = leading_number(texts[cells[(r, WINDOW_COLUMNS[column])]])
                check(abs(value - shown) <= 0.5 * 10 ** -decimals[column] + 1e-9,
                      f"{window}: CSV {column} of {names[r - 1]}: {cell}, the window shows {shown}")
            elif column in SEGMENT_COLUMNS:
                check(any(abs(value - v) <= 0.5 * 10 ** -decimals[column] + 1e-9 for v in shown_values),
                      f"{window}: CSV {column} {cell} is no value the window shows")
        if (r, "地面标高") not in cells and survey:
            # Between the survey's points around the station, to the centimetre.
            x = station[r]
            a = max((p for p in ground if p[0] <= x), key=lambda p: p[0])
            b = min((p for p in ground if p[0] >= x), key=lambda p: p[0])
            z = a[1] if a[0] == b[0] else a[1] + (b[1] - a[1]) * (x - a[0]) / (b[0] - a[0])
            check(row["地面标高 (m)"] == f"{z:.2f}", f"{window}: CSV 地面标高 of {names[r - 1]}: {row['地面标高 (m)']}, not {z:.2f}")
            check(row["埋深 (m)"] == f"{z - pipe[r]:.2f}", f"{window}: CSV 埋深 of {names[r - 1]}")

    # The table under the drawing: its numbers are the CSV's, every one a number.
    csv_numbers = sorted(cell for row in table for column, cell in row.items()
                         if column not in ("桩号", "管段") and cell)
    headings = {"桩号", *(column.replace(" ", "") for column in table[0].keys())}
    drawn = sorted(t.dxf.text for t in msp.query('TEXT[layer=="标注"]')
                   if t.dxf.insert.y < 0 and t.dxf.text not in headings and t.dxf.text not in names)
    check(drawn == csv_numbers, f"{window}: the drawing's table {drawn} is not the CSV's {csv_numbers}")


def check_true_arc():
    """At equal scales the elastic-laying curve is a DXF arc about the window's centre."""
    path = os.path.join(SCRATCH, "equal_scales.dxf")
    result = run("弹性敷设参数计算", "--dxf", path, "--exaggeration", "1")
    texts = {name: c["text"] for name, c in result["controls"].items()}
    doc = ezdxf.readfile(path)
    arcs = doc.modelspace().query('ARC[layer=="弹性敷设段"]')
    if check(len(arcs) == 1, "equal scales: no arc"):
        statement = next(t.dxf.text for t in doc.modelspace().query("TEXT") if "高程放大" in t.dxf.text)
        datum = float(re.search(r"高程基准 (\S+) m", statement).group(1))
        arc = arcs[0]
        check(abs(arc.dxf.radius - float(texts["Text41"])) < MM, "equal scales: radius")
        check(abs(arc.dxf.center.x - float(texts["Text45"])) < MM and
              abs(arc.dxf.center.y + datum - float(texts["Text48"])) < MM, "equal scales: centre")
        middle = arc.dxf.start_angle + ((arc.dxf.end_angle - arc.dxf.start_angle) % 360) / 2
        check(math.sin(math.radians(middle)) < 0, "equal scales: the sag bend drawn over the top")


os.makedirs(SCRATCH, exist_ok=True)
for window, names, arc_rows, apex, survey in WINDOWS:
    check_window(window, names, arc_rows, apex, survey)
check_true_arc()
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
