#include "crossing_profiles/ground_data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/data_locations.h"
#include "model/number_reading.h"
#include "model/text.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kExpectedForm = "每行应为一个里程和一个地面标高，以英文逗号分隔，如「0.00,310.8」";
constexpr std::size_t kLongestQuote = 60;  // bytes of a line quoted in a message

std::string shown(const fs::path& path) {
    const std::u8string text = path.u8string();
    return validUtf8(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

std::string fileNamed(const fs::path& path) { return "地面数据文件 " + shown(path); }

std::string where(const fs::path& path, std::int64_t line) {
    return fileNamed(path) + " 第" + std::to_string(line) + "行";
}


// A line as a message quotes it: shown visibly, cut short at a character boundary.
std::string quotedLine(std::string_view line) {
    std::string_view cut = line.substr(0, kLongestQuote);
    while (cut.size() < line.size() && !cut.empty() && (static_cast<unsigned char>(line[cut.size()]) & 0xC0) == 0x80)
        cut.remove_suffix(1);
    return "「" + visibleText(cut) + (cut.size() < line.size() ? "…" : "") + "」";
}

[[noreturn]] void refuse(const std::string& detail) { throw RunFailure(FailureKind::MissingData, {}, detail); }

bool digitBeside(std::string_view text, std::size_t at) {
    auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    return at > 0 && digit(at - 1) && digit(at + 1);
}

// "310,8" inside a value separated otherwise: a comma written for the decimal point.
bool hasDecimalComma(std::string_view line) {
    for (std::size_t at = line.find(','); at != std::string_view::npos; at = line.find(',', at + 1))
        if (digitBeside(line, at)) return true;
    return false;
}

// A line whose values hold semicolons, tabs or blanks separates them otherwise than by a comma:
// said in words, with the decimal commas such files often carry.
std::string otherSeparator(std::string_view line) {
    const char* separator = line.find(';') != std::string_view::npos    ? "分号"
                            : line.find('\t') != std::string_view::npos ? "制表符"
                                                                        : "空格";
    std::string words = std::string("以") + separator + "分隔数值";
    if (hasDecimalComma(line)) words += "、以逗号作小数点";
    return words;
}

// A value beyond double precision is too large, anything else not a number is not one.
double strictValue(const std::string& text, const fs::path& path, std::int64_t line) {
    if (const std::optional<double> value = parseStrictNumber(text)) return *value;
    const FailureKind kind = parseLeadingNumber(text) ? FailureKind::NotANumber : FailureKind::TooLarge;
    throw RunFailure(kind, {}, where(path, line) + "的" + quotedLine(text));
}

// Stations that go back or repeat are drawn as given; the engineer is told where.
void noteStationsGoingBack(GroundData& data) {
    std::size_t backwards = 0;
    std::size_t first = 0;
    for (std::size_t k = 1; k < data.records.size(); ++k) {
        if (data.records[k].x > data.records[k - 1].x) continue;
        if (backwards++ == 0) first = k;
    }
    if (backwards > 0)
        data.notes.push_back(data.placeOf(first) + "的里程不大于上一个地面点的里程（共 " + std::to_string(backwards) +
                             " 处）：里程应逐点增大，地面线按文件顺序绘出");
}

std::string tooManyRecords(const std::string& source, const std::string& at) {
    return source + " 超过 " + std::to_string(kGroundFileMaxRecords) + " 个地面点（" + at + "），不予读取：地面数据文件最多 " +
           std::to_string(kGroundFileMaxRecords) + " 个地面点";
}

// The records a case file keeps, read as strictly as the file they came from.
GroundData groundDataInMemory(const DataFileRead& kept, const std::string& source) {
    GroundData data;
    data.path = kept.path;
    data.source = source;
    if (kept.records.size() > kGroundFileMaxRecords) refuse(tooManyRecords(source, "共 " + std::to_string(kept.records.size()) + " 个"));
    data.records.reserve(kept.records.size());
    for (std::size_t k = 0; k < kept.records.size(); ++k) {
        const std::vector<std::string>& values = kept.records[k];
        const std::string place = source + " 第" + std::to_string(k + 1) + "个记录";
        if (values.size() != 2)
            refuse(place + "有 " + std::to_string(values.size()) + " 个数值：应为一个里程和一个地面标高");
        GroundRecord record{values[0], values[1], static_cast<std::int64_t>(k + 1), 0, 0};
        for (const auto& [text, value] : {std::pair{&record.station, &record.x}, std::pair{&record.elevation, &record.z}}) {
            if (const std::optional<double> number = parseStrictNumber(*text)) {
                *value = *number;
            } else {
                const FailureKind kind = parseLeadingNumber(*text) ? FailureKind::NotANumber : FailureKind::TooLarge;
                throw RunFailure(kind, {}, place + "的" + quotedLine(*text));
            }
        }
        data.records.push_back(std::move(record));
    }
    if (data.records.empty()) refuse(source + " 中没有地面点");
    noteStationsGoingBack(data);
    return data;
}

}  // namespace

std::string GroundData::placeOf(std::size_t k) const {
    if (!source.empty()) return source + " 第" + std::to_string(records[k].line) + "个记录";
    return where(path, records[k].line);
}

GroundDataParser::GroundDataParser(fs::path path) { data_.path = std::move(path); }

// Only the first bytes of the file can carry a mark; a UTF-16 file cannot be read at all.
void GroundDataParser::start() {
    started_ = true;
    if (pending_.starts_with("\xFF\xFE") || pending_.starts_with("\xFE\xFF"))
        refuse(fileNamed(data_.path) + " 为 UTF-16 编码：请另存为 UTF-8 或 ANSI 文本，" + std::string(kExpectedForm));
    if (pending_.starts_with(kByteOrderMark)) pending_.erase(0, kByteOrderMark.size());
}

void GroundDataParser::takeCompleteLines() {
    // A text file holds no NUL byte: refused where it is first seen, whatever stands before it.
    if (const auto nul = pending_.find('\0'); nul != std::string::npos)
        refuse(where(data_.path, line_ + 1 + std::count(pending_.begin(), pending_.begin() + nul, '\n')) +
               "含有非文本内容：地面数据文件应为文本，" + std::string(kExpectedForm));
    std::size_t from = 0;
    for (std::size_t end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n', from)) {
        takeLine(std::string_view(pending_).substr(from, end - from));
        from = end + 1;
    }
    pending_.erase(0, from);
}

void GroundDataParser::feed(std::string_view piece) {
    pending_.append(piece);
    if (!started_) {
        if (pending_.size() < kByteOrderMark.size()) return;
        start();
    }
    takeCompleteLines();
}

void GroundDataParser::takeLine(std::string_view row) {
    ++line_;
    const std::string_view text = trimmed(row, kBlanks);
    if (text.empty()) return;  // blank lines anywhere are skipped

    std::vector<std::string_view> values;
    for (std::string_view rest = text;;) {
        const auto comma = rest.find(',');
        values.push_back(trimmed(rest.substr(0, comma), kBlanks));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    while (values.size() > 1 && values.back().empty()) values.pop_back();  // a spreadsheet's empty columns
    // A spreadsheet's heading ("里程,地面高程") as the first line: skipped, and the engineer told.
    // Words in another encoding than the file's numbers are read in are not taken for one.
    const bool firstLine = !anyLineTaken_;
    anyLineTaken_ = true;
    const auto words = [](std::string_view value) { return value.find_first_of("0123456789") == std::string_view::npos; };
    if (firstLine && values.size() == 2 && words(values[0]) && words(values[1]) && isValidUtf8(text)) {
        data_.notes.push_back(where(data_.path, line_) + quotedLine(text) + "不是数据，作为表头跳过");
        return;
    }
    const bool otherwiseSeparated = std::any_of(values.begin(), values.end(), [](std::string_view value) {
        return value.find_first_of(" \t;") != std::string_view::npos;
    });
    if (otherwiseSeparated)
        refuse(where(data_.path, line_) + quotedLine(text) + otherSeparator(text) + "：" + std::string(kExpectedForm) +
               "，小数点用“.”");
    if (values.size() == 2) {
        if (data_.records.size() == kGroundFileMaxRecords)
            refuse(tooManyRecords(fileNamed(data_.path), "第" + std::to_string(line_) + "行"));
        GroundRecord record{std::string(values[0]), std::string(values[1]), line_, 0, 0};
        record.x = strictValue(record.station, data_.path, line_);
        record.z = strictValue(record.elevation, data_.path, line_);
        data_.records.push_back(std::move(record));
        return;
    }
    std::string detail = where(data_.path, line_) + quotedLine(text) + "有 " + std::to_string(values.size()) +
                         " 个数值：" + std::string(kExpectedForm);
    // "0,00,310,8": numbers without a point in three or four pieces were written with decimal commas.
    if ((values.size() == 3 || values.size() == 4) && text.find('.') == std::string_view::npos)
        detail += "（小数点应为“.”，不能用逗号）";
    refuse(detail);
}

GroundData GroundDataParser::finish() {
    if (!started_) {
        start();
        takeCompleteLines();
    }
    if (!pending_.empty()) takeLine(pending_);  // the last line without its line end
    pending_.clear();
    if (data_.records.empty()) refuse(fileNamed(data_.path) + " 中没有地面点");
    noteStationsGoingBack(data_);
    return std::move(data_);
}

GroundData parseGroundData(std::string_view text, const fs::path& path) {
    GroundDataParser parser(path);
    parser.feed(text);
    return parser.finish();
}

namespace {

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "目录";
    if (S_ISFIFO(mode)) return "管道";
    if (S_ISSOCK(mode)) return "套接字";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "设备";
    return "特殊文件";
}

std::string tooLarge(const fs::path& path) {
    return fileNamed(path) + " 大于 " + std::to_string(kGroundFileMaxBytes / (1024 * 1024)) +
           " MB，不予读取：地面数据文件最大 " + std::to_string(kGroundFileMaxBytes / (1024 * 1024)) + " MB、" +
           std::to_string(kGroundFileMaxRecords) + " 个地面点";
}

class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

GroundData readGroundDataFile(const Services& services) {
    if (services.groundRecords) return groundDataInMemory(*services.groundRecords, services.groundRecordsSource);
    const fs::path path = groundDataFileToRead(services);
    // Not opened at all unless it is a regular file: opening a pipe waits for a writer.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        std::string detail = "无法打开" + fileNamed(path);
        if (services.groundDataFile.empty() && !services.userGroundDataFile.empty())
            detail += "（也未找到 " + shown(services.userGroundDataFile) + "）";
        refuse(detail);
    }
    if (!S_ISREG(status.st_mode))
        refuse(fileNamed(path) + " 不是普通文件（是" + kindOf(status.st_mode) + "），不予读取");
    if (static_cast<std::uintmax_t>(status.st_size) > kGroundFileMaxBytes) refuse(tooLarge(path));

    const OpenFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd() < 0) refuse("无法打开" + fileNamed(path) + "：" + std::strerror(errno));
    if (::fstat(file.fd(), &status) != 0 || !S_ISREG(status.st_mode))
        refuse(fileNamed(path) + " 不是普通文件，不予读取");

    GroundDataParser parser(path);
    char buffer[64 * 1024];
    std::uintmax_t total = 0;
    for (;;) {
        const ssize_t got = ::read(file.fd(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) refuse("无法读取" + fileNamed(path) + "：" + std::strerror(errno));
        if (got == 0) break;
        total += static_cast<std::uintmax_t>(got);
        if (total > kGroundFileMaxBytes) refuse(tooLarge(path));  // it grew while being read
        parser.feed(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
    return parser.finish();
}

DataFileRead groundDataFileRead(const GroundData& data, const Services& services) {
    if (services.groundRecords) {
        // The file the records were first read from, as the case keeps it.
        DataFileRead read = *services.groundRecords;
        read.notes = data.notes;
        return read;
    }
    DataFileRead read{"地面数据文件", shown(data.path), data.path == sampleGroundDataFile(services),
                      {"桩点里程 (m)", "地面标高 (m)"}, {}, data.notes};
    read.records.reserve(data.records.size());
    for (const GroundRecord& record : data.records)
        read.records.push_back({validUtf8(record.station), validUtf8(record.elevation)});
    return read;
}

}  // namespace pylora
