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

#include "documents/report_text.h"
#include "shell/study_curves.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// Ten colours, and after them the same colours with other dashes: no two curves of a plot
// alike up to forty curves. The legend draws each entry as a piece of its line.
const Qt::PenStyle kCurveDashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
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

QValueAxis* valueAxis(ValueSpan span) {
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

QAbstractAxis* logAxis(ValueSpan span) {
    auto* axis = new QLogValueAxis;
    axis->setBase(10);
    if (span.empty() || span.low <= 0) span = {1, 10};
    if (span.low == span.high) span = {span.low / 2, span.high * 2};
    axis->setRange(span.low, span.high);
    axis->setLabelFormat("%.10g");  // 2000000, not 2e+06
    axis->setMinorTickCount(8);
    return axis;
}

}  // namespace

StudyChart::StudyChart(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setMinimumSize(420, 300);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
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
    StudyCurves drawn = studyCurves(study, logarithmicX);

    QAbstractAxis* xAxis = logarithmicX ? logAxis(drawn.x) : valueAxis(drawn.x);
    xAxis->setTitleText(axisTitle(study.inputColumns[0]));
    chart()->addAxis(xAxis, Qt::AlignBottom);
    std::map<std::string, QAbstractAxis*> yAxes;
    const std::vector<std::string>& units = drawn.units;
    for (std::size_t u = 0; u < units.size(); ++u) {
        QAbstractAxis* axis = valueAxis(drawn.y[units[u]]);
        QStringList symbols;
        const StudyColumn* only = nullptr;
        for (const StudyColumn& column : study.resultColumns)
            if (!column.verdict && column.unit == units[u]) {
                symbols << symbolHtml(column.symbol);
                only = &column;
            }
        // Beside other y axes a title names symbols and unit only: the legend gives the names.
        axis->setTitleText(symbols.size() == 1 && units.size() == 1
                               ? axisTitle(*only)
                               : symbols.join(QStringLiteral("、")) + unitSuffix(*only).toHtmlEscaped());
        chart()->addAxis(axis, u % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
        yAxes[units[u]] = axis;
    }

    std::map<std::string, int> curvesOnAxis;
    for (std::size_t c = 0; c < drawn.curves.size(); ++c) {
        StudyCurve& source = drawn.curves[c];
        const QColor colour = kCurveColours[c % std::size(kCurveColours)];
        const Qt::PenStyle dash = kCurveDashes[(c / std::size(kCurveColours)) % std::size(kCurveDashes)];
        Curve curve{source.name, source.xWords, source.yWords, {}, {}};
        for (const auto& piece : source.pieces) curve.points.insert(curve.points.end(), piece.begin(), piece.end());
        const bool marked = curve.points.size() <= kMarkedPointsAtMost;
        // A curve without a drawable point still takes its place in the legend.
        if (source.pieces.empty()) source.pieces.emplace_back();
        for (const std::vector<CurvePoint>& piece : source.pieces) {
            auto* series = new QLineSeries;
            series->setName(curve.name);
            series->setColor(colour);
            QPen pen = series->pen();
            pen.setWidthF(2);
            pen.setStyle(dash);
            series->setPen(pen);
            series->setPointsVisible(marked || piece.size() == 1);  // a lone point would not show
            QList<QPointF> values;
            values.reserve(qsizetype(piece.size()));
            for (const CurvePoint& point : piece) values.append(point.value);
            series->append(values);
            chart()->addSeries(series);
            series->attachAxis(xAxis);
            series->attachAxis(yAxes[source.unit]);
            // One legend entry per curve, however many pieces draw it.
            if (!curve.pieces.empty())
                for (QLegendMarker* marker : chart()->legend()->markers(series)) marker->setVisible(false);
            curve.pieces.push_back(series);
        }
        ++curvesOnAxis[source.unit];
        curves_.push_back(std::move(curve));
    }
    // Several y axes: an axis that carries one curve takes its colour, so the two are read together.
    if (units.size() > 1)
        for (std::size_t c = 0; c < drawn.curves.size(); ++c) {
            if (curvesOnAxis[drawn.curves[c].unit] != 1) continue;
            QAbstractAxis* axis = yAxes[drawn.curves[c].unit];
            const QColor colour = static_cast<QLineSeries*>(curves_[c].pieces.front())->color();
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
    const CurvePoint* best = nullptr;
    QPointF bestAt;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const Curve& curve : curves_) {
        if (curve.pieces.empty()) continue;
        for (const CurvePoint& point : curve.points) {
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

QImage StudyChart::printImage(const QString& title, int width) {
    const bool marked = mark_ && mark_->isVisible();
    if (mark_) mark_->hide();
    const QString shown = chart()->title();
    chart()->setTitle(title);
    settle();
    const QRectF source = mapToScene(viewport()->rect()).boundingRect();
    const double scale = double(width) / source.width();
    QImage picture(QSize(width, int(std::ceil(source.height() * scale))), QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setDotsPerMeterX(int(std::lround(kPrintDpi / 0.0254)));  // a print's resolution, as
    picture.setDotsPerMeterY(picture.dotsPerMeterX());               // a document takes it
    {
        QPainter painter(&picture);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        scene()->render(&painter, QRectF(QPointF(0, 0), QSizeF(picture.size())), source);
    }
    chart()->setTitle(shown);
    settle();
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
