#include "cad/profile_dxf.h"

#include <dl_dxf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <stdexcept>

#include "cad/dxf_document.h"
#include "model/decimal_text.h"
#include "model/text.h"

namespace pylora {

namespace {

constexpr auto kGround = "地面线";
constexpr auto kPipe = "管线";
constexpr auto kArc = "弹性敷设段";
constexpr auto kStations = "桩号";
constexpr auto kNotes = "标注";
constexpr auto kGrid = "网格";
constexpr auto kFrame = "图框";
constexpr auto kStyle = "HZ";
// 宋体, the usual font of Chinese drawings, as every Windows has it (a TrueType collection).
constexpr auto kChineseFont = "simsun.ttc";
constexpr auto kChineseFamily = "SimSun";

const std::vector<DxfLayer> kLayers = {{kGround, 3, 35}, {kPipe, 1, 50}, {kArc, 6, 50}, {kStations, 5, 18},
                             {kNotes, 7, 18},  {kGrid, 8, 13}, {kFrame, 7, 50}};

std::string fixed(double value, int decimals) {
    char text[48];
    printFixed(text, sizeof text, decimals, value);
    return text;
}

// The exaggeration as the drawing states it: whole, or with the decimals it has.
std::string factorText(double e) {
    std::string text = fixed(e, 2);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

// About how long a text of this height runs in the style "HZ" (width factor 0.8): Chinese
// characters square, digits and letters a little over half as wide (with room to spare, as
// fonts differ).
double textLength(const std::string& words, double height) {
    double length = 0;
    std::size_t at = 0;
    while (at < words.size()) length += decodeCharacter(words, at) >= 0x2E80 ? 1.0 : 0.6;
    return length * height;
}

// A round step that cuts `span` into at most `pieces`.
double roundStep(double span, int pieces) {
    for (double decade = 0.1;; decade *= 10)
        for (double m : {1.0, 2.0, 5.0})
            if (span / (m * decade) <= pieces) return m * decade;
}

struct Box {
    double left = std::numeric_limits<double>::max(), right = std::numeric_limits<double>::lowest();
    double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
    void add(double x, double z) {
        left = std::min(left, x), right = std::max(right, x);
        low = std::min(low, z), high = std::max(high, z);
    }
};

// The points an arc passes: its ends and the lowest or highest point of its circle within it.
void addArc(Box& box, const ProfileArc& arc) {
    auto at = [&](double degrees) {
        const double r = degrees * std::numbers::pi / 180;
        box.add(arc.centre.station + arc.radius * std::cos(r), arc.centre.elevation + arc.radius * std::sin(r));
    };
    at(arc.startAngle);
    at(arc.endAngle);
    const double span = std::fmod(arc.endAngle - arc.startAngle + 360, 360);
    for (double quadrant : {0.0, 90.0, 180.0, 270.0})
        if (std::fmod(quadrant - arc.startAngle + 360, 360) <= span) at(quadrant);
}

class DxfSheet {
public:
    DxfSheet(const ProfileDrawing& d, double e) : d_(d), e_(e) {
        Box box;
        for (const ProfilePoint& p : d.ground) box.add(p.station, p.elevation);
        for (const auto& run : d.pipe)
            for (const ProfilePoint& p : run) box.add(p.station, p.elevation);
        for (const ProfileArc& arc : d.arcs) addArc(box, arc);
        for (const ProfileStation& s : d.stations) box.add(s.station, s.pipe.value_or(s.ground.value_or(box.low)));
        if (box.left > box.right) box.add(0, 0);
        left_ = box.left, right_ = box.right;
        const double length = std::max(right_ - left_, 1.0);
        h_ = std::max(length / 150, 0.05);  // text height: a readable share of the crossing
        gridStep_ = roundStep(std::max(box.high - box.low, 0.1) + 1, 8);
        datum_ = std::floor(box.low / gridStep_) * gridStep_;
        top_ = std::max(std::ceil(box.high / gridStep_) * gridStep_, datum_ + gridStep_);
        measure();
    }

    double y(double elevation) const { return (elevation - datum_) * e_; }

    void writeEntities(DL_Dxf& dxf, DL_WriterA& out) {
        dxf_ = &dxf, w_ = &out;
        grid();
        profile();
        const double tableBottom = table();
        frame(tableBottom);
    }

    // Drawing limits, for the header: frame included.
    DxfExtents extents() const { return {frameLeft(), frameBottom_, frameRight(), frameTop()}; }
    double frameLeft() const { return left_ - 16 * h_; }
    double frameRight() const { return right_ + 4 * h_; }
    double frameTop() const { return y(top_) + 12 * h_; }

private:
    // The table's rows and their heights, and the frame's bottom, before the entities are written.
    void measure() {
        rows_ = rows();
        double bottom = -3 * h_;
        for (const Row& row : rows_) {
            double longest = textLength(row.heading, h_) / 2;
            if (row.station)
                for (const ProfileStation& s : d_.stations) longest = std::max(longest, textLength(row.station(s), 0.8 * h_));
            heights_.push_back(std::max(5 * h_, longest + 2 * h_));
            bottom -= heights_.back();
        }
        frameBottom_ = bottom - 3 * h_;
    }

    DL_Attributes on(const char* layer) const { return DL_Attributes(gbkText(layer), 256, -1, "BYLAYER", 1.0); }

    void line(const char* layer, double x1, double y1, double x2, double y2) {
        dxf_->writeLine(*w_, DL_LineData(x1, y1, 0, x2, y2, 0), on(layer));
    }

    void polyline(const char* layer, const std::vector<ProfilePoint>& points) {
        if (points.size() < 2) return;
        dxf_->writePolyline(*w_, DL_PolylineData(int(points.size()), 0, 0, 0), on(layer));
        for (const ProfilePoint& p : points) dxf_->writeVertex(*w_, DL_VertexData(p.station, y(p.elevation)));
        dxf_->writePolylineEnd(*w_);
    }

    // Centred on (x, y) when `middle`, else from (x, y) onwards; `degrees` turns it.
    void text(const char* layer, double x, double y, double height, const std::string& words, bool middle = false,
              double degrees = 0) {
        if (words.empty()) return;
        const int h = middle ? 1 : 0, v = middle ? 2 : 0;
        dxf_->writeText(*w_, DL_TextData(x, y, 0, x, y, 0, height, 1.0, 0, h, v, gbkText(words), kStyle,
                                       degrees * std::numbers::pi / 180),
                       on(layer));
    }

    void grid() {
        const double stationStep = roundStep(std::max(right_ - left_, 1.0), 20);
        for (double z = datum_; z <= top_ + 1e-9; z += gridStep_) {
            line(kGrid, left_, y(z), right_, y(z));
            text(kGrid, left_ - 1.5 * h_, y(z), 0.8 * h_, fixed(z, gridStep_ < 1 ? 1 : 0), true);
        }
        for (double x = std::ceil(left_ / stationStep) * stationStep; x <= right_ + 1e-9; x += stationStep)
            line(kGrid, x, 0, x, y(top_));
        line(kGrid, left_, 0, left_, y(top_));
        line(kGrid, right_, 0, right_, y(top_));
    }

    void profile() {
        polyline(kGround, d_.ground);
        for (const auto& run : d_.pipe) polyline(kPipe, run);
        for (const ProfileArc& arc : d_.arcs) elasticArc(arc);
        for (const auto& [from, to] : d_.guides)
            line(kNotes, from.station, y(from.elevation), to.station, y(to.elevation));
        for (const ProfileStation& s : d_.stations) {
            const double upper = std::max(s.ground.value_or(s.pipe.value_or(datum_)), s.pipe.value_or(datum_));
            line(kStations, s.station, -3 * h_, s.station, y(upper) + 2 * h_);
            text(kStations, s.station + 0.2 * h_, y(upper) + 2.5 * h_, 0.8 * h_, s.name, false, 90);
        }
        // The title, the scales and what the window states of the arc, above the profile.
        double x = left_;
        const double line1 = y(top_) + 6 * h_, line2 = y(top_) + 3.5 * h_;
        text(kFrame, (left_ + right_) / 2, y(top_) + 9.5 * h_, 2 * h_, d_.title + " 纵断面图", true);
        text(kNotes, x, line1, h_,
             "里程按实际长度（m）绘制，高程放大 " + factorText(e_) + " 倍（竖向比例为横向的 " + factorText(e_) +
                 " 倍），高程基准 " + fixed(datum_, 2) + " m");
        for (const std::string& note : d_.notes) {
            text(kNotes, x, line2, h_, note);
            x += textLength(note, h_) + 2 * h_;
        }
    }

    // A true arc at equal scales; stretched vertically it is the ellipse it becomes.
    void elasticArc(const ProfileArc& arc) {
        const double cx = arc.centre.station, cy = y(arc.centre.elevation);
        if (e_ == 1) {
            dxf_->writeArc(*w_, DL_ArcData(cx, cy, 0, arc.radius, arc.startAngle, arc.endAngle), on(kArc));
            return;
        }
        const double a1 = arc.startAngle * std::numbers::pi / 180, a2 = arc.endAngle * std::numbers::pi / 180;
        if (e_ > 1) {
            // Major axis upwards (ρ·e), minor ρ: the circle's angle φ is the parameter φ − 90°.
            const double quarter = std::numbers::pi / 2;
            dxf_->writeEllipse(*w_, DL_EllipseData(cx, cy, 0, 0, arc.radius * e_, 0, 1 / e_, a1 - quarter, a2 - quarter),
                              on(kArc));
        } else {
            dxf_->writeEllipse(*w_, DL_EllipseData(cx, cy, 0, arc.radius, 0, 0, e_, a1, a2), on(kArc));
        }
    }

    struct Row {
        std::string heading;
        std::function<std::string(const ProfileStation&)> station;  // a value at each station
        std::string ProfileSegment::*segment = nullptr;             // or one on each segment
    };

    std::vector<Row> rows() const {
        std::vector<Row> r;
        r.push_back({"桩号", [](const ProfileStation& s) { return s.name; }});
        r.push_back({"里程(m)", [](const ProfileStation& s) { return s.stationText; }});
        if (d_.hasGroundColumn()) r.push_back({"地面标高(m)", [](const ProfileStation& s) { return s.groundText; }});
        if (d_.hasPipeColumn()) r.push_back({"管底标高(m)", [](const ProfileStation& s) { return s.pipeText; }});
        if (d_.hasCoverColumn()) r.push_back({"埋深(m)", [](const ProfileStation& s) { return s.coverText; }});
        if (d_.hasSegmentColumn(&ProfileSegment::slope)) r.push_back({"坡度(‰)", {}, &ProfileSegment::slope});
        if (d_.hasSegmentColumn(&ProfileSegment::inclination))
            r.push_back({"倾角(°)", {}, &ProfileSegment::inclination});
        if (d_.hasSegmentColumn(&ProfileSegment::length)) r.push_back({"管段长度(m)", {}, &ProfileSegment::length});
        return r;
    }


    // The profile table under the drawing: a row per quantity, a column per station.
    double table() {
        const double tableLeft = left_ - 14 * h_, tableTop = -3 * h_;
        double rowTop = tableTop;
        line(kFrame, tableLeft, tableTop, right_, tableTop);
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            const Row& row = rows_[r];
            const double mid = rowTop - heights_[r] / 2, bottom = rowTop - heights_[r];
            text(kNotes, tableLeft + 7 * h_, mid, h_, row.heading, true);
            if (row.station) {
                // Beside the station's line, read from the right.
                for (const ProfileStation& s : d_.stations)
                    text(kNotes, s.station - 0.6 * h_, mid, 0.8 * h_, row.station(s), true, 90);
            } else {
                for (const ProfileSegment& seg : d_.segments) {
                    if (seg.from >= d_.stations.size() || seg.to >= d_.stations.size()) continue;
                    const std::string& words = seg.*row.segment;
                    const double x1 = d_.stations[seg.from].station, x2 = d_.stations[seg.to].station;
                    const bool fits = textLength(words, 0.8 * h_) < 0.9 * (x2 - x1);
                    text(kNotes, (x1 + x2) / 2, mid, 0.8 * h_, words, true, fits ? 0 : 90);
                }
            }
            line(kFrame, tableLeft, bottom, right_, bottom);
            rowTop = bottom;
        }
        line(kFrame, tableLeft, tableTop, tableLeft, rowTop);
        line(kFrame, tableLeft + 14 * h_, tableTop, tableLeft + 14 * h_, rowTop);
        line(kFrame, right_, tableTop, right_, rowTop);
        // The station lines run through the table.
        for (const ProfileStation& s : d_.stations) line(kStations, s.station, tableTop, s.station, rowTop);
        return rowTop;
    }

    void frame(double tableBottom) {
        const double l = frameLeft(), r = frameRight(), t = frameTop(), b = tableBottom - 3 * h_;
        dxf_->writePolyline(*w_, DL_PolylineData(4, 0, 0, 1), on(kFrame));
        for (auto [x, yy] : {std::pair{l, b}, {r, b}, {r, t}, {l, t}}) dxf_->writeVertex(*w_, DL_VertexData(x, yy));
        dxf_->writePolylineEnd(*w_);
    }

    DL_Dxf* dxf_ = nullptr;
    DL_WriterA* w_ = nullptr;
    const ProfileDrawing& d_;
    double e_;
    std::vector<Row> rows_;
    std::vector<double> heights_;
    double left_ = 0, right_ = 0, h_ = 1, gridStep_ = 1, datum_ = 0, top_ = 0, frameBottom_ = 0;
};

}  // namespace

std::string profileDxf(const ProfileDrawing& drawing, double exaggeration) {
    if (!(exaggeration > 0 && exaggeration <= kMaxExaggeration)) throw std::invalid_argument("exaggeration");
    DxfSheet sheet(drawing, exaggeration);
    return dxfDocument(kLayers, {{kStyle, kChineseFont, kChineseFamily, 0.8}}, sheet.extents(),
                       [&sheet](DL_Dxf& dxf, DL_WriterA& w) { sheet.writeEntities(dxf, w); });
}

}  // namespace pylora
