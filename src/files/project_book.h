#pragma once
// A project book (.pylora-project): the calculations of one project, bound in order as the
// chapters of one 计算书, in one UTF-8 JSON file:
//   format "pylora-project", format_version, program_version,
//   title         the book's title on its cover (empty: 计算书),
//   project       工程名称, 工程编号, 设计阶段, 计算/校核/审核 and the date they sign,
//   calculations  in chapter order: each its chapter title and its case, embedded whole in the
//                 case file's own form, so that one book is one file to send and keep;
//   project_file  only in a crash-recovery copy: the book file the panel had open, if any.
// Reading is as strict as reading a case: a damaged, truncated or foreign file, a newer format
// or a chapter whose case cannot be read is refused with one message naming the file and fault.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/case_file.h"
#include "files/project_info.h"

namespace pylora {

inline constexpr int kBookFormatVersion = 1;
inline constexpr const char* kBookFormat = "pylora-project";
inline constexpr const char* kBookExtension = ".pylora-project";

// 工程文件 /home/li/穿越.pylora-project：第 2 个计算「汽车荷载」：缺少「form」.
class BookFileError : public std::runtime_error {
public:
    BookFileError(const std::filesystem::path& file, const std::string& fault);
};

struct BookChapter {
    std::string title;  // the chapter's title in the book: 汽车荷载计算（K12+300 公路穿越）
    CaseFile calculation;
};

struct ProjectBook {
    int formatVersion = kBookFormatVersion;
    std::string programVersion;
    std::string title;
    ProjectInfo project;
    std::vector<BookChapter> chapters;
    std::string bookFile;  // a crash-recovery copy: the book file the panel had open, if any
};

// A chapter for a window's calculation, titled as the window is.
BookChapter chapterOf(const CaseFile& calculation);

std::string bookText(const ProjectBook& book);
// Reads a book from its text; `file` only names it in messages.
ProjectBook parseBook(std::string_view text, const std::filesystem::path& file);
ProjectBook loadBook(const std::filesystem::path& file);
// Written whole under a temporary name and renamed into place, as a case is.
void saveBook(const ProjectBook& book, const std::filesystem::path& path);

}  // namespace pylora
