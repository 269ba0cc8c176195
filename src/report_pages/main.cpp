// pylora-report: pylora-cli's helper for the 计算书 as PDF and DOCX. It takes the same command
// line as `pylora-cli report`, runs the window the same way and lays the report out on A4 pages
// with Qt, on the offscreen platform: no display is needed.
#include <QGuiApplication>
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "cli/headless_runner.h"
#include "report_pages/report_pages.h"

namespace {

// Qt's notes about the session (no runtime folder on a server) are no concern of a report; its
// warnings of substance still go to standard error.
QtMessageHandler qtHandler = nullptr;

void quietAboutTheSession(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("QStandardPaths:"))) return;
    if (qtHandler) qtHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    qtHandler = qInstallMessageHandler(quietAboutTheSession);
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen")).toUtf8());
    QGuiApplication application(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const pylora::Services services = pylora::programServices(std::filesystem::canonical("/proc/self/exe"));
    pylora::ReportFormats formats;
    for (const auto& [extension, format] : {std::pair{"pdf", pylora::ReportFormat::Pdf}, {"docx", pylora::ReportFormat::Docx}})
        formats.writers[extension] = [format](const pylora::Report& report, const pylora::ProjectInfo& project,
                                              const std::string& path) {
            return pylora::writeReportFile(report, project, format, QString::fromStdString(path)).toStdString();
        };
    for (const auto& [extension, format] : {std::pair{"pdf", pylora::ReportFormat::Pdf}, {"docx", pylora::ReportFormat::Docx}})
        formats.bookWriters[extension] = [format](const pylora::BookDocument& book, const std::string& path) {
            return pylora::writeBookFile(book, format, QString::fromStdString(path)).toStdString();
        };
    pylora::DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    return pylora::runHeadless(args, out, std::cerr, services, formats);
}
