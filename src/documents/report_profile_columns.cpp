#include "documents/report_profile_columns.h"

#include <algorithm>

namespace pylora {
namespace {

const ProfileStation* stationNamed(const ProfileDrawing& profile, const std::string& name) {
    for (const ProfileStation& s : profile.stations)
        if (s.name == name) return &s;
    return nullptr;
}

std::size_t columnNamed(const ReportTable& table, const std::string& name) {
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].name == name) return i;
    return table.columns.size();
}

}  // namespace

bool addGroundAndDepthColumns(ReportTable& table, const ProfileDrawing& profile) {
    const std::size_t end = table.columns.size(), pipe = columnNamed(table, "管底标高");
    if (pipe == end || columnNamed(table, "埋深") != end) return false;
    const bool any = std::any_of(table.rows.begin(), table.rows.end(), [&](const std::string& row) {
        const ProfileStation* s = stationNamed(profile, row);
        return s && !s->coverText.empty();
    });
    if (!any) return false;
    // The profile table's order: ground, pipe bottom, the depth between them.
    const bool groundShown = columnNamed(table, "地面标高") != end;
    if (!groundShown) table.columns.insert(table.columns.begin() + pipe, {"G", "地面标高", "m"});
    table.columns.push_back({"h", "埋深", "m"});
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const ProfileStation* s = stationNamed(profile, table.rows[row]);
        auto& cells = table.cells[row];
        if (!groundShown) cells.insert(cells.begin() + pipe, s ? s->groundText : std::string());
        cells.push_back(s ? s->coverText : std::string());
    }
    return true;
}

std::string groundAndDepthNote(const ProfileDrawing& profile) {
    std::string note = "桩点数据中的埋深 h = 地面标高 G − 管底标高 Z（地面至管底），与纵断面图一致";
    const bool interpolated = std::any_of(profile.stations.begin(), profile.stations.end(), [&](const ProfileStation& s) {
        return s.ground && std::none_of(profile.ground.begin(), profile.ground.end(), [&](const ProfilePoint& p) {
                   return p.station == s.station;
               });
    });
    if (interpolated) note += "；不在地面数据点上的桩点，其地面标高按前后两个地面数据点线性内插";
    return note + "。";
}

}  // namespace pylora
