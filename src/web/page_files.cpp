#include "web/page_files.h"

#include <filesystem>
#include <fstream>

#include "cad/profile_csv.h"
#include "cad/profile_drawing.h"
#include "cad/profile_dxf.h"
#include "documents/report_docx.h"

namespace pylora::web {
namespace {

constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int digitValue(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string base64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(value >> 18) & 63];
        out += kDigits[(value >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(value >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[value & 63] : '=';
    }
    return out;
}

std::string fromBase64(std::string_view text) {
    std::string out;
    unsigned value = 0;
    int bits = 0;
    for (char c : text) {
        const int digit = digitValue(c);
        if (digit < 0) continue;  // padding and line breaks
        value = (value << 6) | unsigned(digit);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((value >> bits) & 0xFF);
        }
    }
    return out;
}

nlohmann::json reportPicturesJson(const Report& report) {
    nlohmann::json pictures = nlohmann::json::array();
    for (const ReportPicture* picture : reportPictures(report))
        pictures.push_back({{"id", picture->id}, {"svg", picture->svg}, {"width", picture->width},
                            {"height", picture->height}});
    return {{"pictures", pictures}};
}

std::string reportDocxBase64(const Report& report, const ProjectInfo& project, const nlohmann::json& pngs) {
    const PngOf png = [&pngs](const ReportPicture& picture) {
        const auto it = pngs.find(picture.id);
        return it == pngs.end() ? std::string() : fromBase64(it->get<std::string>());
    };
    return base64(reportDocx(report, project, png));
}

void useGroundFile(CalcForm& window, const std::string& name, const std::string& text) {
    // The page's own memory: a folder of the engineer's files, by the name they carry.
    const std::filesystem::path folder = "/user";
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / std::filesystem::path(name).filename();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    window.services().groundDataFile = path;
}

nlohmann::json profileExport(const CalcForm& window, const std::string& format) {
    const std::optional<ProfileDrawing> drawing = profileDrawing(window);
    if (!drawing) return {{"error", noProfileReason(window)}};
    const std::string stem = window.definition().formName() + "_纵断面";
    if (format == "dxf")
        return {{"name", stem + ".dxf"}, {"base64", base64(profileDxf(*drawing, drawing->defaultExaggeration))}};
    return {{"name", stem + ".csv"}, {"base64", base64(profileCsv(*drawing))}};
}

}  // namespace pylora::web
