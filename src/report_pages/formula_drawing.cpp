#include "report_pages/formula_drawing.h"

#include <QFont>
#include <QHash>
#include <QFontInfo>
#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <mutex>

#include "report_pages/report_pages.h"

namespace pylora {
namespace {

// The picture's numbers: "12.5", "-3.0", lists of them split by blanks and commas.
std::vector<double> numbersIn(QStringView text) {
    static const QRegularExpression number(QStringLiteral(R"([-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?)"));
    std::vector<double> values;
    for (auto match = number.globalMatch(text); match.hasNext();) values.push_back(match.next().captured().toDouble());
    return values;
}

double attribute(const QXmlStreamAttributes& attributes, const char* name, double otherwise = 0) {
    const auto values = numbersIn(attributes.value(QLatin1String(name)));
    return values.empty() ? otherwise : values.front();
}

// The path data a formula's tall brackets use: absolute moves, lines and quadratic curves.
std::optional<QPainterPath> pathOf(const QString& data) {
    static const QRegularExpression command(QStringLiteral(R"(([MLQ])([^MLQ]*))"));
    QPainterPath path;
    qsizetype covered = 0;
    for (auto match = command.globalMatch(data); match.hasNext();) {
        const auto m = match.next();
        if (!data.mid(covered, m.capturedStart() - covered).trimmed().isEmpty()) return std::nullopt;
        covered = m.capturedEnd();
        const std::vector<double> v = numbersIn(m.capturedView(2));
        const QChar kind = m.captured(1).front();
        const std::size_t step = kind == QLatin1Char('Q') ? 4 : 2;
        if (v.empty() || v.size() % step != 0) return std::nullopt;
        for (std::size_t i = 0; i < v.size(); i += step) {
            if (kind == QLatin1Char('M') && i == 0) path.moveTo(v[0], v[1]);
            else if (kind == QLatin1Char('Q')) path.quadTo(v[i], v[i + 1], v[i + 2], v[i + 3]);
            else path.lineTo(v[i], v[i + 1]);
        }
    }
    if (!data.mid(covered).trimmed().isEmpty()) return std::nullopt;
    return path;
}

// Text is laid out at this pixel size and scaled down to the run's: glyph advances taken at a
// formula's own few pixels would be rounded to whole pixels.
constexpr double kLayoutPixels = 100;

// The formula's letters from the serif face the picture names, a character that face lacks from
// the report's font. "serif" is no family of its own: the face it stands for is asked first,
// since a list of families passes over a name that matches none.
QStringList formulaFamilies() {
    static const QStringList families = [] {
        QFont serif(QStringLiteral("serif"));
        serif.setStyleHint(QFont::Serif);
        return QStringList{QFontInfo(serif).family(), reportFontFamily()};
    }();
    return families;
}

}  // namespace

std::shared_ptr<const FormulaDrawing> FormulaDrawing::readOnce(const QByteArray& svg) {
    constexpr qsizetype kKept = 1024;  // the formulas of a few windows, each a few kilobytes
    static std::mutex guard;
    static QHash<QByteArray, std::shared_ptr<const FormulaDrawing>> drawings;
    const std::lock_guard lock(guard);
    if (const auto found = drawings.constFind(svg); found != drawings.constEnd()) return *found;
    if (drawings.size() >= kKept) drawings.clear();
    std::optional<FormulaDrawing> drawing = read(svg);
    auto shared = drawing ? std::make_shared<const FormulaDrawing>(std::move(*drawing)) : nullptr;
    drawings.insert(svg, shared);
    return shared;
}

std::optional<FormulaDrawing> FormulaDrawing::read(const QByteArray& svg) {
    FormulaDrawing drawing;
    QXmlStreamReader xml(svg);
    double groupSize = 0;
    bool groupItalic = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QStringView name = xml.name();
        const QXmlStreamAttributes a = xml.attributes();
        const auto width = [&] { return attribute(a, "stroke-width", 1); };
        if (name == QLatin1String("svg")) {
            const auto box = numbersIn(a.value(QLatin1String("viewBox")));
            if (box.size() != 4 || box[2] <= 0 || box[3] <= 0) return std::nullopt;
            drawing.viewBox_ = QRectF(box[0], box[1], box[2], box[3]);
        } else if (name == QLatin1String("g")) {
            groupSize = attribute(a, "font-size", groupSize);
            groupItalic = a.value(QLatin1String("font-style")) == QLatin1String("italic");
        } else if (name == QLatin1String("text")) {
            Run run{QPointF(attribute(a, "x"), attribute(a, "y")), attribute(a, "font-size", groupSize), groupItalic, {}};
            if (a.hasAttribute(QLatin1String("font-style")))
                run.italic = a.value(QLatin1String("font-style")) == QLatin1String("italic");
            run.text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
            if (xml.hasError() || run.size <= 0) return std::nullopt;
            drawing.runs_.push_back(std::move(run));
        } else if (name == QLatin1String("line")) {
            QPainterPath path(QPointF(attribute(a, "x1"), attribute(a, "y1")));
            path.lineTo(attribute(a, "x2"), attribute(a, "y2"));
            drawing.strokes_.push_back({path, width()});
        } else if (name == QLatin1String("polyline")) {
            const auto v = numbersIn(a.value(QLatin1String("points")));
            if (v.size() < 4 || v.size() % 2 != 0) return std::nullopt;
            QPainterPath path(QPointF(v[0], v[1]));
            for (std::size_t i = 2; i < v.size(); i += 2) path.lineTo(v[i], v[i + 1]);
            drawing.strokes_.push_back({path, width()});
        } else if (name == QLatin1String("path")) {
            const auto path = pathOf(a.value(QLatin1String("d")).toString());
            if (!path) return std::nullopt;
            drawing.strokes_.push_back({*path, width()});
        } else {
            return std::nullopt;  // a chart or a sketch: not a formula
        }
    }
    if (xml.hasError() || drawing.viewBox_.isEmpty()) return std::nullopt;
    return drawing;
}

void FormulaDrawing::paint(QPainter& painter, const QRectF& target) const {
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / viewBox_.width(), target.height() / viewBox_.height());
    painter.translate(-viewBox_.topLeft());
    painter.setBrush(Qt::NoBrush);
    for (const Stroke& stroke : strokes_) {
        painter.setPen(QPen(Qt::black, stroke.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPath(stroke.path);
    }
    painter.setPen(Qt::black);
    QFont font(formulaFamilies());
    font.setPixelSize(static_cast<int>(kLayoutPixels));
    for (const Run& run : runs_) {
        font.setItalic(run.italic);
        painter.setFont(font);
        painter.save();
        painter.translate(run.baseline);
        painter.scale(run.size / kLayoutPixels, run.size / kLayoutPixels);
        painter.drawText(QPointF(0, 0), run.text);
        painter.restore();
    }
    painter.restore();
}

}  // namespace pylora
