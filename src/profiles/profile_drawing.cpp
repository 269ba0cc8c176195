#include "profiles/profile_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "model/calc_form.h"
#include "model/decimal_text.h"
#include "model/report_numbers.h"
#include "model/text.h"

namespace pylora {
namespace {

const TableDef* tableNamed(const FormDefinition& def, const std::string& caption) {
    for (const TableDef& table : def.tables())
        if (table.caption == caption) return &table;
    return nullptr;
}

// The column whose quantity has this name; none when the table has no such column.
const TableColumn* columnNamed(const TableDef& table, const std::string& name) {
    for (const TableColumn& column : table.columns)
        if (column.meaning.name == name) return &column;
    return nullptr;
}

// The decimals a profile table gives a quantity whose meaning states none: metres to the
// centimetre, slopes to a hundredth of a per mille, angles to a thousandth of a degree.
constexpr int kMetreDecimals = 2, kSlopeDecimals = 2, kAngleDecimals = 3;

int decimalsOf(const Meaning* meaning, int usual) { return meaning && meaning->decimals >= 0 ? meaning->decimals : usual; }

// A field's number as the drawing and its table write it: in engineering form, which
// spreadsheets and CAD programs read as a number, to the decimals of its meaning (else
// `usual`); words as shown.
std::string exported(const Form& form, const std::string& field, int usual) {
    if (field.empty()) return {};
    return exportNumber(form.text(field), decimalsOf(form.definition().meaningOf(field), usual));
}

std::string exportedCell(const Form& form, const TableColumn& column, std::size_t row, int usual) {
    return exportNumber(form.text(column.cells[row]), decimalsOf(&column.meaning, usual));
}

// The number a field shows, read without counting as an input of the run (the run is over).
double value(const Form& form, const std::string& field) { return LeadingValueOfText(form.text(field)).value(); }

std::string twoDecimals(double metres) {
    char text[32];
    printFixed(text, sizeof text, 2, metres);
    return text;
}

double angleTo(const ProfilePoint& centre, const ProfilePoint& point) {
    const double degrees =
        std::atan2(point.elevation - centre.elevation, point.station - centre.station) * 180 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

// The survey's records as the run read them: station and elevation of each line of the file.
std::vector<ProfilePoint> surveyGround(const CalcForm& window) {
    std::vector<ProfilePoint> ground;
    for (const DataFileRead& file : window.trail().dataFiles) {
        if (file.caption != "地面数据文件") continue;
        ground.reserve(file.records.size());
        for (const auto& record : file.records)
            if (record.size() >= 2)
                ground.push_back({std::strtod(record[0].c_str(), nullptr), std::strtod(record[1].c_str(), nullptr)});
    }
    return ground;
}

// "纵向比例 1:323.1" and "横向比例 1:1666.7" under the sketch's legend: elevations drawn that
// many times larger than stations; none when the sketch shows no scales.
std::optional<double> sketchExaggeration(const Form& form, const std::string& sketchName) {
    const Sketch* sketch = form.findSketch(sketchName);
    if (!sketch) return std::nullopt;
    auto ratio = [&](const std::string& label) -> std::optional<double> {
        for (const SketchLabel& l : sketch->labels()) {
            if (l.name != label || !l.visible) continue;
            const auto colon = l.caption.find("1:");
            if (colon == std::string::npos) return std::nullopt;
            const double r = std::strtod(l.caption.c_str() + colon + 2, nullptr);
            if (std::isfinite(r) && r > 0) return r;
        }
        return std::nullopt;
    };
    const auto vertical = ratio("Label45"), horizontal = ratio("Label46");
    if (!vertical || !horizontal) return std::nullopt;
    const double e = std::round(*horizontal / *vertical * 100) / 100;
    if (e <= 0) return std::nullopt;
    return e;
}

ProfileDrawing build(const CalcForm& window, const ProfileLayout& layout) {
    const Form& form = window.form();
    const FormDefinition& def = window.definition();
    ProfileDrawing drawing;
    drawing.title = def.formName();
    const TableDef* table = tableNamed(def, layout.pointTable);
    if (!table) return drawing;
    const auto* stations = columnNamed(*table, "桩点里程");
    const auto* grounds = columnNamed(*table, "地面标高");
    const auto* pipes = columnNamed(*table, "管底标高");
    if (!stations) return drawing;

    std::size_t rows = table->rows.size();
    if (!layout.pointCount.empty())
        rows = std::clamp<std::size_t>(std::size_t(std::max(0.0, value(form, layout.pointCount))), 0, rows);

    if (layout.groundFromSurvey) drawing.ground = surveyGround(window);
    for (std::size_t r = 0; r < rows; ++r) {
        ProfileStation s;
        s.name = table->rows[r];
        s.stationText = exportedCell(form, *stations, r, kMetreDecimals);
        s.station = value(form, stations->cells[r]);
        if (grounds && !grounds->cells[r].empty()) {
            s.groundText = exportedCell(form, *grounds, r, kMetreDecimals);
            s.ground = value(form, grounds->cells[r]);
            drawing.ground.push_back({s.station, *s.ground});
        } else if (layout.groundFromSurvey) {
            // Between the survey's points: the table states it to two decimals.
            s.ground = groundAt(drawing.ground, s.station);
            if (s.ground) s.groundText = twoDecimals(*s.ground);
        }
        if (pipes && !pipes->cells[r].empty()) {
            s.pipeText = exportedCell(form, *pipes, r, kMetreDecimals);
            s.pipe = value(form, pipes->cells[r]);
        }
        if (s.ground && s.pipe) s.coverText = twoDecimals(*s.ground - *s.pipe);
        drawing.stations.push_back(std::move(s));
    }

    // The pipe: straight runs through the stations, the arc between its tangent points.
    auto pipePoint = [&](std::size_t r) { return ProfilePoint{drawing.stations[r].station, *drawing.stations[r].pipe}; };
    auto straight = [&](std::size_t from, std::size_t to) {
        std::vector<ProfilePoint> points;
        for (std::size_t r = from; r <= to && r < rows; ++r)
            if (drawing.stations[r].pipe) points.push_back(pipePoint(r));
        if (points.size() >= 2) drawing.pipe.push_back(std::move(points));
    };
    if (layout.arc && layout.arc->lastRow < rows) {
        const ProfileArcSpan& span = *layout.arc;
        straight(0, span.firstRow);
        ProfileArc arc;
        arc.centre = {value(form, span.centreStation), value(form, span.centreElevation)};
        arc.radius = value(form, span.radius);
        const double first = angleTo(arc.centre, pipePoint(span.firstRow));
        const double last = angleTo(arc.centre, pipePoint(span.lastRow));
        const bool upper = span.upperHalf && span.upperHalf(form);
        // Counter-clockwise: along the lower half from the first tangent point, along the upper
        // from the last.
        arc.startAngle = upper ? last : first;
        arc.endAngle = upper ? first : last;
        drawing.arcs.push_back(arc);
        straight(span.lastRow, rows - 1);
        if (layout.intersectionRow && *layout.intersectionRow < rows) {
            const ProfilePoint apex = pipePoint(*layout.intersectionRow);
            drawing.guides.push_back({pipePoint(span.firstRow), apex});
            drawing.guides.push_back({apex, pipePoint(span.lastRow)});
        }
    } else if (rows > 0) {
        straight(0, rows - 1);
    }

    if (const TableDef* segments = layout.segmentTable.empty() ? nullptr : tableNamed(def, layout.segmentTable)) {
        const auto* slopes = columnNamed(*segments, "管线斜率");
        const auto* inclinations = columnNamed(*segments, "管道倾角");
        const auto* lengths = columnNamed(*segments, "管道实长");
        auto cell = [&](const TableColumn* column, std::size_t i, int usual) {
            return column ? exportedCell(form, *column, i, usual) : std::string();
        };
        for (std::size_t i = 0; i + 1 < rows && i < segments->rows.size(); ++i)
            drawing.segments.push_back({i, i + 1, cell(slopes, i, kSlopeDecimals), cell(inclinations, i, kAngleDecimals),
                                        cell(lengths, i, kMetreDecimals)});
    }
    for (const ProfileRun& run : layout.runs)
        if (run.toRow < rows)
            drawing.segments.push_back({run.fromRow, run.toRow, exported(form, run.slope, kSlopeDecimals),
                                        exported(form, run.inclination, kAngleDecimals),
                                        exported(form, run.length, kMetreDecimals)});

    for (const auto& [prefix, field] : layout.notes) drawing.notes.push_back(prefix + exported(form, field, -1));
    if (const auto e = sketchExaggeration(form, layout.sketch)) {
        drawing.defaultExaggeration = *e;
        drawing.exaggerationSource = "按示意图的纵横比例";
    }
    return drawing;
}

}  // namespace

ProfileBuilder profileBuilder(ProfileLayout layout) {
    return [layout = std::move(layout)](const CalcForm& window) { return build(window, layout); };
}

std::optional<double> groundAt(const std::vector<ProfilePoint>& ground, double station) {
    if (ground.empty() || station < ground.front().station || station > ground.back().station) return std::nullopt;
    const auto after = std::lower_bound(ground.begin(), ground.end(), station,
                                        [](const ProfilePoint& p, double x) { return p.station < x; });
    if (after == ground.begin()) return after->elevation;
    const ProfilePoint& b = *after;
    const ProfilePoint& a = *(after - 1);
    if (b.station == a.station) return b.elevation;
    return a.elevation + (b.elevation - a.elevation) * (station - a.station) / (b.station - a.station);
}

}  // namespace pylora
