#pragma once
// The curves a study's plot draws, worked out from its table: one per numeric result and per
// value of the second input, in pieces between failed points, thinned to what a screen shows,
// with the value spans their axes need.
#include <QPointF>
#include <QString>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "studies/parameter_study.h"

namespace pylora {

struct ValueSpan {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void add(double v);
    bool empty() const { return low > high; }
};

struct CurvePoint {
    QPointF value;
    QString x;  // the texts as the table shows them
    QString y;
};

struct StudyCurve {
    QString name;      // as the legend names it: "δ 直管段计算壁厚", "n = 3"
    std::string unit;  // of the result: the y axis it goes on
    QString xWords;    // "P = %1 MPa", for the read-out
    QString yWords;
    std::vector<std::vector<CurvePoint>> pieces;
};

struct StudyCurves {
    std::vector<StudyCurve> curves;
    std::vector<std::string> units;  // the results' units in order: a y axis each
    ValueSpan x;
    std::map<std::string, ValueSpan> y;  // by unit
};

// `logarithmicX`: points at x <= 0 cannot be drawn and leave gaps as failed points do.
StudyCurves studyCurves(const StudyResult& study, bool logarithmicX);

// The most points a piece is drawn with: beyond, per run of neighbouring points the lowest and
// the highest, so that no peak is lost; the ends stay.
inline constexpr std::size_t kDrawnPointsAtMost = 4000;

}  // namespace pylora
