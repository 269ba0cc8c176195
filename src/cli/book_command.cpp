#include "cli/book_command.h"

#include <algorithm>
#include <ostream>

#include "cli/help_text.h"
#include "cli/project_options.h"
#include "files/project_book.h"
#include "model/text.h"

namespace pylora {
namespace {

// A fault of the command line or of a file it names: exit status 2, one line on standard error.
struct BadInput {
    std::string message;
};

void printLine(std::ostream& err, std::string message) {
    std::replace_if(message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    err << "pylora-cli: " << message << '\n';
}

std::string formatOf(const std::string& output, const std::string& told) {
    if (!told.empty()) return told;
    const auto dot = output.find_last_of('.');
    std::string extension = dot == std::string::npos ? std::string() : output.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    if (extension != "pdf" && extension != "docx")
        throw BadInput{"cannot write a book as " + (extension.empty() ? output : "." + extension) +
                       ": give a .pdf or .docx file, or --format"};
    return extension;
}

}  // namespace

BookCommand::BookCommand(CLI::App& app) : command_(app.add_subcommand("book", help::kBook)) {
    command_->add_option("PROJECT", projectFile_, help::kBookProject)->type_name("");
    command_->add_option("--case", cases_, help::kBookCase)->type_name("FILE")->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command_->add_option("--title", title_, help::kBookTitle)->type_name("TEXT");
    projectOptions_ = addProjectOptions(*command_, project_);
    projectOptions_.emplace_back("--title", &title_);
    command_->add_option("--output,-o", output_, help::kBookOutput)->required()->type_name("FILE");
    command_->add_option("--format", format_, help::kBookFormat)->type_name("FORMAT")->check(CLI::IsMember({"pdf", "docx"}));
}

int BookCommand::run(const std::vector<std::string>& args, const Services& services, const ReportFormats& formats,
                     std::ostream& err) const {
    try {
        for (const auto& [option, text] : projectOptions_)
            if (const std::string fault = projectOptionFault(option, *text); !fault.empty()) throw BadInput{fault};
        if (projectFile_.empty() == cases_.empty())
            throw BadInput{"name a project file (.pylora-project) or the case files with --case, one of the two"};
        const std::string format = formatOf(output_, format_);
        const auto writer = formats.bookWriters.find(format);
        if (writer == formats.bookWriters.end()) {
            if (formats.delegate) return formats.delegate(args);
            throw BadInput{"this program cannot write ." + format + " books"};
        }

        ProjectBook book;
        try {
            if (!projectFile_.empty()) book = loadBook(projectFile_);
            for (const std::string& file : cases_) book.chapters.push_back(chapterOf(loadCase(file)));
        } catch (const BookFileError& e) {
            throw BadInput{e.what()};
        } catch (const CaseFileError& e) {
            throw BadInput{e.what()};
        }
        if (book.chapters.empty()) throw BadInput{"工程文件 " + projectFile_ + "：没有计算，无法生成计算书"};
        if (!title_.empty()) book.title = title_;
        // What the command line names stands over what the book says.
        for (auto field : {&ProjectInfo::projectName, &ProjectInfo::projectNumber, &ProjectInfo::designStage,
                           &ProjectInfo::calculatedBy, &ProjectInfo::checkedBy, &ProjectInfo::approvedBy, &ProjectInfo::date})
            if (!(project_.*field).empty()) book.project.*field = project_.*field;

        const BookDocument document = buildBookDocument(book, services, signingDate());
        if (const std::string problem = writer->second(document, output_); !problem.empty()) {
            printLine(err, problem);
            return kExitWriteFailed;
        }
        // Written, failures and all; a chapter whose run failed says so, as report does.
        int status = kExitDone;
        for (const BookChapterReport& chapter : document.chapters) {
            if (chapter.report.state != ReportState::Failed) continue;
            printLine(err, chapter.heading + ": " + chapter.report.failure);
            status = kExitRunFailed;
        }
        return status;
    } catch (const BadInput& e) {
        printLine(err, e.message);
        return kExitUsage;
    }
}

}  // namespace pylora
