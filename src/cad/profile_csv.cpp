#include "cad/profile_csv.h"

#include <functional>
#include <vector>

namespace pylora {
namespace {

// A field quoted when it holds a separator, a quote or a line end.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

struct Column {
    std::string heading;
    std::function<std::string(std::size_t)> cell;  // by station index
};

}  // namespace

std::string profileCsv(const ProfileDrawing& d) {
    // The segment that starts at each station, if any.
    std::vector<const ProfileSegment*> starting(d.stations.size(), nullptr);
    for (const ProfileSegment& segment : d.segments)
        if (segment.from < starting.size() && segment.to < d.stations.size()) starting[segment.from] = &segment;
    auto segmentCell = [&](std::string ProfileSegment::*field) {
        return [&starting, field](std::size_t i) { return starting[i] ? starting[i]->*field : std::string(); };
    };

    std::vector<Column> columns;
    columns.push_back({"桩号", [&](std::size_t i) { return d.stations[i].name; }});
    columns.push_back({"里程 (m)", [&](std::size_t i) { return d.stations[i].stationText; }});
    if (d.hasGroundColumn()) columns.push_back({"地面标高 (m)", [&](std::size_t i) { return d.stations[i].groundText; }});
    if (d.hasPipeColumn()) columns.push_back({"管底标高 (m)", [&](std::size_t i) { return d.stations[i].pipeText; }});
    if (d.hasCoverColumn()) columns.push_back({"埋深 (m)", [&](std::size_t i) { return d.stations[i].coverText; }});
    if (!d.segments.empty())
        columns.push_back({"管段", [&](std::size_t i) {
                               return starting[i] ? d.stations[i].name + "–" + d.stations[starting[i]->to].name
                                                  : std::string();
                           }});
    if (d.hasSegmentColumn(&ProfileSegment::slope)) columns.push_back({"坡度 (‰)", segmentCell(&ProfileSegment::slope)});
    if (d.hasSegmentColumn(&ProfileSegment::inclination))
        columns.push_back({"倾角 (°)", segmentCell(&ProfileSegment::inclination)});
    if (d.hasSegmentColumn(&ProfileSegment::length))
        columns.push_back({"管段长度 (m)", segmentCell(&ProfileSegment::length)});

    std::string out = "\xEF\xBB\xBF";
    auto row = [&](const std::function<std::string(const Column&)>& cell) {
        for (std::size_t c = 0; c < columns.size(); ++c) out += (c ? "," : "") + csvField(cell(columns[c]));
        out += "\r\n";
    };
    row([](const Column& c) { return c.heading; });
    for (std::size_t i = 0; i < d.stations.size(); ++i) row([i](const Column& c) { return c.cell(i); });
    return out;
}

}  // namespace pylora
