#pragma once
// pylora-cli: the calculator windows without a display. The command line is parsed here, so
// that the program and the worked-example tests take the same path.
#include <functional>
#include <iosfwd>
#include <map>
#include <streambuf>
#include <string>
#include <vector>

#include "documents/book_document.h"
#include "files/data_locations.h"
#include "model/form_definition.h"
#include "documents/report.h"

namespace pylora {

enum ExitStatus { kExitDone = 0, kExitUsage = 2, kExitRunFailed = 3, kExitWriteFailed = 4 };

// A command that ends early: its exit status and the one line it leaves on standard error.
struct CommandFault {
    int status;
    std::string message;
};

// Writes a report as a document whose pages need the desktop libraries (PDF, DOCX); returns an
// empty text when written, else why not.
using ReportWriter = std::function<std::string(const Report&, const ProjectInfo&, const std::string& path)>;

// Writes a project book (PDF, DOCX); returns an empty text when written, else why not.
using BookWriter = std::function<std::string(const BookDocument&, const std::string& path)>;

// The report formats beyond HTML and JSON: writers by file extension ("pdf", "docx"), and for
// those without a writer here the program to hand the whole command to (its exit status).
struct ReportFormats {
    std::map<std::string, ReportWriter> writers;
    std::map<std::string, BookWriter> bookWriters;
    std::function<int(const std::vector<std::string>& args)> delegate;
};

// The formats `report` writes, by the extension of the file it is given.
inline const char* const kReportExtensions[] = {"pdf", "docx", "html", "htm", "json"};

// Standard output written straight to its file descriptor, keeping the reason the first failed
// write gave, so that the runner can name it (a stream's failure alone does not say why).
class DescriptorOutput : public std::streambuf {
public:
    explicit DescriptorOutput(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }
    ~DescriptorOutput() override { sync(); }
    int error() const { return error_; }  // errno of the first failed write; 0: none

protected:
    int overflow(int c) override;
    int sync() override;

private:
    int fd_;
    int error_ = 0;
    char buffer_[8192];
};

// The date a report is signed, as a Chinese form writes it: 2026年12月10日.
std::string signingDate();

// args without the program name: {"run", "壁厚计算", "--set", "Text5=0.5"}.
int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Services& services, const ReportFormats& formats = {});

}  // namespace pylora
