#include "shell/study_curves.h"

#include <QStringList>
#include <algorithm>

#include "shell/study_table_model.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

QString symbolAndName(const StudyColumn& column) {
    return column.name.empty() || column.name == column.symbol ? qt(column.symbol)
                                                               : qt(column.symbol) + " " + qt(column.name);
}

// "P = %1 MPa": how the read-out names a value of this column.
QString valueWords(const StudyColumn& column) {
    return qt(column.symbol) + " = %1" + (column.unit.empty() ? QString() : " " + qt(column.unit));
}

struct Sample {
    QPointF value;
    std::size_t row;  // in the study's table
};

std::vector<Sample> thinned(const std::vector<Sample>& piece) {
    if (piece.size() <= kDrawnPointsAtMost) return piece;
    const std::size_t run = (piece.size() + kDrawnPointsAtMost / 2 - 1) / (kDrawnPointsAtMost / 2);
    std::vector<Sample> kept{piece.front()};
    for (std::size_t start = 1; start + 1 < piece.size(); start += run) {
        const std::size_t end = std::min(start + run, piece.size() - 1);
        std::size_t low = start, high = start;
        for (std::size_t i = start; i < end; ++i) {
            if (piece[i].value.y() < piece[low].value.y()) low = i;
            if (piece[i].value.y() > piece[high].value.y()) high = i;
        }
        kept.push_back(piece[std::min(low, high)]);
        if (low != high) kept.push_back(piece[std::max(low, high)]);
    }
    kept.push_back(piece.back());
    return kept;
}

}  // namespace

void ValueSpan::add(double v) {
    low = std::min(low, v);
    high = std::max(high, v);
}

StudyCurves studyCurves(const StudyResult& study, bool logarithmicX) {
    StudyCurves out;
    if (study.inputColumns.empty()) return out;
    const StudyColumn& xColumn = study.inputColumns[0];
    const bool grid = study.inputColumns.size() > 1;

    std::vector<std::size_t> numeric;  // verdicts are words: no curve
    for (std::size_t r = 0; r < study.resultColumns.size(); ++r)
        if (!study.resultColumns[r].verdict) numeric.push_back(r);
    for (std::size_t r : numeric)
        if (std::find(out.units.begin(), out.units.end(), study.resultColumns[r].unit) == out.units.end())
            out.units.push_back(study.resultColumns[r].unit);

    // Values of the second input in their order of first appearance: a curve each.
    std::vector<std::string> seconds;
    if (grid)
        for (const StudyPoint& p : study.points)
            if (p.inputs.size() > 1 && std::find(seconds.begin(), seconds.end(), p.inputs[1]) == seconds.end())
                seconds.push_back(p.inputs[1]);
    if (!grid) seconds.push_back({});

    for (std::size_t r : numeric) {
        const StudyColumn& yColumn = study.resultColumns[r];
        for (const std::string& second : seconds) {
            StudyCurve curve;
            curve.unit = yColumn.unit;
            // Short names where a legend holds many: the symbol alone beside the second input.
            QStringList name;
            if (!grid) name << symbolAndName(yColumn);
            if (grid && numeric.size() > 1) name << qt(yColumn.symbol);
            if (grid) name << valueWords(study.inputColumns[1]).arg(qt(second));
            curve.name = name.join(QStringLiteral("，"));
            curve.xWords = valueWords(xColumn);
            curve.yWords = valueWords(yColumn);
            std::vector<std::vector<Sample>> raw;  // the pieces between failed points
            bool broken = true;
            for (const StudyPoint& point : study.points) {
                if (grid && (point.inputs.size() < 2 || point.inputs[1] != second)) continue;
                std::optional<double> x, y;
                if (!point.inputs.empty()) x = shownNumber(point.inputs[0]);
                if (!point.failure && r < point.results.size()) y = shownNumber(point.results[r]);
                if (!x || !y || (logarithmicX && *x <= 0)) {
                    broken = true;  // a failed point is a gap in the curve
                    continue;
                }
                if (broken) raw.emplace_back();
                broken = false;
                raw.back().push_back({{*x, *y}, std::size_t(&point - study.points.data())});
                out.x.add(*x);
                out.y[curve.unit].add(*y);
            }
            for (const std::vector<Sample>& piece : raw) {
                curve.pieces.emplace_back();
                for (const Sample& sample : thinned(piece)) {
                    const StudyPoint& point = study.points[sample.row];
                    curve.pieces.back().push_back({sample.value, qt(point.inputs[0]), qt(point.results[r])});
                }
            }
            if (curve.pieces.empty()) curve.name += QStringLiteral("（无结果）");
            out.curves.push_back(std::move(curve));
        }
    }
    return out;
}

}  // namespace pylora
