#include "files/project_book.h"

#include <nlohmann/json.hpp>

#include "files/atomic_file.h"
#include "files/document_file.h"
#include "files/document_json.h"
#include "model/text.h"
#include "model/version.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

using Json = nlohmann::ordered_json;

// A book holds a project's calculations, ground records included: anything far larger is not one.
constexpr std::uintmax_t kLargestBook = 256u << 20;

std::string shown(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

struct Fault {
    std::string text;
};

std::string textOf(const Json& value, const std::string& where) {
    if (!value.is_string()) throw Fault{"「" + where + "」应为文本"};
    return value.get<std::string>();
}

// An optional text member: absent is empty, present must be text.
std::string optionalText(const Json& object, const char* key, const std::string& where) {
    const auto it = object.find(key);
    return it == object.end() || it->is_null() ? std::string() : textOf(*it, where + key);
}

// A title or project field, printed on the cover and on every page: of a sane length.
std::string fieldText(const Json& object, const char* key, const std::string& where) {
    std::string text = optionalText(object, key, where);
    if (characterCount(text) > kLongestProjectField)
        throw Fault{"「" + where + key + "」长于 " + std::to_string(kLongestProjectField) + " 个字符"};
    return text;
}

// The project members by their names in the file, and where each lives in ProjectInfo.
struct ProjectMember {
    const char* key;
    std::string ProjectInfo::*field;
};
constexpr ProjectMember kProjectMembers[] = {
    {"name", &ProjectInfo::projectName},     {"number", &ProjectInfo::projectNumber},
    {"design_stage", &ProjectInfo::designStage}, {"calculated_by", &ProjectInfo::calculatedBy},
    {"checked_by", &ProjectInfo::checkedBy}, {"approved_by", &ProjectInfo::approvedBy},
    {"date", &ProjectInfo::date},
};

ProjectInfo parseProject(const Json& json) {
    if (!json.is_object()) throw Fault{"「project」应为对象"};
    ProjectInfo project;
    for (const ProjectMember& m : kProjectMembers) project.*m.field = fieldText(json, m.key, "project.");
    return project;
}

BookChapter parseChapter(const Json& json, std::size_t index, const std::filesystem::path& file) {
    const std::string where = "calculations[" + std::to_string(index) + "]";
    if (!json.is_object()) throw Fault{"「" + where + "」应为对象"};
    BookChapter chapter;
    chapter.title = fieldText(json, "title", where + ".");
    const auto calculation = json.find("case");
    if (calculation == json.end()) throw Fault{"缺少「" + where + ".case」"};
    if (!calculation->is_object()) throw Fault{"「" + where + ".case」应为对象"};
    try {
        chapter.calculation = parseCase(calculation->dump(), file);
    } catch (const CaseFileError& e) {
        const std::string named = chapter.title.empty() ? std::string() : "「" + chapter.title + "」";
        throw Fault{"第 " + std::to_string(index + 1) + " 个计算" + named + "：" + e.fault()};
    }
    return chapter;
}

ProjectBook parseContent(const Json& json, const std::filesystem::path& file) {
    if (json.is_object() && json.contains("format") && json["format"] == kCaseFormat)
        throw Fault{"是单个计算文件（.pylora），不是工程文件；请用「打开计算…」打开"};
    if (!json.is_object() || !json.contains("format") || json["format"] != kBookFormat)
        throw Fault{"不是 Pylora 工程文件"};
    const auto version = json.find("format_version");
    if (version == json.end()) throw Fault{"缺少「format_version」"};
    if (!version->is_number_integer()) throw Fault{"「format_version」应为整数"};
    if (version->get<long long>() < 1) throw Fault{"格式版本 " + version->dump() + " 无效"};
    if (version->get<long long>() > kBookFormatVersion)
        throw Fault{"格式版本 " + version->dump() + " 比本程序能读的版本 " + std::to_string(kBookFormatVersion) +
                    " 新，请用新版程序打开"};
    ProjectBook book;
    book.formatVersion = version->get<int>();
    book.programVersion = optionalText(json, "program_version", "");
    book.title = fieldText(json, "title", "");
    if (json.contains("project")) book.project = parseProject(json["project"]);
    const auto calculations = json.find("calculations");
    if (calculations == json.end()) throw Fault{"缺少「calculations」"};
    if (!calculations->is_array()) throw Fault{"「calculations」应为列表"};
    for (const Json& chapter : *calculations) book.chapters.push_back(parseChapter(chapter, book.chapters.size(), file));
    book.bookFile = optionalText(json, "project_file", "");
    return book;
}

}  // namespace

BookFileError::BookFileError(const std::filesystem::path& file, const std::string& fault)
    : std::runtime_error("工程文件 " + shown(file) + "：" + fault) {}

BookChapter chapterOf(const CaseFile& calculation) {
    const FormDefinition* def = findWindow(calculation.formName);
    return {def ? def->title() : calculation.formName, calculation};
}

std::string bookText(const ProjectBook& book) {
    Json project = Json::object();
    for (const ProjectMember& m : kProjectMembers) project[m.key] = book.project.*m.field;
    Json calculations = Json::array();
    for (const BookChapter& chapter : book.chapters)
        calculations.push_back({{"title", chapter.title}, {"case", Json::parse(caseText(chapter.calculation))}});
    Json json{
        {"format", kBookFormat},
        {"format_version", book.formatVersion},
        {"program_version", book.programVersion.empty() ? std::string(kProgramVersion) : book.programVersion},
        {"title", book.title},
        {"project", project},
        {"calculations", calculations},
    };
    if (!book.bookFile.empty()) json["project_file"] = book.bookFile;
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

ProjectBook parseBook(std::string_view text, const std::filesystem::path& file) {
    if (text.empty()) throw BookFileError(file, "文件为空");
    Json json;
    try {
        json = readDocumentJson(text);
    } catch (const DocumentReadFault& fault) {
        throw BookFileError(file, fault.text);
    }
    try {
        return parseContent(json, file);
    } catch (const Fault& fault) {
        throw BookFileError(file, fault.text);
    } catch (const nlohmann::json::exception& e) {
        throw BookFileError(file, std::string("内容有误（") + e.what() + "）");
    }
}

ProjectBook loadBook(const std::filesystem::path& file) {
    std::string contents;
    try {
        contents = readDocumentFile(file, kLargestBook, "文件过大，不是工程文件");
    } catch (const DocumentReadFault& fault) {
        throw BookFileError(file, fault.text);
    }
    return parseBook(contents, file);
}

void saveBook(const ProjectBook& book, const std::filesystem::path& path) {
    if (const auto failure = writeFileAtomically(path, bookText(book)))
        throw BookFileError(path, "无法写入（" + failure->reasonInWords() + "）");
}

}  // namespace pylora
