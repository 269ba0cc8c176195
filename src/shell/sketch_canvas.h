#pragma once
// Paints a profile sketch: the visible lines, markers and captions of the run's sketch model,
// its twip frame scaled to the widget. It computes nothing.
#include <QWidget>

#include "model/sketch.h"

class QPainter;

namespace pylora {

// Paints the sketch into `area` (its frame, lines, markers and captions), its twips scaled with
// one factor for both axes. The canvas and the calculation report both draw through it.
void paintSketch(QPainter& painter, const Sketch& sketch, const QRectF& area, const QPalette& palette);

// A sketch that no longer belongs to the inputs shown: every colour drawn as a light grey.
void paintSketchGreyed(QPainter& painter, const Sketch& sketch, const QRectF& area, const QPalette& palette);

class SketchCanvas : public QWidget {
public:
    SketchCanvas(const Sketch& sketch, QWidget* parent = nullptr);
    QSize sizeHint() const override;

    // Greyed with the note on top while the sketch is not the result of the inputs shown
    // (an empty note: current, in full colour).
    void setOutdated(const QString& note);
    bool isOutdated() const { return !outdatedNote_.isEmpty(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Sketch& sketch_;
    QString outdatedNote_;
};

}  // namespace pylora
