#pragma once
// Paints a profile sketch: the visible lines, markers and captions of the run's sketch model,
// its twip frame scaled to the widget. It computes nothing.
#include <QWidget>

#include "core/sketch.h"

namespace pylora {

class SketchCanvas : public QWidget {
public:
    SketchCanvas(const Sketch& sketch, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Sketch& sketch_;
};

}  // namespace pylora
