#include "crossing_profiles/ground_data_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace pylora {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r";

std::string shown(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string where(const std::filesystem::path& path, int line) {
    return "地面数据文件 " + shown(path) + " 第" + std::to_string(line) + "行";
}

Num strictValue(const std::string& text, const std::filesystem::path& path, int line) {
    try {
        return FieldValueOfText(text);
    } catch (const RunFailure&) {
        throw RunFailure(FailureKind::NotANumber, {}, where(path, line) + "的「" + text + "」");
    }
}

}  // namespace

Num GroundData::station(std::size_t k) const { return strictValue(records[k].station, path, records[k].line); }
Num GroundData::elevation(std::size_t k) const {
    return strictValue(records[k].elevation, path, records[k].line);
}

std::filesystem::path userGroundDataFile() {
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    return std::filesystem::path(appData ? appData : ".") / "pylora" / "1.TXT";
#else
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && std::filesystem::path(dataHome).is_absolute())
        return std::filesystem::path(dataHome) / "pylora" / "1.TXT";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : ".") / ".local" / "share" / "pylora" / "1.TXT";
#endif
}

std::filesystem::path sampleGroundDataFile(const Services& services) { return services.databaseFolder / "1.TXT"; }

std::filesystem::path groundDataFilePath(const Services& services) {
    if (!services.groundDataFile.empty()) return services.groundDataFile;
    const std::filesystem::path user = userGroundDataFile();
    std::error_code error;
    if (std::filesystem::exists(user, error)) return user;
    return sampleGroundDataFile(services);
}

GroundData parseGroundData(std::string_view text, const std::filesystem::path& path) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    GroundData data{path, {}};
    bool stationPending = false;
    int line = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view row = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++line;
        if (trimmed(row).empty()) continue;  // blank lines anywhere are skipped
        // Values are taken two at a time, whether a record spans lines or a line holds several.
        std::string_view rest = row;
        for (bool more = true; more;) {
            const auto comma = rest.find(',');
            const std::string value(trimmed(rest.substr(0, comma)));
            more = comma != std::string_view::npos;
            if (more) rest.remove_prefix(comma + 1);
            // A comma before the line end separates like the line end: "5,⏎301" is one record.
            if (more && trimmed(rest).empty()) more = false;
            if (!stationPending) {
                data.records.push_back({value, {}, line});
            } else {
                data.records.back().elevation = value;
            }
            stationPending = !stationPending;
        }
    }
    if (stationPending)
        throw RunFailure(FailureKind::MissingData, {},
                         where(path, data.records.back().line) + "的里程「" + data.records.back().station +
                             "」缺少对应的地面标高");
    if (data.records.empty())
        throw RunFailure(FailureKind::MissingData, {}, "地面数据文件 " + shown(path) + " 中没有地面点");
    return data;
}

GroundData readGroundDataFile(const Services& services) {
    const std::filesystem::path path = groundDataFilePath(services);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::string detail = "无法打开地面数据文件 " + shown(path);
        if (services.groundDataFile.empty()) detail += "（也未找到 " + shown(userGroundDataFile()) + "）";
        throw RunFailure(FailureKind::MissingData, {}, detail);
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    return parseGroundData(contents.str(), path);
}

DataFileRead groundDataFileRead(const GroundData& data, const Services& services) {
    DataFileRead read{"地面数据文件", shown(data.path), data.path == sampleGroundDataFile(services),
                      {"桩点里程 (m)", "地面标高 (m)"}, {}};
    for (const GroundRecord& record : data.records) read.records.push_back({record.station, record.elevation});
    return read;
}

}  // namespace pylora
