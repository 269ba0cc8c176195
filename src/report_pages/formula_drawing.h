#pragma once
// A formula picture as the core draws it (model/formula_picture.cpp: runs of text, fraction
// bars, root signs, tall brackets) painted straight onto a page: its text as text in an embedded
// font, so that the PDF carries a few characters where a general SVG renderer writes every
// glyph's outline, and the formula is searched and copied as the page shows it.
#include <QByteArray>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace pylora {

class FormulaDrawing {
public:
    // The drawing, or nothing when the SVG holds more than a formula picture does.
    static std::optional<FormulaDrawing> read(const QByteArray& svg);
    // As read, null for nothing; an SVG read before is not read again: a book draws the same
    // formula in chapter after chapter. A bounded number of drawings are kept.
    static std::shared_ptr<const FormulaDrawing> readOnce(const QByteArray& svg);
    // Scaled from the picture's view box onto `target`.
    void paint(QPainter& painter, const QRectF& target) const;

private:
    struct Run {
        QPointF baseline;  // where the run starts, on its baseline
        double size = 0;
        bool italic = true;
        QString text;
    };
    struct Stroke {
        QPainterPath path;
        double width = 1;
    };
    QRectF viewBox_;
    std::vector<Run> runs_;
    std::vector<Stroke> strokes_;
};

}  // namespace pylora
