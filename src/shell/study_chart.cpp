#include "shell/study_chart.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsEllipseItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "core/report_text.h"
#include "shell/study_table_model.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// Distinct colours for up to ten curves, then again from the first.
const QColor kCurveColours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
                                QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
                                QColor(0x17, 0xbe, 0xcf)};

// Points are marked while a curve has few enough of them to tell apart.
constexpr std::size_t kMarkedPointsAtMost = 40;

QString symbolHtml(const std::string& symbol) {
    QString html;
    for (const ScriptRun& run : scriptRuns(symbol)) {
        const QString text = qt(run.text).toHtmlEscaped();
        html += run.level < 0 ? "<sub>" + text + "</sub>" : run.level > 0 ? "<sup>" + text + "</sup>" : text;
    }
    return html;
}

QString unitSuffix(const StudyColumn& column) { return column.unit.empty() ? QString() : " (" + qt(column.unit) + ")"; }

// An axis title: the symbol drawn with its sub- and superscripts, the name, the unit.
QString axisTitle(const StudyColumn& column) {
    QString title = symbolHtml(column.symbol);
    if (!column.name.empty() && column.name != column.symbol) title += " " + qt(column.name).toHtmlEscaped();
    return title + unitSuffix(column).toHtmlEscaped();
}

QString symbolAndName(const StudyColumn& column) {
    return column.name.empty() || column.name == column.symbol ? qt(column.symbol)
                                                               : qt(column.symbol) + " " + qt(column.name);
}

// "P = %1 MPa": how the read-out names a value of this column.
QString valueWords(const StudyColumn& column) {
    return qt(column.symbol) + " = %1" + (column.unit.empty() ? QString() : " " + qt(column.unit));
}

struct Span {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void add(double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    bool empty() const { return low > high; }
};

QValueAxis* valueAxis(Span span) {
    auto* axis = new QValueAxis;
    if (span.empty()) span = {0, 1};
    if (span.low == span.high) {
        const double margin = span.low == 0 ? 1 : std::abs(span.low) * 0.1;
        span = {span.low - margin, span.high + margin};
    }
    axis->setRange(span.low, span.high);
    axis->applyNiceNumbers();
    axis->setLabelFormat("%.10g");  // 2000000, not 2e+06
    return axis;
}

QAbstractAxis* logAxis(Span span) {
    auto* axis = new QLogValueAxis;
    axis->setBase(10);
    if (span.empty() || span.low <= 0) span = {1, 10};
    if (span.low == span.high) span = {span.low / 2, span.high * 2};
    axis->setRange(span.low, span.high);
    axis->setLabelFormat("%.10g");  // 2000000, not 2e+06
    axis->setMinorTickCount(8);
    return axis;
}

struct Sample {
    QPointF value;
    std::size_t row;  // in the study's table
};

// A piece of a long study drawn with what a screen can show: per run of neighbouring points the
// lowest and the highest, in their order, so that no peak is lost; the ends stay. A plot of a
// million points is drawn in a moment.
constexpr std::size_t kDrawnPointsAtMost = 4000;

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

StudyChart::StudyChart(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setMinimumSize(420, 300);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(6, 6, 6, 6));
    chart()->setTitle(QStringLiteral("选定参数和计算结果后按「开始」，曲线显示在这里"));
}

void StudyChart::clear() {
    chart()->setTitle({});
    chart()->removeAllSeries();
    for (QAbstractAxis* axis : chart()->axes()) {
        chart()->removeAxis(axis);
        delete axis;
    }
    curves_.clear();
    delete mark_;
    mark_ = nullptr;
    setReadOut({});
}

void StudyChart::showStudy(const StudyResult& study, bool logarithmicX) {
    clear();
    if (study.inputColumns.empty()) return;
    const StudyColumn& xColumn = study.inputColumns[0];
    const bool grid = study.inputColumns.size() > 1;

    // The numeric results, grouped by unit: one y axis per unit.
    std::vector<std::size_t> numeric;
    for (std::size_t r = 0; r < study.resultColumns.size(); ++r)
        if (!study.resultColumns[r].verdict) numeric.push_back(r);
    std::vector<std::string> units;
    for (std::size_t r : numeric)
        if (std::find(units.begin(), units.end(), study.resultColumns[r].unit) == units.end())
            units.push_back(study.resultColumns[r].unit);

    // Values of the second input in their order of first appearance: a curve each.
    std::vector<std::string> seconds;
    if (grid)
        for (const StudyPoint& p : study.points)
            if (p.inputs.size() > 1 && std::find(seconds.begin(), seconds.end(), p.inputs[1]) == seconds.end())
                seconds.push_back(p.inputs[1]);
    if (!grid) seconds.push_back({});

    Span xSpan;
    std::map<std::string, Span> ySpans;
    struct Pending {
        Curve curve;
        std::string unit;
        std::vector<std::vector<QPointF>> pieces;
    };
    std::vector<Pending> pending;
    for (std::size_t r : numeric) {
        const StudyColumn& yColumn = study.resultColumns[r];
        for (const std::string& second : seconds) {
            Pending p;
            p.unit = yColumn.unit;
            // Short names where a legend holds many: the symbol alone beside the second input.
            QStringList name;
            if (!grid) name << symbolAndName(yColumn);
            if (grid && numeric.size() > 1) name << qt(yColumn.symbol);
            if (grid) name << valueWords(study.inputColumns[1]).arg(qt(second));
            p.curve.name = name.join(QStringLiteral("，"));
            p.curve.xWords = valueWords(xColumn);
            p.curve.yWords = valueWords(yColumn);
            std::vector<std::vector<Sample>> raw;  // the pieces between failed points
            bool broken = true;
            for (const StudyPoint& point : study.points) {
                if (grid && (point.inputs.size() < 2 || point.inputs[1] != second)) continue;
                const std::optional<double> x = point.inputs.empty() ? std::nullopt : shownNumber(point.inputs[0]);
                const std::optional<double> y =
                    point.failure || r >= point.results.size() ? std::nullopt : shownNumber(point.results[r]);
                if (!x || !y || (logarithmicX && *x <= 0)) {
                    broken = true;  // a failed point is a gap in the curve
                    continue;
                }
                if (broken) raw.emplace_back();
                broken = false;
                raw.back().push_back({{*x, *y}, std::size_t(&point - study.points.data())});
                xSpan.add(*x);
                ySpans[p.unit].add(*y);
            }
            for (const std::vector<Sample>& piece : raw) {
                p.pieces.emplace_back();
                for (const Sample& sample : thinned(piece)) {
                    p.pieces.back().push_back(sample.value);
                    const StudyPoint& point = study.points[sample.row];
                    p.curve.points.push_back({sample.value, qt(point.inputs[0]), qt(point.results[r])});
                }
            }
            if (p.curve.points.empty()) p.curve.name += QStringLiteral("（无结果）");
            pending.push_back(std::move(p));
        }
    }

    QAbstractAxis* xAxis = logarithmicX ? logAxis(xSpan) : valueAxis(xSpan);
    xAxis->setTitleText(axisTitle(xColumn));
    chart()->addAxis(xAxis, Qt::AlignBottom);
    std::map<std::string, QAbstractAxis*> yAxes;
    for (std::size_t u = 0; u < units.size(); ++u) {
        QAbstractAxis* axis = valueAxis(ySpans[units[u]]);
        QStringList symbols;
        const StudyColumn* only = nullptr;
        for (std::size_t r : numeric)
            if (study.resultColumns[r].unit == units[u]) {
                symbols << symbolHtml(study.resultColumns[r].symbol);
                only = &study.resultColumns[r];
            }
        // Beside other y axes a title names symbols and unit only: the legend gives the names.
        axis->setTitleText(symbols.size() == 1 && units.size() == 1
                               ? axisTitle(*only)
                               : symbols.join(QStringLiteral("、")) + unitSuffix(*only).toHtmlEscaped());
        chart()->addAxis(axis, u % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
        yAxes[units[u]] = axis;
    }

    for (std::size_t c = 0; c < pending.size(); ++c) {
        Pending& p = pending[c];
        const QColor colour = kCurveColours[c % std::size(kCurveColours)];
        const bool marked = p.curve.points.size() <= kMarkedPointsAtMost;
        // A curve without a drawable point still takes its place in the legend.
        if (p.pieces.empty()) p.pieces.emplace_back();
        for (const std::vector<QPointF>& piece : p.pieces) {
            auto* series = new QLineSeries;
            series->setName(p.curve.name);
            series->setColor(colour);
            QPen pen = series->pen();
            pen.setWidthF(2);
            series->setPen(pen);
            series->setPointsVisible(marked || piece.size() == 1);  // a lone point would not show
            series->append(QList<QPointF>(piece.begin(), piece.end()));
            chart()->addSeries(series);
            series->attachAxis(xAxis);
            series->attachAxis(yAxes[p.unit]);
            // One legend entry per curve, however many pieces draw it.
            if (!p.curve.pieces.empty())
                for (QLegendMarker* marker : chart()->legend()->markers(series)) marker->setVisible(false);
            p.curve.pieces.push_back(series);
        }
        curves_.push_back(std::move(p.curve));
    }
    // Several y axes: an axis that carries one curve takes its colour, so the two are read together.
    if (units.size() > 1)
        for (const auto& [unit, axis] : yAxes) {
            const auto carried = std::count_if(pending.begin(), pending.end(), [&](const Pending& p) { return p.unit == unit; });
            const auto it = std::find_if(curves_.begin(), curves_.end(), [&](const Curve& curve) {
                return !curve.pieces.empty() && curve.pieces.front()->attachedAxes().contains(axis);
            });
            if (carried != 1 || it == curves_.end()) continue;
            const QColor colour = static_cast<QLineSeries*>(it->pieces.front())->color();
            axis->setTitleBrush(colour);
            axis->setLabelsColor(colour);
            axis->setLinePenColor(colour);
        }
    chart()->legend()->setVisible(!curves_.empty());
    // Many curves: one legend entry a line beside the plot, where the names have room (a few
    // long names stay below, cut short, rather than squeeze the axes).
    chart()->legend()->setAlignment(curves_.size() > 4 ? Qt::AlignRight : Qt::AlignBottom);
    settle();
}

QStringList StudyChart::curveNames() const {
    QStringList names;
    for (const Curve& curve : curves_) names << curve.name;
    return names;
}

int StudyChart::pieceCount(int curve) const {
    int count = 0;
    for (QAbstractSeries* piece : curves_[std::size_t(curve)].pieces)
        count += static_cast<QLineSeries*>(piece)->count() > 0;
    return count;
}

QString StudyChart::readOutAt(QPoint place) {
    const QPointF inChart = chart()->mapFromScene(mapToScene(place));
    if (!chart()->plotArea().contains(inChart)) {
        setReadOut({});
        return {};
    }
    const Curve* bestCurve = nullptr;
    const PlotPoint* best = nullptr;
    QPointF bestAt;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const Curve& curve : curves_) {
        if (curve.pieces.empty()) continue;
        for (const PlotPoint& point : curve.points) {
            const QPointF at = chart()->mapToPosition(point.value, curve.pieces.front());
            const double distance = QLineF(at, inChart).length();
            if (distance < bestDistance) {
                bestDistance = distance;
                bestCurve = &curve;
                best = &point;
                bestAt = at;
            }
        }
    }
    if (!best) {
        setReadOut({});
        return {};
    }
    if (!mark_) {
        mark_ = new QGraphicsEllipseItem(chart());
        mark_->setZValue(100);
        mark_->setBrush(Qt::NoBrush);
    }
    constexpr double radius = 5;
    mark_->setPen(QPen(static_cast<QLineSeries*>(bestCurve->pieces.front())->color(), 2));
    mark_->setRect(bestAt.x() - radius, bestAt.y() - radius, 2 * radius, 2 * radius);
    mark_->show();
    setReadOut(bestCurve->name + QStringLiteral("：") + bestCurve->xWords.arg(best->x) + QStringLiteral("，") +
               bestCurve->yWords.arg(best->y));
    return readOut_;
}

void StudyChart::setReadOut(const QString& text) {
    if (text.isEmpty() && mark_) mark_->hide();
    if (text == readOut_) return;
    readOut_ = text;
    setToolTip(text);
    emit readOutChanged(text);
}

void StudyChart::mouseMoveEvent(QMouseEvent* event) {
    readOutAt(event->position().toPoint());
    QChartView::mouseMoveEvent(event);
}

void StudyChart::leaveEvent(QEvent* event) {
    setReadOut({});
    QChartView::leaveEvent(event);
}

void StudyChart::resizeEvent(QResizeEvent* event) {
    setReadOut({});  // the mark would stand beside its point
    QChartView::resizeEvent(event);
}

// A chart lays out its axes and legend on an event of its own: an export right after the study
// was drawn would come before it.
void StudyChart::settle() {
    QCoreApplication::sendPostedEvents(chart(), QEvent::LayoutRequest);
    if (chart()->layout()) chart()->layout()->activate();
}

QImage StudyChart::image() {
    settle();
    const bool marked = mark_ && mark_->isVisible();
    if (mark_) mark_->hide();
    const QImage picture = grab().toImage();
    if (marked) mark_->show();
    return picture;
}

QByteArray StudyChart::svg(const QString& title) {
    settle();
    const bool marked = mark_ && mark_->isVisible();
    if (mark_) mark_->hide();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size());
        generator.setViewBox(QRect(QPoint(0, 0), size()));
        generator.setTitle(title);
        generator.setResolution(logicalDpiX());  // the fonts sized as the screen laid out the text
        QPainter painter(&generator);
        painter.setRenderHint(QPainter::Antialiasing);
        // The scene's items drawn one by one, as paths and text: not the view's cached pixels.
        scene()->render(&painter, QRectF(QPoint(0, 0), size()), mapToScene(viewport()->rect()).boundingRect());
    }
    if (marked) mark_->show();
    return buffer.data();
}

QByteArray studyFigureSvg(const StudyResult& study, bool logarithmicX, QSize size, const QString& title) {
    StudyChart figure;
    figure.setAttribute(Qt::WA_DontShowOnScreen);
    figure.resize(size);
    figure.show();  // laid out at its size, never on a screen
    figure.showStudy(study, logarithmicX);
    return figure.svg(title);
}

}  // namespace pylora
