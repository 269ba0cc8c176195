#pragma once
// The plot of a parameter study: the first varied input along x, a curve per numeric result and
// per value of the second input, broken where points failed; axes named by symbol, name and
// unit; a legend; the nearest point read out under the cursor; export as PNG and SVG.
#include <QChartView>
#include <QString>
#include <vector>

#include "studies/parameter_study.h"
#include "shell/study_curves.h"

class QGraphicsEllipseItem;
class QAbstractSeries;

namespace pylora {

class StudyChart : public QChartView {
    Q_OBJECT
public:
    explicit StudyChart(QWidget* parent = nullptr);

    // Draws the study afresh; `logarithmicX`: the first input was spaced logarithmically.
    void showStudy(const StudyResult& study, bool logarithmicX);
    void clear();

    // The curves as the legend names them, in order.
    QStringList curveNames() const;
    // The line pieces a curve is drawn with: more than one where failed points break it.
    int pieceCount(int curve) const;

    // Reads out the point nearest to a place in the view (view coordinates) and marks it;
    // returns the read-out, empty when the place lies outside the plot or nothing is drawn.
    QString readOutAt(QPoint place);
    QString readOut() const { return readOut_; }

    // The plot as shown, without the cursor's mark: a picture, and a vector drawing.
    QImage image();
    // The plot under a title, as a picture `width` pixels wide at a print's resolution.
    static constexpr int kPrintWidth = 2400;
    static constexpr int kPrintDpi = 300;
    QImage printImage(const QString& title, int width = kPrintWidth);
    QByteArray svg(const QString& title);

signals:
    void readOutChanged(const QString& text);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Curve {
        QString name;
        QString xWords;  // "P = %1 MPa" with the value to fill in
        QString yWords;
        std::vector<CurvePoint> points;  // as drawn
        std::vector<QAbstractSeries*> pieces;
    };
    void setReadOut(const QString& text);
    void settle();

    std::vector<Curve> curves_;
    QGraphicsEllipseItem* mark_ = nullptr;
    QString readOut_;
};

// The plot drawn apart from the screen at a size of its own, as SVG: the 计算书's figure.
QByteArray studyFigureSvg(const StudyResult& study, bool logarithmicX, QSize size, const QString& title);

}  // namespace pylora
